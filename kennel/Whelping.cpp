#include "kennel/Whelping.h"

#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {
namespace {

namespace whelp = db::fields::whelping;
namespace dog = db::fields::dogs;

} // namespace

std::optional<std::vector<WhelpedPup>> whelpingOf(const QSqlDatabase &kennel, const Litter &litter)
{
    const auto pups = pupsOf(kennel, litter.id, litter.sire, litter.dam, litter.born);
    if (!pups)
        return std::nullopt;
    std::vector<WhelpedPup> whelped;
    QSqlQuery recorded(kennel);
    recorded.prepare(
        db::selectFrom(db::tables::whelping, {whelp::born, whelp::markings, whelp::alive}) %
        QStringLiteral(" WHERE ") % db::quoted(whelp::litterId) % QStringLiteral(" = ? AND ") %
        db::quoted(whelp::dogId) % QStringLiteral(" = ?"));
    QSqlQuery record(kennel);
    record.prepare(db::selectFrom(db::tables::dogs, {dog::colour, dog::died}) %
                   QStringLiteral(" WHERE ") % db::quoted(dog::id) % QStringLiteral(" = ?"));
    for (const Pup &pup : *pups) {
        WhelpedPup w;
        w.dogId = pup.dogId;
        w.name = pup.name;
        w.sex = pup.sex;
        w.collar = pup.collar;
        w.birthGrams = pup.birthGrams;
        record.addBindValue(pup.dogId);
        if (!db::execRead(record))
            return std::nullopt;
        if (record.next()) {
            w.colour = record.value(0).toString();
            w.died = core::datetext::fromStored(record.value(1));
        }
        recorded.addBindValue(litter.id);
        recorded.addBindValue(pup.dogId);
        if (!db::execRead(recorded))
            return std::nullopt;
        if (recorded.next()) {
            w.time = core::moments::fromStored(recorded.value(0).toString()).time;
            w.markings = recorded.value(1).toString();
            w.alive = recorded.value(2).toInt() != 0;
        }
        whelped.push_back(w);
    }
    return whelped;
}

std::vector<core::moments::Moment> birthMoments(const Litter &litter,
                                                const std::vector<WhelpedPup> &pups)
{
    std::vector<core::moments::Moment> moments;
    QDate day = pupsBirthday(litter.born);
    QTime before;
    for (const WhelpedPup &pup : pups) {
        if (pup.time.isValid()) {
            if (before.isValid() && pup.time < before)
                day = day.addDays(1);
            before = pup.time;
        }
        moments.push_back({day, pup.time});
    }
    return moments;
}

core::WriteResult<> saveWhelping(QSqlDatabase kennel, const Litter &litter,
                                 const std::vector<WhelpedPup> &pups)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(
        kennel, QStringLiteral("Recorded the whelping of %1 and %2").arg(litter.dam, litter.sire));
    const std::vector<core::moments::Moment> born = birthMoments(litter, pups);
    QString problem = db::runStatement(
        kennel,
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::whelping) %
            QStringLiteral(" WHERE ") % db::quoted(whelp::litterId) % QStringLiteral(" = ?"),
        {litter.id});
    int added = 0;
    for (size_t i = 0; i < pups.size() && problem.isEmpty(); ++i) {
        const WhelpedPup &pup = pups[i];
        qint64 dogId = pup.dogId;
        if (dogId == 0) {
            const NewLitter newLitter{litter.sire, litter.dam, litter.breed, 0, litter.born};
            const auto made =
                addPlaceholderPup(kennel, litter.id, newLitter, litter.size + ++added);
            if (!made) {
                problem = made.problem();
                break;
            }
            dogId = made.value();
        }
        const QDate died = !pup.alive ? born[i].day : pup.died;
        problem = db::runStatement(
            kennel,
            db::updateWhere(db::tables::dogs, {dog::sex, dog::colour, dog::born, dog::died},
                            dog::id),
            {pup.sex.isEmpty() ? QVariant() : QVariant(pup.sex),
             pup.colour.isEmpty() ? QVariant() : QVariant(pup.colour),
             core::datetext::toStored(born[i].day),
             died.isValid() ? QVariant(core::datetext::toStored(died)) : QVariant(), dogId});
        if (problem.isEmpty())
            problem = db::runStatement(
                kennel,
                db::insertInto(db::tables::whelping,
                               {whelp::litterId, whelp::dogId, whelp::order, whelp::born,
                                whelp::markings, whelp::collar, whelp::birthGrams, whelp::alive}),
                {litter.id, dogId, int(i + 1), core::moments::toStored(born[i]), pup.markings,
                 pup.collar.trimmed(), pup.birthGrams > 0 ? QVariant(pup.birthGrams) : QVariant(),
                 int(pup.alive)});
    }
    if (problem.isEmpty() && int(pups.size()) > litter.size)
        problem = db::runStatement(kennel,
                                   db::updateWhere(db::tables::litters, {db::fields::litters::size},
                                                   db::fields::litters::id),
                                   {int(pups.size()), litter.id});
    return logged.land(transaction, problem);
}

QString forgetBirths(const QSqlDatabase &kennel, qint64 dogId)
{
    return db::runStatement(kennel,
                            QStringLiteral("DELETE FROM ") % db::quoted(db::tables::whelping) %
                                QStringLiteral(" WHERE ") % db::quoted(whelp::dogId) %
                                QStringLiteral(" = ?"),
                            {dogId});
}

QString moveBirths(const QSqlDatabase &kennel, qint64 from, qint64 to)
{
    return db::relink(kennel, db::tables::whelping, whelp::dogId, from, to);
}

} // namespace kennel
