#pragma once

#include <optional>
#include <QString>
#include <QStringList>

namespace core {

// Amounts are kept as whole cents and written the way the kennel chose: a symbol or code
// before or after the amount, and its separators. "$"#,##0.00 unless told otherwise.
namespace money {

enum class Place { Before, BeforeWithBlank, After, AfterWithBlank };
// The separators of thousands and of the cents, as pairs that are used together.
enum class Form {
    CommaPoint,
    PointComma,
    BlankComma,
    BlankPoint,
    ApostrophePoint,
    PlainPoint,
    PlainComma
};

struct Currency
{
    QString symbol = QStringLiteral("$");
    Place place = Place::Before;
    Form form = Form::CommaPoint;
};

// The kennel's choice, set when the kennel opens or the choice changes.
Currency currency();
void setCurrency(const Currency &currency);
// One part of it, the others kept.
void setSymbol(const QString &symbol);
void setPlace(Place place);
void setForm(Form form);

// The places and forms as the breeder picks them, in the enums' order; the same texts are
// kept in the kennel file.
QStringList placeNames();
QStringList formNames();

// The separator before the cents.
QChar decimalSeparator(Form form);

// Why a symbol cannot be used ("" when it can): one to a few characters, no digits.
QString symbolProblem(const QString &symbol);

// What the user is told when an amount cannot be read, with an example in the chosen form.
QString invalidAmountMessage(const QString &what);

} // namespace money

QString formatMoney(qint64 cents, const money::Currency &currency = money::currency());

// Without symbol and thousands separators, for a program to read: 1234.50, -3,00.
QString plainAmount(qint64 cents);

// An amount as typed: an optional symbol at its place, thousands separators (the chosen one
// or blanks) and up to two decimals after the chosen decimal separator (1234.5, $1,334.50,
// 1 334.50), blanks allowed around it. Nothing for text that is not such an amount, for
// negative amounts and for amounts of a trillion or more.
std::optional<qint64> parseMoney(const QString &typed,
                                 const money::Currency &currency = money::currency());

// a + b, held at the largest or smallest amount instead of wrapping round: a file edited by
// hand may hold any amount.
qint64 addAmounts(qint64 a, qint64 b);

} // namespace core
