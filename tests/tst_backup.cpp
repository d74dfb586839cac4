#include "TestSupport.h"

#include "app/KennelBackups.h"
#include "app/MainWindow.h"
#include "app/RestoreCheck.h"
#include "backup/Archive.h"
#include "backup/Backups.h"
#include "backup/Snapshot.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "db/FilePair.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QDateTime noon(QDate(2026, 12, 8), QTime(12, 0));

// A kennel file pair in a folder of its own, its dogs and sales telling which it is.
QString kennelPair(const QString &folder, const QString &dog, int sales)
{
    QDir().mkpath(folder);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    db::DatabaseFiles::open();
    addDog(db::DatabaseFiles::kennel(), {{"name", dog}});
    for (int i = 0; i < sales; ++i)
        exec(db::DatabaseFiles::report(), "INSERT INTO sales (dogsold) VALUES (?)", {dog});
    db::DatabaseFiles::close();
    QDir::setCurrent(previous);
    return folder;
}

QString made(const core::WriteResult<backup::BackupMade> &result)
{
    return result ? result.value().path : QStringLiteral("failed: ") + result.problem();
}

// Which pair the working folder holds: the first dog's name and the number of sales.
QString pairInFolder()
{
    if (!db::DatabaseFiles::open().isEmpty())
        return QStringLiteral("does not open");
    const QString kennel = scalar(db::DatabaseFiles::kennel(), "PRAGMA integrity_check").toString();
    const QString report = scalar(db::DatabaseFiles::report(), "PRAGMA integrity_check").toString();
    const QString pair =
        scalar(db::DatabaseFiles::kennel(), "SELECT name FROM Dogtable ORDER BY rowid LIMIT 1")
            .toString() +
        QLatin1Char('/') +
        scalar(db::DatabaseFiles::report(), "SELECT count(*) FROM sales").toString();
    db::DatabaseFiles::close();
    return kennel == "ok" && report == "ok" ? pair : QStringLiteral("damaged");
}

void runAndKill(const QStringList &arguments, int afterMs)
{
    QProcess worker;
    worker.start(BACKUP_WORKER, arguments);
    QVERIFY(worker.waitForStarted());
    QVERIFY(worker.waitForReadyRead(30000));
    QTest::qWait(afterMs);
    worker.kill();
    QVERIFY(worker.waitForFinished());
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void archiveHoldsBothFilesAndAManifest();
    void aSaleIsInBothFilesOrInNeither();
    void damagedOrForeignArchivesAreRefused_data();
    void damagedOrForeignArchivesAreRefused();
    void archiveLargerThanTheFreeSpaceIsRefused();
    void photosAreBackedUpCheckedAndPutBack_data();
    void photosAreBackedUpCheckedAndPutBack();
    void bombIsRefusedWithoutItsSizeInMemory();
    void checkStopsOnCancelAndAfterItsTime_data();
    void checkStopsOnCancelAndAfterItsTime();
    void archivesHoundryCannotWorkWithAreRefused_data();
    void archivesHoundryCannotWorkWithAreRefused();
    void automaticBackupsAreKeptDailyAndMonthly_data();
    void automaticBackupsAreKeptDailyAndMonthly();
    void restoreAsksThenReplacesBothFiles();
    void backupFolderMustBeWritableAndElsewhere();
    void startupRemovesWhatAKilledBackupLeft();
    void startupBacksUpOnceADay_data();
    void startupBacksUpOnceADay();
    void killedRestoreLeavesOnePairOrTheOther();
    void startThatCannotPrepareOffersTheNewestUsableBackup_data();
    void startThatCannotPrepareOffersTheNewestUsableBackup();
    void damageFoundAfterStartOffersTheNewestBackup_data();
    void damageFoundAfterStartOffersTheNewestBackup();
    void killedBackupLeavesEarlierArchivesWhole();
};

void BackupTest::archiveHoldsBothFilesAndAManifest()
{
    WorkingFolder folder;
    kennelPair(folder.path(), "Ærø \"Dot\"", 2);
    const QString target = folder.path() + "/Sicherung für Müller";
    QVERIFY(QDir().mkpath(target));
    const QString path = target + "/" + backup::archiveName(noon);
    QCOMPARE(backup::archiveName(noon), "Houndry backup 2026-12-08 1200.zip");
    QCOMPARE(made(backup::backUp(folder.path(), path, noon)), path);
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    QVERIFY(permissions.testFlag(QFileDevice::ReadOwner));
    QVERIFY(!(permissions & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                             QFileDevice::ReadOther | QFileDevice::WriteOther)));
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(path).fileName()});

    QTemporaryDir unpacked;
    QStringList names;
    QCOMPARE(backup::unpackArchive(path, unpacked.path(), &names), QString());
    names.sort();
    QCOMPARE(names, QStringList({"kennelbase.ddx", "manifest.json", "report.ddx"}));
    QFile manifestFile(unpacked.filePath("manifest.json"));
    QVERIFY(manifestFile.open(QIODevice::ReadOnly));
    const QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
    QCOMPARE(manifest.value("taken").toString(), "2026-12-08T12:00:00");
    QVERIFY(!manifest.value("version").toString().isEmpty());
    const QJsonObject report = manifest.value("files").toObject().value("report.ddx").toObject();
    QCOMPARE(report.value("rows").toObject().value("sales").toInt(), 2);
    QCOMPARE(report.value("sha256").toString().size(), 64);

    const backup::CheckedArchive checked = backup::checkArchive(path, QDir::currentPath());
    QCOMPARE(checked.problem, QString());
    QCOMPARE(checked.contents.dogs, 1);
    QCOMPARE(checked.contents.sales, 2);
    QCOMPARE(checked.contents.taken, noon);
}

void BackupTest::aSaleIsInBothFilesOrInNeither()
{
    Kennel kennel;
    QSqlDatabase db = kennel.db();
    // The sale is written on the program's own connection; the backup reads on another.
    QVERIFY(db.transaction());
    exec(db, "INSERT INTO Dogtable (name, ownerid) VALUES ('Sold', 'Buyer')");
    exec(db, "INSERT INTO report.sales (dogsold) VALUES ('Sold')");
    QTemporaryDir during;
    QVERIFY(backup::snapshot(kennel.path(), during.path()).ok());
    QVERIFY(db.commit());
    QTemporaryDir after;
    QVERIFY(backup::snapshot(kennel.path(), after.path()).ok());
    for (const auto &[dir, rows] : {std::pair{&during, 0}, std::pair{&after, 1}}) {
        QCOMPARE(backup::rowCounts(dir->filePath("kennelbase.ddx")).value("Dogtable"), rows);
        QCOMPARE(backup::rowCounts(dir->filePath("report.ddx")).value("sales"), rows);
    }
}

void BackupTest::damagedOrForeignArchivesAreRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("0 bytes") << "empty"
                             << "The file is empty.";
    QTest::newRow("text, not a zip") << "text"
                                     << "It is not a readable backup archive";
    QTest::newRow("cut short") << "truncated"
                               << "It is not a readable backup archive";
    QTest::newRow("a third file") << "third"
                                  << "It holds kennelbase.ddx, manifest.json, notes.txt";
    QTest::newRow("kennel file is text") << "kennel text"
                                         << "kennelbase.ddx in it is not the file";
    QTest::newRow("another program") << "foreign"
                                     << "It was not written by Houndry.";
    QTest::newRow("a newer Houndry") << "newer"
                                     << "It was written by Houndry 99.0.1, which is newer than "
                                        "this Houndry (";
    QTest::newRow("manifest bomb") << "manifest bomb"
                                   << "It is not a readable backup archive (its manifest would "
                                      "unpack to 2.0 MB, far more than a backup's).";
    QTest::newRow("kennel bomb") << "kennel bomb"
                                 << "It is not a readable backup archive (kennelbase.ddx would "
                                    "unpack to more than 200 times its packed size";
    QTest::newRow("not a kennel's tables")
        << "tables"
        << "The kennel database kennelbase.ddx in the backup holds tables, but none of "
           "Houndry's: it seems to belong to another program.";
}

void BackupTest::damagedOrForeignArchivesAreRefused()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 1);
    const QString good = folder.path() + "/good.zip";
    QVERIFY(backup::backUp(folder.path(), good, noon).ok());
    QTemporaryDir parts;
    QStringList names;
    QCOMPARE(backup::unpackArchive(good, parts.path(), &names), QString());
    auto entries = [&](const QList<backup::ArchiveEntry> &extra, const QString &skip = {}) {
        QList<backup::ArchiveEntry> all;
        for (const char *name : {"kennelbase.ddx", "report.ddx", "manifest.json"}) {
            if (QLatin1String(name) != skip)
                all.append({name, parts.filePath(name), {}});
        }
        return all + extra;
    };
    const QString bad = folder.path() + "/bad.zip";
    QFile original(good);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    if (damage == "empty" || damage == "text" || damage == "truncated") {
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(damage == "text"        ? QByteArray("dogs, lots of dogs\n")
                  : damage == "truncated" ? bytes.left(bytes.size() / 2)
                                          : QByteArray());
    } else if (damage == "third") {
        QVERIFY(backup::writeArchive(bad, entries({{"notes.txt", {}, "hello"}})).ok());
    } else if (damage == "kennel text") {
        QVERIFY(backup::writeArchive(
                    bad, entries({{"kennelbase.ddx", {}, "not a database"}}, "kennelbase.ddx"))
                    .ok());
    } else if (damage == "manifest bomb") {
        QVERIFY(backup::writeArchive(
                    bad, entries({{"manifest.json", {}, QByteArray(2 * 1024 * 1024, ' ')}},
                                 "manifest.json"))
                    .ok());
    } else if (damage == "kennel bomb") {
        QVERIFY(backup::writeArchive(
                    bad, entries({{"kennelbase.ddx", {}, QByteArray(64 * 1024 * 1024, '\0')}},
                                 "kennelbase.ddx"))
                    .ok());
    } else if (damage == "newer") {
        QVERIFY(backup::writeArchive(
                    bad, entries({{"manifest.json",
                                   {},
                                   R"({"program": "Pawmark Houndry", "version": "99.0.1"})"}},
                                 "manifest.json"))
                    .ok());
    } else if (damage == "foreign") {
        QVERIFY(backup::writeArchive(
                    bad, entries({{"manifest.json", {}, R"({"program": "Other Kennel"})"}},
                                 "manifest.json"))
                    .ok());
    } else {
        // The two files swapped, each under the other's name, with checksums to match.
        QFile manifestFile(parts.filePath("manifest.json"));
        QVERIFY(manifestFile.open(QIODevice::ReadOnly));
        QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
        QJsonObject files = manifest.value("files").toObject();
        const QJsonValue kennelFile = files.value("kennelbase.ddx");
        files.insert("kennelbase.ddx", files.value("report.ddx"));
        files.insert("report.ddx", kennelFile);
        manifest.insert("files", files);
        QVERIFY(backup::writeArchive(bad, {{"kennelbase.ddx", parts.filePath("report.ddx"), {}},
                                           {"report.ddx", parts.filePath("kennelbase.ddx"), {}},
                                           {"manifest.json", {}, QJsonDocument(manifest).toJson()}})
                    .ok());
    }
    const backup::CheckedArchive checked = backup::checkArchive(bad, QDir::currentPath());
    QVERIFY2(checked.problem.startsWith(reason), qPrintable(checked.problem));
    QVERIFY(!checked.unpacked);
}

void BackupTest::archiveLargerThanTheFreeSpaceIsRefused()
{
    TinyDisk disk(8 * 1024);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 1);
    QVERIFY(backup::backUp(folder.path(), folder.path() + "/rex.zip", noon).ok());
    // Unpacked beside the kennel: a disk with less room than the kennel and a margin.
    const backup::CheckedArchive checked =
        backup::checkArchive(folder.path() + "/rex.zip", disk.path());
    QVERIFY2(checked.problem.contains(", and only ") && checked.problem.contains(" is free"),
             qPrintable(checked.problem));
    QCOMPARE(
        QDir(disk.path() + "/.houndry-work").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
}

void BackupTest::startThatCannotPrepareOffersTheNewestUsableBackup_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("restored") << true;
    QTest::newRow("declined") << false;
}

void BackupTest::startThatCannotPrepareOffersTheNewestUsableBackup()
{
    QFETCH(bool, answer);
    WorkingFolder folder;
    const QString backups = folder.path() + "/backups";
    QDir().mkpath(backups);
    // The newest backup holds a trigger and cannot be used; the one before it can.
    const QString good = kennelPair(folder.path() + "/good", "Rex", 2);
    QVERIFY(
        backup::backUp(good, backups + "/Houndry automatic backup 2026-12-07 0800.zip", noon).ok());
    const QString crafted = kennelPair(folder.path() + "/crafted", "Crafty", 0);
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "crafted");
        file.setDatabaseName(crafted + "/kennelbase.ddx");
        QVERIFY(file.open());
        exec(file, "CREATE TRIGGER wipe AFTER UPDATE ON Dogtable BEGIN DELETE FROM contacts; END");
        file.close();
    }
    QSqlDatabase::removeDatabase("crafted");
    QTest::qWait(1100); // a newer modification time
    QVERIFY(backup::backUp(crafted, backups + "/Houndry automatic backup 2026-12-08 0800.zip", noon)
                .ok());
    kennelPair(folder.path(), "Lost", 0);
    QFile damaged("kennelbase.ddx");
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    damaged.seek(100);
    damaged.write(QByteArray(4000, 'x'));
    damaged.close();
    const QByteArray kennelBefore = fileBytes("kennelbase.ddx");
    const QString problem = db::DatabaseFiles::open();
    QVERIFY(!problem.isEmpty());

    MessageRecorder messages;
    messages.answers = {answer};
    QCOMPARE(app::offerNewestBackup(folder.path(), problem), answer);
    QVERIFY2(messages.texts.value(0).contains("\"Houndry automatic backup 2026-12-07 0800.zip\""),
             qPrintable(messages.texts.value(0)));
    QVERIFY(messages.texts.value(0).contains("1 dogs, 0 contacts, 0 matings and 2 sales"));
    db::DatabaseFiles::close();
    const QStringList kept = QDir(backups).entryList({"Kennel files before restore *"}, QDir::Dirs);
    if (answer) {
        QCOMPARE(pairInFolder(), "Rex/2");
        QCOMPARE(kept.size(), 1);
        QCOMPARE(fileBytes(backups + "/" + kept[0] + "/kennelbase.ddx"), kennelBefore);
        QVERIFY(messages.texts.value(1).startsWith("The kennel has been restored"));
    } else {
        QCOMPARE(fileBytes("kennelbase.ddx"), kennelBefore);
        QVERIFY(kept.isEmpty());
    }
}

void BackupTest::damageFoundAfterStartOffersTheNewestBackup_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("restored") << true;
    QTest::newRow("declined") << false;
}

void BackupTest::damageFoundAfterStartOffersTheNewestBackup()
{
    QFETCH(bool, answer);
    WorkingFolder folder;
    const QString backups = folder.path() + "/backups";
    QDir().mkpath(backups);
    const QString good = kennelPair(folder.path() + "/good", "Rex", 2);
    QVERIFY(backup::backUp(good, backups + "/" + backup::archiveName(core::Clock::now()),
                           core::Clock::now())
                .ok());
    writeKennelWithDamagedPages();
    const QByteArray kennelBefore = fileBytes("kennelbase.ddx");

    QCOMPARE(db::DatabaseFiles::open(), QString());
    MessageRecorder messages;
    messages.answers = {answer};
    {
        app::MainWindow window;
        QSignalSpy started(&window, &app::MainWindow::startupFinished);
        QSignalSpy checked(&window, &app::MainWindow::kennelChecked);
        window.show();
        QVERIFY(started.wait());
        QTRY_COMPARE(checked.size(), 1);
        window.backups().waitForBackground();
    }
    db::DatabaseFiles::close();
    const QString offer = messages.texts.filter("The newest backup that Houndry can open").value(0);
    QVERIFY2(offer.startsWith("The kennel database kennelbase.ddx in ") &&
                 offer.contains(" is damaged ("),
             qPrintable(messages.texts.join('|')));
    if (answer) {
        QCOMPARE(pairInFolder(), "Rex/2");
        QVERIFY(messages.texts.last().startsWith("The kennel has been restored"));
    } else {
        QCOMPARE(fileBytes("kennelbase.ddx").size(), kennelBefore.size());
        QVERIFY(QDir(backups).entryList({"Kennel files before restore *"}, QDir::Dirs).isEmpty());
    }
}

void BackupTest::bombIsRefusedWithoutItsSizeInMemory()
{
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 1);
    QVERIFY(backup::backUp(folder.path(), folder.path() + "/good.zip", noon).ok());
    QTemporaryDir parts;
    QStringList names;
    QCOMPARE(backup::unpackArchive(folder.path() + "/good.zip", parts.path(), &names), QString());
    // Half a gigabyte of blanks, packed to half a megabyte; the source file is sparse.
    constexpr qint64 bombBytes = qint64(512) << 20;
    QFile blanks(parts.filePath("blanks"));
    QVERIFY(blanks.open(QIODevice::WriteOnly) && blanks.resize(bombBytes));
    blanks.close();
    const QString bomb = folder.path() + "/bomb.zip";
    QVERIFY(backup::writeArchive(bomb, {{"kennelbase.ddx", parts.filePath("kennelbase.ddx"), {}},
                                        {"report.ddx", parts.filePath("report.ddx"), {}},
                                        {"manifest.json", parts.filePath("blanks"), {}}})
                .ok());
    QProcess worker;
    worker.start(BACKUP_WORKER, {"check", bomb});
    QVERIFY(worker.waitForFinished(60000));
    const QStringList said = QString::fromUtf8(worker.readAllStandardOutput()).split('\n');
    QCOMPARE(said.value(0), "It is not a readable backup archive (its manifest would unpack to "
                            "512.0 MB, far more than a backup's).");
    const qint64 peakBytes = said.value(1).toLongLong() * 1024;
    QVERIFY2(peakBytes < bombBytes / 2, qPrintable(QString::number(peakBytes)));
}

void BackupTest::checkStopsOnCancelAndAfterItsTime_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("problem");
    QTest::newRow("cancelled") << true << "The check was cancelled.";
    QTest::newRow("out of time") << false
                                 << "Checking it took longer than 0 seconds, far longer than a "
                                    "kennel's files take: it is refused as unusual.";
}

void BackupTest::checkStopsOnCancelAndAfterItsTime()
{
    QFETCH(bool, cancel);
    QFETCH(QString, problem);
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 1);
    QVERIFY(backup::backUp(folder.path(), folder.path() + "/rex.zip", noon).ok());
    QStringList stages;
    backup::CheckControl control;
    control.stage = [&stages](const QString &stage) { stages << stage; };
    control.cancelled = [cancel] { return cancel; };
    control.limit = std::chrono::milliseconds(cancel ? 60000 : 1);
    QTest::qWait(5);
    const backup::CheckedArchive checked =
        backup::checkArchive(folder.path() + "/rex.zip", folder.path(), control);
    QCOMPARE(checked.problem, problem);
    QCOMPARE(checked.cancelled, cancel);
    QVERIFY(!checked.unpacked);
    QCOMPARE(stages.value(0), "Unpacking the backup");
    QCOMPARE(
        QDir(folder.path() + "/.houndry-work").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
}

void BackupTest::archivesHoundryCannotWorkWithAreRefused_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("named");
    QTest::newRow("trigger on an ordinary edit")
        << QStringList{"CREATE TRIGGER wipe AFTER UPDATE ON Dogtable BEGIN DELETE FROM "
                       "contacts; END"}
        << "holds a trigger \u201cwipe\u201d that Houndry did not make";
    QTest::newRow("view in place of a table")
        << QStringList{"DROP TABLE contacts", "CREATE VIEW contacts AS SELECT 1 AS last"}
        << "holds a view \u201ccontacts\u201d that Houndry did not make";
    QTest::newRow("table named like an index")
        << QStringList{"DROP INDEX name", "CREATE TABLE name (x)"}
        << "holds a table \u201cname\u201d named like one of Houndry's indexes";
    QTest::newRow("index named like a table")
        << QStringList{"DROP TABLE mating", "CREATE INDEX mating ON Dogtable (sire)"}
        << "holds an index \u201cmating\u201d named like one of Houndry's tables";
    QTest::newRow("without row numbers")
        << QStringList{"DROP TABLE notes", "CREATE TABLE notes (noteid INTEGER PRIMARY KEY, "
                                           "dogid INTEGER, notes TEXT) WITHOUT ROWID"}
        << "holds the table \u201cnotes\u201d without row numbers";
    QTest::newRow("dogs without their id")
        << QStringList{"DROP TABLE Dogtable", "CREATE TABLE Dogtable (name TEXT)"}
        << "holds the table \u201cDogtable\u201d without its column \u201cdogid\u201d";
    QTest::newRow("ours in name only")
        << QStringList{"DROP TABLE breedlist", "CREATE TABLE breedlist (colour TEXT)"}
        << "holds a table \u201cbreedlist\u201d with none of Houndry's columns";
    QTest::newRow("CHECK that runs on every check")
        << QStringList{"CREATE TABLE bomb (x CHECK (length(randomblob(1000)) > 0))",
                       "INSERT INTO bomb VALUES (1)"}
        << "holds a CHECK constraint in the table \u201cbomb\u201d that Houndry did not make";
    QTest::newRow("generated column")
        << QStringList{"CREATE TABLE twice (x, y AS (x * 2))"}
        << "holds a generated column \u201cy\u201d in the table \u201ctwice\u201d";
    QTest::newRow("index over an expression")
        << QStringList{"CREATE INDEX shout ON Dogtable (upper(name))"}
        << "holds an index \u201cshout\u201d over expressions that Houndry did not make";
    QTest::newRow("an index of ours saying something else")
        << QStringList{"DROP INDEX birthmonths",
                       "CREATE INDEX birthmonths ON Dogtable (length(zeroblob(100)))"}
        << "holds an index \u201cbirthmonths\u201d over expressions that Houndry did not make";
    QTest::newRow("index over part of a table")
        << QStringList{"CREATE INDEX males ON Dogtable (name) WHERE sex = 'Male'"}
        << "holds an index \u201cmales\u201d over expressions that Houndry did not make";
    QStringList many;
    for (int i = 1; i <= 12; ++i)
        many << QStringLiteral("CREATE VIEW v%1 AS SELECT %1").arg(i);
    QTest::newRow("many") << many << "\u201cv10\u201d that Houndry did not make and 2 more.";
    QTest::newRow("newer layout")
        << QStringList{"PRAGMA user_version = 99",
                       "UPDATE preferences SET value = '9.0.0' WHERE name = 'layout written by'"}
        << "was written by Houndry 9.0.0: this Houndry cannot work with it.";
}

void BackupTest::archivesHoundryCannotWorkWithAreRefused()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, named);
    WorkingFolder folder;
    const QString crafted = kennelPair(folder.path() + "/crafted", "Crafty", 0);
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "crafted");
        file.setDatabaseName(crafted + "/kennelbase.ddx");
        QVERIFY(file.open());
        exec(file, "PRAGMA writable_schema = OFF");
        for (const QString &statement : statements)
            exec(file, statement);
        file.close();
    }
    QSqlDatabase::removeDatabase("crafted");
    QVERIFY(backup::backUp(crafted, folder.path() + "/crafted.zip", noon).ok());

    kennelPair(folder.path(), "Rex", 1);
    const QByteArray kennelBefore = fileBytes("kennelbase.ddx");
    const QByteArray reportBefore = fileBytes("report.ddx");
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    MessageRecorder messages;
    messages.answers = {true, true};
    {
        app::MainWindow window;
        window.backups().restoreFrom(folder.path() + "/crafted.zip");
    }
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].startsWith("This file cannot be restored: The kennel database "
                                          "kennelbase.ddx in the backup ") &&
                 messages.texts[0].contains(named) &&
                 messages.texts[0].endsWith(" Nothing has been changed."),
             qPrintable(messages.texts[0]));
    db::DatabaseFiles::close();
    QCOMPARE(fileBytes("kennelbase.ddx"), kennelBefore);
    QCOMPARE(fileBytes("report.ddx"), reportBefore);
    QCOMPARE(pairInFolder(), "Rex/1");
}

void BackupTest::automaticBackupsAreKeptDailyAndMonthly_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("kept");
    QTest::newRow("ten days") << 10 << 10;
    QTest::newRow("a month of days") << 31 << 11;
    // Ten days plus the first of each of the eleven months before this one.
    QTest::newRow("two years of days") << 730 << 21;
}

void BackupTest::automaticBackupsAreKeptDailyAndMonthly()
{
    QFETCH(int, days);
    QFETCH(int, kept);
    QStringList names{"Houndry backup 2026-12-01 0900.zip", "holiday photos.zip"};
    for (int day = 0; day < days; ++day)
        names << QStringLiteral("Houndry automatic backup %1.zip")
                     .arg(noon.addDays(-day).toString("yyyy-MM-dd HHmm"));
    const QStringList removed = backup::backupsToRemove(names, noon);
    QCOMPARE(names.size() - 2 - removed.size(), kept);
    QVERIFY(!removed.contains("holiday photos.zip"));

    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 0);
    QVERIFY(backup::automaticBackupDue(folder.path(), noon));
    QVERIFY(backup::backUpAutomatically(folder.path(), noon).ok());
    QVERIFY(!backup::automaticBackupDue(folder.path(), noon.addSecs(11 * 3600 + 59 * 60)));
    QVERIFY(backup::automaticBackupDue(folder.path(), noon.addSecs(12 * 3600)));
    QCOMPARE(backup::lastAutomaticBackup(folder.path()), noon);
}

void BackupTest::photosAreBackedUpCheckedAndPutBack_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("reason");
    QTest::newRow("as written") << ""
                                << "";
    QTest::newRow("a photo changed") << "changed"
                                     << "The photo %1 in it is not the photo that was backed up "
                                        "(its checksum differs).";
    QTest::newRow("a photo the manifest does not list")
        << "unlisted"
        << "Its photos are not those its manifest lists.";
    QTest::newRow("a photo in a folder below") << "deeper"
                                               << "It is not a readable backup archive (it holds "
                                                  "an entry \"photos/x/%1\" that Houndry does "
                                                  "not write).";
}

void BackupTest::photosAreBackedUpCheckedAndPutBack()
{
    QFETCH(QString, change);
    QFETCH(QString, reason);
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 1);
    const QByteArray photo("a photo's bytes");
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(photo, QCryptographicHash::Sha256).toHex()) +
        ".jpg";
    QDir(folder.path()).mkpath("photos/thumbnails");
    QFile file(folder.path() + "/photos/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(photo) == photo.size());
    file.close();
    QFile thumbnail(folder.path() + "/photos/thumbnails/small.jpg");
    QVERIFY(thumbnail.open(QIODevice::WriteOnly));
    thumbnail.close();
    const QString good = folder.path() + "/good.zip";
    QVERIFY(backup::backUp(folder.path(), good, noon).ok());
    QTemporaryDir parts;
    QStringList names;
    QCOMPARE(backup::unpackArchive(good, parts.path(), &names), QString());
    names.sort();
    // The photo, stored as it is; the thumbnails are made again when needed.
    QCOMPARE(names,
             QStringList({"kennelbase.ddx", "manifest.json", "photos/" + name, "report.ddx"}));
    QString archive = good;
    if (!change.isEmpty()) {
        archive = folder.path() + "/bad.zip";
        QList<backup::ArchiveEntry> entries;
        for (const char *part : {"kennelbase.ddx", "report.ddx", "manifest.json"})
            entries.append({part, parts.filePath(part), {}});
        if (change == "changed")
            entries.append({"photos/" + name, {}, "other bytes", false});
        else if (change == "unlisted")
            entries += {{"photos/" + name, parts.filePath("photos/" + name), {}, false},
                        {"photos/" + QString(64, 'a') + ".jpg", {}, "x", false}};
        else
            entries.append({"photos/x/" + name, parts.filePath("photos/" + name), {}, false});
        QVERIFY(backup::writeArchive(archive, entries).ok());
    }
    const backup::CheckedArchive checked = backup::checkArchive(archive, folder.path());
    QCOMPARE(checked.problem, reason.contains("%1") ? reason.arg(name) : reason);
    if (!reason.isEmpty())
        return;
    QCOMPARE(checked.contents.photos, 1);
    // Put back where it went missing; the photos already there stay.
    QVERIFY(QFile::remove(folder.path() + "/photos/" + name));
    QCOMPARE(backup::restorePhotos(checked, folder.path()), QString());
    QCOMPARE(fileBytes(folder.path() + "/photos/" + name), photo);
    QVERIFY(QFile::exists(folder.path() + "/photos/thumbnails/small.jpg"));
}

void BackupTest::restoreAsksThenReplacesBothFiles()
{
    WorkingFolder folder;
    kennelPair(folder.path() + "/old", "Old Dog", 3);
    QVERIFY(backup::backUp(folder.path() + "/old", folder.path() + "/old.zip", noon).ok());
    kennelPair(folder.path(), "Current Dog", 1);
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    MessageRecorder messages;
    app::MainWindow window;
    window.backups().restoreFrom(folder.path() + "/old.zip");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("holds 1 dogs, 0 contacts, 0 matings, 3 sales."));
    QVERIFY(
        messages.texts[0].contains("The kennel now holds 1 dogs, 0 contacts, 0 matings, 1 sales."));
    QCOMPARE(scalar(db::DatabaseFiles::kennel(), "SELECT name FROM Dogtable").toString(),
             "Current Dog");

    QCOMPARE(messages.icons, QList<core::Messages::Icon>{core::Messages::Icon::Question});
    // The backup's time as the breeder's clock showed it, not the manifest's offset.
    QVERIFY(messages.texts[0].contains(QLocale().toString(noon, QLocale::LongFormat)));
    messages.answers = {true, true};
    window.backups().restoreFrom(folder.path() + "/old.zip");
    QVERIFY2(messages.texts.last().startsWith("The kennel has been restored from the backup of "),
             qPrintable(messages.texts.last()));
    QCOMPARE(scalar(db::DatabaseFiles::kennel(), "SELECT name FROM Dogtable").toString(),
             "Old Dog");
    QCOMPARE(scalar(db::DatabaseFiles::report(), "SELECT count(*) FROM sales").toInt(), 3);
    // The kennel as it was is kept, and restores in turn.
    const QStringList before =
        QDir(folder.path() + "/backups").entryList({"Houndry backup before restore *.zip"});
    QCOMPARE(before.size(), 1);
    QCOMPARE(backup::checkArchive(folder.path() + "/backups/" + before[0], QDir::currentPath())
                 .contents.sales,
             1);

    // An archive of an older kennel, without the preferences and without microchips, is
    // brought up to date when it is opened.
    db::DatabaseFiles::close();
    const QString older = folder.path() + "/older";
    kennelPair(older, "Older Dog", 0);
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "older");
        file.setDatabaseName(older + "/kennelbase.ddx");
        QVERIFY(file.open());
        exec(file, "DROP TABLE preferences");
        exec(file, "ALTER TABLE Dogtable DROP COLUMN Microchip");
        file.close();
    }
    QSqlDatabase::removeDatabase("older");
    QVERIFY(backup::backUp(older, folder.path() + "/older.zip", noon).ok());
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    window.backups().restoreFrom(folder.path() + "/older.zip");
    QVERIFY2(messages.texts.last().startsWith("The kennel has been restored"),
             qPrintable(messages.texts.last()));
    QCOMPARE(scalar(db::DatabaseFiles::kennel(), "SELECT name FROM Dogtable").toString(),
             "Older Dog");
    exec(db::DatabaseFiles::kennel(), "UPDATE Dogtable SET Microchip = '985' ");
    QVERIFY(window.backups().lastBackupText().startsWith("Last backup: "));
    window.backups().waitForBackground();
}

void BackupTest::backupFolderMustBeWritableAndElsewhere()
{
    Kennel kennel;
    MessageRecorder messages;
    app::MainWindow window;
    window.backups().backUpTo(kennel.path());
    QCOMPARE(messages.texts.last(), "Please choose another folder: a backup kept beside the "
                                    "kennel is lost together with it.");
    // A folder that cannot take the archive: here a file stands where it should be, which
    // stops even a user whom permissions do not.
    const QString notAFolder = kennel.path() + "/not a folder";
    QFile(notAFolder).open(QIODevice::WriteOnly);
    window.backups().backUpTo(notAFolder);
    QVERIFY2(messages.texts.last().startsWith("The backup could not be written ("),
             qPrintable(messages.texts.last()));
    QVERIFY(messages.texts.last().endsWith("Nothing has been changed."));
    QVERIFY(!window.backups().lastBackupText().startsWith("Last backup: "));

    const QString elsewhere = kennel.path() + "/elsewhere";
    QVERIFY(QDir().mkpath(elsewhere));
    window.backups().backUpTo(elsewhere);
    QVERIFY2(messages.texts.last().startsWith("The kennel has been backed up to\n"),
             qPrintable(messages.texts.last()));
    QVERIFY(window.backups().lastBackupText().startsWith("Last backup: "));
}

void BackupTest::startupRemovesWhatAKilledBackupLeft()
{
    Kennel kennel;
    MessageRecorder messages;
    const QString folder = kennel.path() + "/backups";
    QVERIFY(QDir().mkpath(folder));
    const QStringList left{".Houndry automatic backup 2026-12-07 0900.zip.partial",
                           ".Houndry automatic backup 2026-12-07 0900.zip.partial.a1B2c3"};
    const QStringList kept{".Houndry automatic backup 2026-12-08 0900.zip.partial", "holiday.zip",
                           ".partial"};
    for (const QString &name : left + kept) {
        QFile file(folder + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PK");
        QVERIFY(file.flush());
        if (!name.contains("12-08"))
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                     QFileDevice::FileModificationTime));
    }
    app::MainWindow window;
    QSignalSpy started(&window, &app::MainWindow::startupFinished);
    window.show();
    QVERIFY(started.wait());
    window.backups().waitForBackground();
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    found.removeIf([](const QString &name) { return name.startsWith("Houndry automatic"); });
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(found, expected);
}

void BackupTest::startupBacksUpOnceADay_data()
{
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QDateTime>("second");
    QTest::addColumn<int>("backups");
    const QDateTime morning(QDate(2026, 12, 8), QTime(8, 55));
    QTest::newRow("the same day") << morning << morning.addSecs(10 * 3600) << 1;
    QTest::newRow("next morning, a little earlier")
        << morning << QDateTime(QDate(2026, 12, 9), QTime(8, 50)) << 2;
    QTest::newRow("just before and after midnight")
        << QDateTime(QDate(2026, 12, 8), QTime(23, 58))
        << QDateTime(QDate(2026, 12, 9), QTime(0, 1)) << 2;
    QTest::newRow("New Year") << QDateTime(QDate(2026, 12, 31), QTime(9, 0))
                              << QDateTime(QDate(2027, 1, 1), QTime(8, 0)) << 2;
}

void BackupTest::startupBacksUpOnceADay()
{
    QFETCH(QDateTime, first);
    QFETCH(QDateTime, second);
    QFETCH(int, backups);
    Kennel kennel;
    MessageRecorder messages;
    for (const QDateTime &start : {first, second}) {
        core::Clock::setNow(start);
        app::MainWindow window;
        QSignalSpy started(&window, &app::MainWindow::startupFinished);
        window.show();
        QVERIFY(started.wait());
        window.backups().waitForBackground();
        QTRY_VERIFY(window.findChild<QLabel *>("lastBackup")->text().startsWith("Last backup: "));
        QStringList items;
        for (QAction *action : window.findChild<QMenu *>("fileMenu")->actions())
            items << action->text();
        QCOMPARE(
            items,
            QStringList({"Back Up Kennel...", "Restore from Backup...", "", "Export to CSV...",
                         "Export Dogs for a Spreadsheet...", "Export Contacts for a Spreadsheet...",
                         "Export Sales for a Spreadsheet...", "Import Dogs from CSV...",
                         "Import Contacts from CSV...", "Import Health Results from CSV...",
                         "Publish Website...", "Export Calendar...", "", "Setup", "", "E&xit"}));
        // A program closed before its automatic backup was noted still shows that backup.
        exec(kennel.db(), "DELETE FROM preferences");
    }
    core::Clock::useSystemDate();
    QCOMPARE(QDir(kennel.path() + "/backups").entryList({"*.zip"}).size(), backups);
    // The first of a month asks about the month's lists; nothing else is said.
    QVERIFY(!messages.texts.join('\n').contains("backup"));
}

void BackupTest::killedRestoreLeavesOnePairOrTheOther()
{
    WorkingFolder folder;
    kennelPair(folder.path() + "/a", "Side A", 1);
    kennelPair(folder.path() + "/b", "Side B", 2);
    kennelPair(folder.path(), "Side A", 1);
    QRandomGenerator random(17);
    for (int run = 0; run < 20; ++run) {
        runAndKill({"restore", folder.path() + "/a", folder.path() + "/b"},
                   int(random.bounded(60)));
        const QString pair = pairInFolder();
        QVERIFY2(pair == "Side A/1" || pair == "Side B/2", qPrintable(pair));
    }
}

void BackupTest::killedBackupLeavesEarlierArchivesWhole()
{
    WorkingFolder folder;
    kennelPair(folder.path(), "Rex", 5);
    const QString archives = folder.path() + "/archives";
    QVERIFY(QDir().mkpath(archives));
    QRandomGenerator random(23);
    for (int run = 0; run < 20; ++run) {
        runAndKill({"backup", archives}, int(random.bounded(60)));
        for (const QString &name : QDir(archives).entryList({"*.zip"}, QDir::Files))
            QCOMPARE(backup::checkArchive(archives + "/" + name, QDir::currentPath()).problem,
                     QString());
    }
    QCOMPARE(pairInFolder(), "Rex/5");
}

QTEST_MAIN(BackupTest)
#include "tst_backup.moc"
