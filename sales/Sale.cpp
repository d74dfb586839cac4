#include "sales/Sale.h"

#include "core/DateText.h"
#include "db/IndexSeek.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace sales {
namespace {

// What the screen showed blank is stored as empty text, not as no value.
QVariant blankAsText(const QVariant &value)
{
    const bool blankText =
        value.metaType() == QMetaType::fromType<QString>() && value.toString().isNull();
    return blankText ? QVariant(QStringLiteral("")) : value;
}

db::RowValues shownValues(std::initializer_list<std::pair<QString, QVariant>> values)
{
    db::RowValues row;
    for (const auto &[column, value] : values)
        row.add(column, blankAsText(value));
    return row;
}

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

// Adds the sales row; answers its id, or -1.
qint64 insertSale(QSqlDatabase &db, const db::RowValues &row, QString *error)
{
    QStringList quoted;
    for (const QString &c : row.columns)
        quoted << db::quoted(c);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO report.") % db::tables::sales % QStringLiteral(" (") %
              quoted.join(QLatin1Char(',')) % QStringLiteral(") VALUES (") %
              QStringList(row.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
              QLatin1Char(')'));
    return run(q, row.values, error) ? q.lastInsertId().toLongLong() : -1;
}

db::RowValues historyRow(const SaleDetails &sale)
{
    return shownValues({{QStringLiteral("prevowner"), sale.seller},
                        {QStringLiteral("sellamount"), sale.cents},
                        {QStringLiteral("breed"), sale.breed},
                        {QStringLiteral("colour"), sale.colour},
                        {QStringLiteral("dob"), sale.dob},
                        {QStringLiteral("reg"), sale.reg},
                        {QStringLiteral("prefix"), sale.prefix},
                        {QStringLiteral("salesdate"), core::datetext::toStored(sale.date)},
                        {QStringLiteral("dogsold"), sale.dog},
                        {QStringLiteral("soldto"), sale.buyer},
                        {QStringLiteral("sex"), sale.sex}});
}

db::RowValues scratchRow(const SaleDetails &sale, Receipt receipt,
                         const pedigree::PedigreeRecord &ancestors, qint64 salesId)
{
    if (receipt == Receipt::Small)
        return historyRow(sale).add(QStringLiteral("salesnumber"), salesId);
    db::RowValues row =
        shownValues({{QStringLiteral("saleamount"), sale.cents},
                     {QStringLiteral("dogbreed"), sale.breed},
                     {QStringLiteral("colour"), sale.colour},
                     {QStringLiteral("dob"), sale.dob},
                     {QStringLiteral("datesold"), core::datetext::toStored(sale.date)},
                     {QStringLiteral("dogname"), sale.dog},
                     {QStringLiteral("soldto"), sale.buyer},
                     {QStringLiteral("dogsex"), sale.sex}});
    for (const QString &slot : db::pedigreeSlotColumns())
        row.add(slot, blankAsText(ancestors.slot(slot)));
    return row.add(QStringLiteral("recid"), salesId);
}

} // namespace

qint64 recordSale(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                  const pedigree::PedigreeRecord &ancestors, QString *error)
{
    db::Transaction all(kennel);
    const qint64 salesId = insertSale(kennel, historyRow(sale), error);
    if (salesId < 0)
        return -1;
    const QString scratch =
        receipt == Receipt::Small ? db::tables::smallReceipt : db::tables::pedigreeReceipt;
    if (const QString problem = db::writeSingleRow(kennel, QStringLiteral("report"), scratch,
                                                   scratchRow(sale, receipt, ancestors, salesId));
        !problem.isEmpty()) {
        *error = problem;
        return -1;
    }

    // The dog the name index finds changes hands.
    db::IndexSeek dog(kennel, *db::findIndex(QStringLiteral("name")),
                      QStringLiteral("rowid AS \"rowid\", name"));
    if (!dog.seek(sale.dog)) {
        *error = dog.lastError().isEmpty()
                     ? QStringLiteral("there is no dog named \"%1\"").arg(sale.dog)
                     : dog.lastError();
        return -1;
    }
    QSqlQuery transfer(kennel);
    transfer.prepare(QStringLiteral("UPDATE main.") % db::tables::dogs %
                     QStringLiteral(" SET ownerid = ?, soldfor = ?, datesold = ? WHERE rowid = ?"));
    if (!run(transfer,
             {sale.buyer, sale.cents, core::datetext::toStored(sale.date),
              dog.value(QStringLiteral("rowid"))},
             error))
        return -1;
    if (!all.commit(error))
        return -1;
    return salesId;
}

SetupDetails setupDetails(const QSqlDatabase &kennel)
{
    const QVariantMap setup = db::setupRow(kennel);
    return {setup.value(QStringLiteral("Name")), setup.value(QStringLiteral("Kennelname"))};
}

} // namespace sales
