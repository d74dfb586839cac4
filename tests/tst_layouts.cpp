// The layout of each file as every released version left it: a file of each version, made by
// the steps of its day (tests/layouts), is upgraded and must come out as a new kennel does,
// every row kept. A step changed after its release makes the old files come out otherwise.
#include "db/DatabaseFiles.h"
#include "db/Schema.h"
#include "db/SchemaUpgrade.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace testing;

namespace {

const QStringList fileNames{QStringLiteral("kennelbase.ddx"), QStringLiteral("report.ddx")};

QString fixture(int version)
{
    return QStringLiteral(LAYOUT_FIXTURES "/v%1").arg(version);
}

// Every table and index as the file keeps its definition.
QStringList layoutOf(const QSqlDatabase &db)
{
    QStringList layout;
    QSqlQuery q(db);
    if (!q.exec("SELECT type, name, tbl_name, sql FROM main.sqlite_master WHERE name NOT LIKE "
                "'sqlite%' ORDER BY type, name"))
        qFatal("no layout");
    while (q.next())
        layout << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString()}
                      .join('|');
    return layout;
}

// What a table holds and an index finds, whatever the text that made it: each column's name,
// type, constraint and default, the tables whose ids are never given again, the CHECKs, and
// what each index is over.
QStringList structureOf(const QSqlDatabase &db)
{
    QStringList structure;
    QSqlQuery objects(db);
    if (!objects.exec("SELECT type, name, sql FROM main.sqlite_master WHERE name NOT LIKE "
                      "'sqlite%' ORDER BY type, name"))
        qFatal("no layout");
    while (objects.next()) {
        const QString name = objects.value(1).toString();
        const QString sql = objects.value(2).toString();
        QSqlQuery q(db);
        if (objects.value(0).toString() == "index") {
            q.prepare("SELECT seqno, cid, name, coll FROM pragma_index_xinfo(?) WHERE key = 1");
            structure << "index " + name + " on " + sql.section(" ON ", 1);
        } else {
            q.prepare("SELECT cid, name, type, \"notnull\", dflt_value, pk FROM "
                      "pragma_table_info(?)");
            structure << "table " + name + (sql.contains("AUTOINCREMENT") ? " numbered" : "");
            for (qsizetype at = sql.indexOf("CHECK ("); at >= 0;
                 at = sql.indexOf("CHECK (", at + 1))
                structure << "  " + sql.mid(at).section('\n', 0, 0).section(" --", 0, 0);
        }
        q.addBindValue(name);
        if (!q.exec())
            qFatal("no columns");
        while (q.next()) {
            QStringList column;
            for (int i = 0; i < q.record().count(); ++i)
                column << q.value(i).toString();
            structure << "  " + column.join(' ');
        }
    }
    return structure;
}

// Every row of every table in stored order, each field as stored.
QMap<QString, QList<QVariantList>> rowsOf(const QSqlDatabase &db,
                                          const QMap<QString, QStringList> &columns)
{
    QMap<QString, QList<QVariantList>> rows;
    for (auto table = columns.cbegin(); table != columns.cend(); ++table) {
        QSqlQuery q(db);
        QStringList quoted;
        for (const QString &column : table.value())
            quoted << db::quoted(column);
        if (!q.exec("SELECT " + quoted.join(", ") + " FROM main." + db::quoted(table.key()) +
                    " ORDER BY rowid"))
            qFatal("no rows");
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < quoted.size(); ++i)
                row << q.value(i);
            rows[table.key()] << row;
        }
    }
    return rows;
}

QMap<QString, QStringList> columnsOf(const QSqlDatabase &db)
{
    QMap<QString, QStringList> columns;
    QSqlQuery q(db);
    q.exec("SELECT name FROM main.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    while (q.next()) {
        const QSqlRecord record = db.record(q.value(0).toString());
        for (int i = 0; i < record.count(); ++i)
            columns[q.value(0).toString()] << record.fieldName(i);
    }
    return columns;
}

// A file of a folder, on a connection of its own.
class OpenFile
{
public:
    OpenFile(const QString &path, bool readOnly = false)
        : m_name(QStringLiteral("file %1").arg(quintptr(this)))
    {
        m_db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        m_db.setDatabaseName(path);
        if (readOnly)
            m_db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (!m_db.open())
            qFatal("cannot open %s", qPrintable(path));
    }
    ~OpenFile()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    const QSqlDatabase &db() const { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

struct Layouts
{
    QStringList files[2];
};

// The layout of both files of a new kennel, as the steps make it from empty files.
Layouts newKennelLayout()
{
    WorkingFolder folder;
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("no new kennel");
    Layouts layouts{{layoutOf(db::DatabaseFiles::kennel()), layoutOf(db::DatabaseFiles::report())}};
    db::DatabaseFiles::close();
    return layouts;
}

void copyFixture(int version)
{
    for (const QString &name : fileNames) {
        QFile::remove(name);
        QVERIFY(QFile::copy(QDir(fixture(version)).filePath(name), name));
        QVERIFY(QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
}

// Each row the older file held is where it was, field for field; the upgrade may only add.
void compareKept(const QSqlDatabase &older, const QSqlDatabase &upgraded)
{
    const QMap<QString, QStringList> columns = columnsOf(older);
    QVERIFY(!columns.isEmpty());
    const auto before = rowsOf(older, columns);
    const auto after = rowsOf(upgraded, columns);
    for (auto table = before.cbegin(); table != before.cend(); ++table) {
        QVERIFY2(table.value().size() >= 2, qPrintable(table.key()));
        QCOMPARE(after.value(table.key()).mid(0, table.value().size()), table.value());
    }
}

} // namespace

class LayoutsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newKennelHasTheLayoutTheProgramReads();
    void everyReleasedLayoutUpgradesKeepingItsRows_data();
    void everyReleasedLayoutUpgradesKeepingItsRows();
    void killedUpgradeLeavesTheOldLayoutOrTheNew();
};

// The steps from empty files make what the program's own description of the layout says: a
// step forgotten, or a table changed without one, shows here.
void LayoutsTest::newKennelHasTheLayoutTheProgramReads()
{
    Kennel kennel;
    const QSqlDatabase made[] = {kennel.db(), kennel.report()};
    const db::Schema *described[] = {&db::kennelSchema(), &db::reportSchema()};
    for (int file = 0; file < 2; ++file) {
        OpenFile code(QStringLiteral("described%1.ddx").arg(file));
        for (const db::Table &table : described[file]->tables)
            exec(code.db(), table.createStatement());
        for (const db::Index &index : described[file]->indexes)
            exec(code.db(), index.createStatement());
        QCOMPARE(structureOf(made[file]), structureOf(code.db()));
    }
}

void LayoutsTest::everyReleasedLayoutUpgradesKeepingItsRows_data()
{
    QTest::addColumn<int>("version");
    for (int version = 0; version <= db::currentVersion(db::File::Kennel); ++version)
        QTest::addRow("version %d", version) << version;
}

void LayoutsTest::everyReleasedLayoutUpgradesKeepingItsRows()
{
    QFETCH(int, version);
    QVERIFY2(QFile::exists(QDir(fixture(version)).filePath(fileNames[0])),
             "a released version without its file: make it with layout_fixtures");
    const Layouts fresh = newKennelLayout();
    WorkingFolder folder;
    copyFixture(version);
    QCOMPARE(db::DatabaseFiles::open(), QString());
    for (int file = 0; file < 2; ++file) {
        const QSqlDatabase upgraded =
            file == 0 ? db::DatabaseFiles::kennel() : db::DatabaseFiles::report();
        QCOMPARE(db::storedVersion(upgraded), db::currentVersion(db::File::Kennel));
        QCOMPARE(layoutOf(upgraded), fresh.files[file]);
        OpenFile older(QDir(fixture(version)).filePath(fileNames[file]), true);
        compareKept(older.db(), upgraded);
    }
    db::DatabaseFiles::close();
}

// An upgrade is one transaction: a kill at any moment leaves each file as it was or as it
// becomes, never a layout between.
void LayoutsTest::killedUpgradeLeavesTheOldLayoutOrTheNew()
{
    constexpr int older = 1;
    const Layouts fresh = newKennelLayout();
    Layouts old;
    for (int file = 0; file < 2; ++file)
        old.files[file] =
            layoutOf(OpenFile(QDir(fixture(older)).filePath(fileNames[file]), true).db());
    WorkingFolder folder;
    for (int kill = 0; kill < 8; ++kill) {
        QProcess upgrader;
        upgrader.start(LAYOUT_UPGRADER, {fixture(older)});
        QVERIFY(upgrader.waitForStarted());
        QVERIFY(upgrader.waitForReadyRead(30000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(5, 120)));
        upgrader.kill();
        QVERIFY(upgrader.waitForFinished());
        for (int file = 0; file < 2; ++file) {
            OpenFile left(fileNames[file]);
            QCOMPARE(scalar(left.db(), "PRAGMA integrity_check").toString(), "ok");
            const int version = db::storedVersion(left.db());
            QVERIFY2(version == older || version == db::currentVersion(db::File::Kennel),
                     qPrintable(QString::number(version)));
            QCOMPARE(layoutOf(left.db()), version == older ? old.files[file] : fresh.files[file]);
            OpenFile original(QDir(fixture(older)).filePath(fileNames[file]), true);
            compareKept(original.db(), left.db());
        }
    }
}

QTEST_GUILESS_MAIN(LayoutsTest)
#include "tst_layouts.moc"
