#pragma once

#include "breeding/Weights.h"
#include "core/WriteResult.h"
#include "kennel/Whelping.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <vector>

namespace breeding {

inline constexpr int mostPups = 30;

// "Male" or "Female" for what a breeder types ("m", "bitch", "female" ...), empty for nothing,
// nothing for anything else.
std::optional<QString> readSex(const QString &typed);
// What keeps the whelping from being kept, or empty: more than 30 pups, one collar on two pups,
// a pup that died before it was born, a birth before the mating of the sire and dam.
QString whelpingProblem(const QSqlDatabase &kennel, const Litter &litter,
                        const std::vector<kennel::WhelpedPup> &pups);

} // namespace breeding
