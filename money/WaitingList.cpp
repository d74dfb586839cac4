#include "money/WaitingList.h"

#include "breeding/Weights.h"
#include "contacts/ContactBook.h"
#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Contacts.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringBuilder>

namespace money {
namespace {

namespace field = db::fields::waitingList;
namespace deposit = db::fields::deposits;

const QStringList &entryFields()
{
    static const QStringList fields{field::contactId, field::enquired, field::sex,    field::colour,
                                    field::breed,     field::litterId, field::status, field::pick,
                                    field::dogId,     field::note};
    return fields;
}

QVariantList valuesOf(const WaitingEntry &e)
{
    return {e.contactId,
            core::datetext::toStored(e.enquired),
            e.sex.trimmed(),
            e.colour.trimmed(),
            e.breed.trimmed(),
            db::idOrNone(e.litterId),
            e.status,
            e.pick,
            db::idOrNone(e.dogId),
            e.note};
}

// "litterid = ?", or "litterid IS NULL" for the next litter.
QString sameLitter(qint64 litterId, QVariantList *values)
{
    if (litterId <= 0)
        return db::quoted(field::litterId) % QStringLiteral(" IS NULL");
    *values << litterId;
    return db::quoted(field::litterId) % QStringLiteral(" = ?");
}

QString nextPick(const QSqlDatabase &kennel, qint64 litterId, qint64 *pick)
{
    QVariantList values;
    const QString where = sameLitter(litterId, &values);
    const QString problem = db::runStatement(
        kennel,
        QStringLiteral("SELECT coalesce(max(") % db::quoted(field::pick) %
            QStringLiteral("), 0) + 1 FROM ") % db::quoted(db::tables::waitingList) %
            QStringLiteral(" WHERE ") % where,
        values, pick);
    return problem;
}

} // namespace

QStringList statusWords()
{
    return {enquiryStatus,     QStringLiteral("Approved"),
            depositPaidStatus, matchedStatus,
            soldStatus,        withdrawnStatus};
}

std::optional<std::vector<WaitingEntry>> waitingEntries(const QSqlDatabase &kennel)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    const QString held = QStringLiteral("(SELECT coalesce(sum(") % db::quoted(deposit::amount) %
                         QStringLiteral(" - coalesce(") % db::quoted(deposit::refundAmount) %
                         QStringLiteral(", 0)), 0) FROM ") % db::quoted(db::tables::deposits) %
                         QStringLiteral(" d WHERE d.") % db::quoted(deposit::entryId) %
                         QStringLiteral(" = w.") % db::quoted(field::id) %
                         QStringLiteral(" AND d.") % db::quoted(deposit::outcome) %
                         QStringLiteral(" IN ('Held', 'Carried'))");
    QStringList columns{QStringLiteral("w.") + db::quoted(field::id)};
    for (const QString &f : entryFields())
        columns << QStringLiteral("w.") + db::quoted(f);
    if (!db::execRead(q, QStringLiteral("SELECT ") % columns.join(QStringLiteral(", ")) %
                             QStringLiteral(", ") % held % QStringLiteral(" AS held FROM ") %
                             db::quoted(db::tables::waitingList) %
                             QStringLiteral(" w ORDER BY w.") % db::quoted(field::pick) %
                             QStringLiteral(", w.") % db::quoted(field::id)))
        return std::nullopt;
    std::vector<WaitingEntry> entries;
    const db::QueryColumns read(q);
    while (q.next()) {
        WaitingEntry e;
        e.id = read.value(field::id).toLongLong();
        e.contactId = read.value(field::contactId).toLongLong();
        e.enquired = core::datetext::fromStored(read.value(field::enquired));
        e.sex = read.value(field::sex).toString();
        e.colour = read.value(field::colour).toString();
        e.breed = read.value(field::breed).toString();
        e.litterId = read.value(field::litterId).toLongLong();
        e.status = read.value(field::status).toString();
        e.pick = read.value(field::pick).toInt();
        e.dogId = read.value(field::dogId).toLongLong();
        e.note = read.value(field::note).toString();
        e.held = read.value(QStringLiteral("held")).toLongLong();
        entries.push_back(std::move(e));
    }
    return entries;
}

QString entryProblem(const WaitingEntry &entry)
{
    if (entry.contactId <= 0)
        return QStringLiteral("Choose the contact the entry is for, or type a new name.");
    if (!entry.enquired.isValid())
        return QStringLiteral("An entry needs the date of the enquiry.");
    if (!statusWords().contains(entry.status))
        return QStringLiteral("Choose the status from the list.");
    return {};
}

core::WriteResult<qint64> addWaitingEntry(QSqlDatabase kennel, WaitingEntry entry,
                                          const QString &contactName)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Put %1 on the waiting list").arg(contactName));
    qint64 pick = 0;
    QString problem = nextPick(kennel, entry.litterId, &pick);
    entry.pick = int(pick);
    QSqlQuery q(kennel);
    if (problem.isEmpty()) {
        q.prepare(db::insertInto(db::tables::waitingList, entryFields()));
        for (const QVariant &v : valuesOf(entry))
            q.addBindValue(v);
        if (!q.exec())
            problem = q.lastError().text();
    }
    const qint64 id = q.lastInsertId().toLongLong();
    if (const auto landed = logged.land(transaction, problem); !landed)
        return core::failure(landed.problem());
    return id;
}

core::WriteResult<> saveWaitingEntry(QSqlDatabase kennel, const WaitingEntry &entry,
                                     const QString &contactName)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(
        kennel, QStringLiteral("Changed the waiting list entry of %1").arg(contactName));
    qint64 storedLitter = 0;
    QString problem = db::runStatement(
        kennel,
        QStringLiteral("SELECT coalesce(") % db::quoted(field::litterId) %
            QStringLiteral(", 0) FROM ") % db::quoted(db::tables::waitingList) %
            QStringLiteral(" WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
        {entry.id}, &storedLitter);
    WaitingEntry saved = entry;
    if (problem.isEmpty() && storedLitter != entry.litterId) {
        qint64 pick = 0;
        problem = nextPick(kennel, entry.litterId, &pick);
        saved.pick = int(pick);
    }
    if (problem.isEmpty())
        problem = db::runStatement(
            kennel, db::updateWhere(db::tables::waitingList, entryFields(), field::id),
            valuesOf(saved) << entry.id);
    return logged.land(transaction, problem);
}

QString removalRefusal(const QSqlDatabase &kennel, qint64 entryId)
{
    qint64 deposits = 0;
    const QString problem = db::runStatement(
        kennel,
        QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::deposits) %
            QStringLiteral(" WHERE ") % db::quoted(deposit::entryId) % QStringLiteral(" = ?"),
        {entryId}, &deposits);
    if (!problem.isEmpty())
        return QStringLiteral("The deposits of the entry could not be read: ") + problem;
    if (deposits > 0)
        return QStringLiteral("A deposit was paid on this entry, and the accounts keep it: set "
                              "the entry to \"Withdrawn\" instead.");
    return {};
}

core::WriteResult<> removeWaitingEntry(QSqlDatabase kennel, qint64 entryId,
                                       const QString &contactName)
{
    const auto removed = db::runLogged(
        kennel, QStringLiteral("Took %1 off the waiting list").arg(contactName),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::waitingList) %
            QStringLiteral(" WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
        {entryId});
    if (!removed)
        return core::failure(removed.problem());
    return {};
}

core::WriteResult<> setPickOrder(QSqlDatabase kennel, const QList<qint64> &entryIds)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Changed the pick order"));
    QString problem;
    for (qsizetype i = 0; i < entryIds.size() && problem.isEmpty(); ++i)
        problem = db::runStatement(kennel,
                                   QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                                       QStringLiteral(" SET ") % db::quoted(field::pick) %
                                       QStringLiteral(" = ? WHERE ") % db::quoted(field::id) %
                                       QStringLiteral(" = ?"),
                                   {i + 1, entryIds[i]});
    return logged.land(transaction, problem);
}

std::optional<std::vector<PupChoice>> pupsOfLitter(const QSqlDatabase &kennel, qint64 litterId)
{
    const auto litter = kennel::litterWithId(kennel, litterId);
    if (!litter)
        return std::nullopt;
    const auto pups = breeding::litterPups(kennel, *litter);
    if (!pups)
        return std::nullopt;
    std::vector<PupChoice> choices;
    for (const breeding::LitterPup &pup : *pups)
        choices.push_back({pup.dogId, pup.name, pup.sex, pup.collar});
    return choices;
}

QString matchRefusal(const QSqlDatabase &kennel, qint64 entryId, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::waitingList, {field::contactId}) %
              QStringLiteral(" WHERE ") % db::quoted(field::dogId) % QStringLiteral(" = ? AND ") %
              db::quoted(field::id) % QStringLiteral(" <> ? AND ") % db::quoted(field::status) %
              QStringLiteral(" <> ? LIMIT 1"));
    q.addBindValue(dogId);
    q.addBindValue(entryId);
    q.addBindValue(withdrawnStatus);
    if (!db::execRead(q))
        return QStringLiteral("The waiting list could not be read.");
    if (q.next())
        return QStringLiteral("That pup is already matched to %1. Take that match back first.")
            .arg(kennel::contactName(kennel, q.value(0).toLongLong()).value_or(QString()));
    return {};
}

core::WriteResult<> matchPup(QSqlDatabase kennel, qint64 entryId, qint64 dogId,
                             const QString &contactName)
{
    const auto matched = db::runLogged(
        kennel,
        dogId > 0 ? QStringLiteral("Matched a pup to %1").arg(contactName)
                  : QStringLiteral("Took back the pup matched to %1").arg(contactName),
        QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) % QStringLiteral(" SET ") %
            db::quoted(field::dogId) % QStringLiteral(" = ?, ") % db::quoted(field::status) %
            QStringLiteral(" = CASE WHEN ? THEN ? WHEN ") % db::quoted(field::status) %
            QStringLiteral(" <> ? THEN ") % db::quoted(field::status) %
            QStringLiteral(" WHEN EXISTS (SELECT 1 FROM ") % db::quoted(db::tables::deposits) %
            QStringLiteral(" WHERE ") % db::quoted(deposit::entryId) % QStringLiteral(" = ? AND ") %
            db::quoted(deposit::outcome) %
            QStringLiteral(" IN ('Held', 'Carried')) THEN ? ELSE 'Approved' END WHERE ") %
            db::quoted(field::id) % QStringLiteral(" = ?"),
        {db::idOrNone(dogId), dogId > 0, matchedStatus, matchedStatus, entryId, depositPaidStatus,
         entryId});
    if (!matched)
        return core::failure(matched.problem());
    return {};
}

core::WriteResult<qint64> addContactNamed(QSqlDatabase kennel, const QString &name)
{
    return contacts::addContact(kennel, {{db::fields::contacts::name, name}});
}

} // namespace money
