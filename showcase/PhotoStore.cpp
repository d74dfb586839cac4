#include "showcase/PhotoStore.h"

#include "db/DatabaseFiles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>

namespace showcase {
namespace {

// Photos larger than this are not what a kennel keeps; reading them whole would cost the
// memory the rest of the program needs.
constexpr qint64 largestFile = 200LL * 1024 * 1024;

QString suffixOf(const QByteArray &format)
{
    if (format == "jpeg" || format == "jpg")
        return QStringLiteral("jpg");
    return QString::fromLatin1(format);
}

// A JPEG cut short still decodes, grey where its end is missing: its end marker tells.
bool wholeJpeg(const QByteArray &bytes)
{
    QByteArray end = bytes.right(64);
    while (end.endsWith('\0') || end.endsWith('\n') || end.endsWith('\r'))
        end.chop(1);
    return end.endsWith("\xff\xd9");
}

QImage readScaled(QIODevice *device, const QSize &bound, QString *problem = nullptr)
{
    QImageReader reader(device);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid()) {
        if (problem)
            *problem = QStringLiteral("It is not a picture Houndry can read.");
        return {};
    }
    if (qint64(size.width()) * size.height() > PhotoStore::mostPixels) {
        if (problem)
            *problem = QStringLiteral("It has %1 megapixels; Houndry keeps photos of up to %2.")
                           .arg(qint64(size.width()) * size.height() / 1'000'000)
                           .arg(PhotoStore::mostPixels / 1'000'000);
        return {};
    }
    if (bound.isValid() && (size.width() > bound.width() || size.height() > bound.height()))
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull() && problem)
        *problem =
            QStringLiteral("The picture in it cannot be read (%1).").arg(reader.errorString());
    return image;
}

} // namespace

PhotoStore::PhotoStore(const QDir &folder)
    : m_folder(folder.filePath(db::DatabaseFiles::photosFolder()))
{
}

QString PhotoStore::hashOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

PhotoStore::Added PhotoStore::add(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("It cannot be read (%1).").arg(file.errorString())};
    if (file.size() > largestFile)
        return {{}, QStringLiteral("It is larger than a photo Houndry keeps (200 MB).")};
    return addBytes(file.readAll());
}

PhotoStore::Added PhotoStore::addBytes(const QByteArray &bytes) const
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format.isEmpty())
        return {{}, QStringLiteral("It is not a picture Houndry can read.")};
    if ((format == "jpeg" || format == "jpg") && !wholeJpeg(bytes))
        return {{}, QStringLiteral("The picture in it is cut short: the file is damaged.")};
    QString problem;
    buffer.seek(0);
    const QImage thumbnail = readScaled(&buffer, QSize(thumbnailSize, thumbnailSize), &problem);
    if (thumbnail.isNull())
        return {{}, problem};
    const QString hash = hashOf(bytes);
    const QString name = hash + QLatin1Char('.') + suffixOf(format);
    if (!m_folder.mkpath(QStringLiteral("thumbnails")))
        return {{}, QStringLiteral("The folder %1 cannot be made.").arg(m_folder.path())};
    if (!QFile::exists(m_folder.filePath(name))) {
        QSaveFile out(m_folder.filePath(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            return {{},
                    QStringLiteral("It could not be copied into %1 (%2).")
                        .arg(m_folder.path(), out.errorString())};
    }
    // A thumbnail that cannot be written is made again when it is next shown.
    thumbnail.save(m_folder.filePath(QStringLiteral("thumbnails/") + hash + QStringLiteral(".jpg")),
                   "JPEG", 85);
    return {name, {}};
}

QString PhotoStore::pathOf(const QString &file) const
{
    return m_folder.filePath(file);
}

bool PhotoStore::holds(const QString &file) const
{
    return !file.isEmpty() && QFile::exists(pathOf(file));
}

QImage PhotoStore::image(const QString &file, const QSize &bound) const
{
    QFile in(pathOf(file));
    if (file.isEmpty() || !in.open(QIODevice::ReadOnly))
        return {};
    return readScaled(&in, bound);
}

QImage PhotoStore::thumbnail(const QString &file) const
{
    const QString hash = file.section(QLatin1Char('.'), 0, 0);
    const QString cached =
        m_folder.filePath(QStringLiteral("thumbnails/") + hash + QStringLiteral(".jpg"));
    QImage thumbnail(cached);
    if (!thumbnail.isNull())
        return thumbnail;
    thumbnail = image(file, QSize(thumbnailSize, thumbnailSize));
    if (!thumbnail.isNull() && m_folder.mkpath(QStringLiteral("thumbnails")))
        thumbnail.save(cached, "JPEG", 85);
    return thumbnail;
}

bool PhotoStore::intact(const QString &file) const
{
    QFile in(pathOf(file));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&in);
    return QString::fromLatin1(hash.result().toHex()) == file.section(QLatin1Char('.'), 0, 0);
}

} // namespace showcase
