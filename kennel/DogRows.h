#pragma once

#include <functional>
#include <optional>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <string_view>
#include <vector>

// The dogs as the whole-kennel computations read them: straight from the file, the text as
// stored and only valid during the call, for kennels of a hundred thousand dogs and more.
namespace kennel {

// What a pedigree needs of a dog.
struct PedigreeRow
{
    qint64 id;
    std::string_view name, sire, dam, sex, born; // born as stored
    bool died;                                   // a date of death is recorded
};
// Every dog in number order; or, with `only` (ascending), those of these numbers that are still
// there. The problem, or empty.
QString scanPedigrees(const QSqlDatabase &kennel,
                      const std::function<void(const PedigreeRow &)> &each,
                      const std::vector<qint64> *only = nullptr);
// The highest dog number given so far; 0 for none.
qint64 highestDogNumber(const QSqlDatabase &kennel);

// A mark that changes when a dog is added or removed or what a pedigree needs of one changes
// (a microchip or colour written leaves it as it is); empty when it cannot tell.
QString pedigreeVersion(const QSqlDatabase &kennel);
// The numbers, ascending, of the dogs added, removed or given other pedigree facts on this
// connection since a mark; nothing when it cannot tell or more than `most` changed.
std::optional<std::vector<qint64>> pedigreesWrittenSince(const QSqlDatabase &kennel,
                                                         const QString &version, qsizetype most);
// Marks that change with any write to the dogs, or to the contacts; empty when it cannot tell.
QString dogsVersion(const QSqlDatabase &kennel);
QString contactsVersion(const QSqlDatabase &kennel);

// What tells one dog record from another: name, registration and microchip as stored.
struct IdentityRow
{
    qint64 id;
    std::string_view name, registration, microchip;
};
// Every dog. The problem, or empty.
QString scanIdentities(const QSqlDatabase &kennel,
                       const std::function<void(const IdentityRow &)> &each);

// What a kennel file holds, from the rows of each of its tables as a backup counts them.
struct Tally
{
    qint64 dogs = 0;
    qint64 contacts = 0;
};
// Nothing when the tables are not a kennel file's.
std::optional<Tally> tallyOf(const QMap<QString, qint64> &rowsByTable);

} // namespace kennel
