#include "db/Schema.h"

#include <QStringBuilder>
#include <stdexcept>

namespace db {

QString Column::definition() const
{
    const Column &c = *this;
    QString definition = quoted(c.name);
    switch (c.kind) {
    case ColumnKind::AutoId:
        definition += QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
        break;
    case ColumnKind::Text:
        definition += QStringLiteral(" TEXT");
        break;
    case ColumnKind::Whole:
        definition += QStringLiteral(" INTEGER");
        break;
    case ColumnKind::Date:
        definition += QStringLiteral(" TEXT");
        break;
    case ColumnKind::Amount:
        definition += QStringLiteral(" INTEGER");
        break;
    case ColumnKind::Real:
        definition += QStringLiteral(" REAL");
        break;
    case ColumnKind::Value:
        break;
    }
    if (!c.check.isEmpty())
        definition += QStringLiteral(" CHECK (") % c.check % QLatin1Char(')');
    return definition;
}

namespace {

// A note for whoever opens the file with sqlite3: the CREATE statement keeps comments.
QString columnComment(const Column &c)
{
    switch (c.kind) {
    case ColumnKind::Date:
        return QStringLiteral(" -- date, YYYY-MM-DD");
    case ColumnKind::Amount:
        return QStringLiteral(" -- amount in cents");
    default:
        return {};
    }
}

} // namespace

QString quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

const Column *Table::column(const QString &columnName) const
{
    for (const Column &c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

QString Table::createStatement() const
{
    QString sql = QStringLiteral("CREATE TABLE ") % quoted(name) % QStringLiteral(" (\n");
    for (size_t i = 0; i < columns.size(); ++i) {
        const bool last = i + 1 == columns.size();
        sql += QStringLiteral("  ") % columns[i].definition() %
               (last ? QString() : QStringLiteral(",")) % columnComment(columns[i]) %
               QLatin1Char('\n');
    }
    return sql + QLatin1Char(')');
}

QString Index::createStatement() const
{
    return QStringLiteral("CREATE INDEX ") % quoted(name) % QStringLiteral(" ON ") % quoted(table) %
           QStringLiteral(" (") %
           (expression.isEmpty() ? quoted(column) % QStringLiteral(" COLLATE NOCASE")
                                 : expression) %
           QLatin1Char(')');
}

QString monthOf(const QString &dateColumn)
{
    return QStringLiteral("substr(%1, 6, 2)").arg(quoted(dateColumn));
}

QString yearOf(const QString &dateColumn)
{
    return QStringLiteral("substr(%1, 1, 4)").arg(quoted(dateColumn));
}

const Table &Schema::table(const QString &tableName) const
{
    for (const Table &t : tables) {
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return t;
    }
    throw std::out_of_range("no such table in the schema");
}

QStringList pedigreeSlotColumns()
{
    return {QStringLiteral("1s1"), QStringLiteral("1d1"), QStringLiteral("2s1"),
            QStringLiteral("2d1"), QStringLiteral("2s2"), QStringLiteral("2d2"),
            QStringLiteral("3s1"), QStringLiteral("3d1"), QStringLiteral("3s2"),
            QStringLiteral("3d2"), QStringLiteral("3s3"), QStringLiteral("3d3"),
            QStringLiteral("3s4"), QStringLiteral("3d4")};
}

const Index *findIndex(const QString &indexName)
{
    for (const Index &index : kennelSchema().indexes) {
        if (index.name == indexName)
            return &index;
    }
    return nullptr;
}

const Index *indexOn(const QString &table, const QString &column)
{
    for (const Index &index : kennelSchema().indexes) {
        if (index.expression.isEmpty() && index.table.compare(table, Qt::CaseInsensitive) == 0 &&
            index.column.compare(column, Qt::CaseInsensitive) == 0)
            return &index;
    }
    return nullptr;
}

} // namespace db
