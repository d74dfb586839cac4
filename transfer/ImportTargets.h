#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace transfer {

struct TargetField
{
    QString field;
    QString caption;
    QStringList headers; // header texts that mean this field, lower case
    bool date = false;
    bool lines = false; // may hold line breaks
};

// What an import fills: dogs or contacts, its fields and how a row finds its match.
struct ImportTarget
{
    QString table;
    QString what;       // "dogs", "contacts"
    QString nameField;  // every row needs one
    QString matchField; // a row with the same value matches; the name when empty or none
    QList<TargetField> fields;
    const TargetField *field(const QString &name) const;
};

const ImportTarget &dogTarget();
const ImportTarget &contactTarget();

} // namespace transfer
