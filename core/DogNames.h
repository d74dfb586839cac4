#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

namespace core {

// What a pedigree writes for a parent that is not known; never looked up as a dog.
inline constexpr QLatin1StringView notOnRecordText("Not On Record");

inline QString notOnRecord()
{
    return notOnRecordText;
}

// A dog so named would be taken for every unknown parent written in another case.
inline bool isNotOnRecord(QStringView name)
{
    return name.trimmed().compare(notOnRecordText, Qt::CaseInsensitive) == 0;
}

inline QString notOnRecordRefusal()
{
    return QStringLiteral("\"%1\" marks a parent that is not known; no dog can be named so.")
        .arg(notOnRecordText);
}

} // namespace core
