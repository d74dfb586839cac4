#include "money/Deposits.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/DogFinder.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
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

// The litter the dog was born in, by its parents and day of birth; 0 where none is recorded.
qint64 litterOfDog(const QSqlDatabase &kennel, qint64 dogId)
{
    namespace dog = db::fields::dogs;
    namespace litter = db::fields::litters;
    qint64 id = 0;
    db::runStatement(
        kennel,
        QStringLiteral("SELECT l.") % db::quoted(litter::id) % QStringLiteral(" FROM ") %
            db::quoted(db::tables::litters) % QStringLiteral(" l JOIN ") %
            db::quoted(db::tables::dogs) % QStringLiteral(" d ON l.") % db::quoted(litter::sire) %
            QStringLiteral(" = d.") % db::quoted(dog::sire) % QStringLiteral(" AND l.") %
            db::quoted(litter::dam) % QStringLiteral(" = d.") % db::quoted(dog::dam) %
            QStringLiteral(" AND l.") % db::quoted(litter::born) % QStringLiteral(" = d.") %
            db::quoted(dog::born) % QStringLiteral(" WHERE d.") % db::quoted(dog::id) %
            QStringLiteral(" = ? LIMIT 1"),
        {dogId}, &id);
    return id;
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

qint64 contactIdNamed(const QSqlDatabase &kennel, const QString &name)
{
    namespace contact = db::fields::contacts;
    qint64 id = 0;
    db::runStatement(kennel,
                     QStringLiteral("SELECT ") % db::quoted(contact::id) %
                         QStringLiteral(" FROM ") % db::quoted(db::tables::contacts) %
                         QStringLiteral(" WHERE ") % db::quoted(contact::name) %
                         QStringLiteral(" = ? ORDER BY rowid LIMIT 1"),
                     {name}, &id);
    return id;
}

std::optional<HeldDeposits> heldForSale(const QSqlDatabase &kennel, qint64 contactId, qint64 dogId)
{
    HeldDeposits held;
    if (contactId <= 0)
        return held;
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT d.") % db::quoted(field::id) % QStringLiteral(", d.") %
              db::quoted(field::amount) % QStringLiteral(", w.") % db::quoted(entry::id) %
              QStringLiteral(" FROM ") % db::quoted(db::tables::deposits) %
              QStringLiteral(" d JOIN ") % db::quoted(db::tables::waitingList) %
              QStringLiteral(" w ON w.") % db::quoted(entry::id) % QStringLiteral(" = d.") %
              db::quoted(field::entryId) % QStringLiteral(" WHERE w.") %
              db::quoted(entry::contactId) % QStringLiteral(" = ? AND (w.") %
              db::quoted(entry::dogId) % QStringLiteral(" = ? OR w.") % db::quoted(entry::dogId) %
              QStringLiteral(" IS NULL) AND w.") % db::quoted(entry::status) %
              QStringLiteral(" <> ? AND d.") % db::quoted(field::outcome) %
              QStringLiteral(" IN (?, ?) ORDER BY d.") % db::quoted(field::id));
    for (const QVariant &v :
         QVariantList{contactId, dogId, withdrawnStatus, heldOutcome, carriedOutcome})
        q.addBindValue(v);
    if (!db::execRead(q))
        return std::nullopt;
    Total total;
    while (q.next()) {
        held.depositIds << q.value(0).toLongLong();
        total.add(q.value(1).toLongLong());
        if (!held.entryIds.contains(q.value(2).toLongLong()))
            held.entryIds << q.value(2).toLongLong();
    }
    held.cents = total.value();
    return held;
}

std::optional<HeldDeposits> heldForSaleOf(const QSqlDatabase &kennel, const QString &dog,
                                          const QString &buyer)
{
    db::DogFinder finder(kennel, {db::fields::rowid});
    if (!finder.find(dog))
        return HeldDeposits();
    return heldForSale(kennel, contactIdNamed(kennel, buyer),
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
                          "difference on the Waiting List first, or type the full price.")
        .arg(core::formatMoney(deposit), core::formatMoney(price));
}

QString bookSale(const QSqlDatabase &kennel, const SaleMoney &sale)
{
    if (const QString beyond = depositBeyondPrice(sale.deposits.cents, sale.price);
        !beyond.isEmpty())
        return beyond;
    QString problem;
    for (const qint64 id : sale.deposits.depositIds) {
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::deposits) %
                    QStringLiteral(" SET ") % db::quoted(field::outcome) %
                    QStringLiteral(" = ?, ") % db::quoted(field::salesId) %
                    QStringLiteral(" = ? WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
                {appliedOutcome, sale.salesId, id});
    }
    for (const qint64 id : sale.deposits.entryIds) {
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                    QStringLiteral(" SET ") % db::quoted(entry::status) % QStringLiteral(" = ?, ") %
                    db::quoted(entry::dogId) % QStringLiteral(" = ? WHERE ") %
                    db::quoted(entry::id) % QStringLiteral(" = ?"),
                {soldStatus, sale.dogId, id});
    }
    if (!problem.isEmpty())
        return problem;
    AccountEntry e;
    e.date = sale.date;
    e.cents = sale.price - sale.deposits.cents;
    e.income = true;
    e.category = QStringLiteral("Sale");
    e.note = sale.deposits.cents > 0
                 ? QStringLiteral("%1 sold to %2, less the deposit of %3")
                       .arg(sale.dog, sale.buyer, core::formatMoney(sale.deposits.cents))
                 : QStringLiteral("%1 sold to %2").arg(sale.dog, sale.buyer);
    e.dogId = sale.dogId;
    e.litterId = litterOfDog(kennel, sale.dogId);
    e.contactId = sale.contactId;
    e.source = saleSource;
    e.sourceId = sale.salesId;
    if (sale.soldBefore) {
        // Sold again on the screen: the latest sale stands in place of the earlier one.
        qint64 earlier = 0;
        problem = db::runStatement(
            kennel,
            QStringLiteral("SELECT ") % db::quoted(db::fields::accounts::id) %
                QStringLiteral(" FROM ") % db::quoted(db::tables::accounts) %
                QStringLiteral(" WHERE ") % db::quoted(db::fields::accounts::source) %
                QStringLiteral(" = ? AND ") % db::quoted(db::fields::accounts::dogId) %
                QStringLiteral(" = ? ORDER BY ") % db::quoted(db::fields::accounts::id) %
                QStringLiteral(" DESC LIMIT 1"),
            {saleSource, sale.dogId}, &earlier);
        if (!problem.isEmpty())
            return problem;
        if (earlier > 0)
            problem = db::runStatement(
                kennel,
                QStringLiteral("UPDATE ") % db::quoted(db::tables::accounts) %
                    QStringLiteral(" SET ") % db::quoted(db::fields::accounts::sourceId) %
                    QStringLiteral(" = ? WHERE ") % db::quoted(db::fields::accounts::id) %
                    QStringLiteral(" = ?"),
                {sale.salesId, earlier});
        if (!problem.isEmpty())
            return problem;
    }
    return bookLinked(kennel, e);
}

} // namespace money
