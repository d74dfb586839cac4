#include "dogs/DogRemoval.h"

#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Changes.h"
#include "kennel/Dogs.h"
#include "kennel/NameLinks.h"
#include "kennel/Whelping.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

namespace dogs {
namespace {

QString plural(qint64 count, const QString &one, const QString &many)
{
    return QStringLiteral("%L1 %2").arg(count).arg(count == 1 ? one : many);
}

} // namespace

qint64 DogRemoval::offspring() const
{
    qint64 count = 0;
    for (const kennel::Naming &n : naming) {
        if (kennel::inDogRecords(n.link))
            count += n.rows.size();
    }
    return count;
}

core::WriteResult<DogRemoval> plannedRemoval(const QSqlDatabase &kennel, qint64 dogId)
{
    namespace notes = db::fields::notes;
    namespace vaccinations = db::fields::vaccinations;
    DogRemoval removal;
    removal.dogId = dogId;
    const std::optional<QString> name = kennel::dogName(kennel, dogId);
    if (!name)
        return core::failure(QStringLiteral("the dog is no longer in the kennel"));
    removal.name = *name;
    QString error;
    QList<qint64> namesakes;
    if (!kennel::dogsNamed(kennel, removal.name, dogId, &namesakes, &error) ||
        !kennel::findNaming(kennel, kennel::dogLinks(), removal.name, &removal.naming, &error))
        return core::failure(error);
    removal.nameShared = !namesakes.isEmpty();
    if (removal.nameShared)
        removal.naming.clear();
    // Its own vaccinations name it too, but go with it.
    QSqlQuery own(kennel);
    own.prepare(QStringLiteral("SELECT rowid FROM ") % db::quoted(db::tables::vaccinations) %
                QStringLiteral(" WHERE ") % db::quoted(vaccinations::dogId) %
                QStringLiteral(" = ?"));
    own.addBindValue(dogId);
    if (!own.exec())
        return core::failure(own.lastError().text());
    QList<qint64> ownRows;
    while (own.next())
        ownRows << own.value(0).toLongLong();
    for (kennel::Naming &n : removal.naming) {
        if (n.link.table == db::tables::vaccinations)
            n.rows.removeIf([&](qint64 row) { return ownRows.contains(row); });
    }
    removal.naming.removeIf([](const kennel::Naming &n) { return n.rows.isEmpty(); });
    for (const auto &[table, field, count] :
         {std::tuple{db::tables::notes, notes::dogId, &removal.notes},
          std::tuple{db::tables::vaccinations, vaccinations::dogId, &removal.vaccinations},
          std::tuple{db::tables::healthResults, db::fields::healthResults::dogId,
                     &removal.healthResults},
          std::tuple{db::tables::seasons, db::fields::seasons::dogId, &removal.seasons},
          std::tuple{db::tables::weights, db::fields::weights::dogId, &removal.weighings},
          std::tuple{db::tables::photos, db::fields::photos::dogId, &removal.photos},
          std::tuple{db::tables::showResults, db::fields::showResults::dogId, &removal.showResults},
          std::tuple{db::tables::accounts, db::fields::accounts::dogId, &removal.accountEntries}}) {
        if (QString problem = db::runStatement(kennel,
                                               QStringLiteral("SELECT count(*) FROM ") %
                                                   db::quoted(table) % QStringLiteral(" WHERE ") %
                                                   db::quoted(field) % QStringLiteral(" = ?"),
                                               {dogId}, count);
            !problem.isEmpty())
            return core::failure(problem);
    }
    return removal;
}

QString removalQuestion(const DogRemoval &removal)
{
    QString text = QStringLiteral("Delete %1?").arg(removal.name);
    if (const qsizetype named = kennel::countOf(removal.naming); named > 0)
        text +=
            QStringLiteral(" It is named in %1 (%2).")
                .arg(plural(named, QStringLiteral("other record"), QStringLiteral("other records")),
                     kennel::describeNaming(removal.naming));
    if (removal.notes + removal.vaccinations > 0 && removal.healthResults == 0)
        text += QStringLiteral(" Its %1 and %2 are deleted with it.")
                    .arg(plural(removal.notes, QStringLiteral("note"), QStringLiteral("notes")),
                         plural(removal.vaccinations, QStringLiteral("vaccination"),
                                QStringLiteral("vaccinations")));
    else if (removal.healthResults > 0)
        text += QStringLiteral(" Its %1, %2 and %3 are deleted with it.")
                    .arg(plural(removal.notes, QStringLiteral("note"), QStringLiteral("notes")),
                         plural(removal.vaccinations, QStringLiteral("vaccination"),
                                QStringLiteral("vaccinations")),
                         plural(removal.healthResults, QStringLiteral("health result"),
                                QStringLiteral("health results")));
    if (removal.seasons > 0)
        text +=
            QStringLiteral(" Its recorded seasons (%1) are deleted with it.").arg(removal.seasons);
    if (removal.weighings > 0)
        text += QStringLiteral(" Its weighings (%1) are deleted with it.").arg(removal.weighings);
    if (removal.photos > 0)
        text += QStringLiteral(" Its photos (%1) are deleted with it.").arg(removal.photos);
    if (removal.showResults > 0)
        text +=
            QStringLiteral(" Its show results (%1) are deleted with it.").arg(removal.showResults);
    if (removal.accountEntries > 0)
        text += QStringLiteral(" Its accounts entries (%1) are kept, without the dog.")
                    .arg(removal.accountEntries);
    return text;
}

core::WriteResult<> removeDog(const QSqlDatabase &kennel, const DogRemoval &removal,
                              bool clearParents)
{
    namespace notes = db::fields::notes;
    namespace vaccinations = db::fields::vaccinations;
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Deleted %1").arg(removal.name));
    auto deleteWhere = [&](const QString &table, const QString &field) {
        return db::runStatement(kennel,
                                QStringLiteral("DELETE FROM ") % db::quoted(table) %
                                    QStringLiteral(" WHERE ") % db::quoted(field) %
                                    QStringLiteral(" = ?"),
                                {removal.dogId});
    };
    QString problem = deleteWhere(db::tables::notes, notes::dogId);
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::vaccinations, vaccinations::dogId);
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::healthResults, db::fields::healthResults::dogId);
    if (problem.isEmpty())
        problem = db::runStatement(
            kennel,
            QStringLiteral("DELETE FROM ") % db::quoted(db::tables::progesterone) %
                QStringLiteral(" WHERE ") % db::quoted(db::fields::progesterone::seasonId) %
                QStringLiteral(" IN (SELECT ") % db::quoted(db::fields::seasons::id) %
                QStringLiteral(" FROM ") % db::quoted(db::tables::seasons) %
                QStringLiteral(" WHERE ") % db::quoted(db::fields::seasons::dogId) %
                QStringLiteral(" = ?)"),
            {removal.dogId});
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::seasons, db::fields::seasons::dogId);
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::weights, db::fields::weights::dogId);
    if (problem.isEmpty())
        problem = kennel::forgetBirths(kennel, removal.dogId);
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::photos, db::fields::photos::dogId);
    if (problem.isEmpty())
        problem = deleteWhere(db::tables::showResults, db::fields::showResults::dogId);
    // A buyer matched to the dog waits for a pup again.
    if (problem.isEmpty())
        problem = db::runStatement(
            kennel,
            QStringLiteral("UPDATE ") % db::quoted(db::tables::waitingList) %
                QStringLiteral(" SET ") % db::quoted(db::fields::waitingList::status) %
                QStringLiteral(" = 'Approved' WHERE ") %
                db::quoted(db::fields::waitingList::dogId) % QStringLiteral(" = ? AND ") %
                db::quoted(db::fields::waitingList::status) % QStringLiteral(" = 'Matched'"),
            {removal.dogId});
    for (const auto &[table, field] :
         {std::pair{db::tables::accounts, db::fields::accounts::dogId},
          std::pair{db::tables::waitingList, db::fields::waitingList::dogId},
          std::pair{db::tables::contracts, db::fields::contracts::dogId}}) {
        if (problem.isEmpty())
            problem = db::relink(kennel, table, field, removal.dogId, db::idOrNone(0));
    }
    if (problem.isEmpty())
        problem = kennel::deleteDogRecord(kennel, removal.dogId);
    if (problem.isEmpty() && clearParents) {
        QList<kennel::Naming> parents;
        for (const kennel::Naming &n : removal.naming) {
            if (kennel::inDogRecords(n.link))
                parents << n;
        }
        problem = kennel::renameNaming(kennel, parents, QStringLiteral(""));
    }
    const core::WriteResult<> landed = logged.land(transaction, problem);
    if (landed)
        Q_EMIT kennel::Changes::instance().dogDeleted(removal.dogId);
    return landed;
}

} // namespace dogs
