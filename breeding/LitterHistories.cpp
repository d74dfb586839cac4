#include "breeding/LitterHistories.h"

#include "db/DatabaseFiles.h"
#include "db/QueryColumns.h"
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
    litters.exec(
        QStringLiteral("SELECT litterid, sire, dam, littersize, dateoflitter, breedoflitter "
                       "FROM ") %
        db::tables::litters % QStringLiteral(" ORDER BY rowid"));
    const db::QueryColumns litterColumns(litters);
    while (litters.next()) {
        core::DataRow row;
        const QSqlRecord record = litters.record();
        for (int i = 0; i < record.count(); ++i)
            row.values.insert(record.fieldName(i), record.value(i));
        if (!litterColumns.value(QStringLiteral("sire")).isNull())
            bySire[litterColumns.value(QStringLiteral("sire")).toString()].append(row);
    }
    core::DataSet matings;
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT dgname1, dgname2 FROM ") % db::tables::matings %
           QStringLiteral(" ORDER BY rowid"));
    const db::QueryColumns matingColumns(q);
    while (q.next()) {
        core::DataRow mating{
            {{QStringLiteral("dgname1"), matingColumns.value(QStringLiteral("dgname1"))},
             {QStringLiteral("dgname2"), matingColumns.value(QStringLiteral("dgname2"))}}};
        if (!matingColumns.value(QStringLiteral("dgname1")).isNull())
            mating.children =
                bySire.value(matingColumns.value(QStringLiteral("dgname1")).toString());
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
          field(QStringLiteral("dgname1"), 720, 144, 5184, h),
          caption(QStringLiteral("Dam"), 144, 432, 420, h),
          field(QStringLiteral("dgname2"), 720, 432, 5190, h)}},
        {SectionKind::GroupHeader,
         528,
         1,
         {caption(QStringLiteral("sire:"), 432, 0, 1290, h),
          field(QStringLiteral("sire"), 1872, 0, 1440, h),
          caption(QStringLiteral("dam:"), 432, 288, 1296, h),
          field(QStringLiteral("dam"), 1872, 288, 1440, h)}},
        {SectionKind::Detail,
         315,
         1,
         {caption(QStringLiteral("Litter Size"), 432, 0, 855, h),
          field(QStringLiteral("littersize"), 1440, 0, 1440, h),
          caption(QStringLiteral("Litter Date"), 3024, 0, 1305, h),
          field(QStringLiteral("dateoflitter"), 4464, 0, 2160, h, report::Format::ShortDate)}},
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
