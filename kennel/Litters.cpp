#include "kennel/Litters.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/SqlRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlQuery>
#include <QStringBuilder>
#include <set>

namespace kennel {
namespace {

namespace whelp = db::fields::whelping;
namespace dog = db::fields::dogs;
namespace litter = db::fields::litters;

// The day a litter's pups were given, as SQL over its stored day.
QString pupsBirthdayOf(const QString &litterDay)
{
    return QStringLiteral("CASE WHEN substr(") % litterDay %
           QStringLiteral(", 1, 4) = '1900' THEN '2000' || substr(") % litterDay %
           QStringLiteral(", 5) ELSE ") % litterDay % QStringLiteral(" END");
}

std::optional<std::vector<Litter>> readLitters(const QSqlDatabase &kennel, const QString &where,
                                               const QVariantList &values)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::litters, {litter::id, litter::sire, litter::dam,
                                                   litter::born, litter::size, litter::breed}) %
              where % QStringLiteral(" ORDER BY ") % db::quoted(litter::born) %
              QStringLiteral(" DESC, ") % db::quoted(litter::id) % QStringLiteral(" DESC"));
    for (const QVariant &value : values)
        q.addBindValue(value);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<Litter> found;
    while (q.next())
        found.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                         core::datetext::fromStored(q.value(3)), q.value(4).toInt(),
                         q.value(5).toString()});
    if (!db::readToEnd(q))
        return std::nullopt;
    return found;
}

} // namespace

QString Litter::label() const
{
    return QStringLiteral("%1 x %2, %3").arg(dam, sire, core::datetext::shortDate(born));
}

QDate pupsBirthday(const QDate &litterDay)
{
    return litterDay.year() == 1900 ? QDate(2000, litterDay.month(), litterDay.day()) : litterDay;
}

std::optional<std::vector<Pup>> pupsOf(const QSqlDatabase &kennel, qint64 litterId,
                                       const QString &sire, const QString &dam,
                                       const QDate &litterDay)
{
    std::vector<Pup> pups;
    std::set<qint64> listed;
    QSqlQuery born(kennel);
    born.setForwardOnly(true);
    born.prepare(QStringLiteral("SELECT w.") % db::quoted(whelp::dogId) % QStringLiteral(", d.") %
                 db::quoted(dog::name) % QStringLiteral(", w.") % db::quoted(whelp::collar) %
                 QStringLiteral(", d.") % db::quoted(dog::sex) % QStringLiteral(", w.") %
                 db::quoted(whelp::birthGrams) % QStringLiteral(", w.") % db::quoted(whelp::born) %
                 QStringLiteral(" FROM ") % db::quoted(db::tables::whelping) %
                 QStringLiteral(" w JOIN ") % db::quoted(db::tables::dogs) %
                 QStringLiteral(" d ON d.") % db::quoted(dog::id) % QStringLiteral(" = w.") %
                 db::quoted(whelp::dogId) % QStringLiteral(" WHERE w.") %
                 db::quoted(whelp::litterId) % QStringLiteral(" = ? ORDER BY w.") %
                 db::quoted(whelp::order));
    born.addBindValue(litterId);
    if (!db::execRead(born))
        return std::nullopt;
    const QDate birthday = pupsBirthday(litterDay);
    while (born.next()) {
        Pup pup;
        pup.dogId = born.value(0).toLongLong();
        pup.name = born.value(1).toString();
        pup.collar = born.value(2).toString();
        pup.sex = born.value(3).toString();
        pup.birthGrams = born.value(4).toDouble();
        pup.born = core::moments::fromStored(born.value(5).toString());
        if (!pup.born.day.isValid())
            pup.born.day = birthday;
        pup.whelped = true;
        listed.insert(pup.dogId);
        pups.push_back(pup);
    }
    QSqlQuery others(kennel);
    others.setForwardOnly(true);
    others.prepare(db::selectFrom(db::tables::dogs, {dog::id, dog::name, dog::sex}) %
                   QStringLiteral(" WHERE ") % db::quoted(dog::sire) % QStringLiteral(" = ? AND ") %
                   db::quoted(dog::dam) % QStringLiteral(" = ? AND ") % db::quoted(dog::born) %
                   QStringLiteral(" = ? ORDER BY ") % db::quoted(dog::id));
    others.addBindValue(sire);
    others.addBindValue(dam);
    others.addBindValue(core::datetext::toStored(birthday));
    if (!db::execRead(others))
        return std::nullopt;
    while (others.next()) {
        const qint64 id = others.value(0).toLongLong();
        if (!listed.insert(id).second)
            continue;
        Pup pup;
        pup.dogId = id;
        pup.name = others.value(1).toString();
        pup.sex = others.value(2).toString();
        pup.born.day = birthday;
        pups.push_back(pup);
    }
    if (!db::readToEnd(others))
        return std::nullopt;
    return pups;
}

std::optional<qint64> litterOf(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    // As it was born, where the whelping was recorded.
    q.prepare(QStringLiteral("SELECT ") % db::quoted(whelp::litterId) % QStringLiteral(" FROM ") %
              db::quoted(db::tables::whelping) % QStringLiteral(" WHERE ") %
              db::quoted(whelp::dogId) % QStringLiteral(" = ? ORDER BY ") % db::quoted(whelp::id) %
              QStringLiteral(" LIMIT 1"));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    if (q.next())
        return q.value(0).toLongLong();
    q.prepare(QStringLiteral("SELECT l.") % db::quoted(litter::id) % QStringLiteral(" FROM ") %
              db::quoted(db::tables::litters) % QStringLiteral(" l JOIN ") %
              db::quoted(db::tables::dogs) % QStringLiteral(" d ON l.") % db::quoted(litter::sire) %
              QStringLiteral(" = d.") % db::quoted(dog::sire) % QStringLiteral(" AND l.") %
              db::quoted(litter::dam) % QStringLiteral(" = d.") % db::quoted(dog::dam) %
              QStringLiteral(" AND ") %
              pupsBirthdayOf(QStringLiteral("l.") % db::quoted(litter::born)) %
              QStringLiteral(" = d.") % db::quoted(dog::born) % QStringLiteral(" WHERE d.") %
              db::quoted(dog::id) % QStringLiteral(" = ? ORDER BY l.") % db::quoted(litter::id) %
              QStringLiteral(" LIMIT 1"));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    return q.next() ? q.value(0).toLongLong() : 0;
}

std::optional<std::vector<Litter>> allLitters(const QSqlDatabase &kennel)
{
    return readLitters(kennel, QString(), {});
}

std::optional<Litter> litterWithId(const QSqlDatabase &kennel, qint64 litterId)
{
    const auto found = readLitters(
        kennel, QStringLiteral(" WHERE ") % db::quoted(litter::id) % QStringLiteral(" = ?"),
        {litterId});
    if (!found || found->empty())
        return std::nullopt;
    return found->front();
}

QString eachStoredLitter(const QSqlDatabase &kennel,
                         const std::function<void(const StoredLitter &)> &each)
{
    return db::scanRows(kennel,
                        db::selectFrom(db::tables::litters,
                                       {litter::sire, litter::dam, litter::size, litter::born}) %
                            QStringLiteral(" ORDER BY ") % db::quoted(litter::born) %
                            QStringLiteral(" DESC"),
                        [&](const db::RawRow &row) {
                            each({row.string(0), row.string(1), row.string(2), row.string(3)});
                        });
}

QString litterParentsTerm(const QString &litterId)
{
    return QStringLiteral("(SELECT l.") % db::quoted(litter::dam) %
           QStringLiteral(" || ' ' || l.") % db::quoted(litter::sire) % QStringLiteral(" FROM ") %
           db::quoted(db::tables::litters) % QStringLiteral(" l WHERE l.") %
           db::quoted(litter::id) % QStringLiteral(" = ") % litterId % QLatin1Char(')');
}

QHash<QString, core::DataSet> littersOfSires(const QSqlDatabase &kennel, const QStringList &sires)
{
    return db::rowsHoldingExactly(
        kennel, db::tables::litters, litter::sire, sires,
        {litter::id, litter::sire, litter::dam, litter::size, litter::born, litter::breed});
}

core::WriteResult<qint64> addPlaceholderPup(QSqlDatabase db, qint64 litterId,
                                            const NewLitter &litter, int number)
{
    // The kennel's own name breeds and owns the pups; without a setup row they get none.
    const QVariantMap setup = db::setupRow(db);
    const QDate born = pupsBirthday(litter.born);
    db::TableCursor dogs(db, db::tables::dogs);
    if (!dogs.addNew())
        return core::failure(dogs.lastError());
    const QString name =
        QStringLiteral("PPLITTER") + core::signedText(litterId) + core::signedText(number);
    dogs.setValue(dog::name, name);
    dogs.setValue(dog::born, core::datetext::toStored(born));
    dogs.setValue(dog::countryOfBirth, setup.value(db::fields::setup::country));
    dogs.setValue(dog::breeder, setup.value(db::fields::setup::name));
    dogs.setValue(dog::owner, setup.value(db::fields::setup::name));
    dogs.setValue(dog::breed, litter.breed);
    dogs.setValue(dog::sire, litter.sire);
    dogs.setValue(dog::dam, litter.dam);
    dogs.setValue(dog::number, dogs.rowId());
    if (!dogs.update())
        return core::failure(dogs.lastError());
    return dogs.rowId();
}

core::WriteResult<qint64> addLitter(QSqlDatabase db, const NewLitter &litter)
{
    db::Transaction batch(db);
    db::LoggedChange logged(
        db, QStringLiteral("Added the litter of %1 and %2").arg(litter.dam, litter.sire));
    db::TableCursor litters(db, db::tables::litters);
    if (!litters.addNew())
        return core::failure(litters.lastError());
    const qint64 litterId = litters.rowId();
    litters.setValue(litter::sire, litter.sire);
    litters.setValue(litter::dam, litter.dam);
    litters.setValue(litter::size, litter.pups);
    litters.setValue(litter::born, core::datetext::toStored(litter.born));
    litters.setValue(litter::breed, litter.breed);
    if (!litters.update())
        return core::failure(litters.lastError());
    for (int i = 1; i <= litter.pups; ++i) {
        if (const auto pup = addPlaceholderPup(db, litterId, litter, i); !pup)
            return core::failure(pup.problem());
    }
    if (const auto landed = logged.land(batch); !landed)
        return core::failure(landed.problem());
    return litterId;
}

} // namespace kennel
