#pragma once

#include "core/Moments.h"
#include "core/WriteResult.h"
#include "kennel/Litters.h"

#include <optional>
#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace breeding {

using kennel::Litter;

struct Weighing
{
    qint64 id = 0;
    qint64 dogId = 0;
    core::moments::Moment at;
    double grams = 0;
};

// A weight as typed in the kennel's unit, in grams: nothing, with the problem, for letters, 0
// or more than a dog weighs (120 kg).
std::optional<double> readWeighing(const QString &typed, QString *problem);

// What keeps a weighing from being kept, or empty: no day, a day before the dog was born, a
// weighing at the same minute as another of the dog's.
QString weighingProblem(const QSqlDatabase &kennel, const Weighing &weighing);
core::WriteResult<qint64> addWeighing(QSqlDatabase kennel, const Weighing &weighing,
                                      const QString &dogName);
core::WriteResult<> deleteWeighing(QSqlDatabase kennel, const Weighing &weighing,
                                   const QString &dogName);

// A pup of a litter with what its weights chart needs.
// A pup of a litter, as the kennel finds it, with its weighings.
struct LitterPup : kennel::Pup
{
    std::vector<Weighing> weighings; // in time order, the birth weight not among them

    // The collar colour where there is one, else the name: how the breeder tells pups apart.
    QString label() const;
    // The birth weight and the weighings, in time order.
    std::vector<Weighing> series() const;
};

// The pups of a litter, as `kennel::pupsOf` finds them, with each one's weighings. Nothing
// when they could not be read.
std::optional<std::vector<LitterPup>> litterPups(const QSqlDatabase &kennel, const Litter &litter);

// The gain per day since the weighing before, in percent of that weight: nothing for the first.
std::optional<double> gainPerDay(const Weighing &before, const Weighing &after);
// What the breeder should look at: a pup that lost weight since its last weighing, or that has
// not doubled its birth weight by day 10. One line each.
QStringList weightWarnings(const std::vector<LitterPup> &pups);

// The weights as CSV: a header "pup,collar,weighed,grams,gain_per_day_percent" and a row per
// weighing, the birth weights included.
QByteArray weightsCsv(const std::vector<LitterPup> &pups);

} // namespace breeding
