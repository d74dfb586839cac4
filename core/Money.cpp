#include "core/Money.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <QRegularExpression>
#include <QtNumeric>

namespace core {
namespace money {
namespace {

// Blanks inside an amount do not break, so that a printed amount is never split.
constexpr QChar keptBlank(0x00A0);

struct Separators
{
    QString thousands;
    QChar decimal;
};

Separators separators(Form form)
{
    switch (form) {
    case Form::CommaPoint:
        return {QStringLiteral(","), QLatin1Char('.')};
    case Form::PointComma:
        return {QStringLiteral("."), QLatin1Char(',')};
    case Form::BlankComma:
        return {QString(keptBlank), QLatin1Char(',')};
    case Form::BlankPoint:
        return {QString(keptBlank), QLatin1Char('.')};
    case Form::ApostrophePoint:
        return {QStringLiteral("'"), QLatin1Char('.')};
    case Form::PlainPoint:
        return {QString(), QLatin1Char('.')};
    case Form::PlainComma:
        return {QString(), QLatin1Char(',')};
    }
    return {QStringLiteral(","), QLatin1Char('.')};
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == keptBlank || c == QChar(0x202F);
}

QString withoutBlanksAround(QString text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

std::mutex chosenMutex;
Currency chosen;

} // namespace

Currency currency()
{
    const std::lock_guard lock(chosenMutex);
    return chosen;
}

void setCurrency(const Currency &currency)
{
    const std::lock_guard lock(chosenMutex);
    chosen = currency;
}

void setSymbol(const QString &symbol)
{
    const std::lock_guard lock(chosenMutex);
    chosen.symbol = symbol;
}

void setPlace(Place place)
{
    const std::lock_guard lock(chosenMutex);
    chosen.place = place;
}

void setForm(Form form)
{
    const std::lock_guard lock(chosenMutex);
    chosen.form = form;
}

QStringList placeNames()
{
    return {QStringLiteral("before the amount"), QStringLiteral("before the amount, with a blank"),
            QStringLiteral("after the amount"), QStringLiteral("after the amount, with a blank")};
}

QStringList formNames()
{
    return {QStringLiteral("1,234.50"), QStringLiteral("1.234,50"), QStringLiteral("1 234,50"),
            QStringLiteral("1 234.50"), QStringLiteral("1'234.50"), QStringLiteral("1234.50"),
            QStringLiteral("1234,50")};
}

QChar decimalSeparator(Form form)
{
    return separators(form).decimal;
}

QString symbolProblem(const QString &symbol)
{
    constexpr int longest = 8;
    if (symbol.isEmpty())
        return QStringLiteral("Please type the currency's symbol or code, such as $, € or CHF.");
    if (symbol.size() > longest)
        return QStringLiteral("The currency symbol can be at most %1 characters long.")
            .arg(longest);
    if (std::any_of(symbol.begin(), symbol.end(), [](QChar c) { return c.isDigit(); }))
        return QStringLiteral("The currency symbol cannot hold digits.");
    if (symbol != withoutBlanksAround(symbol))
        return QStringLiteral("The currency symbol cannot begin or end with a blank.");
    return {};
}

QString invalidAmountMessage(const QString &what)
{
    return QStringLiteral("%1 must be an amount of money, such as 1250 or %2.")
        .arg(what, formatMoney(125000));
}

} // namespace money

QString formatMoney(qint64 cents, const money::Currency &currency)
{
    using money::Place;
    const money::Separators form = money::separators(currency.form);
    // Unsigned, so that the smallest amount has a magnitude too.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    QString number = QString::number(magnitude / 100);
    for (qsizetype at = number.size() - 3; at > 0; at -= 3)
        number.insert(at, form.thousands);
    number += form.decimal + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    const bool blank = !currency.symbol.isEmpty() && (currency.place == Place::BeforeWithBlank ||
                                                      currency.place == Place::AfterWithBlank);
    const QString between = blank ? QString(money::keptBlank) : QString();
    const bool before = currency.place == Place::Before || currency.place == Place::BeforeWithBlank;
    return (cents < 0 ? QStringLiteral("-") : QString()) +
           (before ? currency.symbol + between + number : number + between + currency.symbol);
}

QString plainAmount(qint64 cents)
{
    using money::Form;
    const bool comma = money::decimalSeparator(money::currency().form) == QLatin1Char(',');
    return formatMoney(
        cents, {QString(), money::Place::Before, comma ? Form::PlainComma : Form::PlainPoint});
}

std::optional<qint64> parseMoney(const QString &typed, const money::Currency &currency)
{
    QString text = money::withoutBlanksAround(typed);
    const QString &symbol = currency.symbol;
    if (!symbol.isEmpty() && text.startsWith(symbol, Qt::CaseInsensitive))
        text = money::withoutBlanksAround(text.mid(symbol.size()));
    else if (!symbol.isEmpty() && text.endsWith(symbol, Qt::CaseInsensitive))
        text = money::withoutBlanksAround(text.chopped(symbol.size()));
    for (QChar &c : text) {
        if (money::isBlank(c))
            c = QLatin1Char(' ');
    }
    const money::Separators form = money::separators(currency.form);
    const QString thousands = form.thousands.isEmpty() || money::isBlank(form.thousands.front())
                                  ? QString()
                                  : QRegularExpression::escape(form.thousands);
    const QString grouped =
        thousands.isEmpty() ? QString() : QStringLiteral(R"(\d{1,3}(?:%1\d{3})+|)").arg(thousands);
    const QRegularExpression amount(QRegularExpression::anchoredPattern(
        QStringLiteral(R"((%1\d{1,3}(?: \d{3})+|\d{0,12})(?:%2(\d{0,2}))?)")
            .arg(grouped, QRegularExpression::escape(QString(form.decimal)))));
    const auto match = amount.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    QString whole = match.captured(1);
    whole.remove(QLatin1Char(' '));
    if (!form.thousands.isEmpty())
        whole.remove(form.thousands.front());
    if (whole.size() > 12)
        return std::nullopt;
    const QString cents = match.captured(2).leftJustified(2, QLatin1Char('0'));
    return whole.toLongLong() * 100 + cents.toLongLong();
}

qint64 addAmounts(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (qAddOverflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace core
