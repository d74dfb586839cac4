#include "report/ReportBands.h"

namespace report {

Bands::Bands(const ReportDefinition &definition)
{
    for (const Section &s : definition.sections) {
        switch (s.kind) {
        case SectionKind::ReportHeader:
            reportHeader = &s;
            break;
        case SectionKind::PageHeader:
            pageHeader = &s;
            break;
        case SectionKind::PageFooter:
            pageFooter = &s;
            break;
        case SectionKind::ReportFooter:
            reportFooter = &s;
            break;
        default:
            break;
        }
    }
    for (SectionKind kind : {SectionKind::GroupHeader, SectionKind::Detail}) {
        for (const Section &s : definition.sections) {
            if (s.kind == kind)
                at(before, s.level).push_back(&s);
        }
    }
    for (const Section &s : definition.sections) {
        if (s.kind == SectionKind::GroupFooter)
            at(after, s.level).push_back(&s);
    }
}

const Flattened &RowCursor::at(qsizetype top)
{
    if (m_flat.top == top)
        return m_flat;
    m_flat.top = top;
    m_flat.nodes.clear();
    m_flat.steps.clear();
    m_flat.row = {};
    if (top < 0) {
        for (const Section *s : {m_bands.reportHeader, m_bands.pageHeader}) {
            if (s)
                m_flat.steps.push_back({s, -1});
        }
    } else if (top >= m_count) {
        if (m_bands.reportFooter)
            m_flat.steps.push_back({m_bands.reportFooter, -1});
    } else {
        if (top < m_first || top >= m_first + m_slice.size()) {
            m_first = top;
            m_slice = m_source.slice(top, sliceSize);
        }
        if (top - m_first < m_slice.size()) {
            m_flat.row = m_slice.at(top - m_first);
            add(m_flat.row, 0, -1);
        }
    }
    return m_flat;
}

void RowCursor::add(const core::DataRow &row, int level, qsizetype parent)
{
    const qsizetype node = qsizetype(m_flat.nodes.size());
    m_flat.nodes.push_back({&row, parent});
    for (const Section *s : Bands::of(m_bands.before, level))
        m_flat.steps.push_back({s, node});
    for (const core::DataRow &child : row.children)
        add(child, level + 1, node);
    for (const Section *s : Bands::of(m_bands.after, level))
        m_flat.steps.push_back({s, node});
}

} // namespace report
