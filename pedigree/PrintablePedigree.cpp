#include "pedigree/PrintablePedigree.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/SqlRows.h"
#include "db/Tables.h"

namespace pedigree {
namespace {

using namespace Qt::StringLiterals;

constexpr int lineHeight = 285;

struct Column
{
    int captionLeft;
    int nameLeft;
    int nameWidth;
    QList<std::pair<QString, int>> slots; // slot and top
};

const QList<Column> &columns()
{
    static const QList<Column> all{
        {288, 1008, 4320, {{u"1s1"_s, 6336}, {u"1d1"_s, 10944}}},
        {1872,
         2880,
         4320,
         {{u"2s1"_s, 5328}, {u"2d1"_s, 7488}, {u"2s2"_s, 9936}, {u"2d2"_s, 12096}}},
        {5328,
         6192,
         4470,
         {{u"3s1"_s, 4752},
          {u"3d1"_s, 6048},
          {u"3s2"_s, 6912},
          {u"3d2"_s, 8208},
          {u"3s3"_s, 9360},
          {u"3d3"_s, 10656},
          {u"3s4"_s, 11520},
          {u"3d4"_s, 12816}}},
    };
    return all;
}

} // namespace

QList<report::Element> pedigreeColumns()
{
    QList<report::Element> elements;
    for (int c = 0; c < columns().size(); ++c) {
        const Column &column = columns().at(c);
        for (const auto &[slot, top] : column.slots) {
            const bool sire = slot.at(1) == QLatin1Char('s');
            elements << report::caption(sire ? QStringLiteral("Sire :") : QStringLiteral("Dam :"),
                                        column.captionLeft, top,
                                        column.nameLeft - column.captionLeft - 72)
                     << report::field(slot, column.nameLeft, top, column.nameWidth);
        }
        if (c + 1 == columns().size())
            continue;
        // Brackets from each name to its parents, broken around the name itself.
        const Column &parents = columns().at(c + 1);
        const int x = parents.captionLeft - 144;
        for (int i = 0; i < column.slots.size(); ++i) {
            const int child = column.slots.at(i).second;
            const int sireMiddle = parents.slots.at(2 * i).second + lineHeight / 2;
            const int damMiddle = parents.slots.at(2 * i + 1).second + lineHeight / 2;
            elements << report::line(x, sireMiddle, 0, child - 60 - sireMiddle)
                     << report::line(x, child + lineHeight + 60, 0,
                                     damMiddle - child - lineHeight - 60)
                     << report::line(x, sireMiddle, parents.captionLeft - x - 36)
                     << report::line(x, damMiddle, parents.captionLeft - x - 36);
        }
    }
    return elements;
}

report::Report printablePedigree()
{
    namespace fields = db::fields::pedigree;
    QFont title(QStringLiteral("Arial"), 18, QFont::Bold);
    QFont name(QStringLiteral("Arial"), 14, QFont::Bold);
    QFont bold(QStringLiteral("Arial"), 10, QFont::Bold);
    report::Section page{report::SectionKind::Detail, 13300};
    page.elements << report::withFont(report::caption(QStringLiteral("Certificate of Pedigree For"),
                                                      2880, 288, 5700, 450),
                                      title)
                  << report::withFont(report::field(fields::dog, 2880, 864, 5715, 380), name);
    page.elements[0].alignment = page.elements[1].alignment = Qt::AlignHCenter | Qt::AlignTop;
    const QList<std::pair<QString, QString>> details{
        {QStringLiteral("Name :"), fields::dog},
        {QStringLiteral("Breed :"), fields::breed},
        {QStringLiteral("Sex :"), fields::sex},
        {QStringLiteral("Date of Birth :"), fields::born},
        {QStringLiteral("Colour :"), fields::colour}};
    int top = 1440;
    for (const auto &[caption, field] : details) {
        page.elements << report::withFont(report::caption(caption, 288, top, 2088), bold)
                      << report::field(field, 2448, top, 8600);
        top += 432;
    }
    page.elements << pedigreeColumns();

    return {report::arialReport(QStringLiteral("DataReport1"),
                                QStringLiteral("3 Generation Pedigree"),
                                QMargins(100, 100, 100, 100), {page}),
            [] {
                return db::queryRows(db::DatabaseFiles::report(),
                                     QStringLiteral("SELECT * FROM ") % db::tables::pedigree %
                                         QStringLiteral(" ORDER BY rowid LIMIT 1"));
            }};
}

} // namespace pedigree
