#pragma once

#include "report/PageModel.h"

class QPainter;
class QPrinter;

namespace report {
class PagedLayout;
}

namespace report {

// Draws one page; the painter's units must be twips from the paper's top left corner.
// The preview, the printer and PDF all draw through here.
void paintPage(QPainter &painter, const Page &page);

// How wide a line of text is in this font, in twips.
double textWidth(const QFont &font, const QString &text);

// Where a text item's letters land when it is painted, in twips.
QRectF textExtent(const PageItem &item);

// Prints every page on a printer already set up (by the print dialog).
bool printLayout(PagedLayout &pages, QPrinter &printer);

// Writes every page as a PDF file; an empty result means success.
QString writePdf(PagedLayout &pages, const QString &fileName);
QString writePdf(const Layout &layout, const QString &fileName);

} // namespace report
