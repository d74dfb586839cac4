#pragma once

#include <optional>
#include <QString>
#include <QStringList>

namespace core::units {

// How weights are typed and shown: the kennel's choice, set when the kennel opens or the
// choice changes; until then the one the system's locale measures in.
enum class Weight { Metric, Imperial };
Weight weight();
void setWeight(Weight weight);
// "grams and kilograms", "pounds and ounces", in the enum's order; kept in the kennel file.
QStringList weightNames();
Weight systemWeight();

inline constexpr double gramsPerPound = 453.59237;
inline constexpr double gramsPerOunce = gramsPerPound / 16;

// A weight in grams as the kennel reads it: "450 g" or "12.35 kg"; "1 lb 4.5 oz" or "9.2 oz".
QString weightText(double grams, Weight unit = weight());
// A weight as typed in the kennel's unit: grams or kilograms ("450", "450 g", "12,5 kg"); pounds
// and ounces ("1 lb 4.5 oz", "1lb 4oz", "1.5 lb"; a bare number is ounces). Nothing for
// anything else.
std::optional<double> readWeight(const QString &typed, Weight unit = weight());
// How a weight is typed in the kennel's unit, for a box's hint.
QString weightHint(Weight unit = weight());

} // namespace core::units
