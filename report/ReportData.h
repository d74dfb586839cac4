#pragma once

#include <QList>
#include <QVariantMap>

namespace report {

// One row of a report's data; a parent/child data set gives rows children.
struct DataRow
{
    QVariantMap values;
    QList<DataRow> children = {};
};

using DataSet = QList<DataRow>;

} // namespace report
