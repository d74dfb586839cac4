#include "genetics/DnaInheritance.h"

#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"

#include <algorithm>
#include <cmath>
#include <QStringBuilder>

namespace genetics {
namespace {

constexpr signed char code(Genotype genotype)
{
    return static_cast<signed char>(genotype);
}

double gameteOf(Genotype genotype)
{
    return 0.5 * double(int(genotype));
}

bool certain(DnaBasis basis)
{
    return basis == DnaBasis::Tested || basis == DnaBasis::ClearByParentage;
}

} // namespace

GenotypeShares litterShares(double sireGamete, double damGamete)
{
    const double a = sireGamete;
    const double b = damGamete;
    return {(1 - a) * (1 - b), a * (1 - b) + b * (1 - a), a * b};
}

double showingShare(const GenotypeShares &shares, Inheritance inheritance)
{
    return inheritance == Inheritance::Dominant ? shares.carrier + shares.affected
                                                : shares.affected;
}

QString DnaStatuses::readTests(const QSqlDatabase &kennel)
{
    using namespace db::fields;
    m_tests.clear();
    m_problem = db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % db::quoted(healthTests::id) % QStringLiteral(", ") %
            db::quoted(healthTests::name) % QStringLiteral(", ") %
            db::quoted(healthTests::inheritance) % QStringLiteral(", ") %
            db::quoted(healthTests::frequency) % QStringLiteral(" FROM ") %
            db::quoted(db::tables::healthTests) % QStringLiteral(" WHERE ") %
            db::quoted(healthTests::kind) % QStringLiteral(" = 'DNA' AND coalesce(") %
            db::quoted(healthTests::hidden) % QStringLiteral(", 0) = 0 ORDER BY ") %
            db::quoted(healthTests::id),
        [&](const db::RawRow &row) {
            DnaTest test;
            test.id = row.whole(0);
            test.name = row.string(1);
            test.inheritance = inheritanceOf(row.string(2)).value_or(Inheritance::Recessive);
            if (!row.text(3).empty()) {
                const double q = row.real(3);
                if (q >= 0.0 && q <= 1.0)
                    test.frequency = q;
            }
            m_tests.push_back(test);
        });
    return m_problem;
}

QString DnaStatuses::read(const QSqlDatabase &kennel)
{
    using namespace db::fields;
    m_results.clear();
    if (!readTests(kennel).isEmpty())
        return m_problem;
    const QString problem = db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % db::quoted(healthResults::dogId) % QStringLiteral(", ") %
            db::quoted(healthResults::testId) % QStringLiteral(", ") %
            db::quoted(healthResults::result) % QStringLiteral(" FROM ") %
            db::quoted(db::tables::healthResults) % QStringLiteral(" ORDER BY ") %
            db::quoted(healthResults::date) % QStringLiteral(", ") % db::quoted(healthResults::id),
        [&](const db::RawRow &row) {
            const qint64 testId = row.whole(1);
            const auto test = std::find_if(m_tests.begin(), m_tests.end(),
                                           [&](const DnaTest &t) { return t.id == testId; });
            const auto genotype = genotypeOf(row.string(2));
            if (test != m_tests.end() && genotype)
                m_results.push_back({row.whole(0), int(test - m_tests.begin()), *genotype});
        });
    m_problem = problem;
    return problem;
}

void DnaStatuses::derive(const KennelGraph &graph, int clearGenerations)
{
    m_graph = &graph;
    m_derived.assign(m_tests.size(), {});
    m_conflicts.clear();
    for (int test = 0; test < int(m_tests.size()); ++test) {
        deriveTest(test, clearGenerations);
        findConflicts(test);
    }
}

double DnaStatuses::parentGamete(int test, int parent) const
{
    if (parent != unknown)
        return double(m_derived[size_t(test)].gamete[size_t(parent)]);
    return m_tests[size_t(test)].frequency.value_or(notKnown);
}

void DnaStatuses::deriveTest(int test, int clearGenerations)
{
    const Pedigree &p = m_graph->pedigree();
    const size_t n = size_t(p.size());
    Derived &d = m_derived[size_t(test)];
    d.own.assign(n, -1);
    d.basis.assign(n, DnaBasis::BelowLoop);
    d.gamete.assign(n, float(notKnown));
    std::vector<bool> disagrees(n, false);
    for (const Result &r : m_results) {
        const int dog = r.test == test ? m_graph->indexOfId(r.dogId) : unknown;
        if (dog == unknown)
            continue;
        signed char &own = d.own[size_t(dog)];
        if (own >= 0 && own != code(r.genotype) && !disagrees[size_t(dog)]) {
            disagrees[size_t(dog)] = true;
            m_conflicts.push_back(
                {m_tests[size_t(test)].name,
                 {dog},
                 QStringLiteral("%1 has results for %2 that disagree; the newest counts")
                     .arg(m_graph->name(dog), m_tests[size_t(test)].name)});
        }
        own = code(r.genotype);
    }
    for (size_t dog = 0; dog < n; ++dog) {
        if (d.own[dog] >= 0) {
            d.basis[dog] = DnaBasis::Tested;
            d.gamete[dog] = float(gameteOf(Genotype(d.own[dog])));
        }
    }

    // A recessive copy that a tested pup shows must have come from a parent: both parents
    // of an affected pup carry it, and the one parent of a carrier whose other is clear.
    std::vector<bool> carries(n, false);
    if (m_tests[size_t(test)].inheritance == Inheritance::Recessive) {
        for (auto it = p.order.rbegin(); it != p.order.rend(); ++it) {
            const int dog = *it;
            const signed char own = d.own[size_t(dog)];
            const bool affected = own == code(Genotype::Affected);
            if (!affected && own != code(Genotype::Carrier) && !(own < 0 && carries[size_t(dog)]))
                continue;
            const int sire = p.sire[size_t(dog)];
            const int dam = p.dam[size_t(dog)];
            auto proven = [&](int parent, int other) {
                if (parent != unknown &&
                    (affected ||
                     (other != unknown && d.own[size_t(other)] == code(Genotype::Clear))))
                    carries[size_t(parent)] = true;
            };
            proven(sire, dam);
            proven(dam, sire);
        }
    }

    // Generations since the last tested clear ancestors, for a dog clear by parentage.
    std::vector<signed char> clearFor(n, -1);
    for (const int dog : p.order) {
        const size_t i = size_t(dog);
        if (d.own[i] >= 0) {
            if (d.own[i] == code(Genotype::Clear))
                clearFor[i] = 0;
            continue;
        }
        const int sire = p.sire[i];
        const int dam = p.dam[i];
        if (sire != unknown && dam != unknown && clearFor[size_t(sire)] >= 0 &&
            clearFor[size_t(dam)] >= 0) {
            const int generations = std::max(clearFor[size_t(sire)], clearFor[size_t(dam)]) + 1;
            if (generations <= clearGenerations) {
                clearFor[i] = static_cast<signed char>(generations);
                d.basis[i] = DnaBasis::ClearByParentage;
                d.gamete[i] = 0.0f;
                continue;
            }
        }
        const double a = parentGamete(test, sire);
        const double b = parentGamete(test, dam);
        if (carries[i]) {
            d.basis[i] = DnaBasis::CarrierAtLeast;
            // Where the parents leave it open whether it has one faulty copy or two, it
            // passes one on as a carrier does.
            const GenotypeShares s = litterShares(a, b);
            const double carrying = s.carrier + s.affected;
            d.gamete[i] = carrying > 0.0 ? float((s.carrier / 2 + s.affected) / carrying) : 0.5f;
            continue;
        }
        d.basis[i] = std::isnan(a) || std::isnan(b) ? DnaBasis::Unknown : DnaBasis::Estimated;
        d.gamete[i] = float((a + b) / 2);
    }
}

DnaStatus DnaStatuses::status(int test, int dog) const
{
    const Derived &d = m_derived[size_t(test)];
    DnaStatus status;
    status.basis = d.basis[size_t(dog)];
    switch (status.basis) {
    case DnaBasis::Tested:
        status.tested = Genotype(d.own[size_t(dog)]);
        status.shares = GenotypeShares{double(status.tested == Genotype::Clear),
                                       double(status.tested == Genotype::Carrier),
                                       double(status.tested == Genotype::Affected)};
        break;
    case DnaBasis::ClearByParentage:
        status.shares = GenotypeShares{1, 0, 0};
        break;
    case DnaBasis::CarrierAtLeast:
    case DnaBasis::Estimated: {
        const Pedigree &p = m_graph->pedigree();
        const double a = parentGamete(test, p.sire[size_t(dog)]);
        const double b = parentGamete(test, p.dam[size_t(dog)]);
        if (std::isnan(a) || std::isnan(b))
            break;
        GenotypeShares s = litterShares(a, b);
        if (status.basis == DnaBasis::CarrierAtLeast) {
            const double carrying = s.carrier + s.affected;
            if (carrying <= 0.0)
                break;
            s = {0.0, s.carrier / carrying, s.affected / carrying};
        }
        status.shares = s;
        break;
    }
    case DnaBasis::Unknown:
    case DnaBasis::BelowLoop:
        break;
    }
    return status;
}

namespace {

QString role(bool sire)
{
    return sire ? QStringLiteral("the sire") : QStringLiteral("the dam");
}

// What is still certain of a litter when one parent's status is not known.
QString certainWithOneParent(const DnaStatus &known, bool knownIsSire, Inheritance inheritance,
                             bool *canProduceAffected)
{
    const QString other = role(!knownIsSire);
    const QString unknownPart =
        QStringLiteral("; more cannot be known: %1 is not tested and has no status").arg(other);
    *canProduceAffected = true;
    if (!certain(known.basis))
        return QStringLiteral("Affected pups cannot be ruled out: %1 is not tested").arg(other);
    const Genotype g = known.basis == DnaBasis::ClearByParentage ? Genotype::Clear : known.tested;
    const QString self = role(knownIsSire);
    if (inheritance == Inheritance::Recessive) {
        if (g == Genotype::Clear) {
            *canProduceAffected = false;
            return QStringLiteral("No affected pups: %1 is Clear").arg(self) + unknownPart;
        }
        if (g == Genotype::Affected)
            return QStringLiteral("Every pup carries the faulty copy: %1 is Affected").arg(self) +
                   unknownPart;
        return QStringLiteral("Half the pups or more get the faulty copy: %1 is a Carrier")
                   .arg(self) +
               unknownPart;
    }
    if (g == Genotype::Affected)
        return QStringLiteral("Every pup is affected: %1 is Affected").arg(self);
    if (g == Genotype::Carrier)
        return QStringLiteral("Half the pups or more are affected: %1 is a Carrier").arg(self) +
               unknownPart;
    return QStringLiteral("Affected pups cannot be ruled out: %1 is not tested").arg(other);
}

} // namespace

LitterHealth DnaStatuses::litter(int test, int sire, int dam) const
{
    const DnaTest &t = m_tests[size_t(test)];
    LitterHealth litter;
    litter.sire = status(test, sire);
    litter.dam = status(test, dam);
    const double a = parentGamete(test, sire);
    const double b = parentGamete(test, dam);
    if (!std::isnan(a) && !std::isnan(b)) {
        litter.shares = litterShares(a, b);
        litter.exact = certain(litter.sire.basis) && certain(litter.dam.basis);
        litter.canProduceAffected = showingShare(*litter.shares, t.inheritance) > 0.0;
        return litter;
    }
    const bool sireKnown = !std::isnan(a);
    const bool damKnown = !std::isnan(b);
    if (sireKnown || damKnown) {
        litter.words = certainWithOneParent(sireKnown ? litter.sire : litter.dam, sireKnown,
                                            t.inheritance, &litter.canProduceAffected);
    } else {
        litter.canProduceAffected = true;
        litter.words =
            QStringLiteral("What the pups inherit cannot be known: neither parent is tested");
    }
    return litter;
}

double DnaStatuses::showingRisk(int sire, int dam) const
{
    double highest = 0.0;
    for (int test = 0; test < int(m_tests.size()); ++test) {
        const LitterHealth l = litter(test, sire, dam);
        if (!l.shares) {
            if (l.canProduceAffected)
                return notKnown;
            continue;
        }
        highest = std::max(highest, showingShare(*l.shares, m_tests[size_t(test)].inheritance));
    }
    return highest;
}

QString DnaStatuses::summary(int dog) const
{
    QStringList parts;
    for (int test = 0; test < int(m_tests.size()); ++test) {
        const DnaStatus s = status(test, dog);
        if (s.basis != DnaBasis::Unknown && s.basis != DnaBasis::BelowLoop)
            parts << m_tests[size_t(test)].name + QLatin1Char(' ') + statusText(s);
    }
    return parts.join(QStringLiteral(", "));
}

void DnaStatuses::findConflicts(int test)
{
    const Pedigree &p = m_graph->pedigree();
    const Derived &d = m_derived[size_t(test)];
    const QString &name = m_tests[size_t(test)].name;
    auto tested = [&](int dog) { return dog == unknown ? -1 : int(d.own[size_t(dog)]); };
    auto named = [&](int dog) -> QString {
        return m_graph->name(dog) % QStringLiteral(" (") % name % QLatin1Char(' ') %
               resultWord(Genotype(d.own[size_t(dog)])) % QLatin1Char(')');
    };
    const int clear = int(Genotype::Clear);
    const int carrier = int(Genotype::Carrier);
    const int affected = int(Genotype::Affected);
    for (int dog = 0; dog < p.size(); ++dog) {
        const int own = tested(dog);
        if (own < 0)
            continue;
        const int sire = p.sire[size_t(dog)];
        const int dam = p.dam[size_t(dog)];
        for (const int parent : {sire, dam}) {
            const int theirs = tested(parent);
            if ((own == affected && theirs == clear) || (own == clear && theirs == affected))
                m_conflicts.push_back(
                    {name,
                     {dog, parent},
                     named(dog) % QStringLiteral(" cannot be a pup of ") % named(parent)});
        }
        if (own == carrier && tested(sire) >= 0 && tested(sire) == tested(dam) &&
            tested(sire) != carrier)
            m_conflicts.push_back({name,
                                   {dog, sire, dam},
                                   named(dog) % QStringLiteral(" cannot be a pup of ") %
                                       named(sire) % QStringLiteral(" and ") % named(dam)});
    }
}

QString clearGenerationsPreference()
{
    return QStringLiteral("clear by parentage generations");
}

QString coiLimitPreference()
{
    return QStringLiteral("litter coi limit");
}

int clearGenerations(const QSqlDatabase &kennel)
{
    bool ok = false;
    const int stored = db::preference(kennel, clearGenerationsPreference()).toInt(&ok);
    return ok && stored >= 0 ? stored : defaultClearGenerations;
}

double coiLimit(const QSqlDatabase &kennel)
{
    bool ok = false;
    const double stored = db::preference(kennel, coiLimitPreference()).toDouble(&ok);
    return ok && stored >= 0.0 && stored <= 1.0 ? stored : defaultCoiLimit;
}

} // namespace genetics
