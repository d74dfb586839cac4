#pragma once

#include "pedigree/PedigreeRecord.h"

#include <QHash>
#include <QSqlDatabase>
#include <QStringList>

namespace pedigree {

// What a certificate says of a dog's health: its status for each DNA test where it is
// known (tested, clear by parentage, a carrier at least), then the latest result of each
// examination, such as "Hips: A, 4 (1/19/2022)". Empty when there is nothing to say.
QStringList healthLines(const QSqlDatabase &kennel, qint64 dogId);

// The DNA tests a chart can mark its dogs by.
QStringList dnaTestNames(const QSqlDatabase &kennel);
// Each dog of the pedigree with its status for the DNA test of that name where it is
// known, by name as the chart shows it: "N/N", "N/m" or "m/m" tested, "N/N P" clear by
// parentage, "N/m+" a carrier at least.
QString dnaMarksLegend(const QString &test);
QHash<QString, QString> dnaMarks(const QSqlDatabase &kennel, const PedigreeRecord &record,
                                 const QString &test);

} // namespace pedigree
