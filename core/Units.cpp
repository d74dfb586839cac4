#include "core/Units.h"

#include <QLocale>

#include <atomic>

namespace core::units {
namespace {

std::atomic<Weight> chosen = systemWeight();

} // namespace

Weight weight()
{
    return chosen.load();
}

void setWeight(Weight weight)
{
    chosen = weight;
}

QStringList weightNames()
{
    return {QStringLiteral("grams and kilograms"), QStringLiteral("pounds and ounces")};
}

Weight systemWeight()
{
    return QLocale().measurementSystem() == QLocale::MetricSystem ? Weight::Metric
                                                                  : Weight::Imperial;
}

} // namespace core::units
