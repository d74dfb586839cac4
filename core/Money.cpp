#include "core/Money.h"

#include <limits>
#include <QLocale>
#include <QRegularExpression>
#include <QtNumeric>

namespace core {

QString formatMoney(qint64 cents)
{
    // Unsigned, so that the smallest amount has a magnitude too.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    const quint64 whole = magnitude / 100;
    const quint64 rest = magnitude % 100;
    const QString dollars = QLocale(QLocale::English, QLocale::UnitedStates).toString(whole);
    return QStringLiteral("%1$%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), dollars)
        .arg(rest, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> parseMoney(const QString &typed)
{
    static const QRegularExpression amount(QRegularExpression::anchoredPattern(QStringLiteral(
        R"( *\$? *(\d{1,3}(?:,\d{3})+|\d{1,3}(?: \d{3})+|\d{0,12})(?:\.(\d{0,2}))? *)")));
    const auto match = amount.match(typed);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    QString dollars = match.captured(1);
    dollars.remove(QLatin1Char(','));
    dollars.remove(QLatin1Char(' '));
    if (dollars.size() > 12)
        return std::nullopt;
    const QString cents = match.captured(2).leftJustified(2, QLatin1Char('0'));
    return dollars.toLongLong() * 100 + cents.toLongLong();
}

qint64 addAmounts(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (qAddOverflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace core
