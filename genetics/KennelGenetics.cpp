#include "genetics/KennelGenetics.h"

#include "core/BackgroundTask.h"
#include "core/Memory.h"
#include "db/RawRows.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "genetics/Kinship.h"
#include "kennel/DogRows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <QLocale>
#include <QPointer>

namespace genetics {
namespace {

std::unique_ptr<KennelGenetics> &cached()
{
    static std::unique_ptr<KennelGenetics> genetics;
    return genetics;
}

QPointer<core::BackgroundTask> &preparation()
{
    static QPointer<core::BackgroundTask> task;
    return task;
}

// The dogs' version that a preparation could not read, and why.
struct FailedPreparation
{
    QString version;
    QString problem;
};

FailedPreparation &failedPreparation()
{
    static FailedPreparation failed;
    return failed;
}

} // namespace

QString percent(double value)
{
    return QString::number(100.0 * value, 'f', 2) + QLatin1Char('%');
}

QString coiText(double all, double chosen, const QString &separator)
{
    return QStringLiteral("%1 (all generations)").arg(percent(all)) + separator +
           QStringLiteral("%1 (%2 generations)").arg(percent(chosen)).arg(defaultGenerations);
}

QString loopMessage(const QStringList &loop)
{
    return QStringLiteral("A dog is its own ancestor: ") + loop.join(QStringLiteral(", "));
}

KennelGenetics *KennelGenetics::upToDate(const QSqlDatabase &kennel, const QString &version)
{
    KennelGenetics *genetics = cached().get();
    if (!genetics || version.isEmpty() || genetics->m_version.isEmpty())
        return nullptr;
    if (version == genetics->m_version)
        return genetics;
    // A few dogs added or given new parents are taken in where they stand; more is as quick
    // to read again whole.
    constexpr qsizetype mostInPlace = 200;
    const auto written = kennel::pedigreesWrittenSince(kennel, genetics->m_version, mostInPlace);
    if (!written)
        return nullptr;
    const auto affected = genetics->m_graph.update(kennel, *written);
    if (!affected) {
        cached().reset();
        return nullptr;
    }
    genetics->m_inbreeding->update(*affected);
    genetics->m_version = version;
    return genetics;
}

KennelGenetics &KennelGenetics::current(const QSqlDatabase &kennel)
{
    const QString version = kennel::pedigreeVersion(kennel);
    if (KennelGenetics *genetics = upToDate(kennel, version))
        return *genetics;
    std::unique_ptr<KennelGenetics> &genetics = cached();
    genetics = std::make_unique<KennelGenetics>();
    genetics->m_problem = genetics->m_graph.read(kennel);
    // A failed read answers this once; the next use reads again.
    genetics->m_version = genetics->m_problem.isEmpty() ? version : QString();
    genetics->m_inbreeding = std::make_unique<Inbreeding>(genetics->m_graph.pedigree());
    return *genetics;
}

const DnaStatuses &KennelGenetics::dnaStatuses(const QSqlDatabase &kennel)
{
    // Empty, so worked out again, when any of the marks cannot be told.
    QString version = m_version;
    for (const QString &table :
         {db::tables::healthTests, db::tables::healthResults, db::tables::preferences}) {
        const QString mark = db::tableVersion(kennel, table);
        if (mark.isEmpty() || version.isEmpty()) {
            version.clear();
            break;
        }
        version += QLatin1Char('/') + mark;
    }
    if (!m_dna || version.isEmpty() || version != m_dnaVersion) {
        m_dna = std::make_unique<DnaStatuses>();
        const bool read = m_dna->read(kennel).isEmpty();
        if (read)
            m_dna->derive(m_graph, clearGenerations(kennel));
        m_dnaVersion = read ? version : QString();
    }
    return *m_dna;
}

void KennelGenetics::forget()
{
    cached().reset();
}

bool KennelGenetics::isCurrent(const QSqlDatabase &kennel)
{
    return upToDate(kennel, kennel::pedigreeVersion(kennel)) != nullptr;
}

QString KennelGenetics::preparationProblem(const QSqlDatabase &kennel)
{
    const FailedPreparation &failed = failedPreparation();
    if (failed.version.isEmpty() || failed.version != kennel::pedigreeVersion(kennel))
        return {};
    return failed.problem;
}

void KennelGenetics::prepare(const QSqlDatabase &kennel, QObject *context,
                             const std::function<void()> &ready)
{
    if (!preparation()) {
        auto made = std::make_shared<std::unique_ptr<KennelGenetics>>();
        auto *task = new core::BackgroundTask([file = kennel.databaseName(), made] {
            const bool opened = db::withReadOnlyConnection(file, [&](QSqlDatabase &db) {
                auto genetics = std::make_unique<KennelGenetics>();
                genetics->m_problem = genetics->m_graph.read(db);
                genetics->m_inbreeding = std::make_unique<Inbreeding>(genetics->m_graph.pedigree());
                genetics->m_inbreeding->coefficients();
                *made = std::move(genetics);
            });
            if (!opened) {
                *made = std::make_unique<KennelGenetics>();
                (*made)->m_problem = QStringLiteral("the kennel file could not be opened");
            }
            // Reading the graph leaves its parent names' buffers behind.
            core::releaseFreedMemory();
        });
        QObject::connect(task, &core::BackgroundTask::finished, task,
                         [task, made, version = kennel::pedigreeVersion(kennel),
                          name = kennel.connectionName()] {
                             // Genetics worked out meanwhile on the spot may be in use.
                             const QSqlDatabase kennel = QSqlDatabase::database(name, false);
                             const QString now = kennel::pedigreeVersion(kennel);
                             if (*made && !(*made)->m_problem.isEmpty()) {
                                 failedPreparation() = {version, (*made)->m_problem};
                             } else if (*made && !version.isEmpty() && now == version &&
                                        !isCurrent(kennel)) {
                                 (*made)->m_version = version;
                                 cached() = std::move(*made);
                             }
                             task->deleteLater();
                         });
        preparation() = task;
    }
    QObject::connect(preparation(), &core::BackgroundTask::finished, context, ready);
}

void KennelGenetics::waitForPreparation()
{
    delete preparation().data();
}

DogInbreeding KennelGenetics::ofDog(int dog, int generations)
{
    DogInbreeding result;
    if (!m_graph.pedigree().known(dog))
        return result;
    if (m_graph.looped(dog)) {
        result.loop = m_graph.loopAbove(dog);
        return result;
    }
    const Pedigree &p = m_graph.pedigree();
    result.all = m_inbreeding->of(dog);
    result.chosen = inbreedingOver(p, p.sire[dog], p.dam[dog], generations);
    return result;
}

std::vector<DogInbreeding> KennelGenetics::ofEveryDog(int generations,
                                                      const std::function<bool(int)> &done)
{
    m_inbreeding->coefficients();
    std::vector<DogInbreeding> all;
    all.reserve(size_t(m_graph.size()));
    for (int dog = 0; dog < m_graph.size(); ++dog) {
        all.push_back(ofDog(dog, generations));
        if (done && dog % 256 == 255 && !done(dog + 1))
            return {};
    }
    if (done)
        done(m_graph.size());
    return all;
}

QStringList KennelGenetics::loopAbove(int sire, int dam) const
{
    for (int parent : {sire, dam}) {
        if (m_graph.pedigree().known(parent) && m_graph.looped(parent))
            return m_graph.loopAbove(parent);
    }
    return {};
}

MatingFigures KennelGenetics::mating(int sire, int dam, int generations)
{
    return matingFigures(m_graph.pedigree(), *m_inbreeding, sire, dam, generations);
}

std::vector<double> KennelGenetics::meanKinship(const std::vector<int> &reference)
{
    const Pedigree &p = m_graph.pedigree();
    return genetics::meanKinship(p, m_inbreeding->coefficients(), geneContributions(p, reference));
}

std::vector<SireChoice> KennelGenetics::bestSires(int dam)
{
    std::vector<int> males;
    std::vector<int> belowLoops;
    for (int dog = 0; dog < m_graph.size(); ++dog) {
        if (m_graph.sex(dog) != Sex::Male || m_graph.hasDied(dog))
            continue;
        (m_graph.looped(dog) ? belowLoops : males).push_back(dog);
    }
    const double none = std::numeric_limits<double>::quiet_NaN();
    std::vector<SireChoice> choices;
    choices.reserve(males.size() + belowLoops.size());
    const std::vector<double> related = m_inbreeding->relationships(dam, males);
    const std::vector<double> completeness = equivalentGenerations(m_graph.pedigree());
    const double damSelf = 1.0 + m_inbreeding->of(dam);
    for (size_t i = 0; i < males.size(); ++i) {
        const double sireSelf = 1.0 + m_inbreeding->of(males[i]);
        choices.push_back({males[i], related[i] / 2.0, related[i] / std::sqrt(sireSelf * damSelf),
                           0.0, completeness[size_t(males[i])]});
    }
    std::stable_sort(choices.begin(), choices.end(), [](const SireChoice &a, const SireChoice &b) {
        return a.litterInbreeding < b.litterInbreeding;
    });
    for (int dog : belowLoops)
        choices.push_back({dog, none, none, none, none});
    return choices;
}

} // namespace genetics
