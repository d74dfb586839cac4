#include "report/ReportLayout.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Money.h"

#include <QLocale>
#include <QPrinterInfo>

namespace report {
namespace {

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

void addSums(const DataSet &rows, const QString &field, qint64 &sum)
{
    for (const DataRow &row : rows) {
        sum = core::addAmounts(sum, row.values.value(field).toLongLong());
        addSums(row.children, field, sum);
    }
}

class Paginator
{
public:
    Paginator(const ReportDefinition &definition, const DataSet &data, const QDateTime &printedAt)
        : m_def(definition), m_data(data), m_printedAt(printedAt)
    {
        m_layout.caption = definition.caption;
        m_layout.paperSize = paperSizeTwips(definition);
        m_bottom = m_layout.paperSize.height() - definition.margins.bottom();
        if (const Section *footer = find(SectionKind::PageFooter))
            m_bottom -= footer->height;
    }

    Layout run()
    {
        startPage(true);
        if (const Section *header = find(SectionKind::ReportHeader))
            place(*header, {});
        if (const Section *pageHeader = find(SectionKind::PageHeader))
            place(*pageHeader, {});
        for (const DataRow &row : m_data)
            emitRow(row, 0, {});
        if (const Section *footer = find(SectionKind::ReportFooter))
            place(*footer, {});
        finishPage();
        const QString count = QString::number(m_layout.pages.size());
        for (const auto &[page, item] : m_pageCounts)
            m_layout.pages[page].items[item].text = count;
        return m_layout;
    }

private:
    const Section *find(SectionKind kind) const
    {
        for (const Section &s : m_def.sections) {
            if (s.kind == kind)
                return &s;
        }
        return nullptr;
    }

    void emitRow(const DataRow &row, int level, QVariantMap values)
    {
        for (auto it = row.values.cbegin(); it != row.values.cend(); ++it)
            values.insert(it.key(), it.value());
        for (SectionKind kind : {SectionKind::GroupHeader, SectionKind::Detail}) {
            for (const Section &s : m_def.sections) {
                if (s.kind == kind && s.level == level)
                    place(s, values);
            }
        }
        for (const DataRow &child : row.children)
            emitRow(child, level + 1, values);
        for (const Section &s : m_def.sections) {
            if (s.kind == SectionKind::GroupFooter && s.level == level)
                place(s, values);
        }
    }

    void startPage(bool first)
    {
        m_layout.pages.append(Page());
        m_y = m_def.margins.top();
        if (!first) {
            if (const Section *pageHeader = find(SectionKind::PageHeader))
                place(*pageHeader, {});
        }
        m_pageStart = m_y;
    }

    void finishPage()
    {
        if (const Section *footer = find(SectionKind::PageFooter)) {
            m_y = m_bottom;
            emitItems(*footer, {});
        }
    }

    static bool isDecorationOnly(const Section &section)
    {
        for (const Element &e : section.elements) {
            if (e.kind != ElementKind::Line && e.kind != ElementKind::Box)
                return false;
        }
        return true;
    }

    void place(const Section &section, const QVariantMap &values)
    {
        // A section that does not fit goes to the next page, unless it is alone on its page.
        if (m_y + section.height > m_bottom && m_y > m_pageStart &&
            section.kind != SectionKind::PageHeader) {
            // A rule closing a group would stand alone on a page of its own; the page's end
            // closes the group as well.
            if (isDecorationOnly(section))
                return;
            finishPage();
            startPage(false);
        }
        emitItems(section, values);
        m_y += section.height;
    }

    void emitItems(const Section &section, const QVariantMap &values)
    {
        Page &page = m_layout.pages.last();
        for (const Element &e : section.elements) {
            PageItem item;
            item.rect = e.rect.translated(m_def.margins.left(), m_y);
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
                item.text = formatted(values.value(e.text), e.format);
                item.clipped = true;
                break;
            case ElementKind::PageNumber:
                item.text = QString::number(m_layout.pages.size());
                break;
            case ElementKind::PageCount:
                m_pageCounts.append({int(m_layout.pages.size() - 1), int(page.items.size())});
                break;
            case ElementKind::PrintDate:
                item.text = QLocale().toString(m_printedAt.date(), QLocale::LongFormat);
                break;
            case ElementKind::PrintTime:
                item.text = QLocale().toString(m_printedAt.time(), QLocale::LongFormat);
                break;
            case ElementKind::Sum: {
                qint64 sum = 0;
                addSums(m_data, e.text, sum);
                item.text = formatted(sum, e.format);
                break;
            }
            }
            page.items.append(item);
        }
    }

    const ReportDefinition &m_def;
    const DataSet &m_data;
    QDateTime m_printedAt;
    Layout m_layout;
    int m_y = 0;
    int m_pageStart = 0;
    int m_bottom = 0;
    QList<std::pair<int, int>> m_pageCounts;
};

} // namespace

QPageSize defaultPaper()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        return printer.defaultPageSize();
    return QPageSize(QLocale().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4
                                                                            : QPageSize::Letter);
}

QSize paperSizeTwips(const ReportDefinition &definition)
{
    const QPageSize paper = definition.pageSize.value_or(defaultPaper());
    const QSizeF points = paper.size(QPageSize::Point);
    QSize twips(qRound(points.width() * 20), qRound(points.height() * 20));
    if (definition.orientation == QPageLayout::Landscape)
        twips.transpose();
    return twips;
}

Layout layoutReport(const ReportDefinition &definition, const DataSet &data,
                    const QDateTime &printedAt)
{
    return Paginator(definition, data, printedAt).run();
}

Layout Report::layout() const
{
    return layoutReport(definition, data ? data() : DataSet(),
                        QDateTime(core::Clock::today(), QTime::currentTime()));
}

} // namespace report
