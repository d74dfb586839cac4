#include "db/SchemaCheck.h"

#include "db/SchemaUpgrade.h"

#include <array>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace db {
namespace {

bool isOurTable(const Schema &schema, const QString &name)
{
    for (const Table &table : schema.tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isOurIndex(const Schema &schema, const QString &name)
{
    for (const Index &index : schema.indexes) {
        if (index.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString quotedName(const QString &name)
{
    return QStringLiteral("\u201c%1\u201d").arg(name);
}

// A table of ours must still hold what the program reads it by.
QString unusable(const QSqlDatabase &db, const Table &table, const QString &sql)
{
    if (sql.contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive))
        return QStringLiteral("the table %1 without row numbers").arg(quotedName(table.name));
    const QSqlRecord existing = db.record(table.name);
    bool anyOfOurs = false;
    for (const Column &column : table.columns) {
        const bool present = existing.indexOf(column.name) >= 0;
        if (column.kind == ColumnKind::AutoId && !present)
            return QStringLiteral("the table %1 without its column %2")
                .arg(quotedName(table.name), quotedName(column.name));
        anyOfOurs = anyOfOurs || present;
    }
    if (!anyOfOurs)
        return QStringLiteral("a table %1 with none of Houndry's columns")
            .arg(quotedName(table.name));
    return {};
}

// Houndry's own, from either file: a kennel and its report file swapped are refused later,
// as not a kennel's, rather than for what Houndry wrote.
const std::array<const Schema *, 2> &bothSchemas()
{
    static const std::array<const Schema *, 2> both{&schemaOf(File::Kennel),
                                                    &schemaOf(File::Report)};
    return both;
}

// A CHECK constraint runs whatever it says on every row written and in every check of the
// file: Houndry's own are taken out before looking.
bool hasForeignCheck(const QString &table, QString sql)
{
    for (const Schema *schema : bothSchemas()) {
        if (!isOurTable(*schema, table))
            continue;
        for (const Column &column : schema->table(table).columns) {
            if (!column.check.isEmpty())
                sql.remove(QStringLiteral("CHECK (") + column.check + QLatin1Char(')'));
        }
    }
    static const QRegularExpression check(QStringLiteral("\\bCHECK\\s*\\("),
                                          QRegularExpression::CaseInsensitiveOption);
    return sql.contains(check);
}

// An index is Houndry's when it says exactly what Houndry makes it say.
bool isOwnIndex(const QString &sql)
{
    for (const Schema *schema : bothSchemas()) {
        for (const Index &index : schema->indexes) {
            if (index.createStatement() == sql)
                return true;
        }
    }
    return false;
}

// Generated columns are worked out on every read.
QStringList generatedColumns(const QSqlDatabase &db, const QString &table)
{
    QStringList found;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT name FROM pragma_table_xinfo(?) WHERE hidden IN (2, 3)"));
    q.addBindValue(table);
    if (!q.exec())
        return {QStringLiteral("a table %1 whose columns cannot be read").arg(quotedName(table))};
    while (q.next())
        found << QStringLiteral("a generated column %1 in the table %2")
                     .arg(quotedName(q.value(0).toString()), quotedName(table));
    return found;
}

// An index over expressions, or over part of a table, works its expressions out in every
// check of the file.
bool computesExpressions(const QSqlDatabase &db, const QString &index, const QString &sql)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT count(*) FROM pragma_index_xinfo(?) WHERE cid = -2"));
    q.addBindValue(index);
    if (!q.exec() || !q.next() || q.value(0).toInt() > 0)
        return true;
    static const QRegularExpression partial(QStringLiteral("\\bWHERE\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    return sql.contains(partial);
}

} // namespace

QStringList foreignObjects(const QSqlDatabase &db, File file)
{
    const Schema &schema = schemaOf(file);
    QStringList found;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA encoding")) || !q.next())
        return {QStringLiteral("a layout that cannot be read")};
    if (!q.value(0).toString().startsWith(QLatin1String("UTF-8"), Qt::CaseInsensitive))
        found << QStringLiteral("its text as %1, not UTF-8").arg(q.value(0).toString());
    if (!q.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY rowid")))
        return {QStringLiteral("a layout that cannot be read")};
    while (q.next()) {
        const QString type = q.value(0).toString();
        const QString name = q.value(1).toString();
        const QString sql = q.value(2).toString();
        if (type == QLatin1String("trigger") || type == QLatin1String("view")) {
            found
                << QStringLiteral("a %1 %2 that Houndry did not make").arg(type, quotedName(name));
        } else if (type == QLatin1String("table") && isOurIndex(schema, name)) {
            found << QStringLiteral("a table %1 named like one of Houndry's indexes")
                         .arg(quotedName(name));
        } else if (type == QLatin1String("index") && isOurTable(schema, name)) {
            found << QStringLiteral("an index %1 named like one of Houndry's tables")
                         .arg(quotedName(name));
        } else if (type == QLatin1String("index") && !isOwnIndex(sql) &&
                   computesExpressions(db, name, sql)) {
            found << QStringLiteral("an index %1 over expressions that Houndry did not make")
                         .arg(quotedName(name));
        } else if (type == QLatin1String("table") &&
                   sql.startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive)) {
            found << QStringLiteral("a virtual table %1 that Houndry did not make")
                         .arg(quotedName(name));
        } else if (type == QLatin1String("table")) {
            if (isOurTable(schema, name)) {
                if (const QString why = unusable(db, schema.table(name), sql); !why.isEmpty())
                    found << why;
            }
            if (hasForeignCheck(name, sql))
                found << QStringLiteral("a CHECK constraint in the table %1 that Houndry did "
                                        "not make")
                             .arg(quotedName(name));
            found << generatedColumns(db, name);
        }
    }
    return found;
}

QString listedBriefly(const QStringList &items)
{
    constexpr qsizetype shown = 10;
    if (items.size() > shown)
        return items.mid(0, shown).join(QStringLiteral(", ")) +
               QStringLiteral(" and %1 more").arg(items.size() - shown);
    if (items.size() <= 1)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.last();
}

} // namespace db
