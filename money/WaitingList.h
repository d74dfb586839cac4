#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace money {

// The steps of an entry, in the order a buyer goes through them.
QStringList statusWords();
inline const QString enquiryStatus = QStringLiteral("Enquiry");
inline const QString depositPaidStatus = QStringLiteral("Deposit paid");
inline const QString matchedStatus = QStringLiteral("Matched");
inline const QString soldStatus = QStringLiteral("Sold");
inline const QString withdrawnStatus = QStringLiteral("Withdrawn");

// A buyer's place on the waiting list. A litter id of 0 means "the next litter"; a dog id of
// 0, no pup matched yet.
struct WaitingEntry
{
    qint64 id = 0;
    qint64 contactId = 0;
    QDate enquired;
    QString sex;
    QString colour;
    QString breed;
    qint64 litterId = 0;
    QString status;
    int pick = 0;
    qint64 dogId = 0;
    QString note;
    qint64 held = 0; // the deposits held for it, in cents, as read
};

std::optional<std::vector<WaitingEntry>> waitingEntries(const QSqlDatabase &kennel);
// What keeps an entry from being kept, or empty.
QString entryProblem(const WaitingEntry &entry);
// Adds it at the end of its litter's pick order; answers its id.
core::WriteResult<qint64> addWaitingEntry(QSqlDatabase kennel, WaitingEntry entry,
                                          const QString &contactName);
// Saves it; moved to another litter, it goes to the end of that litter's pick order.
core::WriteResult<> saveWaitingEntry(QSqlDatabase kennel, const WaitingEntry &entry,
                                     const QString &contactName);
// Refused while deposits were paid on it: they belong to the accounts.
QString removalRefusal(const QSqlDatabase &kennel, qint64 entryId);
core::WriteResult<> removeWaitingEntry(QSqlDatabase kennel, qint64 entryId,
                                       const QString &contactName);
// Gives the entries of one litter (0 for the next) places 1, 2, 3... in the order given.
core::WriteResult<> setPickOrder(QSqlDatabase kennel, const QList<qint64> &entryIds);

// A pup of a litter that can be matched to a buyer.
struct PupChoice
{
    qint64 dogId = 0;
    QString name;
    QString sex;
    QString colour;
};
std::optional<std::vector<PupChoice>> pupsOfLitter(const QSqlDatabase &kennel, qint64 litterId);
// Why the pup cannot be matched to this entry (it is matched to another buyer), or empty.
QString matchRefusal(const QSqlDatabase &kennel, qint64 entryId, qint64 dogId);
// Matches the pup to the entry, which becomes "Matched"; 0 takes the match back.
core::WriteResult<> matchPup(QSqlDatabase kennel, qint64 entryId, qint64 dogId,
                             const QString &contactName);

// Adds a contact from the waiting list, written as "Enter a New Contact" writes one; answers
// its id.
core::WriteResult<qint64> addContactNamed(QSqlDatabase kennel, const QString &name);

} // namespace money
