#include "money/Deposits.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
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

const QStringList &depositFields()
{
    static const QStringList fields{field::entryId, field::amount,   field::paid,
                                    field::method,  field::outcome,  field::litterId,
                                    field::salesId, field::refunded, field::refundAmount};
    return fields;
}

qint64 contactOfEntry(const QSqlDatabase &kennel, qint64 entryId)
{
    qint64 contact = 0;
    db::runStatement(kennel,
                     QStringLiteral("SELECT ") % db::quoted(entry::contactId) %
                         QStringLiteral(" FROM ") % db::quoted(db::tables::waitingList) %
                         QStringLiteral(" WHERE ") % db::quoted(entry::id) % QStringLiteral(" = ?"),
                     {entryId}, &contact);
    return contact;
}

AccountEntry depositEntry(const QSqlDatabase &kennel, const Deposit &d, const QString &contactName)
{
    AccountEntry e;
    e.date = d.paid;
    e.cents = d.cents;
    e.income = true;
    e.category = QStringLiteral("Deposit");
    e.note = QStringLiteral("Deposit of %1").arg(contactName) %
             (d.method.trimmed().isEmpty() ? QString()
                                           : QStringLiteral(" (%1)").arg(d.method.trimmed()));
    e.litterId = d.litterId;
    e.contactId = contactOfEntry(kennel, d.entryId);
    e.source = depositSource;
    e.sourceId = d.id;
    return e;
}

QString setOutcome(const QSqlDatabase &kennel, const Deposit &d)
{
    return db::runStatement(
        kennel, db::updateWhere(db::tables::deposits, depositFields(), field::id),
        {d.entryId, d.cents, core::datetext::toStored(d.paid), d.method, d.outcome,
         db::idOrNone(d.litterId), db::idOrNone(d.salesId),
         d.refunded.isValid() ? QVariant(core::datetext::toStored(d.refunded))
                              : QVariant(QMetaType::fromType<QString>()),
         d.refundCents > 0 ? QVariant(d.refundCents) : QVariant(QMetaType::fromType<qint64>()),
         d.id});
}

QString setEntryStatus(const QSqlDatabase &kennel, qint64 entryId, const QString &status,
                       const QStringList &onlyFrom)
{
    QVariantList values{status, entryId};
    QStringList marks;
    for (const QString &from : onlyFrom) {
        values << from;
        marks << QStringLiteral("?");
    }
    return db::runStatement(
        kennel,
        QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) % QStringLiteral(" SET ") %
            db::quoted(entry::status) % QStringLiteral(" = ? WHERE ") % db::quoted(entry::id) %
            QStringLiteral(" = ? AND ") % db::quoted(entry::status) % QStringLiteral(" IN (") %
            marks.join(QStringLiteral(", ")) % QLatin1Char(')'),
        values);
}

} // namespace

QStringList methodWords()
{
    return {QStringLiteral("Bank transfer"), QStringLiteral("Cash"), QStringLiteral("Cheque"),
            QStringLiteral("Card"), QStringLiteral("Other")};
}

std::optional<std::vector<Deposit>> depositsOf(const QSqlDatabase &kennel, qint64 entryId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::deposits, QStringList{field::id} + depositFields()) %
              QStringLiteral(" WHERE ") % db::quoted(field::entryId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(field::paid) % QStringLiteral(", ") %
              db::quoted(field::id));
    q.addBindValue(entryId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<Deposit> deposits;
    while (q.next()) {
        Deposit d;
        d.id = q.value(0).toLongLong();
        d.entryId = q.value(1).toLongLong();
        d.cents = q.value(2).toLongLong();
        d.paid = core::datetext::fromStored(q.value(3));
        d.method = q.value(4).toString();
        d.outcome = q.value(5).toString();
        d.litterId = q.value(6).toLongLong();
        d.salesId = q.value(7).toLongLong();
        d.refunded = core::datetext::fromStored(q.value(8));
        d.refundCents = q.value(9).toLongLong();
        deposits.push_back(d);
    }
    return deposits;
}

core::WriteResult<qint64> takeDeposit(QSqlDatabase kennel, const Deposit &deposit,
                                      const QString &contactName)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Took a deposit of %1 from %2")
                                        .arg(core::formatMoney(deposit.cents), contactName));
    Deposit d = deposit;
    d.outcome = heldOutcome;
    QSqlQuery q(kennel);
    q.prepare(db::insertInto(db::tables::deposits, depositFields()));
    for (const QVariant &v : QVariantList{
             d.entryId, d.cents, core::datetext::toStored(d.paid), d.method.trimmed(), d.outcome,
             db::idOrNone(d.litterId), QVariant(QMetaType::fromType<qint64>()),
             QVariant(QMetaType::fromType<QString>()), QVariant(QMetaType::fromType<qint64>())})
        q.addBindValue(v);
    QString problem = q.exec() ? QString() : q.lastError().text();
    d.id = q.lastInsertId().toLongLong();
    if (problem.isEmpty())
        problem = bookLinked(kennel, depositEntry(kennel, d, contactName));
    if (problem.isEmpty())
        problem = setEntryStatus(kennel, d.entryId, depositPaidStatus,
                                 {enquiryStatus, QStringLiteral("Approved")});
    if (const auto landed = logged.land(transaction, problem); !landed)
        return core::failure(landed.problem());
    return d.id;
}

QString refundProblem(const Deposit &deposit, qint64 cents, const QDate &day)
{
    if (!deposit.held())
        return QStringLiteral("This deposit is no longer held: it was %1.")
            .arg(deposit.outcome.toLower());
    if (cents <= 0)
        return QStringLiteral("Type the amount refunded.");
    if (cents > deposit.cents)
        return QStringLiteral("A refund of %1 is more than the deposit of %2.")
            .arg(core::formatMoney(cents), core::formatMoney(deposit.cents));
    if (!day.isValid())
        return QStringLiteral("A refund needs its date.");
    if (day < deposit.paid)
        return QStringLiteral("The refund cannot come before the deposit was paid (%1).")
            .arg(core::datetext::shortDate(deposit.paid));
    return {};
}

core::WriteResult<> refundDeposit(QSqlDatabase kennel, const Deposit &deposit, qint64 cents,
                                  const QDate &day, const QString &contactName)
{
    if (const QString refused = refundProblem(deposit, cents, day); !refused.isEmpty())
        return core::failure(refused);
    db::Transaction transaction(kennel);
    db::LoggedChange logged(
        kennel, QStringLiteral("Refunded %1 to %2").arg(core::formatMoney(cents), contactName));
    Deposit d = deposit;
    d.outcome = refundedOutcome;
    d.refunded = day;
    d.refundCents = cents;
    QString problem = setOutcome(kennel, d);
    if (problem.isEmpty()) {
        AccountEntry e;
        e.date = day;
        e.cents = cents;
        e.income = false;
        e.category = QStringLiteral("Refund");
        e.note = QStringLiteral("Refund of the deposit of %1").arg(contactName);
        e.litterId = d.litterId;
        e.contactId = contactOfEntry(kennel, d.entryId);
        e.source = refundSource;
        e.sourceId = d.id;
        problem = bookLinked(kennel, e);
    }
    return logged.land(transaction, problem);
}

core::WriteResult<> carryDeposit(QSqlDatabase kennel, const Deposit &deposit, qint64 litterId,
                                 const QString &contactName)
{
    if (!deposit.held())
        return core::failure(QStringLiteral("This deposit is no longer held: it was %1.")
                                 .arg(deposit.outcome.toLower()));
    db::Transaction transaction(kennel);
    db::LoggedChange logged(
        kennel, QStringLiteral("Carried the deposit of %1 to another litter").arg(contactName));
    Deposit d = deposit;
    d.outcome = carriedOutcome;
    d.litterId = litterId;
    QString problem = setOutcome(kennel, d);
    if (problem.isEmpty())
        problem = bookLinked(kennel, depositEntry(kennel, d, contactName));
    qint64 pick = 0;
    if (problem.isEmpty())
        problem = db::runStatement(kennel,
                                   QStringLiteral("SELECT coalesce(max(") %
                                       db::quoted(entry::pick) % QStringLiteral("), 0) + 1 FROM ") %
                                       db::quoted(db::tables::waitingList) %
                                       QStringLiteral(" WHERE coalesce(") %
                                       db::quoted(entry::litterId) % QStringLiteral(", 0) = ?"),
                                   {litterId}, &pick);
    // A pup of the old litter matched to the entry is no longer its.
    if (problem.isEmpty())
        problem = db::runStatement(
            kennel,
            QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                QStringLiteral(" SET ") % db::quoted(entry::litterId) % QStringLiteral(" = ?, ") %
                db::quoted(entry::pick) % QStringLiteral(" = ?, ") % db::quoted(entry::dogId) %
                QStringLiteral(" = NULL, ") % db::quoted(entry::status) %
                QStringLiteral(" = CASE WHEN ") % db::quoted(entry::status) %
                QStringLiteral(" = ? THEN ? ELSE ") % db::quoted(entry::status) %
                QStringLiteral(" END WHERE ") % db::quoted(entry::id) %
                QStringLiteral(" = ? AND coalesce(") % db::quoted(entry::litterId) %
                QStringLiteral(", 0) <> ?"),
            {db::idOrNone(litterId), pick, matchedStatus, depositPaidStatus, d.entryId, litterId});
    return logged.land(transaction, problem);
}

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
