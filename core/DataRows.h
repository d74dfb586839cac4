#pragma once

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

} // namespace core
