#pragma once

#include "core/Moments.h"
#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace breeding {

// Laboratories give progesterone in ng/ml or in nmol/l; 1 ng/ml is 3.18 nmol/l.
inline constexpr double nmolPerNg = 3.18;
QStringList progesteroneUnits(); // "ng/ml", "nmol/l"

struct ProgesteroneTest
{
    qint64 id = 0;
    qint64 seasonId = 0;
    core::moments::Moment taken;
    double value = 0;
    QString unit; // one of progesteroneUnits()
    QString laboratory;

    double ngPerMl() const;
};

// What the tests of a season tell, each an estimate: the LH surge where a value at or above
// 2 ng/ml follows values below it, ovulation two days later (or on the first value at or above
// 5 ng/ml where no surge was caught), the fertile window from two to five days after
// ovulation and whelping 63 days after it, a day either way.
struct OvulationEstimate
{
    QDate surge; // invalid where none was caught
    QDate ovulation;
    QDate fertileFrom;
    QDate fertileTo;
    QDate whelping;

    bool known() const { return ovulation.isValid(); }
};
// From the tests in any order.
OvulationEstimate estimateOvulation(std::vector<ProgesteroneTest> tests);
// "Estimated: LH surge 3/4/2027, ovulation 3/6/2027, fertile 3/8/2027 to 3/11/2027, whelping
// 5/8/2027 (± 1 day)", or why nothing can be estimated yet.
QString estimateText(const OvulationEstimate &estimate);

// The value as typed in its unit: the number, or nothing, with the problem, for letters, a
// negative value or one above what a bitch's blood holds (100 ng/ml).
std::optional<double> readProgesterone(const QString &typed, const QString &unit, QString *problem);

// A season's tests in the order they were taken; nothing when they could not be read (the
// user was told).
std::optional<std::vector<ProgesteroneTest>> progesteroneOf(const QSqlDatabase &kennel,
                                                            qint64 seasonId);
// What keeps a test from being kept, or empty: no day, a day before the season's first day,
// a test at the same moment as another of the season.
QString progesteroneProblem(const QSqlDatabase &kennel, const ProgesteroneTest &test,
                            const QDate &seasonFirstDay);
core::WriteResult<qint64> addProgesterone(QSqlDatabase kennel, const ProgesteroneTest &test,
                                          const QString &dogName);
core::WriteResult<> deleteProgesterone(QSqlDatabase kennel, const ProgesteroneTest &test,
                                       const QString &dogName);

} // namespace breeding
