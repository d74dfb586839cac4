#include "breeding/SeasonsExpected.h"

#include "breeding/Seasons.h"
#include "core/DateText.h"
#include "db/DatabaseFiles.h"

namespace breeding {
namespace {

using report::caption;
using report::field;
using report::SectionKind;

core::DataSet expectedRows()
{
    QString problem;
    const std::vector<ExpectedSeason> expected =
        seasonsExpected(db::DatabaseFiles::kennel(), &problem);
    if (!problem.isEmpty())
        return {core::DataRow{
            {{QStringLiteral("bitch"),
              QString(QStringLiteral("The seasons could not be read: ") + problem)}}}};
    core::DataSet rows;
    for (const ExpectedSeason &e : expected) {
        const SeasonForecast &f = e.forecast;
        rows << core::DataRow{
            {{QStringLiteral("bitch"), e.name},
             {QStringLiteral("last"), core::datetext::shortDate(e.lastSeason)},
             {QStringLiteral("next"), core::datetext::shortDate(f.next)},
             {QStringLiteral("between"),
              f.fromUsualInterval ? QStringLiteral("from the usual interval")
                                  : core::datetext::shortDate(f.earliest) + QStringLiteral(" to ") +
                                        core::datetext::shortDate(f.latest)}}};
    }
    return rows;
}

} // namespace

report::Report seasonsExpectedReport()
{
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 900, 0,
         report::titleAndDate(QStringLiteral("Seasons Expected"))},
        {SectionKind::PageHeader,
         400,
         0,
         {report::withFont(caption(QStringLiteral("Bitch"), 0, 0, 3800), bold),
          report::withFont(caption(QStringLiteral("Last Season"), 3880, 0, 1500), bold),
          report::withFont(caption(QStringLiteral("Next Expected"), 5460, 0, 1500), bold),
          report::withFont(caption(QStringLiteral("Likely Between"), 7040, 0, 2320), bold),
          report::line(0, 330, 9360)}},
        {SectionKind::Detail,
         285,
         0,
         {field(QStringLiteral("bitch"), 0, 0, 3800), field(QStringLiteral("last"), 3880, 0, 1500),
          field(QStringLiteral("next"), 5460, 0, 1500),
          field(QStringLiteral("between"), 7040, 0, 2320)}},
    };
    return {report::arialReport(QStringLiteral("SeasonsExpected"),
                                QStringLiteral("Seasons Expected"),
                                QMargins(1440, 1440, 1440, 1440), sections, 9),
            expectedRows};
}

} // namespace breeding
