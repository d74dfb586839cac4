#include "db/Schema.h"

#include "db/Tables.h"

#include <QStringBuilder>
#include <stdexcept>

namespace db {
namespace {

Column text(const char *name)
{
    return {QString::fromLatin1(name), ColumnKind::Text};
}
Column whole(const char *name)
{
    return {QString::fromLatin1(name), ColumnKind::Whole};
}
Column date(const char *name)
{
    return {QString::fromLatin1(name), ColumnKind::Date};
}
Column amount(const char *name)
{
    return {QString::fromLatin1(name), ColumnKind::Amount};
}
Column autoId(const char *name)
{
    return {QString::fromLatin1(name), ColumnKind::AutoId};
}

std::vector<Column> texts(std::initializer_list<const char *> names)
{
    std::vector<Column> columns;
    for (const char *name : names)
        columns.push_back(text(name));
    return columns;
}

std::vector<Column> operator+(std::vector<Column> a, const std::vector<Column> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Column> pedigreeSlots()
{
    std::vector<Column> columns;
    for (const QString &slot : pedigreeSlotColumns())
        columns.push_back({slot, ColumnKind::Text});
    return columns;
}

} // namespace

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
           QStringLiteral(" (") % quoted(column) % QStringLiteral(" COLLATE NOCASE)");
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

const Schema &kennelSchema()
{
    static const Schema schema{
        {
            {tables::dogs,
             {autoId("dogid"), whole("dognumber"), text("name"), text("registration"), text("sex"),
              text("colour"), text("cob"), date("dob"), date("dod"), text("breeder"), text("breed"),
              text("Microchip"), text("Tattoo"), text("sire"), text("dam"), text("ownerid"),
              amount("soldfor"), date("datesold")}},
            {tables::contacts,
             texts({"last", "Title", "address", "city", "state", "postcode", "country", "phone",
                    "fax", "email", "webaddress", "notes", "breeder", "breederprefix", "breeds"})},
            {tables::matings,
             {text("dgname1"), text("dgname2"), date("datemated"), date("datedue")}},
            {tables::litters,
             {autoId("litterid"), text("sire"), text("dam"), whole("littersize"),
              date("dateoflitter"), text("breedoflitter")}},
            {tables::vaccinations,
             {text("dogname"), whole("dogid"), text("vaxtype"), date("vaccinated"), date("due")}},
            {tables::notes,
             {whole("Dogid"),
              date("dt"),
              {QStringLiteral("note"), ColumnKind::Text,
               QStringLiteral("length(\"note\") <= 100")}}},
            {tables::setup,
             texts({"Kennelname", "Name", "Address", "City", "State", "postcode", "country",
                    "phone", "fax", "email", "webaddress", "breederregistration"})},
            {tables::breeds, {text("Breedname")}},
        },
        {
            {QStringLiteral("name"), tables::dogs, QStringLiteral("name")},
            {QStringLiteral("dgname2"), tables::matings, QStringLiteral("dgname2")},
        },
    };
    return schema;
}

const Schema &reportSchema()
{
    static const Schema schema{
        {
            {tables::pedigree,
             texts({"dogname", "breedername", "dogbreed", "dob", "colour", "cob", "dogsex"}) +
                 pedigreeSlots()},
            {tables::sales,
             {autoId("salesid"), text("prevowner"), amount("sellamount"), text("breed"),
              text("colour"), text("dob"), text("reg"), text("prefix"), date("salesdate"),
              text("dogsold"), text("soldto"), text("sex")}},
            {tables::smallReceipt,
             {text("prevowner"), amount("sellamount"), text("breed"), text("colour"), text("dob"),
              text("reg"), text("prefix"), date("salesdate"), text("dogsold"), text("soldto"),
              text("sex"), whole("salesnumber")}},
            {tables::pedigreeReceipt,
             std::vector<Column>{amount("saleamount"), text("dogbreed"), text("colour"),
                                 text("dob"), date("datesold"), text("dogname"), text("soldto"),
                                 text("dogsex")} +
                 pedigreeSlots() + std::vector<Column>{whole("recid")}},
        },
        {},
    };
    return schema;
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
        if (index.table.compare(table, Qt::CaseInsensitive) == 0 &&
            index.column.compare(column, Qt::CaseInsensitive) == 0)
            return &index;
    }
    return nullptr;
}

} // namespace db
