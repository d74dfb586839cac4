#include "breeding/LitterHistories.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>

namespace breeding {
namespace {

constexpr int h = 240;

core::DataSet matingsWithLitters()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    // The litters of each sire, matched exactly by name.
    QHash<QString, QList<core::DataRow>> bySire;
    QSqlQuery litters(kennel);
    litters.setForwardOnly(true);
    litters.exec(db::selectFrom(db::tables::litters,
                                {db::fields::litters::id, db::fields::litters::sire,
                                 db::fields::litters::dam, db::fields::litters::size,
                                 db::fields::litters::born, db::fields::litters::breed}) %
                 QStringLiteral(" ORDER BY rowid"));
    const db::QueryColumns litterColumns(litters);
    while (litters.next()) {
        core::DataRow row;
        const QSqlRecord record = litters.record();
        for (int i = 0; i < record.count(); ++i)
            row.values.insert(record.fieldName(i), record.value(i));
        if (!litterColumns.value(db::fields::litters::sire).isNull())
            bySire[litterColumns.value(db::fields::litters::sire).toString()].append(row);
    }
    core::DataSet matings;
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.exec(
        db::selectFrom(db::tables::matings, {db::fields::matings::sire, db::fields::matings::dam}) %
        QStringLiteral(" ORDER BY rowid"));
    const db::QueryColumns matingColumns(q);
    while (q.next()) {
        core::DataRow mating{
            {{db::fields::matings::sire, matingColumns.value(db::fields::matings::sire)},
             {db::fields::matings::dam, matingColumns.value(db::fields::matings::dam)}}};
        if (!matingColumns.value(db::fields::matings::sire).isNull())
            mating.children =
                bySire.value(matingColumns.value(db::fields::matings::sire).toString());
        matings.append(mating);
    }
    return matings;
}

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
            matingsWithLitters};
}

} // namespace breeding
