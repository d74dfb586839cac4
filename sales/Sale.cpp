#include "sales/Sale.h"

#include "core/DateText.h"
#include "db/IndexSeek.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/TableCursor.h"
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

core::WriteResult<> run(QSqlQuery &q, const QVariantList &values)
{
    if (q.lastError().isValid())
        return core::failure(q.lastError().text());
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        return core::failure(q.lastError().text());
    return {};
}

// Adds the sales row; answers its id.
core::WriteResult<qint64> insertSale(QSqlDatabase &db, const db::RowValues &row)
{
    QStringList quoted;
    for (const QString &c : row.columns)
        quoted << db::quoted(c);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO report.") % db::tables::sales % QStringLiteral(" (") %
              quoted.join(QLatin1Char(',')) % QStringLiteral(") VALUES (") %
              QStringList(row.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
              QLatin1Char(')'));
    if (const auto inserted = run(q, row.values); !inserted)
        return core::failure(inserted.problem());
    return q.lastInsertId().toLongLong();
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

db::RowValues receiptRow(const SaleDetails &sale, Receipt receipt,
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

core::WriteResult<qint64> recordSale(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                                     const pedigree::PedigreeRecord &ancestors)
{
    db::Transaction all(kennel);
    const auto salesId = insertSale(kennel, historyRow(sale));
    if (!salesId)
        return core::failure(salesId.problem());
    const QString scratch =
        receipt == Receipt::Small ? db::tables::smallReceipt : db::tables::pedigreeReceipt;
    if (const auto written =
            db::writeSingleRow(kennel, QStringLiteral("report"), scratch,
                               receiptRow(sale, receipt, ancestors, salesId.value()));
        !written)
        return core::failure(written.problem());

    // The dog the name index finds changes hands.
    db::IndexSeek dog(kennel, *db::findIndex(QStringLiteral("name")),
                      QStringLiteral("rowid AS \"rowid\", name"));
    if (!dog.seek(sale.dog))
        return core::failure(dog.lastError().isEmpty()
                                 ? QStringLiteral("there is no dog named \"%1\"").arg(sale.dog)
                                 : dog.lastError());
    QSqlQuery transfer(kennel);
    transfer.prepare(QStringLiteral("UPDATE main.") % db::tables::dogs %
                     QStringLiteral(" SET ownerid = ?, soldfor = ?, datesold = ? WHERE rowid = ?"));
    if (const auto transferred =
            run(transfer, {sale.buyer, sale.cents, core::datetext::toStored(sale.date),
                           dog.value(QStringLiteral("rowid"))});
        !transferred)
        return core::failure(transferred.problem());
    if (const auto committed = all.commit(); !committed)
        return core::failure(committed.problem());
    return salesId;
}

std::optional<DogOnSale> dogOnSale(const QSqlDatabase &kennel, const QString &name)
{
    db::TableCursor dogs(kennel, db::tables::dogs);
    if (!dogs.seek(QStringLiteral("name"), name))
        return std::nullopt;
    auto text = [&](const char *field) {
        return dogs.value(QString::fromLatin1(field)).toString();
    };
    return DogOnSale{text("breed"), text("registration"), text("colour"), text("sex"),
                     core::datetext::display(dogs.value(QStringLiteral("dob")))};
}

SetupDetails setupDetails(const QSqlDatabase &kennel)
{
    const QVariantMap setup = db::setupRow(kennel);
    return {setup.value(QStringLiteral("Name")), setup.value(QStringLiteral("Kennelname"))};
}

} // namespace sales
