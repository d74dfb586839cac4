#include "kennel/DogFinder.h"

#include "core/DogNames.h"
#include "db/Fields.h"
#include "db/Schema.h"
#include "db/Tables.h"

#include <algorithm>

namespace kennel {

bool namesADog(QStringView name)
{
    return !name.isEmpty() && name != core::notOnRecordText;
}

bool namesADog(std::string_view utf8)
{
    return !utf8.empty() && utf8 != std::string_view(core::notOnRecordText.data(),
                                                     size_t(core::notOnRecordText.size()));
}

void dogNameKey(std::string_view utf8, std::string &key)
{
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return uchar(c) < 0x80; })) {
        key.assign(utf8);
        for (char &c : key) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
        return;
    }
    key = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
              .toCaseFolded()
              .toUtf8()
              .toStdString();
}

std::string dogNameKey(const QString &name)
{
    std::string key;
    dogNameKey(name.toStdString(), key);
    return key;
}

DogFinder::DogFinder(const QSqlDatabase &kennel, const QStringList &columns)
    : m_seek(kennel, *db::findIndex(db::indexes::dogNames), columns)
{
}

bool DogFinder::find(const QString &name, int skip)
{
    m_found = namesADog(name) && m_seek.seek(name, skip);
    return m_found;
}

qint64 dogNamed(const QSqlDatabase &kennel, const QString &name, qint64 except)
{
    DogFinder finder(kennel, {db::fields::dogs::id});
    for (int skip = 0; finder.find(name, skip); ++skip) {
        const qint64 id = finder.value(db::fields::dogs::id).toLongLong();
        if (id != except)
            return id;
    }
    return 0;
}

} // namespace kennel
