#include "sales/Sale.h"

#include "core/DateText.h"
#include "db/IndexSeek.h"
#include "db/Schema.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace sales {
namespace {

struct Values
{
    QStringList columns;
    QVariantList values;
    Values &add(const QString &column, const QVariant &value)
    {
        columns << column;
        // What the screen showed blank is stored as empty text, not as no value.
        const bool blankText = value.metaType() == QMetaType::fromType<QString>() && value.toString().isNull();
        values << (blankText ? QVariant(QStringLiteral("")) : value);
        return *this;
    }
};

bool run(QSqlQuery &q, const QVariantList &values, QString *error)
{
    if (q.lastError().isValid()) {
        *error = q.lastError().text();
        return false;
    }
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (q.exec())
        return true;
    *error = q.lastError().text();
    return false;
}

bool insert(QSqlDatabase &db, const QString &table, const Values &row, QString *error)
{
    QStringList quoted;
    for (const QString &c : row.columns)
        quoted << db::quoted(c);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO report.") % db::quoted(table) % QStringLiteral(" (") %
              quoted.join(QLatin1Char(',')) % QStringLiteral(") VALUES (") %
              QStringList(row.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
              QLatin1Char(')'));
    return run(q, row.values, error);
}

// The scratch tables keep one row: the first is overwritten, or one is added.
bool writeSingleRow(QSqlDatabase &db, const QString &table, const Values &row, QString *error)
{
    QSqlQuery first(db);
    first.exec(QStringLiteral("SELECT min(rowid) FROM report.") % db::quoted(table));
    const QVariant rowid = first.next() ? first.value(0) : QVariant();
    first.finish();
    if (rowid.isNull())
        return insert(db, table, row, error);
    QStringList assignments;
    for (const QString &c : row.columns)
        assignments << db::quoted(c) % QStringLiteral(" = ?");
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE report.") % db::quoted(table) % QStringLiteral(" SET ") %
              assignments.join(QStringLiteral(", ")) % QStringLiteral(" WHERE rowid = ?"));
    return run(q, row.values + QVariantList{rowid}, error);
}

Values historyRow(const SaleDetails &sale)
{
    Values row;
    row.add(QStringLiteral("prevowner"), sale.seller)
        .add(QStringLiteral("sellamount"), sale.cents)
        .add(QStringLiteral("breed"), sale.breed)
        .add(QStringLiteral("colour"), sale.colour)
        .add(QStringLiteral("dob"), sale.dob)
        .add(QStringLiteral("reg"), sale.reg)
        .add(QStringLiteral("prefix"), sale.prefix)
        .add(QStringLiteral("salesdate"), core::datetext::toStored(sale.date))
        .add(QStringLiteral("dogsold"), sale.dog)
        .add(QStringLiteral("soldto"), sale.buyer)
        .add(QStringLiteral("sex"), sale.sex);
    return row;
}

Values scratchRow(const SaleDetails &sale, Receipt receipt, const pedigree::PedigreeRecord &ancestors,
                  qint64 salesId)
{
    if (receipt == Receipt::Small) {
        Values row = historyRow(sale);
        return row.add(QStringLiteral("salesnumber"), salesId);
    }
    Values row;
    row.add(QStringLiteral("saleamount"), sale.cents)
        .add(QStringLiteral("dogbreed"), sale.breed)
        .add(QStringLiteral("colour"), sale.colour)
        .add(QStringLiteral("dob"), sale.dob)
        .add(QStringLiteral("datesold"), core::datetext::toStored(sale.date))
        .add(QStringLiteral("dogname"), sale.dog)
        .add(QStringLiteral("soldto"), sale.buyer)
        .add(QStringLiteral("dogsex"), sale.sex);
    for (const QString &slot : db::pedigreeSlotColumns())
        row.add(slot, ancestors.slot(slot));
    row.add(QStringLiteral("recid"), salesId);
    return row;
}

} // namespace

qint64 recordSale(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                  const pedigree::PedigreeRecord &ancestors, QString *error)
{
    db::Transaction all(kennel);
    if (!insert(kennel, QStringLiteral("sales"), historyRow(sale), error))
        return -1;
    QSqlQuery id(kennel);
    id.exec(QStringLiteral("SELECT last_insert_rowid()"));
    const qint64 salesId = id.next() ? id.value(0).toLongLong() : -1;
    id.finish();
    const QString scratch = receipt == Receipt::Small ? QStringLiteral("reciept") : QStringLiteral("largereciept");
    if (!writeSingleRow(kennel, scratch, scratchRow(sale, receipt, ancestors, salesId), error))
        return -1;

    // The dog the name index finds changes hands.
    db::IndexSeek dog(kennel, *db::findIndex(QStringLiteral("name")), QStringLiteral("rowid AS \"rowid\", name"));
    if (!dog.seek(sale.dog)) {
        *error = dog.lastError().isEmpty() ? QStringLiteral("there is no dog named \"%1\"").arg(sale.dog)
                                           : dog.lastError();
        return -1;
    }
    QSqlQuery transfer(kennel);
    transfer.prepare(QStringLiteral(
        "UPDATE main.Dogtable SET ownerid = ?, soldfor = ?, datesold = ? WHERE rowid = ?"));
    if (!run(transfer,
             {sale.buyer, sale.cents, core::datetext::toStored(sale.date), dog.value(QStringLiteral("rowid"))},
             error))
        return -1;
    if (!all.commit(error))
        return -1;
    return salesId;
}

SetupDetails setupDetails(const QSqlDatabase &kennel)
{
    QSqlQuery q(kennel);
    q.exec(QStringLiteral("SELECT Name, Kennelname FROM setup ORDER BY rowid LIMIT 1"));
    if (!q.next())
        return {};
    return {q.value(0), q.value(1)};
}

} // namespace sales
