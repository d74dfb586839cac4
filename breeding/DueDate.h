#pragma once

#include <QDate>
#include <QString>

namespace breeding {

// When the litter of a mating is due, by calendar fields: two months and two days later,
// a mating on the 30th being due on the 2nd three months later, and a due year of 1900
// read as 2000. Returns the text shown on the mating screen, each number after a blank
// (" 8/ 14/ 2000").
QString litterDueText(const QDate &mated);
QDate litterDueDate(const QDate &mated);

} // namespace breeding
