#pragma once

#include "genetics/KennelGraph.h"

#include <limits>
#include <optional>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace genetics {

// A DNA result, stored as its word: N/N, N/m or m/m.
enum class Genotype : signed char { Clear, Carrier, Affected };
enum class Inheritance : unsigned char { Recessive, Dominant };

// The word a result is stored as, and the genotype written beside it.
QString resultWord(Genotype genotype);
QString genotypeText(Genotype genotype);
// A result as typed: "clear", " CARRIER " and so on; nothing for any other word.
std::optional<Genotype> genotypeOf(const QString &typed);
QString inheritanceWord(Inheritance inheritance);
std::optional<Inheritance> inheritanceOf(const QString &stored);

struct DnaTest
{
    qint64 id = 0;
    QString name;
    Inheritance inheritance = Inheritance::Recessive;
    // The share of faulty copies in the breed, where the kennel knows it.
    std::optional<double> frequency;
};

// The shares of N/N, N/m and m/m.
struct GenotypeShares
{
    double clear = 0.0;
    double carrier = 0.0;
    double affected = 0.0;
};

// The litter of two parents who pass on the faulty copy with these chances (Mendel's rules).
GenotypeShares litterShares(double sireGamete, double damGamete);
// The share of pups that show the condition: m/m for a recessive test, also N/m for a
// dominant one.
double showingShare(const GenotypeShares &shares, Inheritance inheritance);

// How a dog's status is known, in order of precedence.
enum class DnaBasis : unsigned char {
    Tested,
    ClearByParentage,
    CarrierAtLeast,
    Estimated,
    Unknown,
    BelowLoop,
};

struct DnaStatus
{
    DnaBasis basis = DnaBasis::Unknown;
    Genotype tested = Genotype::Clear; // the dog's own result, when tested
    // The chances of N/N, N/m and m/m where they can be worked out.
    std::optional<GenotypeShares> shares;
};

// "Clear", "Clear by parentage", "Carrier at least", "N/N 56.3%, N/m 37.5%, m/m 6.3%
// (estimated)", "not known".
QString statusText(const DnaStatus &status);
// With the genotype beside a tested result: "Carrier (N/m)".
QString statusWithGenotype(const DnaStatus &status);

// What a planned litter can inherit for one test.
struct LitterHealth
{
    DnaStatus sire;
    DnaStatus dam;
    // The shares of the litter, where both parents' chances are known.
    std::optional<GenotypeShares> shares;
    // Both parents known for certain: the shares are exact, not estimates.
    bool exact = false;
    bool canProduceAffected = false;
    // In words, what is still certain and what cannot be known, where a parent is not known.
    QString words;
};

// "25%" when exact, "37.5%" when estimated.
QString litterPercent(double share, bool exact);
// The litter's shares as a table cell shows them, or the words.
inline const QString &affectedWarning()
{
    static const QString text = QStringLiteral("can produce affected pups");
    return text;
}

// A result that Mendel's rules make impossible, or two results of a dog that disagree.
struct DnaConflict
{
    QString test;
    std::vector<int> dogs;
    QString what;
};

// The kennel's DNA tests, every dog's own results and what follows from them.
class DnaStatuses
{
public:
    // Reads the DNA tests the kennel uses and their results; the problem, or empty.
    QString read(const QSqlDatabase &kennel);
    // Reads the tests alone.
    QString readTests(const QSqlDatabase &kennel);
    QString problem() const { return m_problem; }
    // Works out every dog's status for every test, across the graph's parents. A dog is
    // clear by parentage for at most `clearGenerations` generations after its last tested
    // ancestors.
    void derive(const KennelGraph &graph, int clearGenerations);

    const std::vector<DnaTest> &tests() const { return m_tests; }
    DnaStatus status(int test, int dog) const;
    LitterHealth litter(int test, int sire, int dam) const;
    // The highest share of pups showing a condition over every test; NaN where a test
    // cannot rule them out without knowing the share.
    double showingRisk(int sire, int dam) const;
    // One line for a dog: each test it has a status for, "PRA-prcd Clear, DM Carrier".
    QString summary(int dog) const;
    const std::vector<DnaConflict> &conflicts() const { return m_conflicts; }

private:
    struct Result
    {
        qint64 dogId;
        int test;
        Genotype genotype;
    };
    struct Derived
    {
        std::vector<signed char> own; // -1, or the Genotype of the newest result
        std::vector<DnaBasis> basis;
        std::vector<float> gamete; // the chance of passing on the faulty copy; NaN unknown
    };
    // A parent's chance of passing on the faulty copy; a dog not recorded counts by the
    // breed's frequency.
    double parentGamete(int test, int parent) const;
    void deriveTest(int test, int clearGenerations);
    void findConflicts(int test);

    const KennelGraph *m_graph = nullptr;
    QString m_problem;
    std::vector<DnaTest> m_tests;
    std::vector<Result> m_results; // oldest first, so that the newest counts
    std::vector<Derived> m_derived;
    std::vector<DnaConflict> m_conflicts;
};

// How many generations after a tested ancestor a dog stays clear by parentage, and the COI
// above which a planned litter is warned of: the kennel's choices.
inline constexpr int defaultClearGenerations = 2;
inline constexpr double defaultCoiLimit = 0.125;
int clearGenerations(const QSqlDatabase &kennel);
double coiLimit(const QSqlDatabase &kennel);
QString clearGenerationsPreference();
QString coiLimitPreference();

inline constexpr double notKnown = std::numeric_limits<double>::quiet_NaN();

} // namespace genetics
