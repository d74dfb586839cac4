#pragma once

#include <memory>
#include <QList>
#include <QVariantMap>

namespace core {

// One row of values by column name, as queries hand them to reports; a parent/child data
// set gives rows children.
struct DataRow
{
    QVariantMap values;
    QList<DataRow> children = {};
};

using DataSet = QList<DataRow>;

// The top rows of a long report, read a slice at a time so that nothing holds them all.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual qsizetype count() = 0;
    // The top rows first .. first + count - 1, each with its children.
    virtual DataSet slice(qsizetype first, qsizetype count) = 0;
};

// Rows already read, handed out in slices.
class DataSetSource : public RowSource
{
public:
    explicit DataSetSource(DataSet rows) : m_rows(std::move(rows)) {}
    qsizetype count() override { return m_rows.size(); }
    DataSet slice(qsizetype first, qsizetype count) override { return m_rows.mid(first, count); }

private:
    DataSet m_rows;
};

} // namespace core
