#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace report {

// A laid-out page: positioned items in twips from the paper's top left corner.
struct PageItem
{
    enum class Kind { Text, Line, Box, Picture };
    Kind kind = Kind::Text;
    QRect rect;
    QString text = {};
    QFont font = {};
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // Values are cut short to their place; fixed captions are drawn whole.
    bool clipped = false;
    QImage image = {};
};

struct Page
{
    QList<PageItem> items;
};

struct Layout
{
    QString caption;
    QSize paperSize; // twips
    QList<Page> pages;

    // The texts on a page, top to bottom and left to right: a convenience for tests.
    QStringList texts(int page) const;
    const PageItem *find(int page, const QString &text) const;
};

} // namespace report
