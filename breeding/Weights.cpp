#include "breeding/Weights.h"

#include "core/DateText.h"
#include "core/Units.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Dogs.h"
#include "transfer/CsvExport.h"

#include <algorithm>
#include <QSqlQuery>
#include <QStringBuilder>

namespace breeding {
namespace {

namespace weight = db::fields::weights;

constexpr double heaviest = 120000; // grams

} // namespace

std::optional<double> readWeighing(const QString &typed, QString *problem)
{
    const std::optional<double> grams = core::units::readWeight(typed);
    if (!grams || *grams <= 0 || *grams > heaviest) {
        *problem = QStringLiteral("A weight is more than nothing and at most 120 kg (264 lb), "
                                  "typed as %1.")
                       .arg(core::units::weightHint());
        return std::nullopt;
    }
    return grams;
}

QString weighingProblem(const QSqlDatabase &kennel, const Weighing &w)
{
    if (!w.at.day.isValid())
        return QStringLiteral("A weighing needs its date.");
    const auto dog = kennel::lifeOf(kennel, w.dogId);
    if (!dog)
        return QStringLiteral("The dog is no longer in the kennel.");
    const QDate birthday = dog->born();
    if (birthday.isValid() && w.at.day < birthday)
        return QStringLiteral("A weighing cannot come before the dog was born (%1).")
            .arg(core::datetext::shortDate(birthday));
    QSqlQuery twice(kennel);
    twice.prepare(QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::weights) %
                  QStringLiteral(" WHERE ") % db::quoted(weight::dogId) %
                  QStringLiteral(" = ? AND ") % db::quoted(weight::weighed) %
                  QStringLiteral(" = ?"));
    twice.addBindValue(w.dogId);
    twice.addBindValue(core::moments::toStored(w.at));
    if (db::execRead(twice) && twice.next() && twice.value(0).toInt() > 0)
        return QStringLiteral("A weighing at %1 is recorded already.")
            .arg(core::moments::shortMoment(w.at));
    return {};
}

core::WriteResult<qint64> addWeighing(QSqlDatabase kennel, const Weighing &w,
                                      const QString &dogName)
{
    return db::runLogged(
        kennel, QStringLiteral("Added a weighing of %1").arg(dogName),
        db::insertInto(db::tables::weights, {weight::dogId, weight::weighed, weight::grams}),
        {w.dogId, core::moments::toStored(w.at), w.grams});
}

core::WriteResult<> deleteWeighing(QSqlDatabase kennel, const Weighing &w, const QString &dogName)
{
    const auto deleted = db::runLogged(
        kennel, QStringLiteral("Deleted a weighing of %1").arg(dogName),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::weights) %
            QStringLiteral(" WHERE ") % db::quoted(weight::id) % QStringLiteral(" = ?"),
        {w.id});
    if (!deleted)
        return core::failure(deleted.problem());
    return {};
}

QString LitterPup::label() const
{
    return collar.isEmpty() ? name : collar;
}

std::vector<Weighing> LitterPup::series() const
{
    std::vector<Weighing> all;
    if (birthGrams > 0)
        all.push_back({0, dogId, born, birthGrams});
    all.insert(all.end(), weighings.begin(), weighings.end());
    return all;
}

std::optional<std::vector<LitterPup>> litterPups(const QSqlDatabase &kennel, const Litter &litter)
{
    const auto found = kennel::pupsOf(kennel, litter.id, litter.sire, litter.dam, litter.born);
    if (!found)
        return std::nullopt;
    std::vector<LitterPup> pups;
    for (const kennel::Pup &pup : *found)
        pups.push_back({pup, {}});
    QSqlQuery weighings(kennel);
    weighings.setForwardOnly(true);
    weighings.prepare(
        db::selectFrom(db::tables::weights, {weight::id, weight::weighed, weight::grams}) %
        QStringLiteral(" WHERE ") % db::quoted(weight::dogId) % QStringLiteral(" = ? ORDER BY ") %
        db::quoted(weight::weighed));
    for (LitterPup &pup : pups) {
        weighings.addBindValue(pup.dogId);
        if (!db::execRead(weighings))
            return std::nullopt;
        while (weighings.next())
            pup.weighings.push_back({weighings.value(0).toLongLong(), pup.dogId,
                                     core::moments::fromStored(weighings.value(1).toString()),
                                     weighings.value(2).toDouble()});
    }
    return pups;
}

std::optional<double> gainPerDay(const Weighing &before, const Weighing &after)
{
    const double days = after.at.daysSince(before.at.day) - before.at.daysSince(before.at.day);
    if (days <= 0 || before.grams <= 0)
        return std::nullopt;
    return (after.grams - before.grams) / before.grams / days * 100;
}

QStringList weightWarnings(const std::vector<LitterPup> &pups)
{
    QStringList warnings;
    for (const LitterPup &pup : pups) {
        const std::vector<Weighing> series = pup.series();
        if (series.size() >= 2 && series.back().grams < series[series.size() - 2].grams)
            warnings << QStringLiteral("%1 has lost weight since the weighing before (%2 to %3).")
                            .arg(pup.label(),
                                 core::units::weightText(series[series.size() - 2].grams),
                                 core::units::weightText(series.back().grams));
        if (pup.birthGrams <= 0 || !pup.born.day.isValid())
            continue;
        // By day 10 a pup should weigh twice what it was born at; its weight that day is read
        // off the line between the weighings either side of it.
        const double dayTen = 10;
        const Weighing *before = nullptr;
        const Weighing *after = nullptr;
        for (const Weighing &w : series) {
            const double day = w.at.daysSince(pup.born.day) - pup.born.daysSince(pup.born.day);
            if (day < dayTen)
                before = &w;
            else if (!after)
                after = &w;
        }
        if (!after)
            continue;
        double atDayTen = after->grams;
        if (before) {
            const double from = before->at.daysSince(pup.born.day);
            const double to = after->at.daysSince(pup.born.day);
            const double bornAt = pup.born.daysSince(pup.born.day);
            atDayTen = before->grams + (after->grams - before->grams) * (dayTen + bornAt - from) /
                                           std::max(to - from, 1e-9);
        }
        if (atDayTen < 2 * pup.birthGrams)
            warnings << QStringLiteral("%1 has not doubled its birth weight (%2) by day 10.")
                            .arg(pup.label(), core::units::weightText(pup.birthGrams));
    }
    return warnings;
}

QByteArray weightsCsv(const std::vector<LitterPup> &pups)
{
    QByteArray csv("pup,collar,weighed,grams,gain_per_day_percent\n");
    for (const LitterPup &pup : pups) {
        const std::vector<Weighing> series = pup.series();
        for (size_t i = 0; i < series.size(); ++i) {
            const std::optional<double> gain =
                i == 0 ? std::nullopt : gainPerDay(series[i - 1], series[i]);
            csv += transfer::csvField(transfer::guarded(pup.name)) + ',' +
                   transfer::csvField(transfer::guarded(pup.collar)) + ',' +
                   core::moments::toStored(series[i].at).toUtf8() + ',' +
                   QByteArray::number(series[i].grams, 'f', 1) + ',' +
                   (gain ? QByteArray::number(*gain, 'f', 2) : QByteArray()) + '\n';
        }
    }
    return csv;
}

} // namespace breeding
