#pragma once

#include "money/Deposits.h"

#include <optional>
#include <QSqlDatabase>
#include <QString>

// The deposits a sale takes in and what it writes of money.
namespace money {

// The deposits a sale of this dog to this contact takes in: those held on the contact's entry
// matched to the dog, or else on the first of its entries (in pick order) matched to no dog yet
// and waiting for the dog's litter or the next.
struct HeldDeposits
{
    qint64 cents = 0;
    QList<qint64> depositIds;
    QList<qint64> entryIds;
};
std::optional<HeldDeposits> heldForSale(const QSqlDatabase &kennel, qint64 contactId, qint64 dogId);

// The same for a dog and a buyer named as the sale screen names them.
std::optional<HeldDeposits> heldForSaleOf(const QSqlDatabase &kennel, const QString &dog,
                                          const QString &buyer);

// What a sale writes of money, inside its transaction: its deposits applied (and counted for
// the dog's litter), the buyer's entries sold with the dog, and one income entry for what was
// left to pay. A sale in place of another (the same dog sold again on the screen) takes over
// its income entry, and its deposits when the buyer is the same; another buyer's deposits are
// held for them again. The problem, or empty.
struct SaleMoney
{
    qint64 salesId = 0;
    qint64 dogId = 0;
    QString dog;
    qint64 contactId = 0;
    QString buyer;
    qint64 price = 0;
    QDate date;
    qint64 replaces = 0; // the receipt number of the sale this one takes the place of
    HeldDeposits deposits;
};
QString bookSale(const QSqlDatabase &kennel, const SaleMoney &sale);

// The deposits a sale took in, in cents; nothing when they could not be read.
std::optional<qint64> appliedToSale(const QSqlDatabase &kennel, qint64 salesId);

// "The deposits held (…) are more than the price (…)…" when they are, or empty.
QString depositBeyondPrice(qint64 deposit, qint64 price);

} // namespace money
