#pragma once

#include "genetics/KennelGenetics.h"
#include "report/ReportLayout.h"

#include <limits>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace population {

// Which dogs the mating matrix offers.
struct CandidateFilter
{
    QString breed; // every breed when empty
    bool livingOnly = true;
    bool ageLimits = false;
    int youngestYears = 1;
    int oldestYears = 10;
};

struct Candidate
{
    int dog;
    qint64 id;
    QString name;
};

struct Candidates
{
    std::vector<Candidate> males, females; // by name
    QString problem;
};

// The males and bitches the filter keeps; a dog of no known birth date is kept by the ages.
Candidates matingCandidates(const QSqlDatabase &kennel, const genetics::KennelGraph &graph,
                            const CandidateFilter &filter, const QDate &today);

struct MatrixCell
{
    double coi = std::numeric_limits<double>::quiet_NaN(); // NaN below a loop
    double meanKinship = std::numeric_limits<double>::quiet_NaN();
    // The DNA tests for which the pair can produce affected pups.
    QStringList affected;
};

struct MatingMatrix
{
    std::vector<Candidate> sires, dams;
    std::vector<MatrixCell> cells; // a row of sires for each dam
    QString problem;

    const MatrixCell &at(size_t dam, size_t sire) const { return cells[dam * sires.size() + sire]; }
};

// Every pair's litter: its COI, its mean kinship with the reference population (the mean of
// its parents' in `kinship`), and its health warnings.
MatingMatrix matingMatrix(const QSqlDatabase &kennel, genetics::KennelGenetics &genetics,
                          std::vector<Candidate> sires, std::vector<Candidate> dams,
                          const std::vector<double> &kinship);

// One line per pair: dam,sire,litter_coi,litter_mean_kinship,health_warning (percent as numbers).
QByteArray matrixCsv(const MatingMatrix &matrix);

// "Mating Matrix": the grid in blocks of sires as wide as the paper allows.
report::Report matrixReport(const MatingMatrix &matrix);

// A cell's text: "COI 3.13%", "MK 4.20%" and the warning, line by line.
QString cellText(const MatrixCell &cell);

} // namespace population
