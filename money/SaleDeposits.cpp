#include "money/SaleDeposits.h"

#include "core/Money.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Tables.h"
#include "kennel/Contacts.h"
#include "kennel/DogFinder.h"
#include "kennel/Litters.h"
#include "money/Accounts.h"
#include "money/AccountTotals.h"
#include "money/WaitingList.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace money {
namespace {

namespace field = db::fields::deposits;
namespace entry = db::fields::waitingList;

} // namespace

std::optional<HeldDeposits> heldForSale(const QSqlDatabase &kennel, qint64 contactId, qint64 dogId)
{
    HeldDeposits held;
    if (contactId <= 0)
        return held;
    const std::optional<qint64> litter = kennel::litterOf(kennel, dogId);
    if (!litter)
        return std::nullopt;
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    const QString w = QStringLiteral("w.");
    // The entry matched to the dog first, then the others by their place in the pick order.
    q.prepare(QStringLiteral("SELECT d.") % db::quoted(field::id) % QStringLiteral(", d.") %
              db::quoted(field::amount) % QStringLiteral(", w.") % db::quoted(entry::id) %
              QStringLiteral(" FROM ") % db::quoted(db::tables::deposits) %
              QStringLiteral(" d JOIN ") % db::quoted(db::tables::waitingList) %
              QStringLiteral(" w ON w.") % db::quoted(entry::id) % QStringLiteral(" = d.") %
              db::quoted(field::entryId) % QStringLiteral(" WHERE w.") %
              db::quoted(entry::contactId) % QStringLiteral(" = ? AND w.") %
              db::quoted(entry::status) % QStringLiteral(" <> ? AND d.") %
              db::quoted(field::outcome) % QStringLiteral(" IN (?, ?) AND (w.") %
              db::quoted(entry::dogId) % QStringLiteral(" = ? OR (w.") % db::quoted(entry::dogId) %
              QStringLiteral(" IS NULL AND (w.") % db::quoted(entry::litterId) %
              QStringLiteral(" IS NULL OR w.") % db::quoted(entry::litterId) %
              QStringLiteral(" = ?))) ORDER BY w.") % db::quoted(entry::dogId) %
              QStringLiteral(" IS NULL, w.") % db::quoted(entry::pick) % QStringLiteral(", w.") %
              db::quoted(entry::id) % QStringLiteral(", d.") % db::quoted(field::id));
    for (const QVariant &v :
         QVariantList{contactId, withdrawnStatus, heldOutcome, carriedOutcome, dogId, *litter})
        q.addBindValue(v);
    if (!db::execRead(q))
        return std::nullopt;
    Total total;
    while (q.next()) {
        const qint64 entryId = q.value(2).toLongLong();
        if (!held.entryIds.isEmpty() && held.entryIds.first() != entryId)
            break;
        held.entryIds = {entryId};
        held.depositIds << q.value(0).toLongLong();
        total.add(q.value(1).toLongLong());
    }
    held.cents = total.value();
    return held;
}

std::optional<HeldDeposits> heldForSaleOf(const QSqlDatabase &kennel, const QString &dog,
                                          const QString &buyer)
{
    kennel::DogFinder finder(kennel, {db::fields::rowid});
    if (!finder.find(dog))
        return HeldDeposits();
    return heldForSale(kennel, kennel::contactNamed(kennel, buyer),
                       finder.value(db::fields::rowid).toLongLong());
}

std::optional<qint64> appliedToSale(const QSqlDatabase &kennel, qint64 salesId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ") % db::quoted(field::amount) % QStringLiteral(" FROM ") %
              db::quoted(db::tables::deposits) % QStringLiteral(" WHERE ") %
              db::quoted(field::salesId) % QStringLiteral(" = ?"));
    q.addBindValue(salesId);
    if (!db::execRead(q))
        return std::nullopt;
    Total total;
    while (q.next())
        total.add(q.value(0).toLongLong());
    return total.value();
}

QString depositBeyondPrice(qint64 deposit, qint64 price)
{
    if (deposit <= price)
        return {};
    return QStringLiteral("The deposits held (%1) are more than the price (%2). Refund the "
                          "difference on the Waiting List first, or type a price of at least "
                          "the deposits.")
        .arg(core::formatMoney(deposit), core::formatMoney(price));
}

namespace {

// What the sale in whose place another comes had taken in: the deposits of the same buyer go
// over to the new sale; another buyer's are theirs, held again, their entry waiting again.
QString takeOverDeposits(const QSqlDatabase &kennel, const SaleMoney &sale, HeldDeposits *taken)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT d.") % db::quoted(field::id) % QStringLiteral(", d.") %
              db::quoted(field::amount) % QStringLiteral(", w.") % db::quoted(entry::id) %
              QStringLiteral(", w.") % db::quoted(entry::contactId) % QStringLiteral(" FROM ") %
              db::quoted(db::tables::deposits) % QStringLiteral(" d JOIN ") %
              db::quoted(db::tables::waitingList) % QStringLiteral(" w ON w.") %
              db::quoted(entry::id) % QStringLiteral(" = d.") % db::quoted(field::entryId) %
              QStringLiteral(" WHERE d.") % db::quoted(field::salesId) % QStringLiteral(" = ?"));
    q.addBindValue(sale.replaces);
    if (!q.exec())
        return q.lastError().text();
    std::vector<std::tuple<qint64, qint64, qint64, qint64>> earlier;
    while (q.next())
        earlier.emplace_back(q.value(0).toLongLong(), q.value(1).toLongLong(),
                             q.value(2).toLongLong(), q.value(3).toLongLong());
    q.finish();
    // The same buyer's sale corrected pays with what the first one took in, no more.
    const bool sameBuyer = std::any_of(earlier.begin(), earlier.end(), [&](const auto &deposit) {
        return std::get<3>(deposit) == sale.contactId;
    });
    if (sameBuyer)
        *taken = {};
    Total total;
    total.add(taken->cents);
    for (const auto &[depositId, cents, entryId, contactId] : earlier) {
        if (contactId == sale.contactId) {
            taken->depositIds << depositId;
            if (!taken->entryIds.contains(entryId))
                taken->entryIds << entryId;
            total.add(cents);
            continue;
        }
        QString problem = db::runStatement(
            kennel,
            QStringLiteral("UPDATE ") % db::quoted(db::tables::deposits) % QStringLiteral(" SET ") %
                db::quoted(field::outcome) % QStringLiteral(" = ?, ") % db::quoted(field::salesId) %
                QStringLiteral(" = NULL WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
            {heldOutcome, depositId});
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                    QStringLiteral(" SET ") % db::quoted(entry::status) % QStringLiteral(" = ?, ") %
                    db::quoted(entry::dogId) % QStringLiteral(" = NULL WHERE ") %
                    db::quoted(entry::id) % QStringLiteral(" = ?"),
                {depositPaidStatus, entryId});
        if (!problem.isEmpty())
            return problem;
    }
    taken->cents = total.value();
    return {};
}

} // namespace

QString bookSale(const QSqlDatabase &kennel, const SaleMoney &sale)
{
    HeldDeposits deposits = sale.deposits;
    if (sale.replaces > 0) {
        if (const QString problem = takeOverDeposits(kennel, sale, &deposits); !problem.isEmpty())
            return problem;
    }
    if (const QString beyond = depositBeyondPrice(deposits.cents, sale.price); !beyond.isEmpty())
        return beyond;
    const std::optional<qint64> litterRead = kennel::litterOf(kennel, sale.dogId);
    if (!litterRead)
        return QStringLiteral("the pup's litter could not be read");
    const qint64 litter = *litterRead;
    namespace account = db::fields::accounts;
    QString problem;
    for (const qint64 id : deposits.depositIds) {
        // Applied, a deposit counts for the litter of the pup it paid for.
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::deposits) %
                    QStringLiteral(" SET ") % db::quoted(field::outcome) %
                    QStringLiteral(" = ?, ") % db::quoted(field::salesId) %
                    QStringLiteral(" = ?, ") % db::quoted(field::litterId) %
                    QStringLiteral(" = coalesce(?, ") % db::quoted(field::litterId) %
                    QStringLiteral(") WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
                {appliedOutcome, sale.salesId, db::idOrNone(litter), id});
        if (problem.isEmpty())
            problem =
                db::runStatement(kennel,
                                 QStringLiteral("UPDATE ") % db::quoted(db::tables::accounts) %
                                     QStringLiteral(" SET ") % db::quoted(account::dogId) %
                                     QStringLiteral(" = ?, ") % db::quoted(account::litterId) %
                                     QStringLiteral(" = coalesce(?, ") %
                                     db::quoted(account::litterId) % QStringLiteral(") WHERE ") %
                                     db::quoted(account::source) % QStringLiteral(" = ? AND ") %
                                     db::quoted(account::sourceId) % QStringLiteral(" = ?"),
                                 {sale.dogId, db::idOrNone(litter), depositSource, id});
    }
    // The buyer's entries for this pup are sold, deposit or none.
    for (const qint64 id : deposits.entryIds) {
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                    QStringLiteral(" SET ") % db::quoted(entry::dogId) %
                    QStringLiteral(" = ? WHERE ") % db::quoted(entry::id) % QStringLiteral(" = ?"),
                {sale.dogId, id});
    }
    if (problem.isEmpty() && sale.contactId > 0)
        problem = db::runStatement(kennel,
                                   QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                                       QStringLiteral(" SET ") % db::quoted(entry::status) %
                                       QStringLiteral(" = ? WHERE ") %
                                       db::quoted(entry::contactId) % QStringLiteral(" = ? AND ") %
                                       db::quoted(entry::dogId) % QStringLiteral(" = ?"),
                                   {soldStatus, sale.contactId, sale.dogId});
    if (!problem.isEmpty())
        return problem;
    AccountEntry e;
    e.date = sale.date;
    e.cents = sale.price - deposits.cents;
    e.income = true;
    e.category = QStringLiteral("Sale");
    e.note = deposits.cents > 0 ? QStringLiteral("%1 sold to %2, less the deposit of %3")
                                      .arg(sale.dog, sale.buyer, core::formatMoney(deposits.cents))
                                : QStringLiteral("%1 sold to %2").arg(sale.dog, sale.buyer);
    e.dogId = sale.dogId;
    e.litterId = litter;
    e.contactId = sale.contactId;
    e.source = saleSource;
    e.sourceId = sale.salesId;
    // The sale in whose place this one comes gives over its entry.
    if (sale.replaces > 0)
        problem = db::runStatement(kennel,
                                   QStringLiteral("UPDATE ") % db::quoted(db::tables::accounts) %
                                       QStringLiteral(" SET ") % db::quoted(account::sourceId) %
                                       QStringLiteral(" = ? WHERE ") % db::quoted(account::source) %
                                       QStringLiteral(" = ? AND ") % db::quoted(account::sourceId) %
                                       QStringLiteral(" = ?"),
                                   {sale.salesId, saleSource, sale.replaces});
    if (!problem.isEmpty())
        return problem;
    return bookLinked(kennel, e);
}

} // namespace money
