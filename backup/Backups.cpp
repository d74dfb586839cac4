#include "backup/Backups.h"

#include "backup/Archive.h"
#include "backup/Snapshot.h"
#include "core/version.h"
#include "db/DatabaseFiles.h"
#include "db/Tables.h"
#include "kennel/DogRows.h"

#include <algorithm>
#include <memory>
#include <openssl/evp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QVersionNumber>

namespace backup {
namespace {

const QString program = QStringLiteral("Pawmark Houndry");
const QString manifestName = QStringLiteral("manifest.json");
const QString automaticPrefix = QStringLiteral("Houndry automatic backup ");
const QString workName = QStringLiteral(".houndry-work");

QString kennelName()
{
    return db::DatabaseFiles::fileName(db::File::Kennel);
}

QString reportName()
{
    return db::DatabaseFiles::fileName(db::File::Report);
}

// OpenSSL's SHA-256 uses the processor's SHA instructions: several times Qt's own speed on
// the tens of megabytes of a large kennel.
QString sha256(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> context(EVP_MD_CTX_new(),
                                                                      EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return {};
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 read;
    while ((read = f.read(buffer.data(), buffer.size())) > 0)
        EVP_DigestUpdate(context.get(), buffer.constData(), size_t(read));
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (read < 0 || EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return {};
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex());
}

QJsonObject describeFile(const QString &file)
{
    QJsonObject tables;
    const QMap<QString, qint64> counts = rowCounts(file);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        tables.insert(it.key(), it.value());
    return {{QStringLiteral("sha256"), sha256(file)}, {QStringLiteral("rows"), tables}};
}

// The photos kept beside the kennel: files named by their SHA-256, as the photos screen writes
// them; the folder's thumbnails and anything else are left out.
QStringList photoNames(const QString &folder)
{
    static const QRegularExpression stored(QStringLiteral("^[0-9a-f]{64}\\.[a-z]{3,4}$"));
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        if (stored.match(name).hasMatch())
            names << name;
    }
    return names;
}

QString photoEntry(const QString &name)
{
    return db::DatabaseFiles::photosFolder() + QLatin1Char('/') + name;
}

QString stamp(const QDateTime &at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HHmm"));
}

std::optional<QDateTime> automaticTime(const QString &name)
{
    static const QRegularExpression pattern(QRegularExpression::escape(automaticPrefix) +
                                            QStringLiteral("(\\d{4}-\\d\\d-\\d\\d \\d{4})\\.zip"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime at =
        QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd HHmm"));
    return at.isValid() ? std::optional(at) : std::nullopt;
}

QStringList automaticNames(const QString &dataFolder)
{
    QStringList names;
    for (const QString &name :
         QDir(automaticFolder(dataFolder))
             .entryList({automaticPrefix + QStringLiteral("*.zip")}, QDir::Files)) {
        if (automaticTime(name))
            names << name;
    }
    return names;
}

KennelContents countsOf(const QMap<QString, qint64> &kennelRows,
                        const QMap<QString, qint64> &reportRows)
{
    KennelContents contents;
    const kennel::Tally tally = kennel::tallyOf(kennelRows).value_or(kennel::Tally{});
    contents.dogs = tally.dogs;
    contents.contacts = tally.contacts;
    contents.matings = kennelRows.value(db::tables::matings);
    contents.sales = reportRows.value(db::tables::sales);
    return contents;
}

} // namespace

std::unique_ptr<QTemporaryDir> workCopyFolder(const QString &dataFolder)
{
    const QString folder = QDir(dataFolder).filePath(workName);
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner))
        return nullptr;
    auto work =
        std::make_unique<QTemporaryDir>(QDir(folder).filePath(QStringLiteral("copy-XXXXXX")));
    return work->isValid() ? std::move(work) : nullptr;
}

void removeWorkCopies(const QString &dataFolder)
{
    QDir(QDir(dataFolder).filePath(workName)).removeRecursively();
}

QString archiveName(const QDateTime &at)
{
    return QStringLiteral("Houndry backup ") + stamp(at) + QStringLiteral(".zip");
}

core::WriteResult<BackupMade> backUp(const QString &dataFolder, const QString &archivePath,
                                     const QDateTime &now)
{
    const std::unique_ptr<QTemporaryDir> work = workCopyFolder(dataFolder);
    if (!work)
        return core::failure(QStringLiteral("no working copy can be made beside the kennel"));
    if (const auto taken = snapshot(dataFolder, work->path()); !taken)
        return core::failure(taken.problem());
    const QString kennel = work->filePath(kennelName());
    const QString report = work->filePath(reportName());
    const QString photoFolder = QDir(dataFolder).filePath(db::DatabaseFiles::photosFolder());
    QJsonObject photos;
    QList<ArchiveEntry> entries{{kennelName(), kennel, {}}, {reportName(), report, {}}};
    for (const QString &name : photoNames(photoFolder)) {
        const QString file = QDir(photoFolder).filePath(name);
        photos.insert(name, sha256(file));
        entries.append({photoEntry(name), file, {}, false});
    }
    const QJsonObject manifest{
        {QStringLiteral("program"), program},
        {QStringLiteral("version"), QStringLiteral("%1.%2.%3")
                                        .arg(core::versionMajor)
                                        .arg(core::versionMinor)
                                        .arg(core::versionRevision)},
        {QStringLiteral("taken"), now.toString(Qt::ISODate)},
        {QStringLiteral("files"),
         QJsonObject{{kennelName(), describeFile(kennel)}, {reportName(), describeFile(report)}}},
        {QStringLiteral("photos"), photos},
    };
    entries.append({manifestName, {}, QJsonDocument(manifest).toJson(QJsonDocument::Indented)});
    const auto written = writeArchive(archivePath, entries);
    if (!written)
        return core::failure(written.problem());
    return BackupMade{archivePath, written.value()};
}

QString automaticFolder(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("backups"));
}

std::optional<QDateTime> lastAutomaticBackup(const QString &dataFolder)
{
    std::optional<QDateTime> newest;
    for (const QString &name : automaticNames(dataFolder)) {
        const QDateTime at = *automaticTime(name);
        if (!newest || at > *newest)
            newest = at;
    }
    return newest;
}

bool automaticBackupDue(const QString &dataFolder, const QDateTime &now)
{
    // By the calendar, not by 24 hours: a breeder who starts at about the same time each
    // morning would otherwise find yesterday's backup not yet a day old every second day.
    const std::optional<QDateTime> last = lastAutomaticBackup(dataFolder);
    return !last || last->date() != now.date();
}

QStringList backupsToRemove(const QStringList &names, const QDateTime &now)
{
    QStringList newestFirst = names;
    newestFirst.erase(std::remove_if(newestFirst.begin(), newestFirst.end(),
                                     [](const QString &n) { return !automaticTime(n); }),
                      newestFirst.end());
    std::sort(newestFirst.begin(), newestFirst.end(), [](const QString &a, const QString &b) {
        return *automaticTime(a) > *automaticTime(b);
    });
    const QDate firstMonth = QDate(now.date().year(), now.date().month(), 1).addMonths(-11);
    // Each month of the last twelve keeps its first backup, as a monthly one.
    QStringList monthsSeen;
    QStringList monthly;
    for (auto it = newestFirst.crbegin(); it != newestFirst.crend(); ++it) {
        const QDate day = automaticTime(*it)->date();
        const QString month = day.toString(QStringLiteral("yyyy-MM"));
        if (day >= firstMonth && !monthsSeen.contains(month)) {
            monthsSeen << month;
            monthly << *it;
        }
    }
    QStringList removed;
    for (qsizetype i = 10; i < newestFirst.size(); ++i) {
        if (!monthly.contains(newestFirst[i]))
            removed << newestFirst[i];
    }
    return removed;
}

core::WriteResult<BackupMade> backUpAutomatically(const QString &dataFolder, const QDateTime &now)
{
    const QString folder = automaticFolder(dataFolder);
    if (!QDir().mkpath(folder))
        return core::failure(QStringLiteral("the folder %1 cannot be made").arg(folder));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const auto made =
        backUp(dataFolder, QDir(folder).filePath(automaticPrefix + stamp(now) + u".zip"), now);
    if (!made)
        return made;
    for (const QString &old : backupsToRemove(automaticNames(dataFolder), now))
        QFile::remove(QDir(folder).filePath(old));
    return made;
}

KennelContents contentsOf(const QString &dataFolder)
{
    const QDir data(dataFolder);
    KennelContents contents =
        countsOf(rowCounts(data.filePath(kennelName())), rowCounts(data.filePath(reportName())));
    contents.photos = photoNames(data.filePath(db::DatabaseFiles::photosFolder())).size();
    return contents;
}

QString restorePhotos(const CheckedArchive &checked, const QString &dataFolder)
{
    const QDir photos(QDir(dataFolder).filePath(db::DatabaseFiles::photosFolder()));
    if (!checked.photos.isEmpty() && !photos.mkpath(QStringLiteral(".")))
        return QStringLiteral("the folder %1 cannot be made").arg(photos.path());
    for (const QString &file : checked.photos) {
        const QString name = QFileInfo(file).fileName();
        const QString target = photos.filePath(name);
        // Named by their content: one already there with the same bytes stays as it is.
        if (QFile::exists(target) && sha256(target) == sha256(file))
            continue;
        QFile::remove(target);
        if (!QFile::copy(file, target))
            return QStringLiteral("the photo %1 could not be put back").arg(name);
    }
    return {};
}

CheckedArchive checkArchive(const QString &path, const QString &dataFolder,
                            const CheckControl &control)
{
    using namespace std::chrono;
    CheckedArchive checked;
    auto refuse = [&](const QString &why) {
        checked.problem = why;
        checked.unpacked.reset();
        return checked;
    };
    const qint64 bytes = QFileInfo(path).size();
    if (bytes == 0)
        return refuse(QStringLiteral("The file is empty."));
    const milliseconds limit =
        control.limit.count() > 0 ? control.limit : minutes(1) + seconds(3) * (bytes >> 20);
    const steady_clock::time_point deadline = steady_clock::now() + limit;
    bool overtime = false;
    const db::StopWhen stop = [&] {
        if (control.cancelled && control.cancelled())
            checked.cancelled = true;
        else if (steady_clock::now() > deadline)
            overtime = true;
        return checked.cancelled || overtime;
    };
    auto stage = [&](const QString &text) {
        if (control.stage)
            control.stage(text);
    };
    auto refuseOrStop = [&](const QString &why) {
        if (checked.cancelled)
            return refuse(QStringLiteral("The check was cancelled."));
        if (overtime)
            return refuse(QStringLiteral("Checking it took longer than %1 seconds, far longer "
                                         "than a kennel's files take: it is refused as unusual.")
                              .arg(duration_cast<seconds>(limit).count()));
        return refuse(why);
    };

    checked.unpacked = workCopyFolder(dataFolder);
    if (!checked.unpacked)
        return refuse(QStringLiteral("There is no room to unpack it beside the kennel."));
    stage(QStringLiteral("Unpacking the backup"));
    QStringList names;
    if (const QString problem = unpackArchive(path, checked.unpacked->path(), &names, stop);
        !problem.isEmpty())
        return refuseOrStop(
            QStringLiteral("It is not a readable backup archive (%1).").arg(problem));
    QStringList photoEntries;
    for (const QString &name : std::as_const(names)) {
        if (name.startsWith(photoEntry({})))
            photoEntries << name.mid(photoEntry({}).size());
    }
    names.removeIf([](const QString &name) { return name.startsWith(photoEntry({})); });
    names.sort();
    QStringList expected{kennelName(), manifestName, reportName()};
    expected.sort();
    if (names != expected)
        return refuse(QStringLiteral("It holds %1, not the two kennel files and a manifest.")
                          .arg(names.join(QStringLiteral(", "))));
    QFile manifestFile(checked.unpacked->filePath(manifestName));
    manifestFile.open(QIODevice::ReadOnly);
    const QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
    if (manifest.value(QStringLiteral("program")).toString() != program)
        return refuse(QStringLiteral("It was not written by Houndry."));
    const QString writer = manifest.value(QStringLiteral("version")).toString();
    if (QVersionNumber::fromString(writer) >
        QVersionNumber(core::versionMajor, core::versionMinor, core::versionRevision))
        return refuse(QStringLiteral("It was written by Houndry %1, which is newer than this "
                                     "Houndry (%2.%3.%4).")
                          .arg(writer)
                          .arg(core::versionMajor)
                          .arg(core::versionMinor)
                          .arg(core::versionRevision));
    checked.kennelFile = checked.unpacked->filePath(kennelName());
    checked.reportFile = checked.unpacked->filePath(reportName());
    const QJsonObject files = manifest.value(QStringLiteral("files")).toObject();
    stage(QStringLiteral("Comparing the files with the manifest"));
    for (const QString &file : {checked.kennelFile, checked.reportFile}) {
        const QString name = QFileInfo(file).fileName();
        if (files.value(name).toObject().value(QStringLiteral("sha256")).toString() != sha256(file))
            return refuse(QStringLiteral("%1 in it is not the file that was backed up (its "
                                         "checksum differs).")
                              .arg(name));
    }
    // Every photo the manifest lists is there as it was backed up, and no other.
    const QJsonObject photos = manifest.value(QStringLiteral("photos")).toObject();
    photoEntries.sort();
    if (photoEntries != photos.keys())
        return refuse(QStringLiteral("Its photos are not those its manifest lists."));
    stage(QStringLiteral("Comparing the photos with the manifest"));
    for (const QString &name : std::as_const(photoEntries)) {
        const QString file = checked.unpacked->filePath(photoEntry(name));
        if (photos.value(name).toString() != sha256(file))
            return refuse(QStringLiteral("The photo %1 in it is not the photo that was backed up "
                                         "(its checksum differs).")
                              .arg(name));
        checked.photos << file;
    }
    // Tried as start-up would open it, before anything of the kennel is replaced; what the
    // files hold that could run in a check is refused before any check runs.
    stage(QStringLiteral("Opening the kennel in the backup as Houndry starts it"));
    if (QString problem = db::DatabaseFiles::tryCopy(checked.unpacked->path(), &stop);
        !problem.isEmpty())
        return refuseOrStop(problem.endsWith(QLatin1Char('.')) ? problem
                                                               : problem + QLatin1Char('.'));
    for (const QString &file : {checked.kennelFile, checked.reportFile}) {
        stage(QStringLiteral("Checking every page of %1").arg(QFileInfo(file).fileName()));
        if (const QString problem = integrityProblem(file, &stop); !problem.isEmpty())
            return refuseOrStop(QStringLiteral("%1 in it is damaged (%2).")
                                    .arg(QFileInfo(file).fileName(), problem));
    }
    stage(QStringLiteral("Counting what it holds"));
    const QMap<QString, qint64> kennelRows = rowCounts(checked.kennelFile, &stop);
    const QMap<QString, qint64> reportRows = rowCounts(checked.reportFile, &stop);
    if (checked.cancelled || overtime)
        return refuseOrStop({});
    if (!kennel::tallyOf(kennelRows) || !reportRows.contains(db::tables::sales))
        return refuse(QStringLiteral("Its files do not hold a kennel's tables."));
    checked.contents = countsOf(kennelRows, reportRows);
    checked.contents.photos = checked.photos.size();
    // Shown in the breeder's own time, whatever offset the manifest was written with.
    checked.contents.taken =
        QDateTime::fromString(manifest.value(QStringLiteral("taken")).toString(), Qt::ISODate)
            .toLocalTime();
    return checked;
}

} // namespace backup
