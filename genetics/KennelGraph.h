#pragma once

#include "kennel/DogRows.h"

#include "genetics/NameIndex.h"
#include "genetics/Pedigree.h"

#include <functional>
#include <optional>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace genetics {

enum class Sex : unsigned char { Other, Male, Female };

// Every dog of the kennel with the parents its pedigree shows: a parent name is found as the
// pedigree builds find it, and "Not On Record", no name or a name no dog has is unknown.
class KennelGraph
{
public:
    // Reads the dogs table; the problem, or empty when it was read.
    QString read(const QSqlDatabase &kennel);
    // Takes in the rows written since the graph was read (row numbers, ascending): dogs added
    // after the last one, and new parents, sexes and dates. The dogs whose inbreeding may
    // have changed (those added or given other parents, and their descendants), ancestors
    // first; or nothing when the change is not one of those (a dog removed or renamed, a
    // name that another dog has or that dogs name as a parent, a row that cannot be read):
    // the graph is then to be read again whole, and may be half changed meanwhile.
    std::optional<std::vector<int>> update(const QSqlDatabase &kennel,
                                           const std::vector<qint64> &written);

    const Pedigree &pedigree() const { return m_pedigree; }
    int size() const { return m_pedigree.size(); }
    QString name(int dog) const;
    qint64 id(int dog) const { return m_ids[dog]; }
    Sex sex(int dog) const { return m_sexes[dog]; }
    // Julian day, or 0 when no valid birth date is stored.
    int born(int dog) const { return m_born[dog]; }
    bool hasDied(int dog) const { return m_died[dog]; }
    // The dog the pedigrees show for a parent name, or `unknown`.
    int find(const QString &name) const;
    // The dog with this dogid, or `unknown`.
    int indexOfId(qint64 id) const;
    int namesakes(int dog) const { return m_names.namesakes(dog); }
    std::vector<std::vector<int>> namesakeGroups() const { return m_names.namesakeGroups(); }

    // A dog in a loop of names or descended from one has no inbreeding.
    bool looped(int dog) const { return m_loopOf[dog] >= 0; }
    // The loop above a looped dog, by name, its first dog repeated at the end.
    QStringList loopAbove(int dog) const;
    // Every loop, as dog indexes with the first repeated at the end.
    const std::vector<std::vector<int>> &loops() const { return m_loops; }

    // A parent name that no dog has (not empty, not "Not On Record"), with the dog naming it.
    struct UnrecordedParent
    {
        int dog;
        bool sire;
        QString name;
    };
    const std::vector<UnrecordedParent> &unrecordedParents() const { return m_unrecorded; }
    // The sex as stored, for a dog whose sex is neither "Male" nor "Female".
    QString storedSex(int dog) const;

private:
    using Row = kennel::PedigreeRow;
    void add(const Row &row);
    void setSex(int dog, const Row &row);
    // The dog a parent name means, noting a name no dog has.
    int parentOf(int dog, bool sire, std::string_view name);
    void order();
    void findLoops();
    void placeAdded(int dog);
    std::vector<int> withDescendants(const std::vector<int> &dogs) const;
    // Moves the dogs (a dog given other parents and its descendants) to the end of the
    // order, in their order; false when they cannot keep it so (a loop came or went).
    bool moveToTheEnd(const std::vector<int> &affected);

    Pedigree m_pedigree;
    std::vector<qint64> m_ids;
    std::vector<Sex> m_sexes;
    std::vector<int> m_born;
    std::vector<bool> m_died;
    NameIndex m_names;
    std::vector<int> m_loopOf;
    // Each dog's offspring when the order was last made, and (parent, offspring) since.
    std::vector<int> m_childStart;
    std::vector<int> m_children;
    std::vector<std::pair<int, int>> m_laterChildren;
    std::vector<std::vector<int>> m_loops;
    std::vector<UnrecordedParent> m_unrecorded;
    // Dogs of another sex, by index, with the sex as stored: few in a kennel.
    std::vector<std::pair<int, QString>> m_otherSexes;
};

} // namespace genetics
