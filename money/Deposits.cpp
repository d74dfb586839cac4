#include "money/Deposits.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "money/Accounts.h"
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
    const db::QueryColumns columns(q);
    while (q.next()) {
        Deposit d;
        d.id = columns.value(field::id).toLongLong();
        d.entryId = columns.value(field::entryId).toLongLong();
        d.cents = columns.value(field::amount).toLongLong();
        d.paid = core::datetext::fromStored(columns.value(field::paid));
        d.method = columns.value(field::method).toString();
        d.outcome = columns.value(field::outcome).toString();
        d.litterId = columns.value(field::litterId).toLongLong();
        d.salesId = columns.value(field::salesId).toLongLong();
        d.refunded = core::datetext::fromStored(columns.value(field::refunded));
        d.refundCents = columns.value(field::refundAmount).toLongLong();
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

} // namespace money
