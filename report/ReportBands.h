#pragma once

#include "core/DataRows.h"
#include "report/ReportDefinition.h"

#include <vector>

// How a paged layout walks a report's rows: each top row with its children, as the bands
// they place. Within the report library only.
namespace report {

// One top row and the bands it places, in order; each band knows whose values it shows.
struct Flattened
{
    struct Node
    {
        const core::DataRow *row;
        qsizetype parent;
    };
    struct Step
    {
        const Section *section;
        qsizetype node;
    };

    qsizetype top = -2;
    core::DataRow row;
    std::vector<Node> nodes;
    std::vector<Step> steps;

    // A row's value, else its nearest forebear's: children's values are laid over their
    // parents'.
    QVariant value(qsizetype node, const QString &field) const
    {
        for (; node >= 0; node = nodes[node].parent) {
            const auto found = nodes[node].row->values.constFind(field);
            if (found != nodes[node].row->values.cend())
                return *found;
        }
        return {};
    }
};

// The bands of each depth of rows: headers, then details, then footers after the children.
struct Bands
{
    explicit Bands(const ReportDefinition &definition);

    static std::vector<const Section *> &at(std::vector<std::vector<const Section *>> &levels,
                                            int level)
    {
        if (int(levels.size()) <= level)
            levels.resize(level + 1);
        return levels[level];
    }
    static const std::vector<const Section *> &
    of(const std::vector<std::vector<const Section *>> &levels, int level)
    {
        static const std::vector<const Section *> none;
        return level < int(levels.size()) ? levels[level] : none;
    }

    const Section *reportHeader = nullptr;
    const Section *pageHeader = nullptr;
    const Section *pageFooter = nullptr;
    const Section *reportFooter = nullptr;
    std::vector<std::vector<const Section *>> before;
    std::vector<std::vector<const Section *>> after;
};

// Reads the top rows a slice at a time and lays one of them out as its bands.
class RowCursor
{
public:
    RowCursor(const Bands &bands, core::RowSource &source, qsizetype count)
        : m_bands(bands), m_source(source), m_count(count)
    {
    }

    const Flattened &at(qsizetype top);

private:
    static constexpr qsizetype sliceSize = 256;

    void add(const core::DataRow &row, int level, qsizetype parent);

    const Bands &m_bands;
    core::RowSource &m_source;
    qsizetype m_count;
    qsizetype m_first = 0;
    core::DataSet m_slice;
    Flattened m_flat;
};

} // namespace report
