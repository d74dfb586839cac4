#include "core/Units.h"

#include "core/NumberText.h"

#include <cmath>
#include <QLocale>
#include <QRegularExpression>

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

QString weightText(double grams, Weight unit)
{
    const QLocale locale;
    if (unit == Weight::Metric) {
        if (grams < 10000)
            return locale.toString(std::round(grams)) + QStringLiteral(" g");
        return locale.toString(grams / 1000, 'f', 2) + QStringLiteral(" kg");
    }
    // Tenths of an ounce, carried into the pounds where they round up to a whole one.
    const qint64 tenths = std::llround(grams / gramsPerOunce * 10);
    const qint64 pounds = tenths / 160;
    const QString ounces = locale.toString(double(tenths % 160) / 10, 'f', tenths % 10 ? 1 : 0) +
                           QStringLiteral(" oz");
    return pounds == 0 ? ounces : QStringLiteral("%1 lb %2").arg(pounds).arg(ounces);
}

std::optional<double> readWeight(const QString &typed, Weight unit)
{
    const QString text = typed.trimmed().toLower();
    // The digits with their separators; the number itself is read as every box reads one.
    const QString number = QStringLiteral("(\\d[\\d.,]*|[.,]\\d+)");
    bool readable = true;
    auto read = [&readable](const QString &digits) {
        const std::optional<double> value =
            digits.isEmpty() ? std::optional<double>(0.0) : readDecimal(digits);
        readable = readable && value;
        return value.value_or(0.0);
    };
    if (unit == Weight::Metric) {
        static const QRegularExpression metric(QStringLiteral("^") + number +
                                               QStringLiteral("\\s*(g|kg)?$"));
        const QRegularExpressionMatch m = metric.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        const double grams =
            read(m.captured(1)) * (m.captured(2) == QLatin1String("kg") ? 1000 : 1);
        return readable ? std::optional<double>(grams) : std::nullopt;
    }
    static const QRegularExpression imperial(QStringLiteral("^(?:") + number +
                                             QStringLiteral("\\s*(?:lbs?|pounds?))?\\s*(?:") +
                                             number + QStringLiteral("\\s*(?:oz|ounces?)?)?$"));
    const QRegularExpressionMatch m = imperial.match(text);
    if (text.isEmpty() || !m.hasMatch())
        return std::nullopt;
    const double grams = read(m.captured(1)) * gramsPerPound + read(m.captured(2)) * gramsPerOunce;
    return readable ? std::optional<double>(grams) : std::nullopt;
}

QString weightHint(Weight unit)
{
    return unit == Weight::Metric ? QStringLiteral("grams, or kg") : QStringLiteral("lb oz");
}

} // namespace core::units
