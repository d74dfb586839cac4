#include "core/Money.h"

#include <QLocale>

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

} // namespace core
