#include "db/SchemaUpgrade.h"

#include "core/version.h"
#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <functional>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>
#include <QVariant>
#include <tuple>

// Resources of a static library are registered by hand, from the global namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(db);
}

namespace db {
namespace {

bool exec(QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    *error = q.lastError().text();
    return false;
}

QStringList breedNames()
{
    registerResources();
    QFile f(QStringLiteral(":/db/breeds.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            names << line.trimmed();
    }
    return names;
}

bool fillBreedList(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO ") % quoted(tables::breeds) % QStringLiteral(" (") %
              quoted(fields::breeds::name) % QStringLiteral(") VALUES (?)"));
    for (const QString &breed : breedNames()) {
        q.addBindValue(breed);
        if (!q.exec()) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

// The tests most breeds are screened for; the breeder renames, extends or hides them.
bool fillHealthTests(QSqlDatabase &db, QString *error)
{
    using namespace fields;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO ") % quoted(tables::healthTests) % QStringLiteral(" (") %
              quoted(healthTests::name) % QStringLiteral(", ") % quoted(healthTests::kind) %
              QStringLiteral(", ") % quoted(healthTests::inheritance) % QStringLiteral(", ") %
              quoted(healthTests::hidden) % QStringLiteral(") VALUES (?, ?, ?, 0)"));
    const QString examination = QStringLiteral("Examination");
    const QString dna = QStringLiteral("DNA");
    const QString recessive = QStringLiteral("Recessive");
    const std::vector<std::tuple<const char *, QString, QString>> common{
        {"Hips", examination, {}},    {"Elbows", examination, {}},   {"Eyes", examination, {}},
        {"Heart", examination, {}},   {"Patellas", examination, {}}, {"Hearing", examination, {}},
        {"PRA-prcd", dna, recessive}, {"DM", dna, recessive},        {"CEA", dna, recessive},
        {"EIC", dna, recessive},      {"MDR1", dna, recessive},
    };
    for (const auto &[name, kind, inheritance] : common) {
        q.addBindValue(QString::fromLatin1(name));
        q.addBindValue(kind);
        q.addBindValue(inheritance);
        if (!q.exec()) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

// A table created here starts with the rows the program expects in it.
bool fillNewTable(QSqlDatabase &db, const QString &table, QString *error)
{
    if (table == tables::setup)
        return exec(
            db, QStringLiteral("INSERT INTO ") % tables::setup % QStringLiteral(" DEFAULT VALUES"),
            error);
    if (table == tables::breeds)
        return fillBreedList(db, error);
    if (table == tables::healthTests)
        return fillHealthTests(db, error);
    return true;
}

// Adds what is missing and never changes or drops what exists.
bool completeSchema(QSqlDatabase &db, const Schema &schema, QString *error)
{
    const QStringList tables = db.tables();
    for (const Table &table : schema.tables) {
        if (!tables.contains(table.name, Qt::CaseInsensitive)) {
            if (!exec(db, table.createStatement(), error) || !fillNewTable(db, table.name, error))
                return false;
            continue;
        }
        const QSqlRecord existing = db.record(table.name);
        for (const Column &column : table.columns) {
            if (existing.indexOf(column.name) >= 0 || column.kind == ColumnKind::AutoId)
                continue;
            if (!exec(db,
                      QStringLiteral("ALTER TABLE ") % quoted(table.name) %
                          QStringLiteral(" ADD COLUMN ") % column.definition(),
                      error))
                return false;
        }
    }
    for (const Index &index : schema.indexes) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"));
        q.addBindValue(index.name);
        if (!q.exec()) {
            *error = q.lastError().text();
            return false;
        }
        if (!q.next() && !exec(db, index.createStatement(), error))
            return false;
    }
    return true;
}

// Gives the contacts a number of their own that new tables link them by: the table is made
// again with the number first, each contact keeping its row number (and so its place and its
// entries in the change log), every column it had, and the indexes made on it.
bool numberContacts(QSqlDatabase &db, QString *error)
{
    const QString table = tables::contacts;
    const QString id = fields::contacts::id;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name, pk FROM pragma_table_info('") % table %
                QStringLiteral("') ORDER BY cid"))) {
        *error = q.lastError().text();
        return false;
    }
    QStringList columns;
    while (q.next()) {
        if (q.value(0).toString().compare(id, Qt::CaseInsensitive) == 0 && q.value(1).toInt() == 1)
            return true; // made with it
        columns << quoted(q.value(0).toString());
    }
    // The table's own definition, with the number put first: every column keeps its type and
    // constraints as they were.
    QString definition;
    QStringList indexes;
    q.prepare(QStringLiteral("SELECT type, sql FROM sqlite_master WHERE tbl_name = ? AND sql IS "
                             "NOT NULL"));
    q.addBindValue(table);
    if (!q.exec()) {
        *error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        if (q.value(0).toString() == QLatin1String("table"))
            definition = q.value(1).toString();
        else if (q.value(0).toString() == QLatin1String("index"))
            indexes << q.value(1).toString();
    }
    const qsizetype open = definition.indexOf(QLatin1Char('('));
    if (open < 0) {
        *error = QStringLiteral("the contacts' table has no definition to be read");
        return false;
    }
    const QString renumbered = table % QStringLiteral("_numbered");
    const QString list = columns.join(QStringLiteral(", "));
    QStringList statements{
        QStringLiteral("CREATE TABLE ") % quoted(renumbered) % QStringLiteral(" (") % quoted(id) %
            QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT, ") % definition.mid(open + 1),
        QStringLiteral("INSERT INTO ") % quoted(renumbered) % QStringLiteral(" (") % quoted(id) %
            QStringLiteral(", ") % list % QStringLiteral(") SELECT rowid, ") % list %
            QStringLiteral(" FROM ") % quoted(table) % QStringLiteral(" ORDER BY rowid"),
        QStringLiteral("DROP TABLE ") % quoted(table),
        QStringLiteral("ALTER TABLE ") % quoted(renumbered) % QStringLiteral(" RENAME TO ") %
            quoted(table)};
    statements << indexes;
    for (const QString &statement : std::as_const(statements)) {
        if (!exec(db, statement, error))
            return false;
    }
    return true;
}

using Step = std::function<bool(QSqlDatabase &, File, QString *)>;

// Step n brings a file from version n - 1 to n. The first is every table, column and index
// of the layout as it stood when versions began to be kept; a file made earlier lacks none
// of them or only some, and gets what it lacks. New steps are added at the end, never
// changed once released.
const std::vector<Step> &steps()
{
    static const std::vector<Step> all{
        [](QSqlDatabase &db, File file, QString *error) {
            return completeSchema(db, schemaOf(file), error);
        },
        // The change log, which keeps what the user changed so that it can be undone, and
        // the indexes that find the records naming a dog.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            std::vector<Index> added = linkIndexes();
            added.push_back(changesOfSetIndex());
            added.push_back(changesOfRecordIndex());
            return completeSchema(db, {{changeSetTable(), changeLogTable()}, added}, error);
        },
        // The dogs of each owner, found without reading every dog; what falls due found by
        // month and year, not by month alone; and the birthdays read from their index alone.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            const std::vector<Index> remade{birthMonthsIndex(), vaccinationMonthsIndex(),
                                            litterMonthsIndex()};
            for (const Index &index : remade) {
                if (!exec(db, QStringLiteral("DROP INDEX IF EXISTS ") % quoted(index.name), error))
                    return false;
            }
            std::vector<Index> added = remade;
            added.push_back(dogOwnersIndex());
            return completeSchema(db, {{}, added}, error);
        },
        // Health tests with each dog's results, found by dog and by test.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            return completeSchema(
                db, {{healthTestTable(), healthResultTable()}, healthResultIndexes()}, error);
        },
        // The bitches' seasons.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            return completeSchema(db, {{seasonTable()}, {seasonDogsIndex()}}, error);
        },
        // Progesterone tests in the seasons.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            return completeSchema(db, {{progesteroneTable()}, {progesteroneSeasonsIndex()}}, error);
        },
        // The pups' weighings and how each pup was born.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            return completeSchema(
                db, {{weightTable(), whelpingTable()}, weightAndWhelpingIndexes()}, error);
        },
        // The dogs' photos, and their results at shows with the titles they earned.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file != File::Kennel)
                return true;
            return completeSchema(db, {{photoTable(), showResultTable()}, photoAndShowIndexes()},
                                  error);
        },
        // Buyers and the kennel's money: contacts get a number to be linked by, then the
        // waiting list, deposits, accounts and contracts; both receipts gain the deposit.
        [](QSqlDatabase &db, File file, QString *error) {
            if (file == File::Report) {
                const Schema &report = reportSchema();
                return completeSchema(
                    db,
                    {{report.table(tables::smallReceipt), report.table(tables::pedigreeReceipt)},
                     {}},
                    error);
            }
            return numberContacts(db, error) && completeSchema(db,
                                                               {{waitingListTable(), depositTable(),
                                                                 accountTable(), contractTable()},
                                                                moneyIndexes()},
                                                               error);
        },
    };
    return all;
}

QString programVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(core::versionMajor)
        .arg(core::versionMinor)
        .arg(core::versionRevision);
}

} // namespace

const Schema &schemaOf(File file)
{
    return file == File::Kennel ? kennelSchema() : reportSchema();
}

int currentVersion(File)
{
    return int(steps().size());
}

int storedVersion(const QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QString upgrade(QSqlDatabase &db, File file)
{
    const int from = storedVersion(db);
    if (from < 0)
        return QStringLiteral("its version cannot be read");
    for (int version = from + 1; version <= currentVersion(file); ++version) {
        QString error;
        Transaction step(db);
        if (!steps()[size_t(version - 1)](db, file, &error))
            return error;
        if (!exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version), &error))
            return error;
        if (file == File::Kennel) {
            if (const auto noted = setPreference(db, writtenByPreference(), programVersion());
                !noted)
                return noted.problem();
        }
        if (const auto committed = step.commit(); !committed)
            return committed.problem();
    }
    // A table or column dropped by hand from a file at this version is made again; where
    // nothing is missing, nothing is written.
    QString error;
    Transaction repair(db);
    if (!completeSchema(db, schemaOf(file), &error))
        return error;
    if (const auto committed = repair.commit(); !committed)
        return committed.problem();
    return {};
}

} // namespace db
