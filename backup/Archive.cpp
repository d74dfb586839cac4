#include "backup/Archive.h"

#include "db/FilePair.h"

#include <cstdio>
#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) < 0) {
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

QString unpackArchive(const QString &path, const QString &into, QStringList *names)
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
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
            name.startsWith(QLatin1Char('.')))
            return QStringLiteral("it holds an entry \"%1\" that Houndry does not write").arg(name);
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
        while ((read = zip_fread(entry, buffer, sizeof buffer)) > 0) {
            if (out.write(buffer, read) != read) {
                zip_fclose(entry);
                return out.errorString();
            }
        }
        zip_fclose(entry);
        if (read < 0)
            return QStringLiteral("the entry \"%1\" is damaged").arg(name);
    }
    return {};
}

} // namespace backup
