#pragma once

#include <QString>
#include <QStringView>

namespace core {

// What a pedigree writes for a parent that is not known.
inline QString notOnRecord()
{
    return QStringLiteral("Not On Record");
}

// A dog so named would be taken for every unknown parent written in another case.
inline bool isNotOnRecord(QStringView name)
{
    return name.trimmed().compare(u"Not On Record", Qt::CaseInsensitive) == 0;
}

inline QString notOnRecordRefusal()
{
    return QStringLiteral("\"Not On Record\" marks a parent that is not known; no dog can be "
                          "named so.");
}

} // namespace core
