#include "backup/Archive.h"

#include "db/DatabaseFiles.h"
#include "db/FilePair.h"
#include "db/SchemaCheck.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStorageInfo>
#include <vector>
#include <zip.h>

namespace backup {
namespace {

QString zipProblem(zip_t *archive)
{
    return QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
}

} // namespace

core::WriteResult<qint64> writeArchive(const QString &path, const QList<ArchiveEntry> &entries)
{
    const QFileInfo target(path);
    const QString temporary =
        target.dir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".partial"));
    QFile::remove(temporary);
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!archive) {
        zip_error_t problem;
        zip_error_init_with_code(&problem, error);
        const QString text = QString::fromUtf8(zip_error_strerror(&problem));
        zip_error_fini(&problem);
        return core::failure(text);
    }
    // The bytes must outlive the archive, which reads them only when it is closed.
    QList<QByteArray> kept;
    for (const ArchiveEntry &entry : entries) {
        zip_source_t *source = nullptr;
        if (!entry.file.isEmpty()) {
            source = zip_source_file(archive, QFile::encodeName(entry.file).constData(), 0, -1);
        } else {
            kept << entry.bytes;
            source = zip_source_buffer(archive, kept.last().constData(),
                                       zip_uint64_t(kept.last().size()), 0);
        }
        const zip_int64_t index = source ? zip_file_add(archive, entry.name.toUtf8().constData(),
                                                        source, ZIP_FL_ENC_UTF_8)
                                         : -1;
        // The fastest deflate: a kennel's files shrink to a third of their size at it, and a
        // backup that takes seconds is one the breeder puts off.
        if (index < 0 ||
            zip_set_file_compression(archive, zip_uint64_t(index),
                                     entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1) < 0) {
            if (source && index < 0)
                zip_source_free(source);
            const QString problem = zipProblem(archive);
            zip_discard(archive);
            QFile::remove(temporary);
            return core::failure(problem);
        }
    }
    if (zip_close(archive) != 0) {
        const QString problem = zipProblem(archive);
        zip_discard(archive);
        QFile::remove(temporary);
        return core::failure(problem);
    }
    if (!QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        !db::syncToDisk(temporary) ||
        ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) !=
            0 ||
        !db::syncToDisk(target.absolutePath(), true)) {
        QFile::remove(temporary);
        return core::failure(QStringLiteral("the archive could not be put in place"));
    }
    return QFileInfo(path).size();
}

namespace {

// Sizes no backup of Houndry's reaches: a manifest is a few kilobytes, and SQLite's pages do
// not pack tighter than about 1:100 even when nearly empty.
constexpr zip_uint64_t largestManifest = 1024 * 1024;
constexpr zip_uint64_t tightestPacking = 200;
// Room left on the disk after unpacking, for the trial opening and the journal.
constexpr qint64 freeMargin = 16 * 1024 * 1024;

QString weighEntries(zip_t *archive, const QString &into, std::vector<zip_uint64_t> *declared)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    zip_uint64_t total = 0;
    QStringList tooTight;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE))
            return zipProblem(archive);
        const QString name = QString::fromUtf8(stat.name ? stat.name : "");
        if (name == QLatin1String("manifest.json") && stat.size > largestManifest)
            return QStringLiteral("its manifest would unpack to %1, far more than a backup's")
                .arg(QLocale().formattedDataSize(qint64(stat.size), 1,
                                                 QLocale::DataSizeTraditionalFormat));
        if (stat.size > 1024 * 1024 &&
            stat.size / std::max<zip_uint64_t>(stat.comp_size, 1) > tightestPacking)
            tooTight << name;
        declared->push_back(stat.size);
        total += stat.size;
    }
    if (!tooTight.isEmpty())
        return QStringLiteral("%1 would unpack to more than %2 times its packed size, which no "
                              "kennel file does")
            .arg(db::listedBriefly(tooTight))
            .arg(tightestPacking);
    const qint64 available = QStorageInfo(into).bytesAvailable();
    if (available >= 0 && qint64(total) + freeMargin > available)
        return QStringLiteral("unpacked it needs %1, and only %2 is free")
            .arg(QLocale().formattedDataSize(qint64(total), 1, QLocale::DataSizeTraditionalFormat),
                 QLocale().formattedDataSize(available, 1, QLocale::DataSizeTraditionalFormat));
    return {};
}

} // namespace

int removePartialArchives(const QString &folder, const QDateTime &now)
{
    // ".<archive>.zip.partial", and the copy libzip makes of it as it closes, ".partial.XXXXXX".
    static const QRegularExpression partial(QStringLiteral(R"(^\..+\.zip\.partial(\.\w{6})?$)"));
    int removed = 0;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &file : files) {
        if (partial.match(file.fileName()).hasMatch() &&
            file.lastModified().secsTo(now) > 60 * 60 && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

QString unpackArchive(const QString &path, const QString &into, QStringList *names,
                      const std::function<bool()> &stop)
{
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        zip_error_t problem;
        zip_error_init_with_code(&problem, error);
        const QString text = QString::fromUtf8(zip_error_strerror(&problem));
        zip_error_fini(&problem);
        return text;
    }
    const std::unique_ptr<zip_t, void (*)(zip_t *)> closing(archive, zip_discard);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    // What each entry declares is weighed before a byte is unpacked: a crafted archive can
    // unpack to far more than it occupies.
    std::vector<zip_uint64_t> declared;
    if (const QString problem = weighEntries(archive, into, &declared); !problem.isEmpty())
        return problem;
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
        const QString photos = db::DatabaseFiles::photosFolder() + QLatin1Char('/');
        const QString file = name.startsWith(photos) ? name.mid(photos.size()) : name;
        if (file.isEmpty() || file.contains(QLatin1Char('/')) || file.contains(QLatin1Char('\\')) ||
            file.startsWith(QLatin1Char('.')))
            return QStringLiteral("it holds an entry \"%1\" that Houndry does not write").arg(name);
        if (file != name && !QDir(into).mkpath(db::DatabaseFiles::photosFolder()))
            return QStringLiteral("the photos folder cannot be made");
        *names << name;
        zip_file_t *entry = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!entry)
            return zipProblem(archive);
        QFile out(QDir(into).filePath(name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            zip_fclose(entry);
            return out.errorString();
        }
        char buffer[65536];
        zip_int64_t read;
        zip_uint64_t unpacked = 0;
        while ((read = zip_fread(entry, buffer, sizeof buffer)) > 0) {
            unpacked += zip_uint64_t(read);
            if (unpacked > declared[size_t(i)]) {
                zip_fclose(entry);
                return QStringLiteral("the entry \"%1\" holds more than it declares").arg(name);
            }
            if (out.write(buffer, read) != read) {
                zip_fclose(entry);
                return out.errorString();
            }
            if (stop && stop()) {
                zip_fclose(entry);
                return QStringLiteral("unpacking it was stopped");
            }
        }
        zip_fclose(entry);
        if (read < 0)
            return QStringLiteral("the entry \"%1\" is damaged").arg(name);
    }
    return {};
}

} // namespace backup
