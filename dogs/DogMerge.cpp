#include "dogs/DogMerge.h"

#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "dogs/DogRecords.h"
#include "kennel/Ancestry.h"
#include "kennel/Changes.h"
#include "kennel/Dogs.h"
#include "kennel/NameLinks.h"
#include "kennel/Whelping.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>

namespace dogs {
namespace {

namespace dog = db::fields::dogs;

} // namespace

QHash<QString, QVariant> dogValues(const QSqlDatabase &kennel, qint64 dogId)
{
    const QVariantMap found = kennel::dogFields(kennel, {dogId}, DogRecords::fields())
                                  .value_or(QHash<qint64, QVariantMap>{})
                                  .value(dogId);
    QHash<QString, QVariant> values;
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

core::WriteResult<> mergeDogs(const QSqlDatabase &kennel, qint64 kept, qint64 merged,
                              const QHash<QString, QVariant> &chosen)
{
    if (kept == merged)
        return core::failure(QStringLiteral("a dog cannot be merged with itself"));
    const QHash<QString, QVariant> keptValues = dogValues(kennel, kept);
    const QHash<QString, QVariant> mergedValues = dogValues(kennel, merged);
    if (keptValues.isEmpty() || mergedValues.isEmpty())
        return core::failure(QStringLiteral("one of the dogs is no longer in the kennel"));
    const QString keptName = keptValues.value(dog::name).toString();
    const QString mergedName = mergedValues.value(dog::name).toString();
    const QString finalName = chosen.value(dog::name, keptName).toString();
    QString error;
    for (const auto &[from, name] : {std::pair{kept, mergedName}, std::pair{merged, keptName}}) {
        const std::optional<bool> loop = kennel::hasAncestorNamed(kennel, from, name, &error);
        if (!loop)
            return core::failure(error);
        if (*loop)
            return core::failure(QStringLiteral("%1 is an ancestor of the other dog: one record "
                                                "of both would be its own ancestor")
                                     .arg(name));
    }
    for (const QString &parent : {dog::sire, dog::dam}) {
        const QString named = chosen.value(parent, keptValues.value(parent)).toString();
        for (const QString &name : {keptName, mergedName, finalName}) {
            if (!named.isEmpty() && named.compare(name, Qt::CaseInsensitive) == 0)
                return core::failure(QStringLiteral("the dog would be its own parent"));
        }
    }
    // The records naming either name, found before any name changes.
    QList<kennel::Naming> naming;
    for (const QString &name : {keptName, mergedName}) {
        QList<qint64> others;
        QList<kennel::Naming> found;
        if (!kennel::dogsNamed(kennel, name, -1, &others, &error) ||
            !kennel::findNaming(kennel, kennel::dogLinks(), name, &found, &error))
            return core::failure(error);
        // A third dog of the name shares its records; they cannot be moved.
        others.removeAll(kept);
        others.removeAll(merged);
        if (others.isEmpty())
            naming += found;
    }

    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Merged %1 into %2").arg(mergedName, finalName));
    QString problem = kennel::writeDogFields(kennel, kept, chosen);
    if (problem.isEmpty())
        problem = kennel::renameNaming(kennel, naming, finalName);
    namespace notes = db::fields::notes;
    namespace vaccinations = db::fields::vaccinations;
    for (const auto &[table, field] :
         {std::pair{db::tables::notes, notes::dogId},
          std::pair{db::tables::vaccinations, vaccinations::dogId},
          std::pair{db::tables::healthResults, db::fields::healthResults::dogId},
          std::pair{db::tables::seasons, db::fields::seasons::dogId},
          std::pair{db::tables::weights, db::fields::weights::dogId},
          std::pair{db::tables::photos, db::fields::photos::dogId},
          std::pair{db::tables::showResults, db::fields::showResults::dogId},
          std::pair{db::tables::accounts, db::fields::accounts::dogId},
          std::pair{db::tables::waitingList, db::fields::waitingList::dogId},
          std::pair{db::tables::contracts, db::fields::contracts::dogId}}) {
        if (problem.isEmpty())
            problem = db::relink(kennel, table, field, merged, kept);
    }
    if (problem.isEmpty())
        problem = kennel::moveBirths(kennel, merged, kept);
    if (problem.isEmpty())
        problem = kennel::deleteDogRecord(kennel, merged);
    const core::WriteResult<> landed = logged.land(transaction, problem);
    if (landed)
        Q_EMIT kennel::Changes::instance().dogsMerged(kept, merged);
    return landed;
}

} // namespace dogs
