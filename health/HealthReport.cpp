#include "health/HealthReport.h"

#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"
#include "kennel/Dogs.h"

#include <map>
#include <QStringBuilder>

namespace health {
namespace {

using report::caption;
using report::field;
using report::SectionKind;

// One dog's latest result of each test, in the order of the tests.
struct DogResults
{
    qint64 id;
    QString name;
    QString registration;
    QString breed;
    std::map<qint64, core::DataRow> latest; // by test id
};

} // namespace

core::DataSet healthResultRows(const QSqlDatabase &kennel)
{
    namespace dog = db::fields::dogs;
    namespace test = db::fields::healthTests;
    namespace result = db::fields::healthResults;
    auto t = [](const QString &f) -> QString { return QStringLiteral("t.") + db::quoted(f); };
    auto r = [](const QString &f) -> QString { return QStringLiteral("r.") + db::quoted(f); };
    // Newest first, so that the first of each dog and test is its latest.
    const QString sql = QStringLiteral("SELECT ") % r(result::dogId) % QStringLiteral(", ") %
                        t(test::id) % QStringLiteral(", ") % t(test::name) % QStringLiteral(", ") %
                        r(result::result) % QStringLiteral(", ") % r(result::score) %
                        QStringLiteral(", ") % r(result::date) % QStringLiteral(", ") %
                        r(result::examiner) % QStringLiteral(", ") % r(result::certificate) %
                        QStringLiteral(" FROM ") % db::quoted(db::tables::healthResults) %
                        QStringLiteral(" r JOIN ") % db::quoted(db::tables::healthTests) %
                        QStringLiteral(" t ON ") % t(test::id) % QStringLiteral(" = ") %
                        r(result::testId) % QStringLiteral(" ORDER BY ") % r(result::date) %
                        QStringLiteral(" DESC, ") % r(result::id) % QStringLiteral(" DESC");
    enum Column { DogId, TestId, Test, Result, Score, Date, Examiner, Certificate };
    std::vector<std::pair<qint64, std::pair<qint64, QVariantMap>>> found;
    QString problem = db::scanRows(kennel, sql, [&](const db::RawRow &row) {
        const QVariantMap values{
            {QStringLiteral("test"), row.string(Test)},
            {QStringLiteral("result"), row.string(Result)},
            {QStringLiteral("score"),
             row.text(Score).empty() ? QString() : QString::number(row.real(Score), 'g', 10)},
            {QStringLiteral("date"), core::datetext::display(row.string(Date))},
            {QStringLiteral("examiner"), row.string(Examiner)},
            {QStringLiteral("certificate"), row.string(Certificate)}};
        found.push_back({row.whole(DogId), {row.whole(TestId), values}});
    });
    QList<qint64> tested;
    for (const auto &entry : found)
        tested << entry.first;
    // The living dogs the kennel owns.
    const auto read = kennel::dogFields(
        kennel, tested, {dog::name, dog::registration, dog::breed, dog::owner, dog::died});
    if (!read && problem.isEmpty())
        problem = QStringLiteral("the dogs of the results could not be read");
    const QHash<qint64, QVariantMap> testedDogs = read.value_or(QHash<qint64, QVariantMap>{});
    std::map<qint64, DogResults> dogs;
    const kennel::KennelOwner own(kennel);
    for (const auto &[dogId, entry] : found) {
        const auto d = testedDogs.constFind(dogId);
        if (d == testedDogs.cend() || !d->value(dog::died).toString().isEmpty() ||
            !own.owns(d->value(dog::owner).toString()))
            continue;
        DogResults &results = dogs[dogId];
        results.id = dogId;
        results.name = d->value(dog::name).toString();
        results.registration = d->value(dog::registration).toString();
        results.breed = d->value(dog::breed).toString();
        results.latest.emplace(entry.first, core::DataRow{entry.second});
    }
    if (!problem.isEmpty()) {
        const QVariant said =
            QString(QStringLiteral("The health results could not be read: ") + problem);
        return {core::DataRow{{{QStringLiteral("breed"), said}}}};
    }

    // What relatives prove of a DNA test the dog has no result of.
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const genetics::DnaStatuses *dna =
        genetics.problem().isEmpty() ? &genetics.dnaStatuses(kennel) : nullptr;
    std::map<QString, std::map<QString, core::DataRow>> byBreed;
    for (auto &[id, results] : dogs) {
        core::DataRow dogRow{{{QStringLiteral("dog"), results.name},
                              {QStringLiteral("registration"), results.registration}}};
        for (auto &[testId, row] : results.latest)
            dogRow.children << row;
        const int index = genetics.graph().indexOfId(id);
        for (int test = 0; dna && index != genetics::unknown && test < int(dna->tests().size());
             ++test) {
            const genetics::DnaStatus status = dna->status(test, index);
            if (results.latest.contains(dna->tests()[size_t(test)].id) ||
                (status.basis != genetics::DnaBasis::ClearByParentage &&
                 status.basis != genetics::DnaBasis::CarrierAtLeast))
                continue;
            dogRow.children << core::DataRow{
                {{QStringLiteral("test"), dna->tests()[size_t(test)].name},
                 {QStringLiteral("result"), genetics::statusText(status)}}};
        }
        const QString breed = results.breed.trimmed().isEmpty()
                                  ? QStringLiteral("Breed not recorded")
                                  : results.breed;
        byBreed[breed].emplace(results.name.toLower() + QChar(0x1f) + QString::number(id),
                               std::move(dogRow));
    }
    core::DataSet rows;
    for (auto &[breed, breedDogs] : byBreed) {
        core::DataRow group{{{QStringLiteral("breed"), breed}}};
        for (auto &[key, dogRow] : breedDogs)
            group.children << std::move(dogRow);
        rows << std::move(group);
    }
    return rows;
}

report::Report healthResultsReport()
{
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    const QFont heading(QStringLiteral("Arial"), 11, QFont::Bold);
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 900, 0, report::titleAndDate(QStringLiteral("Health Results"))},
        {SectionKind::PageHeader,
         400,
         0,
         {report::withFont(caption(QStringLiteral("Test"), 360, 0, 1800), bold),
          report::withFont(caption(QStringLiteral("Result"), 2200, 0, 2400), bold),
          report::withFont(caption(QStringLiteral("Number"), 4640, 0, 800), bold),
          report::withFont(caption(QStringLiteral("Date"), 5480, 0, 1200), bold),
          report::withFont(caption(QStringLiteral("Laboratory or Examiner"), 6720, 0, 2640), bold),
          report::line(0, 330, 9360)}},
        {SectionKind::GroupHeader,
         480,
         0,
         {report::withFont(field(QStringLiteral("breed"), 0, 100, 9360, 320), heading)}},
        {SectionKind::GroupHeader,
         330,
         1,
         {report::withFont(field(QStringLiteral("dog"), 0, 40, 6000), bold),
          field(QStringLiteral("registration"), 6720, 40, 2640)}},
        {SectionKind::Detail,
         285,
         2,
         {field(QStringLiteral("test"), 360, 0, 1800),
          field(QStringLiteral("result"), 2200, 0, 2400),
          field(QStringLiteral("score"), 4640, 0, 800),
          field(QStringLiteral("date"), 5480, 0, 1200),
          field(QStringLiteral("examiner"), 6720, 0, 2640)}},
        {SectionKind::GroupFooter, 120, 1},
        {SectionKind::GroupFooter, 120, 0},
    };
    return {report::arialReport(QStringLiteral("HealthResultsReport"),
                                QStringLiteral("Health Results"), QMargins(1440, 1440, 1440, 1440),
                                sections, 9),
            [] { return healthResultRows(db::DatabaseFiles::kennel()); }};
}

} // namespace health
