#include "db/ChangeLog.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "db/Schema.h"
#include "db/SchemaUpgrade.h"
#include "db/SearchableRows.h"
#include "db/TableCursor.h"
#include "db/Transaction.h"
#include "db/WriteCount.h"
#include "db/WritesWaiting.h"
#include "tests/TestSupport.h"

#include <atomic>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QThread>
#include <thread>
#include <unistd.h>

using namespace testing;

class DbTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tablesSortAsSqliteDoes();
    void createsEveryTableFieldAndIndex();
    void newFilesStartWithSetupRowAndBreeds();
    void newFilesAreForTheUserOnly();
    void keepsWhatExistsAndAddsWhatIsMissing();
    void newerFileIsOpenedReadOnlyAndLeftAlone();
    void bothFilesKeepARollbackJournal();
    void refusesFilesItCannotUse_data();
    void refusesFilesItCannotUse();
    void refusesReadOnlyFolder();
    void damagedPagesAreFoundOnceOpen();
    void pageCheckGivesWayToWrites();
    void emptyFileOfAnotherBecomesAPrivateKennel();
    void filesCannotRewriteTheirSchema();
    void refusesFileInUseByAnotherProgram();
    void seekIgnoresCaseAndFindsFirstInIndexOrder();
    void seekIgnoresCaseOfEveryLetter_data();
    void seekIgnoresCaseOfEveryLetter();
    void findExactHonoursCaseAndStoredOrder();
    void movesStayAtTheEnds();
    void newRowHasItsIdBeforeSaving();
    void deleteDuringScanGoesOn();
    void emptyTextAndNoValueStayDistinct();
    void storesAwkwardNamesAsTyped_data();
    void storesAwkwardNamesAsTyped();
    void killedWriterLeavesIntactFile();
    void undoReversesEveryKindOfWriteInBothFiles();
    void undoIsRefusedOverAChangeTheLogDoesNotHold_data();
    void undoIsRefusedOverAChangeTheLogDoesNotHold();
    void changesThatWriteNothingOrFailLeaveNoEntry();
    void logKeepsTheLatestWholeChanges();
    void fileOfThePreviousLayoutGainsTheLog();
    void fileBeforeHealthTestsGainsThem();
    void fileBeforeNewTablesGainsThem_data();
    void fileBeforeNewTablesGainsThem();
    void contactsGainTheirNumberKeepingEveryRow();
    void writtenRowsAreToldSinceAMark();
};

void DbTest::createsEveryTableFieldAndIndex()
{
    Kennel kennel;
    for (const auto &[schema, db] : {std::pair{&db::kennelSchema(), kennel.db()},
                                     std::pair{&db::reportSchema(), kennel.report()}}) {
        for (const db::Table &table : schema->tables) {
            const QSqlRecord record = db.record(table.name);
            QVERIFY2(!record.isEmpty(), qPrintable(table.name));
            for (const db::Column &column : table.columns)
                QVERIFY2(record.indexOf(column.name) >= 0,
                         qPrintable(table.name + '.' + column.name));
        }
    }
    const QString nameIndex =
        scalar(kennel.db(), "SELECT sql FROM sqlite_master WHERE name = 'name'").toString();
    QVERIFY(nameIndex.contains("Dogtable") && nameIndex.contains("NOCASE"));
    const QString damIndex =
        scalar(kennel.db(), "SELECT sql FROM sqlite_master WHERE name = 'dgname2'").toString();
    QVERIFY(damIndex.contains("mating") && damIndex.contains("NOCASE"));
    // The ids are assigned by the database and never reused.
    for (const char *table : {"Dogtable", "litters"})
        QVERIFY(scalar(kennel.db(), "SELECT sql FROM sqlite_master WHERE name = ?", {table})
                    .toString()
                    .contains("AUTOINCREMENT"));
    QVERIFY(scalar(kennel.report(), "SELECT sql FROM sqlite_master WHERE name = 'sales'")
                .toString()
                .contains("AUTOINCREMENT"));
}

void DbTest::newFilesStartWithSetupRowAndBreeds()
{
    Kennel kennel;
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM setup").toInt(), 1);
    QVERIFY(scalar(kennel.db(), "SELECT Name FROM setup").isNull());
    QVERIFY(scalar(kennel.db(), "SELECT count(*) FROM breedlist").toInt() >= 150);
    QCOMPARE(
        scalar(kennel.db(), "SELECT count(*) FROM breedlist WHERE Breedname = 'Labrador Retriever'")
            .toInt(),
        1);
    // Opening again adds nothing.
    db::DatabaseFiles::close();
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM setup").toInt(), 1);
}

void DbTest::newFilesAreForTheUserOnly()
{
    Kennel kennel;
    for (const char *file : {"kennelbase.ddx", "report.ddx"})
        QCOMPARE(QFile::permissions(file) &
                     (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                      QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void DbTest::keepsWhatExistsAndAddsWhatIsMissing()
{
    WorkingFolder folder;
    {
        QSqlDatabase old = QSqlDatabase::addDatabase("QSQLITE", "old");
        old.setDatabaseName("report.ddx");
        QVERIFY(old.open());
        exec(old, "CREATE TABLE sales (salesid INTEGER PRIMARY KEY, dogsold TEXT, mine TEXT)");
        exec(old, "INSERT INTO sales (dogsold, mine) VALUES ('Rex', 'kept')");
        old.setDatabaseName("kennelbase.ddx");
        QVERIFY(old.open());
        exec(old, "CREATE TABLE Dogtable (dogid INTEGER PRIMARY KEY, name TEXT)");
        exec(old, "INSERT INTO Dogtable (name) VALUES ('Old Dog')");
        exec(old, "CREATE TABLE setup (Name TEXT)");
        old.close();
    }
    QSqlDatabase::removeDatabase("old");

    QVERIFY(db::DatabaseFiles::open().isEmpty());
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QSqlDatabase report = db::DatabaseFiles::report();
    QCOMPARE(scalar(report, "SELECT mine FROM sales WHERE dogsold = 'Rex'").toString(), "kept");
    QVERIFY(report.record("sales").indexOf("sellamount") >= 0);
    QVERIFY(report.tables().contains("largereciept"));
    QCOMPARE(scalar(kennel, "SELECT name FROM Dogtable").toString(), "Old Dog");
    QVERIFY(kennel.record("Dogtable").indexOf("ownerid") >= 0);
    // An existing setup table keeps its rows: none is added to it.
    QCOMPARE(scalar(kennel, "SELECT count(*) FROM setup").toInt(), 0);
    QVERIFY(kennel.tables().contains("mating"));
    // Both now carry the version of their layout, and the kennel the program that wrote it.
    QCOMPARE(db::storedVersion(kennel), db::currentVersion(db::File::Kennel));
    QCOMPARE(db::storedVersion(report), db::currentVersion(db::File::Report));
    QVERIFY(!db::preference(kennel, db::writtenByPreference()).isEmpty());
    QVERIFY(!db::DatabaseFiles::isReadOnly());
}

void DbTest::bothFilesKeepARollbackJournal()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}});
    db::DatabaseFiles::close();
    {
        // Copied in from elsewhere in write-ahead mode, with a dog still in the log.
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "wal");
        file.setDatabaseName("kennelbase.ddx");
        QVERIFY(file.open());
        QCOMPARE(scalar(file, "PRAGMA journal_mode = WAL").toString(), "wal");
        exec(file, "PRAGMA wal_autocheckpoint = 0");
        exec(file, "INSERT INTO Dogtable (name) VALUES ('Bella')");
        file.close();
    }
    QSqlDatabase::removeDatabase("wal");
    QCOMPARE(db::DatabaseFiles::open(), QString());
    // A sale across both files is one transaction only when both keep a rollback journal.
    QCOMPARE(scalar(kennel.db(), "PRAGMA main.journal_mode").toString(), "delete");
    QCOMPARE(scalar(kennel.db(), "PRAGMA report.journal_mode").toString(), "delete");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 2);
    QVERIFY(!QFile::exists("kennelbase.ddx-wal"));
}

void DbTest::newerFileIsOpenedReadOnlyAndLeftAlone()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}});
    exec(kennel.db(), "PRAGMA user_version = 99");
    exec(kennel.db(), "UPDATE preferences SET value = '7.1.0' WHERE name = 'layout written by'");
    db::DatabaseFiles::close();
    const QByteArray kennelBefore = fileBytes("kennelbase.ddx");
    const QByteArray reportBefore = fileBytes("report.ddx");

    QCOMPARE(db::DatabaseFiles::open(), QString());
    QVERIFY(db::DatabaseFiles::isReadOnly());
    const QString notice = db::DatabaseFiles::readOnlyNotice();
    QVERIFY2(notice.contains("kennelbase.ddx") && notice.contains("was written by Houndry 7.1.0") &&
                 notice.contains("read-only"),
             qPrintable(notice));
    // Everything can be read; nothing can be written, to either file.
    QCOMPARE(scalar(kennel.db(), "SELECT name FROM Dogtable").toString(), "Rex");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 0);
    db::TableCursor dogs(kennel.db(), "Dogtable");
    const bool added = dogs.addNew() && (dogs.setValue("name", "Bella"), dogs.update());
    QVERIFY(!added);
    QSqlQuery write(kennel.db());
    QVERIFY(!write.exec("INSERT INTO report.sales (dogsold) VALUES ('Rex')"));
    db::DatabaseFiles::close();
    QCOMPARE(fileBytes("kennelbase.ddx"), kennelBefore);
    QCOMPARE(fileBytes("report.ddx"), reportBefore);

    // Without the program's name in it, the file's own version is named.
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "by hand");
        file.setDatabaseName("report.ddx");
        QVERIFY(file.open());
        exec(file, "PRAGMA user_version = 42");
        file.close();
    }
    QSqlDatabase::removeDatabase("by hand");
    QCOMPARE(db::DatabaseFiles::open(), QString());
    QVERIFY(db::DatabaseFiles::readOnlyNotice().contains(
        "report.ddx in " + QDir::toNativeSeparators(kennel.path()) +
        " was written by a newer Houndry (file version 42)."));
}

void DbTest::refusesFilesItCannotUse_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("not a database") << "kennelbase.ddx"
                                    << "text"
                                    << "is not an SQLite database";
    QTest::newRow("damaged pages, layout to upgrade") << "kennelbase.ddx"
                                                      << "pages of an older layout"
                                                      << "is damaged";
    QTest::newRow("read-only file") << "report.ddx"
                                    << "readonly"
                                    << "cannot be opened for writing";
    QTest::newRow("another program's database") << "kennelbase.ddx"
                                                << "foreign"
                                                << "none of Houndry's";
    QTest::newRow("journal that is a link") << "kennelbase.ddx"
                                            << "linked journal"
                                            << "kennelbase.ddx-journal that is a link";
}

void DbTest::refusesFilesItCannotUse()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, complaint);
    if (damage == "readonly" && geteuid() == 0)
        QSKIP("the superuser may write to any file");

    WorkingFolder folder;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    {
        QSqlDatabase kennel = db::DatabaseFiles::kennel();
        for (int i = 0; i < 300; ++i)
            exec(kennel, "INSERT INTO Dogtable (name, registration) VALUES (?, ?)",
                 {QString("Dog %1").arg(i), QString(200, 'r')});
    }
    db::DatabaseFiles::close();
    QFile::remove(file == "kennelbase.ddx" ? "report.ddx" : "kennelbase.ddx");

    QFile f(file);
    if (damage == "text") {
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("Name,Sire,Dam\nRex,Max,Bella\n");
    } else if (damage == "pages of an older layout") {
        {
            QSqlDatabase older = QSqlDatabase::addDatabase("QSQLITE", "other");
            older.setDatabaseName(file);
            QVERIFY(older.open());
            exec(older, "PRAGMA user_version = 2");
            older.close();
        }
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(4096 * 2);
        f.write(QByteArray(4096 * 4, '\xA5'));
    } else if (damage == "foreign") {
        QVERIFY(f.remove());
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(file);
        QVERIFY(other.open());
        exec(other, "CREATE TABLE invoices (number INTEGER, total INTEGER)");
        other.close();
    } else if (damage == "linked journal") {
        QVERIFY(QFile::link(folder.path() + "/elsewhere", file + "-journal"));
    } else {
        f.setPermissions(QFileDevice::ReadOwner);
    }
    f.close();
    QSqlDatabase::removeDatabase("other");
    QFile before(file);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();

    const QString problem = db::DatabaseFiles::open();
    QVERIFY2(problem.contains(file) && problem.contains(complaint), qPrintable(problem));
    db::DatabaseFiles::close();
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    // Nothing else was created either.
    QVERIFY(!QFile::exists(file == "kennelbase.ddx" ? "report.ddx" : "kennelbase.ddx"));
}

void DbTest::damagedPagesAreFoundOnceOpen()
{
    WorkingFolder folder;
    writeKennelWithDamagedPages();
    const QByteArray bytes = fileBytes("kennelbase.ddx");

    // The menu comes up at once; the check on its thread finds the damage.
    QCOMPARE(db::DatabaseFiles::open(), QString());
    const auto never = [] { return false; };
    const QString problem = db::DatabaseFiles::checkPages(db::File::Kennel, never);
    QVERIFY2(problem.contains("kennelbase.ddx") && problem.contains("is damaged"),
             qPrintable(problem));
    QCOMPARE(db::DatabaseFiles::checkPages(db::File::Report, never), QString());
    db::DatabaseFiles::close();
    QCOMPARE(fileBytes("kennelbase.ddx"), bytes);
}

void DbTest::pageCheckGivesWayToWrites()
{
    Kennel kennel;
    {
        db::Transaction many(kennel.db());
        for (int i = 0; i < 3000; ++i)
            exec(kennel.db(), "INSERT INTO Dogtable (name, registration) VALUES (?, ?)",
                 {QString("Dog %1").arg(i), QString(200, 'r')});
        QVERIFY(many.commit());
    }
    // Slowed down, so that it is still reading the file when the write comes.
    std::atomic<int> asked = 0;
    const auto slowly = [&asked] {
        if (++asked > 1)
            QThread::msleep(5);
        return false;
    };
    QString found = "not run";
    std::atomic<bool> checked = false;
    std::jthread check([&] {
        found = db::DatabaseFiles::checkPages(db::File::Kennel, slowly);
        checked = true;
    });
    QTRY_VERIFY(asked > 2);
    const qint64 before = db::waitClock();
    exec(kennel.db(), "INSERT INTO Dogtable (name) VALUES ('Late')");
    QVERIFY(db::writeWaitedSince(before));
    QVERIFY(!checked);
    check.join();
    QCOMPARE(found, QString());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable WHERE name = 'Late'").toInt(), 1);
}

void DbTest::emptyFileOfAnotherBecomesAPrivateKennel()
{
    WorkingFolder folder;
    QFile empty("kennelbase.ddx");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(empty.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                 QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QVERIFY(db::DatabaseFiles::kennel().tables().contains("Dogtable"));
    QCOMPARE(QFile::permissions("kennelbase.ddx") &
                 (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());
}

void DbTest::filesCannotRewriteTheirSchema()
{
    Kennel kennel;
    for (QSqlDatabase db : {kennel.db(), kennel.report()}) {
        QCOMPARE(scalar(db, "PRAGMA trusted_schema").toInt(), 0);
        QSqlQuery q(db);
        q.exec("PRAGMA writable_schema = ON");
        QVERIFY(
            !q.exec("UPDATE sqlite_master SET sql = 'CREATE TABLE x (y)' WHERE name = 'Dogtable' "
                    "OR name = 'sales'"));
    }
    // A trigger the breeder added on purpose still runs.
    exec(kennel.db(), "CREATE TABLE log (what TEXT)");
    exec(kennel.db(), "CREATE TRIGGER logged AFTER INSERT ON Dogtable BEGIN "
                      "INSERT INTO log VALUES (upper(NEW.name)); END");
    addDog(kennel.db(), {{"name", "Rex"}});
    QCOMPARE(scalar(kennel.db(), "SELECT what FROM log").toString(), "REX");
    QCOMPARE(scalar(kennel.db(), "PRAGMA integrity_check").toString(), "ok");
}

void DbTest::refusesReadOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("the superuser may write to any folder");
    WorkingFolder folder;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString problem = db::DatabaseFiles::open();
    QFile::setPermissions(folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(problem.contains("kennelbase.ddx") && problem.contains("read-only"),
             qPrintable(problem));
}

void DbTest::refusesFileInUseByAnotherProgram()
{
    WorkingFolder folder;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    db::DatabaseFiles::close();
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName("kennelbase.ddx");
        QVERIFY(other.open());
        exec(other, "BEGIN EXCLUSIVE");
        const QString problem = db::DatabaseFiles::open();
        QVERIFY2(problem.contains("kennelbase.ddx") && problem.contains("in use"),
                 qPrintable(problem));
        exec(other, "ROLLBACK");
        other.close();
    }
    QSqlDatabase::removeDatabase("other");
}

void DbTest::seekIgnoresCaseAndFindsFirstInIndexOrder()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Zed"}});
    const qint64 first = addDog(kennel.db(), {{"name", "REX"}, {"colour", "first"}});
    addDog(kennel.db(), {{"name", "Rex"}, {"colour", "second"}});

    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(dogs.seek("name", "rex"));
    QCOMPARE(dogs.rowId(), first);
    QCOMPARE(dogs.value("colour").toString(), "first");
    QVERIFY(!dogs.seek("name", "Rexx"));
    QVERIFY(!dogs.hasRow());
}

void DbTest::seekIgnoresCaseOfEveryLetter_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("found"); // the colour of the dog found; empty for none
    QTest::newRow("accent in other case") << "élan"
                                          << "Élan";
    QTest::newRow("all capitals") << "ÉLAN"
                                  << "Élan";
    QTest::newRow("umlaut inside") << "KÄTHE"
                                   << "Käthe";
    QTest::newRow("Greek final sigma") << "ΟΔΥΣΣΕΥΣ"
                                       << "Οδυσσευς";
    QTest::newRow("Cyrillic") << "БЕЛКА"
                              << "белка";
    QTest::newRow("added from the shell") << "ØRSTED"
                                          << "ørsted";
    QTest::newRow("accent is not another letter") << "elan"
                                                  << "";
    QTest::newRow("longer") << "élans"
                            << "";
}

void DbTest::seekIgnoresCaseOfEveryLetter()
{
    QFETCH(QString, key);
    QFETCH(QString, found);
    Kennel kennel;
    // Names that sort between the case variants must not be taken for a match.
    for (const char *name :
         {"Zed", "Élan", "Ñandu", "élan", "Käthe", "Kbthe", "Οδυσσευς", "белка", "Óscar"})
        addDog(kennel.db(),
               {{"name", QString::fromUtf8(name)}, {"colour", QString::fromUtf8(name)}});
    db::DatabaseFiles::close();
    QProcess shell;
    shell.start("sqlite3", {"kennelbase.ddx",
                            "INSERT INTO Dogtable (name, colour) VALUES ('ørsted', 'ørsted')"});
    QVERIFY(shell.waitForFinished() && shell.exitCode() == 0);
    QVERIFY(db::DatabaseFiles::open().isEmpty());

    db::TableCursor dogs(kennel.db(), "Dogtable");
    QCOMPARE(dogs.seek("name", key), !found.isEmpty());
    QCOMPARE(dogs.value("colour").toString(), found);
    QCOMPARE(scalar(kennel.db(), "PRAGMA integrity_check").toString(), "ok");
}

void DbTest::findExactHonoursCaseAndStoredOrder()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "REX"}});
    const qint64 second = addDog(kennel.db(), {{"name", "Rex"}, {"colour", "second"}});
    addDog(kennel.db(), {{"name", "Rex"}, {"colour", "third"}});

    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(dogs.findExact("name", "Rex"));
    QCOMPARE(dogs.rowId(), second);
    QVERIFY(!dogs.findExact("name", "rex"));
    db::TableCursor matings(kennel.db(), "mating");
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2) VALUES ('Max', 'Bella')");
    QVERIFY(matings.findExact("dgname1", "Max"));
    QVERIFY(!matings.findExact("dgname1", "max"));
}

void DbTest::movesStayAtTheEnds()
{
    Kennel kennel;
    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(!dogs.first()); // an empty table is at its end at once
    const qint64 a = addDog(kennel.db(), {{"name", "A"}});
    const qint64 b = addDog(kennel.db(), {{"name", "B"}});
    QVERIFY(dogs.first());
    QVERIFY(!dogs.previous());
    QCOMPARE(dogs.rowId(), a);
    QVERIFY(dogs.hasRow());
    QVERIFY(dogs.last());
    QVERIFY(!dogs.next());
    QCOMPARE(dogs.rowId(), b);
    QCOMPARE(dogs.value("name").toString(), "B");
}

void DbTest::newRowHasItsIdBeforeSaving()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "A"}});
    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(dogs.addNew());
    const qint64 id = dogs.value("dogid").toLongLong();
    QCOMPARE(id, 2);
    dogs.setValue("dognumber", id);
    dogs.setValue("name", "Pup");
    QVERIFY(dogs.update());
    QCOMPARE(scalar(kennel.db(), "SELECT dognumber FROM Dogtable WHERE name = 'Pup'").toLongLong(),
             id);

    QVERIFY(dogs.addNew());
    dogs.setValue("name", "Abandoned");
    dogs.cancelUpdate();
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 2);
    {
        db::TableCursor dropped(kennel.db(), "Dogtable");
        QVERIFY(dropped.addNew());
    }
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 2);
}

void DbTest::deleteDuringScanGoesOn()
{
    Kennel kennel;
    for (const char *name : {"keep 1", "drop", "drop", "keep 2"})
        addDog(kennel.db(), {{"name", name}});
    db::TableCursor dogs(kennel.db(), "Dogtable");
    int visited = 0;
    for (bool more = dogs.first(); more; more = dogs.next()) {
        ++visited;
        if (dogs.value("name") == "drop")
            QVERIFY(dogs.remove());
    }
    QCOMPARE(visited, 4);
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(name, '|') FROM Dogtable").toString(),
             "keep 1|keep 2");
}

void DbTest::emptyTextAndNoValueStayDistinct()
{
    Kennel kennel;
    const qint64 id = addDog(kennel.db(), {{"name", "A"}});
    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(dogs.moveTo(id));
    dogs.setValue("sire", QStringLiteral(""));
    QVERIFY(dogs.update());
    QVERIFY(dogs.value("dam").isNull());
    QVERIFY(!dogs.value("sire").isNull());
    QCOMPARE(scalar(kennel.db(), "SELECT typeof(sire) || typeof(dam) FROM Dogtable").toString(),
             "textnull");
}

void DbTest::storesAwkwardNamesAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << "O'Brien's \"Best\" Boy";
    QTest::newRow("sql") << "Rex'); DROP TABLE Dogtable; --";
    QTest::newRow("non-ASCII") << "Ærøskøbing Fröken Ñandú 犬";
    QTest::newRow("very long") << QString(10000, 'W');
}

void DbTest::storesAwkwardNamesAsTyped()
{
    QFETCH(QString, name);
    Kennel kennel;
    db::TableCursor dogs(kennel.db(), "Dogtable");
    QVERIFY(dogs.addNew());
    dogs.setValue("name", name);
    QVERIFY(dogs.update());
    QVERIFY(dogs.seek("name", name));
    QCOMPARE(dogs.value("name").toString(), name);
    QVERIFY(dogs.findExact("name", name));
}

void DbTest::killedWriterLeavesIntactFile()
{
    WorkingFolder folder;
    QProcess writer;
    writer.start(KENNEL_WRITER, {});
    QVERIFY(writer.waitForStarted());
    QVERIFY(writer.waitForReadyRead(30000));
    QTest::qWait(300);
    writer.kill();
    QVERIFY(writer.waitForFinished());

    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QCOMPARE(scalar(db::DatabaseFiles::kennel(), "PRAGMA integrity_check").toString(), "ok");
    QCOMPARE(scalar(db::DatabaseFiles::kennel(), "SELECT count(*) FROM Dogtable").toInt() % 500, 0);
}

void DbTest::tablesSortAsSqliteDoes()
{
    Kennel kennel;
    // Every kind of value a file may hold in a text field, with ties and letter cases.
    exec(kennel.db(),
         "INSERT INTO Dogtable (name, colour) VALUES ('a', 'red'), ('b', NULL), ('c', 'Red'), "
         "('d', 12), ('e', 2.5), ('f', ''), ('g', 'Élan'), ('h', 'elan'), ('i', 'ZULU'), "
         "('j', x'00ff'), ('k', 'red '), ('l', NULL), ('m', '12'), ('n', 'RED')");
    exec(kennel.db(), "INSERT INTO Dogtable (name, colour) VALUES ('RED', 12.0), ('Zulu', 'Élan')");
    // Enough rows that a field of values that never recur is no longer looked up and needs
    // more than two bytes a row, and that the table is read in more than one piece.
    exec(kennel.db(),
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
         "INSERT INTO Dogtable (name, colour) SELECT printf('Dog %05d', 70000 - i), "
         "CASE i % 4 WHEN 0 THEN 'red' WHEN 1 THEN 'RED' WHEN 2 THEN i % 7 "
         "ELSE 'Blue' END FROM n");
    db::SearchableRows rows("Dogtable", {"name", "colour"});
    const std::atomic_bool stop = false;
    rows.setValues(rows.readValues(kennel.db().databaseName(), stop));
    for (const bool ascending : {true, false}) {
        for (const char *field : {"name", "colour"}) {
            std::vector<qint64> expected;
            QSqlQuery q(kennel.db());
            q.exec(QString("SELECT rowid FROM Dogtable ORDER BY %1 COLLATE NOCASE %2, rowid")
                       .arg(field, ascending ? "ASC" : "DESC"));
            while (q.next())
                expected.push_back(q.value(0).toLongLong());
            QCOMPARE(rows.ordered(rows.fields().indexOf(field), ascending), expected);
            if (QString(field) == "name")
                QCOMPARE(rows.byFirstField(kennel.db(), ascending), expected);
        }
    }
    // A value in two fields is held once and found in either.
    QCOMPARE(rows.matching(rows.inRowOrder(kennel.db()), "red").size(), size_t(5 + 35000));
}

void DbTest::writtenRowsAreToldSinceAMark()
{
    Kennel kennel;
    QSqlDatabase db = kennel.db();
    for (const char *name : {"A", "B", "C", "D"})
        addDog(db, {{"name", name}});
    const QStringList pedigree{"sire", "dam"};
    const QString mark = db::tableVersion(db, "Dogtable");
    const QString pedigreeMark = db::tableVersion(db, "Dogtable", pedigree);
    exec(db, "UPDATE Dogtable SET colour = 'red' WHERE name = 'B'");
    exec(db, "UPDATE Dogtable SET sire = 'A' WHERE name = 'C'");
    exec(db, "DELETE FROM Dogtable WHERE name = 'D'");
    const qint64 added = addDog(db, {{"name", "E"}});
    // A change that is undone leaves nothing to tell.
    QVERIFY(db.transaction());
    exec(db, "UPDATE Dogtable SET colour = 'blue' WHERE name = 'A'");
    QVERIFY(db.rollback());
    using Rows = std::optional<std::vector<qint64>>;
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", mark), Rows(std::vector<qint64>{2, 3, 4, added}));
    // Only writes to the columns asked for count; rows added and removed always do.
    QVERIFY(db::tableVersion(db, "Dogtable", pedigree) != pedigreeMark);
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", pedigreeMark, pedigree),
             Rows(std::vector<qint64>{3, 4, added}));
    const QString later = db::tableVersion(db, "Dogtable", pedigree);
    exec(db, "UPDATE Dogtable SET colour = 'gold'");
    QCOMPARE(db::tableVersion(db, "Dogtable", pedigree), later);
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", later, pedigree), Rows(std::vector<qint64>{}));

    // Once a change too large to tell was asked about, earlier marks cannot be answered.
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", mark, {}, 3), Rows());
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", mark), Rows());
    const QString afterTrim = db::tableVersion(db, "Dogtable");
    exec(db, "UPDATE Dogtable SET colour = 'red' WHERE rowid = 1");
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", afterTrim), Rows(std::vector<qint64>{1}));

    // Another program's commit cannot be told by row.
    const QString beforeTheirs = db::tableVersion(db, "Dogtable");
    {
        QSqlDatabase theirs = QSqlDatabase::addDatabase("QSQLITE", "theirs");
        theirs.setDatabaseName(db.databaseName());
        QVERIFY(theirs.open());
        exec(theirs, "UPDATE Dogtable SET colour = 'white' WHERE rowid = 1");
        theirs.close();
    }
    QSqlDatabase::removeDatabase("theirs");
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", beforeTheirs), Rows());
    QCOMPARE(db::rowsWrittenSince(db, "Dogtable", QString()), Rows());
}

QTEST_GUILESS_MAIN(DbTest)
#include "tst_db.moc"

namespace {

void logged(const QSqlDatabase &db, const QString &what, const QStringList &statements)
{
    db::Transaction transaction(db);
    db::LoggedChange change(db, what);
    for (const QString &sql : statements)
        exec(db, sql);
    QCOMPARE(change.finish(), QString());
    QVERIFY(transaction.commit());
}

} // namespace

void DbTest::undoReversesEveryKindOfWriteInBothFiles()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    // A column of the file's own, with a default that must not replace a field left empty.
    exec(db, "ALTER TABLE Dogtable ADD COLUMN kept TEXT DEFAULT 'default'");
    const qint64 flint = addDog(db, {{"name", "Kirkwood Flint"}, {"dob", "2019-03-04"}});
    addDog(db, {{"name", "Pup"}, {"sire", "Kirkwood Flint"}});
    exec(db, "UPDATE Dogtable SET kept = CASE name WHEN 'Pup' THEN NULL ELSE 'own' END");
    exec(db,
         "INSERT INTO vaccination (dogname, dogid, vaxtype) VALUES ('Kirkwood Flint', ?, "
         "'Rabies')",
         {flint});
    exec(db, "INSERT INTO report.sales (dogsold, sellamount) VALUES ('Kirkwood Flint', 125000)");
    const QString before = contentsOf(db);

    logged(db, "Renamed",
           {"UPDATE Dogtable SET name = 'Kirkwood Flint JW', dob = NULL WHERE name = 'Kirkwood "
            "Flint'",
            "UPDATE Dogtable SET sire = 'Kirkwood Flint JW' WHERE sire = 'Kirkwood Flint'",
            "UPDATE report.sales SET dogsold = 'Kirkwood Flint JW'", "DELETE FROM vaccination",
            "DELETE FROM Dogtable WHERE name = 'Pup'",
            "INSERT INTO contacts (last, city) VALUES ('O''Brien', 'Zürich')"});
    QVERIFY(contentsOf(db) != before);
    QCOMPARE(db::latestChange(db).what, "Renamed");

    const auto undone = db::undoLatestChange(db);
    QVERIFY2(undone, qPrintable(undone.problem()));
    QCOMPARE(undone.value(), "Renamed");
    QCOMPARE(contentsOf(db), before);
    QCOMPARE(scalar(db, "SELECT count(*) FROM changelog").toInt(), 0);
    QCOMPARE(scalar(db, "SELECT count(*) FROM changesets").toInt(), 0);
    QCOMPARE(db::undoLatestChange(db).problem(), "There is no change to undo.");
}

void DbTest::undoIsRefusedOverAChangeTheLogDoesNotHold_data()
{
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<QString>("unlogged");
    QTest::newRow("field edited again") << QStringList{"UPDATE Dogtable SET colour = 'Red'"}
                                        << "UPDATE Dogtable SET colour = 'Blue'";
    QTest::newRow("added row deleted")
        << QStringList{"INSERT INTO contacts (last) VALUES ('A')"} << "DELETE FROM contacts";
    QTest::newRow("deleted row's id taken again")
        << QStringList{"DELETE FROM Dogtable"}
        << "INSERT INTO Dogtable (dogid, name) VALUES (1, 'Other')";
}

void DbTest::undoIsRefusedOverAChangeTheLogDoesNotHold()
{
    QFETCH(QStringList, change);
    QFETCH(QString, unlogged);
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    addDog(db, {{"name", "Rex"}});
    logged(db, "The change", change);
    exec(db, unlogged);
    const QString after = contentsOf(db);
    const auto undone = db::undoLatestChange(db);
    QVERIFY(!undone);
    QVERIFY2(undone.problem().startsWith("\u201cThe change\u201d cannot be undone"),
             qPrintable(undone.problem()));
    QCOMPARE(contentsOf(db), after);
    QCOMPARE(db::latestChange(db).what, "The change");
}

void DbTest::changesThatWriteNothingOrFailLeaveNoEntry()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    addDog(db, {{"name", "Rex"}});
    logged(db, "Nothing", {"UPDATE Dogtable SET name = 'Rex'"});
    {
        db::Transaction transaction(db);
        db::LoggedChange change(db, "Undone by the failure");
        exec(db, "UPDATE Dogtable SET name = 'Max'");
        transaction.rollback();
    }
    // A change within another is part of it.
    {
        db::Transaction transaction(db);
        db::LoggedChange outer(db, "Outer");
        {
            db::LoggedChange inner(db, "Inner");
            exec(db, "UPDATE Dogtable SET colour = 'Red'");
            QCOMPARE(inner.finish(), QString());
        }
        exec(db, "UPDATE Dogtable SET sex = 'Male'");
        QCOMPARE(outer.finish(), QString());
        QVERIFY(transaction.commit());
    }
    QCOMPARE(scalar(db, "SELECT group_concat(what) || count(*) FROM changesets JOIN changelog "
                        "ON changeset = changesetid")
                 .toString(),
             "Outer,Outer2");
    QVERIFY(db::undoLatestChange(db));
    // Writes outside a change, such as an import, are not logged.
    exec(db, "INSERT INTO Dogtable (name) VALUES ('Imported')");
    QCOMPARE(scalar(db, "SELECT count(*) FROM changesets").toInt(), 0);
    QCOMPARE(scalar(db, "SELECT count(*) FROM changelog").toInt(), 0);
    QCOMPARE(scalar(db, "SELECT name FROM Dogtable WHERE dogid = 1").toString(), "Rex");
}

void DbTest::logKeepsTheLatestWholeChanges()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    const int perChange = db::keptChanges * 6 / 10;
    {
        db::Transaction transaction(db);
        for (int i = 0; i < perChange; ++i)
            addDog(db, {{"name", QString("Dog %1").arg(i)}});
        QVERIFY(transaction.commit());
    }
    for (const char *colour : {"Red", "Blue", "Black"})
        logged(db, colour, {QString("UPDATE Dogtable SET colour = '%1'").arg(colour)});
    // The oldest whole change went; the one across the limit stays whole, to be undone whole.
    QCOMPARE(scalar(db, "SELECT group_concat(what) FROM changesets").toString(), "Blue,Black");
    QCOMPARE(scalar(db, "SELECT count(*) FROM changelog").toInt(), 2 * perChange);
    QVERIFY(db::undoLatestChange(db));
    QVERIFY(db::undoLatestChange(db));
    QCOMPARE(scalar(db, "SELECT count(DISTINCT colour) || colour FROM Dogtable").toString(),
             "1Red");
}

void DbTest::fileBeforeHealthTestsGainsThem()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}});
    exec(kennel.db(), "DROP TABLE healthresults");
    exec(kennel.db(), "DROP TABLE healthtests");
    exec(kennel.db(), "PRAGMA user_version = 3");
    db::DatabaseFiles::close();

    QCOMPARE(db::DatabaseFiles::open(), QString());
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    QCOMPARE(db::storedVersion(db), db::currentVersion(db::File::Kennel));
    QCOMPARE(scalar(db, "SELECT name FROM Dogtable").toString(), "Rex");
    QCOMPARE(scalar(db, "SELECT group_concat(testname, '|') FROM healthtests WHERE testkind = "
                        "'DNA'")
                 .toString(),
             "PRA-prcd|DM|CEA|EIC|MDR1");
    QCOMPARE(scalar(db, "SELECT count(*) FROM sqlite_master WHERE name IN "
                        "('healthresultdogids', 'healthresulttestids')")
                 .toInt(),
             2);
}

void DbTest::fileBeforeNewTablesGainsThem_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QStringList>("indexes");
    QTest::newRow("before the breeding year")
        << 4 << QStringList{"seasons", "progesterone", "weights", "whelping"}
        << QStringList{"seasondogids", "progesteroneseasonids", "weightdogids", "whelpinglitterids",
                       "whelpingdogids"};
    QTest::newRow("before photos and shows") << 7 << QStringList{"photos", "showresults"}
                                             << QStringList{"photodogids", "showresultdogids"};
    QTest::newRow("before buyers and money")
        << 8 << QStringList{"waitinglist", "deposits", "accounts", "contracts"}
        << QStringList{"waitingcontactids", "waitinglitterids", "waitingdogids",
                       "depositentryids",   "accountdates",     "accountsources",
                       "accountcategories", "accountlitterids", "accountdogids",
                       "accountcontactids", "contractsalesids"};
}

void DbTest::contactsGainTheirNumberKeepingEveryRow()
{
    Kennel kennel;
    // The contacts as files before the number held them, with a gap where one was deleted
    // and an index of the user's own.
    exec(kennel.db(), "DROP TABLE contacts");
    exec(kennel.db(), "CREATE TABLE contacts (last TEXT, Title TEXT, address TEXT, city TEXT, "
                      "state TEXT, postcode TEXT, country TEXT, phone TEXT, fax TEXT, email TEXT, "
                      "webaddress TEXT, notes TEXT, breeder TEXT, breederprefix TEXT, breeds TEXT, "
                      "extra TEXT NOT NULL DEFAULT 'kept')");
    exec(kennel.db(), "CREATE INDEX mycities ON contacts (city)");
    for (const char *name : {"Zoë O'Brien", "gone", "Ann Lee", " "})
        exec(kennel.db(), "INSERT INTO contacts (last, Title) VALUES (?, '')",
             {QString::fromUtf8(name)});
    exec(kennel.db(), "DELETE FROM contacts WHERE last = 'gone'");
    exec(kennel.db(), "DROP TABLE waitinglist");
    exec(kennel.report(), "ALTER TABLE reciept DROP COLUMN deposit");
    exec(kennel.db(), "PRAGMA user_version = 8");
    exec(kennel.report(), "PRAGMA user_version = 8");
    db::DatabaseFiles::close();

    QCOMPARE(db::DatabaseFiles::open(), QString());
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    QSqlQuery q(db);
    QVERIFY(q.exec("SELECT contactid, rowid, last, Title, address, extra FROM contacts "
                   "ORDER BY rowid"));
    QList<QStringList> rows;
    while (q.next()) {
        QCOMPARE(q.value(0), q.value(1));
        rows << QStringList{q.value(0).toString(), q.value(2).toString(), q.value(5).toString()};
        QVERIFY(!q.value(3).isNull() && q.value(4).isNull());
    }
    QCOMPARE(rows,
             (QList<QStringList>{
                 {"1", "Zoë O'Brien", "kept"}, {"3", "Ann Lee", "kept"}, {"4", " ", "kept"}}));
    QCOMPARE(scalar(db, "SELECT count(*) FROM sqlite_master WHERE name = 'mycities'").toInt(), 1);
    QVERIFY(scalar(db, "SELECT sql FROM sqlite_master WHERE name = 'contacts'")
                .toString()
                .contains("AUTOINCREMENT"));
    // A new contact never takes a number an earlier one had; the column's default holds.
    exec(db, "INSERT INTO contacts (last) VALUES ('New')");
    QCOMPARE(
        scalar(db, "SELECT contactid || ':' || extra FROM contacts WHERE last = 'New'").toString(),
        "5:kept");
    QVERIFY(db::DatabaseFiles::report().record("reciept").indexOf("deposit") >= 0);
    QVERIFY(db.record("waitinglist").indexOf("contactid") >= 0);
}

void DbTest::fileBeforeNewTablesGainsThem()
{
    QFETCH(int, version);
    QFETCH(QStringList, tables);
    QFETCH(QStringList, indexes);
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    for (const QString &table : tables)
        exec(kennel.db(), QStringLiteral("DROP TABLE %1").arg(table));
    exec(kennel.db(), QStringLiteral("PRAGMA user_version = %1").arg(version));
    db::DatabaseFiles::close();

    QCOMPARE(db::DatabaseFiles::open(), QString());
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    QCOMPARE(db::storedVersion(db), db::currentVersion(db::File::Kennel));
    QCOMPARE(scalar(db, "SELECT name FROM Dogtable").toString(), "Bella");
    auto count = [&](const QString &type, const QStringList &names) {
        return scalar(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = '%1' "
                                         "AND name IN ('%2')")
                              .arg(type, names.join("', '")))
            .toInt();
    };
    QCOMPARE(count("table", tables), tables.size());
    QCOMPARE(count("index", indexes), indexes.size());
}

void DbTest::fileOfThePreviousLayoutGainsTheLog()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}});
    exec(kennel.db(), "DROP TABLE changelog");
    exec(kennel.db(), "DROP TABLE changesets");
    exec(kennel.db(), "DROP INDEX vaccinationmonths");
    exec(kennel.db(), "CREATE INDEX vaccinationmonths ON vaccination (substr(due, 6, 2))");
    exec(kennel.db(), "PRAGMA user_version = 1");
    db::DatabaseFiles::close();

    QCOMPARE(db::DatabaseFiles::open(), QString());
    QVERIFY(!db::DatabaseFiles::isReadOnly());
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    QCOMPARE(db::storedVersion(db), db::currentVersion(db::File::Kennel));
    QCOMPARE(scalar(db, "SELECT name FROM Dogtable").toString(), "Rex");
    QVERIFY(scalar(db, "SELECT sql FROM sqlite_master WHERE name = 'dogowners'")
                .toString()
                .contains("ownerid"));
    QVERIFY(scalar(db, "SELECT sql FROM sqlite_master WHERE name = 'vaccinationmonths'")
                .toString()
                .contains("substr(\"due\", 1, 4)"));
    logged(db, "Renamed Rex to Max", {"UPDATE Dogtable SET name = 'Max'"});
    QList<db::FieldChange> history;
    QString error;
    QVERIFY(db::historyOf(db, "Dogtable", 1, &history, &error));
    QCOMPARE(history.size(), 1);
    QCOMPARE(history.first().what, "Renamed Rex to Max");
    QCOMPARE(history.first().before.toString(), "Rex");
}
