#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace money {

inline const QString heldOutcome = QStringLiteral("Held");
inline const QString appliedOutcome = QStringLiteral("Applied");
inline const QString refundedOutcome = QStringLiteral("Refunded");
inline const QString carriedOutcome = QStringLiteral("Carried");

// How a deposit can be paid, offered in a list that takes any other word too.
QStringList methodWords();

struct Deposit
{
    qint64 id = 0;
    qint64 entryId = 0;
    qint64 cents = 0;
    QDate paid;
    QString method;
    QString outcome;
    qint64 litterId = 0;
    qint64 salesId = 0;
    QDate refunded;
    qint64 refundCents = 0;

    // Still the kennel's to apply or refund.
    bool held() const { return outcome == heldOutcome || outcome == carriedOutcome; }
};

std::optional<std::vector<Deposit>> depositsOf(const QSqlDatabase &kennel, qint64 entryId);

// A deposit taken on an entry, with its income entry in the accounts; the entry becomes
// "Deposit paid" unless it is further on. Answers its id.
core::WriteResult<qint64> takeDeposit(QSqlDatabase kennel, const Deposit &deposit,
                                      const QString &contactName);
// Why the refund cannot be made, or empty: more than the deposit, before it was paid, or
// of a deposit no longer held.
QString refundProblem(const Deposit &deposit, qint64 cents, const QDate &day);
// Refunds the deposit in whole or in part, with its expense entry; what is not refunded is
// kept by the kennel.
core::WriteResult<> refundDeposit(QSqlDatabase kennel, const Deposit &deposit, qint64 cents,
                                  const QDate &day, const QString &contactName);
// Carries the deposit, and its entry, to another litter, which it counts for from then on.
core::WriteResult<> carryDeposit(QSqlDatabase kennel, const Deposit &deposit, qint64 litterId,
                                 const QString &contactName);

} // namespace money
