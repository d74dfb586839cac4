#include "population/MatingMatrix.h"

#include "kennel/Dogs.h"
#include "report/ReportDefinition.h"
#include "transfer/CsvExport.h"

#include <algorithm>
#include <cmath>
#include <QStringBuilder>
#include <unordered_set>

namespace population {
namespace {

QString percentNumber(double value)
{
    return std::isnan(value) ? QString() : QString::number(100.0 * value, 'f', 4);
}

} // namespace

Candidates matingCandidates(const QSqlDatabase &kennel, const genetics::KennelGraph &graph,
                            const CandidateFilter &filter, const QDate &today)
{
    Candidates candidates;
    std::unordered_set<qint64> ofBreed;
    if (!filter.breed.trimmed().isEmpty()) {
        candidates.problem = kennel::dogsOfBreed(kennel, filter.breed, &ofBreed);
        if (!candidates.problem.isEmpty())
            return candidates;
    }
    const qint64 youngest = today.addYears(-filter.youngestYears).toJulianDay();
    const qint64 oldest = today.addYears(-filter.oldestYears).toJulianDay();
    for (int dog = 0; dog < graph.size(); ++dog) {
        const genetics::Sex sex = graph.sex(dog);
        if (sex == genetics::Sex::Other || (filter.livingOnly && graph.hasDied(dog)))
            continue;
        if (!filter.breed.trimmed().isEmpty() && !ofBreed.contains(graph.id(dog)))
            continue;
        const int born = graph.born(dog);
        if (filter.ageLimits && born != 0 && (born > youngest || born < oldest))
            continue;
        (sex == genetics::Sex::Male ? candidates.males : candidates.females)
            .push_back({dog, graph.id(dog), graph.name(dog)});
    }
    for (std::vector<Candidate> *dogs : {&candidates.males, &candidates.females}) {
        std::stable_sort(dogs->begin(), dogs->end(), [](const Candidate &a, const Candidate &b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
    }
    return candidates;
}

MatingMatrix matingMatrix(const QSqlDatabase &kennel, genetics::KennelGenetics &genetics,
                          std::vector<Candidate> sires, std::vector<Candidate> dams,
                          const std::vector<double> &kinship)
{
    MatingMatrix matrix;
    matrix.sires = std::move(sires);
    matrix.dams = std::move(dams);
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    if (!dna.problem().isEmpty()) {
        matrix.problem = dna.problem();
        return matrix;
    }
    const genetics::KennelGraph &graph = genetics.graph();
    std::vector<int> placedSires;
    for (const Candidate &sire : matrix.sires) {
        if (!graph.looped(sire.dog))
            placedSires.push_back(sire.dog);
    }
    matrix.cells.resize(matrix.sires.size() * matrix.dams.size());
    for (size_t d = 0; d < matrix.dams.size(); ++d) {
        const int dam = matrix.dams[d].dog;
        // One climb from the dam gives her relationship with every sire.
        const std::vector<double> related =
            graph.looped(dam) ? std::vector<double>()
                              : genetics.inbreeding().relationships(dam, placedSires);
        size_t placed = 0;
        for (size_t s = 0; s < matrix.sires.size(); ++s) {
            MatrixCell &cell = matrix.cells[d * matrix.sires.size() + s];
            const int sire = matrix.sires[s].dog;
            if (graph.looped(sire))
                continue;
            const double relationship = related.empty() ? 0.0 : related[placed];
            ++placed;
            if (related.empty())
                continue;
            cell.coi = relationship / 2.0;
            cell.meanKinship = (kinship[size_t(sire)] + kinship[size_t(dam)]) / 2.0;
            for (int test = 0; test < int(dna.tests().size()); ++test) {
                if (dna.litter(test, sire, dam).canProduceAffected)
                    cell.affected << dna.tests()[size_t(test)].name;
            }
        }
    }
    return matrix;
}

QString cellText(const MatrixCell &cell)
{
    if (std::isnan(cell.coi))
        return QStringLiteral("loop");
    QString text = QStringLiteral("COI ") % genetics::percent(cell.coi) % QStringLiteral("\nMK ") %
                   genetics::percent(cell.meanKinship);
    if (!cell.affected.isEmpty())
        text += QLatin1Char('\n') + genetics::affectedWarning();
    return text;
}

QByteArray matrixCsv(const MatingMatrix &matrix)
{
    QByteArray csv("dam,sire,litter_coi,litter_mean_kinship,health_warning\n");
    for (size_t d = 0; d < matrix.dams.size(); ++d) {
        for (size_t s = 0; s < matrix.sires.size(); ++s) {
            const MatrixCell &cell = matrix.at(d, s);
            const QString warning = cell.affected.isEmpty()
                                        ? QString()
                                        : genetics::affectedWarning() % QStringLiteral(": ") %
                                              cell.affected.join(QStringLiteral(", "));
            csv += transfer::csvField(transfer::guarded(matrix.dams[d].name)) + ',' +
                   transfer::csvField(transfer::guarded(matrix.sires[s].name)) + ',' +
                   percentNumber(cell.coi).toUtf8() + ',' +
                   percentNumber(cell.meanKinship).toUtf8() + ',' +
                   transfer::csvField(transfer::guarded(warning)) + '\n';
        }
    }
    return csv;
}

report::Report matrixReport(const MatingMatrix &matrix)
{
    using report::caption;
    using report::field;
    // Landscape: the dam's name, then this many sires side by side.
    constexpr int siresAcross = 6;
    constexpr int width = 13680;
    constexpr int nameWidth = 2880;
    constexpr int cellWidth = (width - nameWidth) / siresAcross;
    constexpr int cellHeight = 3 * 230 + 60;
    const QFont bold(QStringLiteral("Arial"), 8, QFont::Bold);
    QList<report::Element> header = report::titleAndDate(QStringLiteral("Mating Matrix"));
    QList<report::Element> sireRow{
        report::withFont(caption(QStringLiteral("Dam"), 0, 60, nameWidth - 80), bold)};
    QList<report::Element> damRow{
        field(QStringLiteral("dam"), 0, 30, nameWidth - 80, cellHeight - 60)};
    for (int i = 0; i < siresAcross; ++i) {
        const int left = nameWidth + i * cellWidth;
        sireRow << report::withFont(
            field(QStringLiteral("sire%1").arg(i), left, 60, cellWidth - 80, 470), bold);
        damRow << field(QStringLiteral("cell%1").arg(i), left, 30, cellWidth - 80, cellHeight - 60);
    }
    sireRow << report::line(0, 560, width);
    damRow << report::line(0, cellHeight - 10, width);
    const QList<report::Section> sections{
        {report::SectionKind::ReportHeader, 900, 0, header},
        {report::SectionKind::GroupHeader, 620, 0, sireRow},
        {report::SectionKind::Detail, cellHeight, 1, damRow},
    };
    report::ReportDefinition definition =
        report::arialReport(QStringLiteral("MatingMatrixReport"), QStringLiteral("Mating Matrix"),
                            QMargins(1080, 1080, 1080, 1080), sections, 8);
    definition.orientation = QPageLayout::Landscape;
    core::DataSet data;
    for (size_t first = 0; first < matrix.sires.size(); first += siresAcross) {
        core::DataRow block;
        const size_t last = std::min(matrix.sires.size(), first + siresAcross);
        for (size_t s = first; s < last; ++s)
            block.values.insert(QStringLiteral("sire%1").arg(s - first), matrix.sires[s].name);
        for (size_t d = 0; d < matrix.dams.size(); ++d) {
            core::DataRow row{{{QStringLiteral("dam"), matrix.dams[d].name}}};
            for (size_t s = first; s < last; ++s)
                row.values.insert(QStringLiteral("cell%1").arg(s - first),
                                  cellText(matrix.at(d, s)));
            block.children << row;
        }
        data << block;
    }
    return {definition, [data] { return data; }};
}

} // namespace population
