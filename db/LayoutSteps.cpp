#include "db/LayoutSteps.h"

#include "db/RunStatement.h"

#include <array>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>
#include <QVariant>

// Resources of a static library are registered by hand, from the global namespace.
static void registerLayouts()
{
    Q_INIT_RESOURCE(db);
}

namespace db {
namespace {

// Gives the contacts a number of their own that new tables link them by: the table is made
// again with the number first, each contact keeping its row number (and so its place and its
// entries in the change log), every column it had, and the indexes made on it.
bool numberContacts(QSqlDatabase &db, QString *error)
{
    const QString id = QStringLiteral("contactid");
    QSqlQuery q(db);
    if (!q.exec(
            QStringLiteral("SELECT name, pk FROM pragma_table_info('contacts') ORDER BY cid"))) {
        *error = q.lastError().text();
        return false;
    }
    QStringList columns;
    while (q.next()) {
        if (q.value(0).toString().compare(id, Qt::CaseInsensitive) == 0 && q.value(1).toInt() == 1)
            return true; // made with it
        columns << QLatin1Char('"') %
                       q.value(0).toString().replace(QLatin1Char('"'), QStringLiteral("\"\"")) %
                       QLatin1Char('"');
    }
    // The table's own definition, with the number put first: every column keeps its type and
    // constraints as they were.
    QString definition;
    QStringList indexes;
    if (!q.exec(QStringLiteral("SELECT type, sql FROM sqlite_master WHERE tbl_name = 'contacts' "
                               "AND sql IS NOT NULL"))) {
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
    const QString list = columns.join(QStringLiteral(", "));
    QStringList statements{
        QStringLiteral("CREATE TABLE \"contacts_numbered\" (\"contactid\" INTEGER PRIMARY KEY "
                       "AUTOINCREMENT, ") %
            definition.mid(open + 1),
        QStringLiteral("INSERT INTO \"contacts_numbered\" (\"contactid\", ") % list %
            QStringLiteral(") SELECT rowid, ") % list %
            QStringLiteral(" FROM \"contacts\" ORDER BY rowid"),
        QStringLiteral("DROP TABLE \"contacts\""),
        QStringLiteral("ALTER TABLE \"contacts_numbered\" RENAME TO \"contacts\"")};
    statements << indexes;
    for (const QString &statement : std::as_const(statements)) {
        if (!runInto(db, statement, error))
            return false;
    }
    return true;
}

struct Step
{
    const char *kennel;
    const char *report;
    // Work a statement cannot say, done before the step's statements.
    bool (*first)(QSqlDatabase &, QString *) = nullptr;
};

const std::array<Step, 9> &steps()
{
    static const std::array<Step, 9> all{{
        {"kennel-1", "report-1"},
        {"kennel-2", nullptr},
        {"kennel-3", nullptr},
        {"kennel-4", nullptr},
        {"kennel-5", nullptr},
        {"kennel-6", nullptr},
        {"kennel-7", nullptr},
        {"kennel-8", nullptr},
        {"kennel-9", "report-9", numberContacts},
    }};
    return all;
}

// A step's statements, each ending where a line ends in ";"; the comment lines between them
// left out, those inside a table's definition kept, as the file keeps them.
QStringList statementsOf(const char *step)
{
    if (!step)
        return {};
    registerLayouts();
    QFile f(QStringLiteral(":/db/layout/%1.sql").arg(QString::fromLatin1(step)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList statements;
    QString current;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (current.isEmpty() && (line.isEmpty() || line.startsWith(QLatin1String("--"))))
            continue;
        current += current.isEmpty() ? line : QLatin1Char('\n') + line;
        if (line.endsWith(QLatin1Char(';'))) {
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    return statements;
}

bool exists(const QSqlDatabase &db, const QString &type, const QString &name)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = ? AND name = ? COLLATE "
                             "NOCASE"));
    q.addBindValue(type);
    q.addBindValue(name);
    return q.exec() && q.next();
}

// The columns of a table the file has, made by an earlier layout or by hand, that the step's
// definition names and the table lacks: each line of the definition is one column.
bool addMissingColumns(QSqlDatabase &db, const QString &table, const QString &create,
                       QString *error)
{
    const QSqlRecord existing = db.record(table);
    const QStringList lines = create.split(QLatin1Char('\n'));
    static const QRegularExpression column(
        QString::fromLatin1(R"re(^\s*"((?:[^"]|"")+)"(.*?),?(\s--.*)?$)re"));
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch m = column.match(lines[i]);
        if (!m.hasMatch() || m.captured(2).contains(QLatin1String("PRIMARY KEY")))
            continue;
        const QString name = m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        if (existing.indexOf(name) >= 0)
            continue;
        if (!runInto(db,
                     QStringLiteral("ALTER TABLE \"") % table % QStringLiteral("\" ADD COLUMN \"") %
                         m.captured(1) % QLatin1Char('"') % m.captured(2),
                     error))
            return false;
    }
    return true;
}

bool run(QSqlDatabase &db, const QStringList &statements, QString *error)
{
    static const QRegularExpression createTable(
        QString::fromLatin1(R"re(^CREATE TABLE "([^"]+)")re"));
    static const QRegularExpression createIndex(
        QString::fromLatin1(R"re(^CREATE INDEX "([^"]+)")re"));
    static const QRegularExpression addColumn(
        QString::fromLatin1(R"re(^ALTER TABLE "([^"]+)" ADD COLUMN "([^"]+)")re"));
    static const QRegularExpression insert(QString::fromLatin1(R"re(^INSERT INTO "([^"]+)")re"));
    QSet<QString> made;
    for (const QString &statement : statements) {
        if (const auto m = createTable.match(statement); m.hasMatch()) {
            if (exists(db, QStringLiteral("table"), m.captured(1))) {
                if (!addMissingColumns(db, m.captured(1), statement, error))
                    return false;
                continue;
            }
            made << m.captured(1);
        } else if (const auto m = createIndex.match(statement); m.hasMatch()) {
            if (exists(db, QStringLiteral("index"), m.captured(1)))
                continue;
        } else if (const auto m = addColumn.match(statement); m.hasMatch()) {
            if (db.record(m.captured(1)).indexOf(m.captured(2)) >= 0)
                continue;
        } else if (const auto m = insert.match(statement); m.hasMatch()) {
            // A table that was there keeps its rows as they are.
            if (!made.contains(m.captured(1)))
                continue;
        }
        if (!runInto(db, statement, error))
            return false;
    }
    return true;
}

} // namespace

int layoutSteps()
{
    return int(steps().size());
}

QString runLayoutStep(QSqlDatabase &db, File file, int version)
{
    const Step &step = steps()[size_t(version - 1)];
    QString error;
    if (file == File::Kennel && step.first && !step.first(db, &error))
        return error;
    if (!run(db, statementsOf(file == File::Kennel ? step.kennel : step.report), &error))
        return error;
    return {};
}

QStringList firstRowsOf(const QString &table)
{
    const QString start = QStringLiteral("INSERT INTO \"") % table % QLatin1Char('"');
    QStringList rows;
    for (const Step &step : steps()) {
        for (const char *file : {step.kennel, step.report}) {
            QStringList filling;
            for (const QString &statement : statementsOf(file)) {
                if (statement.startsWith(start))
                    filling << statement;
            }
            if (!filling.isEmpty())
                rows = filling;
        }
    }
    return rows;
}

} // namespace db
