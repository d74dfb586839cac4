#include "sales/Sale.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Contacts.h"
#include "kennel/DogFinder.h"
#include "kennel/Dogs.h"
#include "money/SaleDeposits.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace sales {

namespace fields = db::fields;
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
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO report.") % db::quoted(db::tables::sales) %
              QStringLiteral(" (") % db::columnList(row.columns) % QStringLiteral(") VALUES (") %
              QStringList(row.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
              QLatin1Char(')'));
    if (const auto inserted = run(q, row.values); !inserted)
        return core::failure(inserted.problem());
    return q.lastInsertId().toLongLong();
}

db::RowValues historyRow(const SaleDetails &sale)
{
    return shownValues({{fields::sales::seller, sale.seller},
                        {fields::sales::amount, sale.cents},
                        {fields::sales::breed, sale.breed},
                        {fields::sales::colour, sale.colour},
                        {fields::sales::born, sale.dob},
                        {fields::sales::registration, sale.reg},
                        {fields::sales::prefix, sale.prefix},
                        {fields::sales::date, core::datetext::toStored(sale.date)},
                        {fields::sales::dog, sale.dog},
                        {fields::sales::buyer, sale.buyer},
                        {fields::sales::sex, sale.sex}});
}

// The deposits the sale took in, and what was left to pay; no value for either without one.
db::RowValues &withDeposit(db::RowValues &row, qint64 price, qint64 deposit)
{
    const QVariant none(QMetaType::fromType<qint64>());
    return row.add(fields::sales::deposit, deposit > 0 ? QVariant(deposit) : none)
        .add(fields::sales::balance, deposit > 0 ? QVariant(price - deposit) : none);
}

db::RowValues receiptRow(const SaleDetails &sale, Receipt receipt,
                         const pedigree::PedigreeRecord &ancestors, qint64 salesId, qint64 deposit)
{
    if (receipt == Receipt::Small) {
        db::RowValues row = historyRow(sale).add(fields::sales::number, salesId);
        return withDeposit(row, sale.cents, deposit);
    }
    db::RowValues row =
        shownValues({{fields::pedigreeReceipt::amount, sale.cents},
                     {fields::pedigree::breed, sale.breed},
                     {fields::pedigree::colour, sale.colour},
                     {fields::pedigree::born, sale.dob},
                     {fields::pedigreeReceipt::date, core::datetext::toStored(sale.date)},
                     {fields::pedigree::dog, sale.dog},
                     {fields::pedigreeReceipt::buyer, sale.buyer},
                     {fields::pedigree::sex, sale.sex}});
    for (const QString &slot : db::pedigreeSlotColumns())
        row.add(slot, blankAsText(ancestors.slot(slot)));
    row.add(fields::pedigreeReceipt::id, salesId);
    return withDeposit(row, sale.cents, deposit);
}

} // namespace

core::WriteResult<> writeReceipt(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                                 const pedigree::PedigreeRecord &ancestors, qint64 receiptNumber)
{
    const QString scratch =
        receipt == Receipt::Small ? db::tables::smallReceipt : db::tables::pedigreeReceipt;
    const std::optional<qint64> deposit = money::appliedToSale(kennel, receiptNumber);
    if (!deposit)
        return core::failure(QStringLiteral("the deposits could not be read"));
    if (const auto written =
            db::writeSingleRow(kennel, QStringLiteral("report"), scratch,
                               receiptRow(sale, receipt, ancestors, receiptNumber, *deposit));
        !written)
        return core::failure(written.problem());
    return {};
}

core::WriteResult<qint64> recordSale(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                                     const pedigree::PedigreeRecord &ancestors)
{
    db::Transaction all(kennel);
    // The dog the name index finds changes hands.
    kennel::DogFinder dog(kennel, {fields::rowid, fields::dogs::name});
    if (!dog.find(sale.dog))
        return core::failure(dog.lastError().isEmpty()
                                 ? QStringLiteral("there is no dog named \"%1\"").arg(sale.dog)
                                 : dog.lastError());
    money::SaleMoney paid{0,          dog.value(fields::rowid).toLongLong(),
                          sale.dog,   kennel::contactNamed(kennel, sale.buyer),
                          sale.buyer, sale.cents,
                          sale.date,  sale.replaces,
                          {}};
    const auto held = money::heldForSale(kennel, paid.contactId, paid.dogId);
    if (!held)
        return core::failure(QStringLiteral("the deposits could not be read"));
    paid.deposits = *held;
    const auto salesId = insertSale(kennel, historyRow(sale));
    if (!salesId)
        return core::failure(salesId.problem());
    paid.salesId = salesId.value();
    if (const QString problem = money::bookSale(kennel, paid); !problem.isEmpty())
        return core::failure(problem);
    if (const auto written = writeReceipt(kennel, sale, receipt, ancestors, salesId.value());
        !written)
        return core::failure(written.problem());

    if (const QString problem =
            kennel::writeDogFields(kennel, paid.dogId,
                                   {{fields::dogs::owner, sale.buyer},
                                    {fields::dogs::soldFor, sale.cents},
                                    {fields::dogs::sold, core::datetext::toStored(sale.date)}});
        !problem.isEmpty())
        return core::failure(problem);
    if (const auto committed = all.commit(); !committed)
        return core::failure(committed.problem());
    return salesId;
}

std::optional<DogOnSale> dogOnSale(const QSqlDatabase &kennel, const QString &name)
{
    namespace dog = fields::dogs;
    kennel::DogFinder dogs(kennel,
                           {dog::breed, dog::registration, dog::colour, dog::sex, dog::born});
    if (!dogs.find(name))
        return std::nullopt;
    auto text = [&](const QString &field) { return dogs.value(field).toString(); };
    return DogOnSale{text(fields::dogs::breed), text(fields::dogs::registration),
                     text(fields::dogs::colour), text(fields::dogs::sex),
                     core::datetext::display(dogs.value(fields::dogs::born))};
}

SetupDetails setupDetails(const QSqlDatabase &kennel)
{
    const QVariantMap setup = db::setupRow(kennel);
    return {setup.value(fields::setup::name), setup.value(fields::setup::kennel)};
}

} // namespace sales
