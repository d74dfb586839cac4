#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace pedigree {

// What a certificate says of a dog's health: its status for each DNA test where it is
// known (tested, clear by parentage, a carrier at least), then the latest result of each
// examination, such as "Hips: A, 4 (1/19/2022)". Empty when there is nothing to say.
QStringList healthLines(const QSqlDatabase &kennel, qint64 dogId);

} // namespace pedigree
