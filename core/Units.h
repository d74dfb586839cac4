#pragma once

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

} // namespace core::units
