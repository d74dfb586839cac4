#include "report/PageModel.h"

#include <algorithm>

namespace report {

QStringList Layout::texts(int page) const
{
    QList<PageItem> items = pages.at(page).items;
    std::stable_sort(items.begin(), items.end(), [](const PageItem &a, const PageItem &b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top()
                                            : a.rect.left() < b.rect.left();
    });
    QStringList all;
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Kind::Text)
            all << item.text;
    }
    return all;
}

const PageItem *Layout::find(int page, const QString &text) const
{
    for (const PageItem &item : pages.at(page).items) {
        if (item.kind == PageItem::Kind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

} // namespace report
