#include "db/SchemaCheck.h"

#include "db/SchemaUpgrade.h"

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
        } else if (type == QLatin1String("table") && isOurTable(schema, name)) {
            if (const QString why = unusable(db, schema.table(name), sql); !why.isEmpty())
                found << why;
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
