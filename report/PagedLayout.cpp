#include "report/PagedLayout.h"

#include "report/ReportBands.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "report/ReportLayout.h"

#include <QHash>
#include <QLocale>
#include <vector>

namespace report {
namespace {

using core::DataRow;

QString formatted(const QVariant &value, Format format)
{
    switch (format) {
    case Format::Money:
        return value.isNull() ? QString() : core::formatMoney(value.toLongLong());
    case Format::ShortDate:
        return core::datetext::display(value);
    case Format::Text:
        break;
    }
    return value.toString();
}

bool isDecorationOnly(const Section &section)
{
    for (const Element &e : section.elements) {
        if (e.kind != ElementKind::Line && e.kind != ElementKind::Box)
            return false;
    }
    return true;
}

// Where the walk through a report stands: a top row (-1 before the rows, the row count after
// them) and a band of that row.
struct Position
{
    qsizetype top = -1;
    qsizetype step = 0;
};

} // namespace

class PagedLayout::Paginator
{
public:
    Paginator(const ReportDefinition &definition, std::unique_ptr<core::RowSource> rows,
              const QDateTime &printedAt)
        : m_def(definition), m_bands(m_def), m_source(std::move(rows)), m_count(m_source->count()),
          m_printedAt(printedAt), m_paper(paperSizeTwips(m_def)),
          m_pass(m_bands, *m_source, m_count), m_render(m_bands, *m_source, m_count)
    {
        m_bottom = m_paper.height() - m_def.margins.bottom();
        if (m_bands.pageFooter)
            m_bottom -= m_bands.pageFooter->height;
        m_y = m_pageStart = m_def.margins.top();
        m_starts.push_back(m_position);
        for (const Section &s : m_def.sections) {
            for (const Element &e : s.elements) {
                if (e.kind == ElementKind::Sum)
                    m_sums.insert(e.text, 0);
            }
        }
    }

    const ReportDefinition &definition() const { return m_def; }
    QSize paperSize() const { return m_paper; }
    bool isComplete() const { return m_complete; }
    int pageCount() const { return int(m_starts.size()); }
    double progress() const
    {
        return m_complete ? 1.0
                          : qBound(0.0, double(m_position.top) / qMax<qsizetype>(1, m_count), 1.0);
    }

    bool layOutMore(const QDeadlineTimer &deadline)
    {
        for (int steps = 0; !m_complete; ++steps) {
            if (steps % 256 == 255 && deadline.hasExpired())
                return false;
            const Flattened &flat = m_pass.at(m_position.top);
            if (m_position.step == 0 && m_position.top >= 0 && m_position.top < m_count)
                addSums(flat.row);
            if (m_position.step >= qsizetype(flat.steps.size())) {
                m_complete = m_position.top >= m_count;
                m_position = {m_position.top + 1, 0};
                continue;
            }
            const Section &section = *flat.steps[m_position.step].section;
            switch (fit(section, m_y, m_pageStart)) {
            case Fit::Skip:
                break;
            case Fit::NewPage:
                m_starts.push_back(m_position);
                m_y = m_def.margins.top() + (m_bands.pageHeader ? m_bands.pageHeader->height : 0);
                m_pageStart = m_y;
                m_y += section.height;
                break;
            case Fit::Place:
                m_y += section.height;
                break;
            }
            ++m_position.step;
        }
        m_cachedIndex = -1;
        return true;
    }

    Page page(int index)
    {
        if (index == m_cachedIndex)
            return m_cached;
        Page page;
        int y = m_def.margins.top();
        int pageStart = y;
        if (index > 0 && m_bands.pageHeader) {
            place(page, index, *m_bands.pageHeader, y, nullptr, -1);
            y += m_bands.pageHeader->height;
            pageStart = y;
        }
        for (Position at = m_starts.at(index);;) {
            const Flattened &flat = m_render.at(at.top);
            if (at.step >= qsizetype(flat.steps.size())) {
                if (at.top >= m_count)
                    break;
                at = {at.top + 1, 0};
                continue;
            }
            const Flattened::Step &step = flat.steps[at.step];
            const Fit placed = fit(*step.section, y, pageStart);
            if (placed == Fit::NewPage)
                break;
            if (placed == Fit::Place) {
                place(page, index, *step.section, y, &flat, step.node);
                y += step.section->height;
            }
            ++at.step;
        }
        if (m_bands.pageFooter)
            place(page, index, *m_bands.pageFooter, m_bottom, nullptr, -1);
        // A page shown before every break is known may name too few pages; it is made
        // afresh once they are all known.
        m_cachedIndex = m_complete ? index : -1;
        m_cached = page;
        return page;
    }

private:
    enum class Fit { Place, NewPage, Skip };

    // A band that does not fit goes to the next page, unless it is alone on its page. A rule
    // closing a group would stand alone on a page of its own; the page's end closes the
    // group as well.
    Fit fit(const Section &section, int y, int pageStart) const
    {
        if (y + section.height > m_bottom && y > pageStart &&
            section.kind != SectionKind::PageHeader)
            return isDecorationOnly(section) ? Fit::Skip : Fit::NewPage;
        return Fit::Place;
    }

    void addSums(const DataRow &row)
    {
        for (auto sum = m_sums.begin(); sum != m_sums.end(); ++sum)
            *sum = core::addAmounts(*sum, row.values.value(sum.key()).toLongLong());
        for (const DataRow &child : row.children)
            addSums(child);
    }

    void place(Page &page, int index, const Section &section, int y, const Flattened *flat,
               qsizetype node) const
    {
        for (const Element &e : section.elements) {
            if (!e.shownWith.isEmpty() && (!flat || flat->value(node, e.shownWith).isNull()))
                continue;
            PageItem item;
            item.rect = e.rect.translated(m_def.margins.left(), y);
            item.font = e.font.value_or(m_def.font);
            item.alignment = e.alignment;
            switch (e.kind) {
            case ElementKind::Line:
                item.kind = PageItem::Kind::Line;
                break;
            case ElementKind::Box:
                item.kind = PageItem::Kind::Box;
                break;
            case ElementKind::Caption:
                item.text = e.text;
                break;
            case ElementKind::Field:
                item.text = formatted(flat ? flat->value(node, e.text) : QVariant(), e.format);
                item.clipped = true;
                break;
            case ElementKind::PageNumber:
                item.text = QString::number(index + 1);
                break;
            case ElementKind::PageCount:
                item.text = QString::number(pageCount());
                break;
            case ElementKind::PrintDate:
                item.text = QLocale().toString(m_printedAt.date(), QLocale::LongFormat);
                break;
            case ElementKind::PrintTime:
                item.text = QLocale().toString(m_printedAt.time(), QLocale::LongFormat);
                break;
            case ElementKind::Sum:
                item.text = formatted(m_sums.value(e.text), e.format);
                break;
            case ElementKind::Picture:
                item.kind = PageItem::Kind::Picture;
                item.image = flat ? flat->value(node, e.text).value<QImage>() : QImage();
                break;
            }
            page.items.append(item);
        }
    }

    const ReportDefinition m_def;
    const Bands m_bands;
    std::unique_ptr<core::RowSource> m_source;
    const qsizetype m_count;
    const QDateTime m_printedAt;
    const QSize m_paper;
    int m_bottom = 0;

    // The walk that finds the page breaks.
    RowCursor m_pass;
    Position m_position;
    int m_y = 0;
    int m_pageStart = 0;
    bool m_complete = false;
    std::vector<Position> m_starts;
    QHash<QString, qint64> m_sums;

    // Pages are made by a walk of their own, from where each begins.
    RowCursor m_render;
    int m_cachedIndex = -1;
    Page m_cached;
};

PagedLayout::PagedLayout(Layout layout) : m_fixed(std::move(layout))
{
    if (m_fixed.pages.isEmpty())
        m_fixed.pages.append(Page());
}

PagedLayout::PagedLayout(const ReportDefinition &definition, std::unique_ptr<core::RowSource> rows,
                         const QDateTime &printedAt)
    : m_paginator(std::make_unique<Paginator>(definition, std::move(rows), printedAt))
{
}

PagedLayout::PagedLayout(PagedLayout &&other) noexcept = default;
PagedLayout &PagedLayout::operator=(PagedLayout &&other) noexcept = default;
PagedLayout::~PagedLayout() = default;

QString PagedLayout::caption() const
{
    return m_paginator ? m_paginator->definition().caption : m_fixed.caption;
}

QSize PagedLayout::paperSize() const
{
    return m_paginator ? m_paginator->paperSize() : m_fixed.paperSize;
}

bool PagedLayout::layOutMore(const QDeadlineTimer &deadline)
{
    return !m_paginator || m_paginator->layOutMore(deadline);
}

bool PagedLayout::isComplete() const
{
    return !m_paginator || m_paginator->isComplete();
}

int PagedLayout::pageCount() const
{
    return m_paginator ? m_paginator->pageCount() : int(m_fixed.pages.size());
}

double PagedLayout::progress() const
{
    return m_paginator ? m_paginator->progress() : 1.0;
}

Page PagedLayout::page(int index) const
{
    return m_paginator ? m_paginator->page(index) : m_fixed.pages.at(index);
}

Layout PagedLayout::toLayout()
{
    if (!m_paginator)
        return m_fixed;
    layOutAll();
    Layout layout{caption(), paperSize(), {}};
    for (int i = 0; i < pageCount(); ++i)
        layout.pages.append(page(i));
    return layout;
}

} // namespace report
