#include "core/Money.h"

#include <QLocale>
#include <QRegularExpression>

namespace core {

QString formatMoney(qint64 cents)
{
    const qint64 whole = (cents < 0 ? -cents : cents) / 100;
    const qint64 rest = (cents < 0 ? -cents : cents) % 100;
    const QString dollars = QLocale(QLocale::English, QLocale::UnitedStates).toString(whole);
    return QStringLiteral("%1$%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), dollars)
        .arg(rest, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> parseMoney(const QString &typed)
{
    static const QRegularExpression amount(
        QStringLiteral(R"(^\$?(\d{1,3}(?:,\d{3})+|\d{0,12})(?:\.(\d{0,2}))?$)"));
    QString text = typed;
    text.remove(QLatin1Char(' '));
    const auto match = amount.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    QString dollars = match.captured(1);
    dollars.remove(QLatin1Char(','));
    if (dollars.size() > 12)
        return std::nullopt;
    const QString cents = match.captured(2).leftJustified(2, QLatin1Char('0'));
    return dollars.toLongLong() * 100 + cents.toLongLong();
}

} // namespace core
