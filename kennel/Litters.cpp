#include "kennel/Litters.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"

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

} // namespace

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

} // namespace kennel
