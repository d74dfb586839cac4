#pragma once

#include "db/IndexSeek.h"

#include <QStringView>
#include <string>
#include <string_view>

// Which dog a parent name means, decided here for every reader of the kennel: the pedigree
// builds, the certificate and the sale seek it through the name index (`DogFinder`); the
// genetics, which ask it a million times at once, find it in memory by the same rule
// (`genetics::NameIndex`, built on `dogNameKey`). No name and "Not On Record" mean no dog;
// any other name means the first dog, in the index's order, whose name equals it without
// regard to case.
namespace kennel {

// Whether a parent name can mean a dog at all.
bool namesADog(QStringView name);
bool namesADog(std::string_view utf8);
// What two names share when they mean the same dog, into `key`: the name with A-Z lowered,
// as SQLite's NOCASE compares, when it is plain ASCII; fully case folded otherwise.
void dogNameKey(std::string_view utf8, std::string &key);
// The same for a name held as text.
std::string dogNameKey(const QString &name);

class DogFinder
{
public:
    // `columns` are the fields a dog found is read with.
    DogFinder(const QSqlDatabase &kennel, const QStringList &columns);

    // False for a name that means no dog, or that no dog has. With `skip`, the namesake that
    // many after the dog the name means.
    bool find(const QString &name, int skip = 0);
    // A field of the dog last found; none when the last name found none.
    QVariant value(const QString &column) const
    {
        return m_found ? m_seek.value(column) : QVariant();
    }
    QString lastError() const { return m_seek.lastError(); }

private:
    db::IndexSeek m_seek;
    bool m_found = false;
};

// The number of the dog a name means, or where that is `except`, of its next namesake; 0 for
// none. How two records of one name are told apart, as "Merge Dogs..." needs.
qint64 dogNamed(const QSqlDatabase &kennel, const QString &name, qint64 except = 0);

} // namespace kennel
