#include "report/PagePainter.h"

#include "report/ReportDefinition.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace report {
namespace {

// Fonts are sized in twips, the painter's unit, so that they scale with everything else.
QFont inTwips(const QFont &font)
{
    QFont scaled = font;
    scaled.setPixelSize(qMax(1, qRound(font.pointSizeF() * 20)));
    return scaled;
}

// Paper sizes are named upright; the orientation turns them.
QPageSize pageSizeOf(const Layout &layout)
{
    QSizeF upright = QSizeF(layout.paperSize) / 20.0;
    if (upright.width() > upright.height())
        upright.transpose();
    return QPageSize(upright, QPageSize::Point, QString(), QPageSize::FuzzyOrientationMatch);
}

QPageLayout::Orientation orientationOf(const Layout &layout)
{
    return layout.paperSize.width() > layout.paperSize.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait;
}

} // namespace

void paintPage(QPainter &painter, const Page &page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(Qt::black, 15));
    painter.setBrush(Qt::NoBrush);
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Line:
            painter.drawLine(item.rect.topLeft(), item.rect.topLeft() + QPoint(item.rect.width(),
                                                                               item.rect.height()));
            break;
        case PageItem::Kind::Box:
            painter.drawRect(item.rect);
            break;
        case PageItem::Kind::Text: {
            const QFont font = inTwips(item.font);
            painter.setFont(font);
            // A value longer than its place is cut short rather than drawn over its neighbour.
            if (item.clipped) {
                const QString shown = QFontMetricsF(font).elidedText(item.text, Qt::ElideRight,
                                                                     item.rect.width());
                painter.drawText(item.rect, int(item.alignment) | Qt::TextSingleLine, shown);
            } else {
                painter.drawText(item.rect, int(item.alignment) | Qt::TextSingleLine | Qt::TextDontClip,
                                 item.text);
            }
            break;
        }
        }
    }
    painter.restore();
}

bool printLayout(const Layout &layout, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(layout));
    printer.setPageOrientation(orientationOf(layout));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / double(twipsPerInch);
    for (int i = 0; i < layout.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        paintPage(painter, layout.pages.at(i));
    }
    return painter.end();
}

QString writePdf(const Layout &layout, const QString &fileName)
{
    // Contact lists hold addresses: the file is the user's alone before anything is in it.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return QStringLiteral("The file %1 could not be written.").arg(fileName);
    QPdfWriter pdf(&file);
    pdf.setTitle(layout.caption);
    pdf.setCreator(QStringLiteral("Houndry"));
    pdf.setResolution(twipsPerInch);
    pdf.setPageLayout(QPageLayout(pageSizeOf(layout), orientationOf(layout), QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf))
        return QStringLiteral("The file %1 could not be written.").arg(fileName);
    for (int i = 0; i < layout.pages.size(); ++i) {
        if (i > 0)
            pdf.newPage();
        paintPage(painter, layout.pages.at(i));
    }
    if (!painter.end() || !file.flush())
        return QStringLiteral("The file %1 could not be written.").arg(fileName);
    return {};
}

} // namespace report
