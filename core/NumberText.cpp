#include "core/NumberText.h"

namespace core {

QString signedText(qint64 number)
{
    const QString digits = QString::number(number);
    return number < 0 ? digits : QLatin1Char(' ') + digits;
}

} // namespace core

#include "core/Money.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <QRegularExpression>

namespace core {

namespace {
QRegularExpressionMatch matchLeadingNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^ *([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    return number.match(text);
}
} // namespace

double leadingNumber(const QString &text)
{
    const auto match = matchLeadingNumber(text);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    return ok ? value : 0;
}

std::optional<int> typedWholeNumber(const QString &text)
{
    if (!matchLeadingNumber(text).hasMatch())
        return std::nullopt;
    const double value = leadingNumber(text);
    // Rounding in the default mode takes halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
    Q_ASSERT(std::fegetround() == FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<qint16>::min() &&
          rounded <= std::numeric_limits<qint16>::max()))
        return std::nullopt;
    return static_cast<int>(rounded);
}

int typedCount(const QString &text)
{
    return typedWholeNumber(text).value_or(0);
}

std::optional<double> readDecimal(const QString &typed)
{
    QString text = typed.trimmed();
    const QChar own = money::decimalSeparator(money::currency().form);
    const QChar other = own == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    if (text.contains(own) && text.contains(other)) {
        const QRegularExpression grouped(
            QStringLiteral(R"(^-?\d{1,3}(?:%1\d{3})+(?:%2\d*)?$)")
                .arg(QRegularExpression::escape(other), QRegularExpression::escape(own)));
        if (!grouped.match(text).hasMatch())
            return std::nullopt;
        text.remove(other);
    }
    text.replace(other, QLatin1Char('.')).replace(own, QLatin1Char('.'));
    static const QRegularExpression plain(QStringLiteral(R"(^-?(?:\d+\.?\d*|\.\d+)$)"));
    if (!plain.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace core
