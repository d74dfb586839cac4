#include "money/ContractReport.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace money {
namespace {

constexpr int width = 9360;
constexpr int lineHeight = 300;

// The lines as the page shows them: each of the text's lines broken where it is wider than
// the page, by the font's own measure.
QStringList pageLines(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const double available = width / 1440.0 * metrics.fontDpi() * 0.97;
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine piece = layout.createLine(); piece.isValid(); piece = layout.createLine()) {
            piece.setLineWidth(available);
            // A line keeps its indent; a wrapped piece starts where the words do.
            QString shown = line.mid(piece.textStart(), piece.textLength());
            if (piece.lineNumber() > 0)
                shown = shown.trimmed();
            while (shown.endsWith(QLatin1Char(' ')))
                shown.chop(1);
            lines << shown;
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace

report::Report contractReport(const QString &text)
{
    const QList<report::Section> sections{
        {report::SectionKind::Detail,
         lineHeight,
         0,
         {report::field(QStringLiteral("line"), 0, 0, width, lineHeight)}},
    };
    report::ReportDefinition definition =
        report::arialReport(QStringLiteral("ContractOfSale"), QStringLiteral("Contract of Sale"),
                            QMargins(1440, 1440, 1440, 1440), sections, 10);
    const QStringList lines = pageLines(text, definition.font);
    return {definition, [lines] {
                core::DataSet rows;
                for (const QString &line : lines)
                    rows << core::DataRow{{{QStringLiteral("line"), line}}};
                return rows;
            }};
}

} // namespace money
