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
// Health results: a row per result, or a laboratory's row per dog with a column per test
// (each such column mapped to `resultsOfTheHeader`). Its fields are the import's own names,
// not the table's.
const ImportTarget &healthResultTarget();
inline const QString resultsOfTheHeader = QStringLiteral("=");
namespace resultFields {
inline const QString registration = QStringLiteral("registration");
inline const QString dog = QStringLiteral("dog");
inline const QString test = QStringLiteral("test");
inline const QString result = QStringLiteral("result");
inline const QString date = QStringLiteral("date");
inline const QString score = QStringLiteral("score");
inline const QString examiner = QStringLiteral("examiner");
inline const QString certificate = QStringLiteral("certificate");
inline const QString note = QStringLiteral("note");
} // namespace resultFields

} // namespace transfer
