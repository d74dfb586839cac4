#include "breeding/LitterHistories.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/SqlRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Litters.h"

namespace breeding {
namespace {

constexpr int h = 240;

// Matings in stored order, each with every litter of its sire (matched exactly by name);
// the matings are read a slice at a time, and with them only their sires' litters.
class MatingsWithLitters : public core::RowSource
{
public:
    explicit MatingsWithLitters(const QSqlDatabase &kennel)
        : m_kennel(kennel), m_matings(kennel, db::tables::matings,
                                      {db::fields::matings::sire, db::fields::matings::dam})
    {
    }

    qsizetype count() override { return m_matings.count(); }

    core::DataSet slice(qsizetype first, qsizetype count) override
    {
        core::DataSet matings = m_matings.slice(first, count);
        QStringList sires;
        for (const core::DataRow &mating : matings) {
            const QVariant sire = mating.values.value(db::fields::matings::sire);
            if (!sire.isNull())
                sires << sire.toString();
        }
        const QHash<QString, core::DataSet> litters = kennel::littersOfSires(m_kennel, sires);
        for (core::DataRow &mating : matings) {
            const QVariant sire = mating.values.value(db::fields::matings::sire);
            if (!sire.isNull())
                mating.children = litters.value(sire.toString());
        }
        return matings;
    }

private:
    QSqlDatabase m_kennel;
    db::TableSlices m_matings;
};

} // namespace

report::Report litterHistories()
{
    using report::caption;
    using report::field;
    using report::SectionKind;
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 360},
        {SectionKind::PageHeader, 360},
        {SectionKind::GroupHeader,
         780,
         0,
         {report::line(144, 0, 7056), caption(QStringLiteral("Sire"), 144, 144, 432, h),
          field(db::fields::matings::sire, 720, 144, 5184, h),
          caption(QStringLiteral("Dam"), 144, 432, 420, h),
          field(db::fields::matings::dam, 720, 432, 5190, h)}},
        {SectionKind::GroupHeader,
         528,
         1,
         {caption(QStringLiteral("sire:"), 432, 0, 1290, h),
          field(db::fields::litters::sire, 1872, 0, 1440, h),
          caption(QStringLiteral("dam:"), 432, 288, 1296, h),
          field(db::fields::litters::dam, 1872, 288, 1440, h)}},
        {SectionKind::Detail,
         315,
         1,
         {caption(QStringLiteral("Litter Size"), 432, 0, 855, h),
          field(db::fields::litters::size, 1440, 0, 1440, h),
          caption(QStringLiteral("Litter Date"), 3024, 0, 1305, h),
          field(db::fields::litters::born, 4464, 0, 2160, h, report::Format::ShortDate)}},
        {SectionKind::GroupFooter, 360, 1},
        {SectionKind::GroupFooter, 360, 0},
        {SectionKind::PageFooter, 360},
        {SectionKind::ReportFooter, 330},
    };
    return {report::arialReport(QStringLiteral("LitterHistories"),
                                QStringLiteral("Litter Histories"),
                                QMargins(1440, 1440, 1440, 1440), sections, 9),
            {},
            [] { return std::make_unique<MatingsWithLitters>(db::DatabaseFiles::kennel()); }};
}

} // namespace breeding
