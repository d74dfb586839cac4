#include "pedigree/PedigreeChart.h"

#include "report/ReportDefinition.h"
#include "report/ReportLayout.h"
#include "showcase/Titles.h"

namespace pedigree {
namespace {

constexpr int margin = 720;
constexpr int titleHeight = 700;
constexpr int leavesPerPage = 32;
constexpr int textHeight = 220;

} // namespace

report::Layout pedigreeChart(const PedigreeRecord &record, int generations,
                             const QString &inbreeding, const QHash<QString, QString> &marks,
                             const QString &legend, const QHash<QString, QString> &titles)
{
    report::ReportDefinition paper;
    paper.orientation = QPageLayout::Landscape;
    report::Layout layout;
    layout.caption = QStringLiteral("%1 Generation Pedigree").arg(generations);
    layout.paperSize = report::paperSizeTwips(paper);

    const int leaves = 1 << generations;
    const int perPage = qMin(leaves, leavesPerPage);
    const int pageCount = leaves / perPage;
    const int columnWidth = (layout.paperSize.width() - 2 * margin) / (generations + 1);
    const int rowHeight = (layout.paperSize.height() - 2 * margin - titleHeight) / perPage;
    const QFont font(QStringLiteral("Arial"), 8);
    const QFont titleFont(QStringLiteral("Arial"), 14, QFont::Bold);

    for (int p = 0; p < pageCount; ++p) {
        report::Page page;
        const int firstLeaf = p * perPage;
        const int lastLeaf = firstLeaf + perPage; // exclusive
        // The middle, on this page, of the rows a dog's ancestry spans; -1 when off the page.
        auto middle = [&](int generation, int n) {
            const int span = 1 << (generations - generation);
            const int from = qMax((n - 1) * span, firstLeaf);
            const int to = qMin(n * span, lastLeaf);
            if (from >= to)
                return -1;
            return margin + titleHeight + ((from + to - 2 * firstLeaf) * rowHeight) / 2;
        };
        auto text = [&](int column, int y, const QString &dog, const QFont &f) {
            const QString mark = marks.value(dog);
            const QString name = showcase::titled(dog, titles.value(dog));
            page.items.append(
                {report::PageItem::Kind::Text,
                 QRect(margin + column * columnWidth, y - textHeight / 2, columnWidth - 160,
                       textHeight),
                 mark.isEmpty() ? name : name + QStringLiteral(" [") + mark + QLatin1Char(']'), f,
                 Qt::AlignLeft | Qt::AlignVCenter, true});
        };
        page.items.append({report::PageItem::Kind::Text,
                           QRect(margin, margin, layout.paperSize.width() - 2 * margin, 400),
                           QStringLiteral("%1 Generation Pedigree of %2")
                               .arg(generations)
                               .arg(record.dogname.isEmpty() ? record.subject : record.dogname),
                           titleFont, Qt::AlignHCenter | Qt::AlignTop});
        page.items.append({report::PageItem::Kind::Text,
                           QRect(layout.paperSize.width() - margin - 2000, margin + 420, 2000, 240),
                           QStringLiteral("Page %1 of %2").arg(p + 1).arg(pageCount), font,
                           Qt::AlignRight | Qt::AlignTop});
        page.items.append({report::PageItem::Kind::Text,
                           QRect(margin, margin + 420, layout.paperSize.width() / 2, 240),
                           inbreeding, font, Qt::AlignLeft | Qt::AlignTop});
        if (!legend.isEmpty())
            page.items.append({report::PageItem::Kind::Text,
                               QRect(margin, margin + 660, layout.paperSize.width() / 2, 240),
                               legend, font, Qt::AlignLeft | Qt::AlignTop});
        text(0, middle(0, 1), record.dogname.isEmpty() ? record.subject : record.dogname, font);
        for (int g = 0; g < generations; ++g) {
            for (int n = 1; n <= (1 << g); ++n) {
                const int y = middle(g, n);
                if (y < 0)
                    continue;
                const int sireY = middle(g + 1, 2 * n - 1);
                const int damY = middle(g + 1, 2 * n);
                const int x = margin + (g + 1) * columnWidth - 100;
                const int top = sireY >= 0 ? sireY : y;
                const int bottom = damY >= 0 ? damY : y;
                page.items.append({report::PageItem::Kind::Line, QRect(x, top, 0, bottom - top)});
                page.items.append({report::PageItem::Kind::Line, QRect(x - 60, y, 60, 0)});
                for (const auto &[parentY, parentN] :
                     {std::pair{sireY, 2 * n - 1}, std::pair{damY, 2 * n}}) {
                    if (parentY < 0)
                        continue;
                    page.items.append({report::PageItem::Kind::Line, QRect(x, parentY, 80, 0)});
                    text(g + 1, parentY, record.slot(slotOfDog(g + 1, parentN)), font);
                }
            }
        }
        layout.pages.append(page);
    }
    return layout;
}

} // namespace pedigree
