#include "inbreeding/GeneticsReports.h"

#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"
#include "genetics/PedigreeChecks.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <QPointer>
#include <QProgressDialog>

namespace inbreeding {
namespace {

using report::caption;
using report::field;
using report::SectionKind;
using report::titleAndDate;

const QMargins oneInch(1440, 1440, 1440, 1440);
constexpr int detailsLine = 100; // characters of details on one printed line

core::DataRow rowOf(QVariantMap values)
{
    return core::DataRow{std::move(values)};
}

// Long details go on to further rows at their commas rather than be cut short.
QStringList detailLines(const QString &details)
{
    QStringList lines;
    QString line;
    for (const QString &piece : details.split(QStringLiteral(", "))) {
        if (!line.isEmpty() && line.size() + 2 + piece.size() > detailsLine) {
            lines << line + QLatin1Char(',');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(", ")) + piece;
    }
    return lines << line;
}

core::DataSet problemRows()
{
    genetics::KennelGenetics &genetics =
        genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
    core::DataSet rows;
    if (!genetics.problem().isEmpty()) {
        rows.append(rowOf(
            {{QStringLiteral("details"),
              QString(QStringLiteral("The dogs could not be read: ") + genetics.problem())}}));
        return rows;
    }
    bool faults = false;
    std::vector<genetics::PedigreeProblem> problems = genetics::pedigreeProblems(genetics.graph());
    std::vector<genetics::PedigreeProblem> duplicates =
        genetics::likelyDuplicates(db::DatabaseFiles::kennel());
    // DNA results that Mendel's rules make impossible, or that disagree.
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(db::DatabaseFiles::kennel());
    if (!dna.problem().isEmpty())
        duplicates.push_back(
            {QStringLiteral("DNA results"), QString(), 0,
             QStringLiteral("The health results could not be read: ") + dna.problem()});
    for (const genetics::DnaConflict &conflict : dna.conflicts()) {
        const int dog = conflict.dogs.front();
        duplicates.push_back({QStringLiteral("DNA result"), genetics.graph().name(dog),
                              genetics.graph().id(dog), conflict.what});
    }
    // With the faults, before what is only worth knowing.
    problems.insert(std::find_if(problems.begin(), problems.end(),
                                 [](const genetics::PedigreeProblem &p) { return p.information; }),
                    duplicates.begin(), duplicates.end());
    for (const genetics::PedigreeProblem &problem : problems) {
        if (!problem.information && !faults) {
            faults = true;
        } else if (problem.information && !faults && rows.isEmpty()) {
            rows.append(rowOf({{QStringLiteral("details"),
                                QStringLiteral("No problems were found; the parents below are "
                                               "named but not recorded.")}}));
        }
        const QStringList lines = detailLines(problem.details);
        rows.append(rowOf({{QStringLiteral("kind"), problem.kind},
                           {QStringLiteral("dog"), problem.dog},
                           {QStringLiteral("id"), problem.information ? QVariant() : problem.dogId},
                           {QStringLiteral("details"), lines.front()}}));
        for (qsizetype i = 1; i < lines.size(); ++i)
            rows.append(rowOf({{QStringLiteral("details"), lines[i]}}));
    }
    if (rows.isEmpty())
        rows.append(
            rowOf({{QStringLiteral("details"),
                    QStringLiteral("No problems were found: every pedigree can be trusted.")}}));
    return rows;
}

} // namespace

report::Report pedigreeChecks()
{
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 900, 0, titleAndDate(QStringLiteral("Check Pedigrees"))},
        {SectionKind::PageHeader,
         400,
         0,
         {report::withFont(caption(QStringLiteral("Problem"), 0, 0, 2880), bold),
          report::withFont(caption(QStringLiteral("Dog"), 2950, 0, 5000), bold),
          report::withFont(caption(QStringLiteral("Dog ID"), 8020, 0, 1340), bold),
          report::line(0, 330, 9360)}},
        {SectionKind::Detail,
         560,
         0,
         {field(QStringLiteral("kind"), 0, 0, 2880), field(QStringLiteral("dog"), 2950, 0, 5000),
          field(QStringLiteral("id"), 8020, 0, 1340),
          field(QStringLiteral("details"), 360, 270, 9000)}},
    };
    return {report::arialReport(QStringLiteral("CheckPedigrees"), QStringLiteral("Check Pedigrees"),
                                oneInch, sections, 9),
            problemRows};
}

report::Report everyDogsInbreeding(const std::function<bool(int, int)> &progress)
{
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    const QString tenGenerations =
        QStringLiteral("COI (%1 generations)").arg(genetics::defaultGenerations);
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 900, 0,
         titleAndDate(QStringLiteral("Inbreeding of Every Dog"))},
        {SectionKind::PageHeader,
         600,
         0,
         {report::withFont(caption(QStringLiteral("Dog"), 0, 0, 4200), bold),
          report::withFont(caption(QStringLiteral("Dog ID"), 4280, 0, 1000), bold),
          report::withFont(caption(QStringLiteral("COI (all generations)"), 5360, 0, 1950), bold),
          report::withFont(caption(tenGenerations, 7410, 0, 1950), bold),
          report::line(0, 540, 9360)}},
        {SectionKind::Detail,
         285,
         0,
         {field(QStringLiteral("dog"), 0, 0, 4200), field(QStringLiteral("id"), 4280, 0, 1000),
          field(QStringLiteral("all"), 5360, 0, 1950),
          field(QStringLiteral("ten"), 7410, 0, 1950)}},
    };
    auto rows = [progress] {
        genetics::KennelGenetics &genetics =
            genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
        if (!genetics.problem().isEmpty())
            return core::DataSet{rowOf({{QStringLiteral("dog"), genetics::coiNotAvailable()}})};
        const genetics::KennelGraph &graph = genetics.graph();
        const std::vector<genetics::DogInbreeding> all =
            genetics.ofEveryDog(genetics::defaultGenerations, [&](int done) {
                return !progress || progress(done, graph.size());
            });
        std::vector<int> order(all.size());
        std::iota(order.begin(), order.end(), 0);
        // Highest first; dogs below a loop, which have no value, last.
        auto key = [&](int dog) { return all[dog].loop.isEmpty() ? all[dog].all : -1.0; };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) > key(b); });
        core::DataSet data;
        data.reserve(qsizetype(order.size()));
        for (int dog : order) {
            const bool looped = !all[dog].loop.isEmpty();
            const QString none = QStringLiteral("loop");
            data.append(rowOf(
                {{QStringLiteral("dog"), graph.name(dog)},
                 {QStringLiteral("id"), graph.id(dog)},
                 {QStringLiteral("all"), looped ? none : genetics::percent(all[dog].all)},
                 {QStringLiteral("ten"), looped ? none : genetics::percent(all[dog].chosen)}}));
        }
        return data;
    };
    return {report::arialReport(QStringLiteral("InbreedingOfEveryDog"),
                                QStringLiteral("Inbreeding of Every Dog"), oneInch, sections, 9),
            rows};
}

std::function<bool(int, int)> progressDialog(QWidget *parent)
{
    auto dialog = std::make_shared<QPointer<QProgressDialog>>();
    return [dialog, parent](int done, int of) {
        if (!*dialog) {
            *dialog = new QProgressDialog(QStringLiteral("Working out the inbreeding of every dog"),
                                          QStringLiteral("Cancel"), 0, of, parent);
            (*dialog)->setWindowModality(Qt::WindowModal);
            (*dialog)->setMinimumDuration(1000);
            (*dialog)->setAttribute(Qt::WA_DeleteOnClose);
        }
        (*dialog)->setValue(done);
        const bool goOn = !(*dialog)->wasCanceled();
        if (done >= of || !goOn)
            (*dialog)->close();
        return goOn;
    };
}

} // namespace inbreeding
