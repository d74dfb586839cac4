#include "report/PagePainter.h"

#include "report/PagedLayout.h"
#include "report/ReportDefinition.h"

#include <cstdio>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <unistd.h>

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
QPageSize pageSizeOf(QSize paperTwips)
{
    QSizeF upright = QSizeF(paperTwips) / 20.0;
    if (upright.width() > upright.height())
        upright.transpose();
    return QPageSize(upright, QPageSize::Point, QString(), QPageSize::FuzzyOrientationMatch);
}

QPageLayout::Orientation orientationOf(QSize paperTwips)
{
    return paperTwips.width() > paperTwips.height() ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait;
}

// A caption wider than its place goes on to further lines at its blanks rather than run
// into the value beside it.
int textFlags(const PageItem &item, const QFontMetricsF &metrics)
{
    int flags = int(item.alignment);
    if (item.clipped)
        return flags | Qt::TextSingleLine;
    flags |= Qt::TextDontClip;
    const bool tooWide = metrics.horizontalAdvance(item.text) > item.rect.width();
    return flags | (tooWide && item.text.trimmed().contains(QLatin1Char(' ')) ? Qt::TextWordWrap
                                                                              : Qt::TextSingleLine);
}

QString shownText(const PageItem &item, const QFontMetricsF &metrics)
{
    // A value longer than its place is cut short rather than drawn over its neighbour.
    return item.clipped ? metrics.elidedText(item.text, Qt::ElideRight, item.rect.width())
                        : item.text;
}

} // namespace

double textWidth(const QFont &font, const QString &text)
{
    return QFontMetricsF(inTwips(font)).horizontalAdvance(text);
}

QRectF textExtent(const PageItem &item)
{
    const QFontMetricsF metrics(inTwips(item.font));
    const QString shown = shownText(item, metrics);
    if (shown.isEmpty())
        return {};
    const QRectF drawn = metrics.boundingRect(QRectF(item.rect), textFlags(item, metrics), shown);
    return item.clipped ? drawn.intersected(QRectF(item.rect)) : drawn;
}

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
            painter.drawLine(item.rect.topLeft(),
                             item.rect.topLeft() + QPoint(item.rect.width(), item.rect.height()));
            break;
        case PageItem::Kind::Box:
            painter.drawRect(item.rect);
            break;
        case PageItem::Kind::Text: {
            const QFont font = inTwips(item.font);
            const QFontMetricsF metrics(font);
            painter.setFont(font);
            painter.drawText(item.rect, textFlags(item, metrics), shownText(item, metrics));
            break;
        }
        case PageItem::Kind::Picture: {
            if (item.image.isNull())
                break;
            QRect place(QPoint(), item.image.size().scaled(item.rect.size(), Qt::KeepAspectRatio));
            place.moveCenter(item.rect.center());
            painter.drawImage(place, item.image);
            break;
        }
        }
    }
    painter.restore();
}

bool printLayout(PagedLayout &pages, QPrinter &printer)
{
    pages.layOutAll();
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(pages.paperSize()));
    printer.setPageOrientation(orientationOf(pages.paperSize()));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / double(twipsPerInch);
    for (int i = 0; i < pages.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        paintPage(painter, pages.page(i));
    }
    return painter.end();
}

QString writePdf(PagedLayout &pages, const QString &fileName)
{
    pages.layOutAll();
    const QString failed = QStringLiteral("The file %1 could not be written.").arg(fileName);
    // Written beside the chosen file and put in its place only when whole: a failure or a
    // kill leaves the old file as it was. A temporary file is the user's alone from the
    // start, as contact lists hold addresses.
    QTemporaryFile file(QFileInfo(fileName).absolutePath() +
                        QStringLiteral("/.houndry-XXXXXX.pdf"));
    if (!file.open())
        return failed;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(pages.caption());
        pdf.setCreator(QStringLiteral("Houndry"));
        pdf.setResolution(twipsPerInch);
        pdf.setPageLayout(QPageLayout(pageSizeOf(pages.paperSize()),
                                      orientationOf(pages.paperSize()), QMarginsF()));
        QPainter painter;
        if (!painter.begin(&pdf))
            return failed;
        for (int i = 0; i < pages.pageCount(); ++i) {
            if (i > 0)
                pdf.newPage();
            paintPage(painter, pages.page(i));
        }
        if (!painter.end())
            return failed;
    }
    if (file.error() != QFileDevice::NoError || !file.flush() || ::fsync(file.handle()) != 0 ||
        std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(fileName).constData()) != 0)
        return failed;
    file.setAutoRemove(false);
    return {};
}

QString writePdf(const Layout &layout, const QString &fileName)
{
    PagedLayout pages(layout);
    return writePdf(pages, fileName);
}

} // namespace report
