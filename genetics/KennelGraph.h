#pragma once

#include "genetics/NameIndex.h"
#include "genetics/Pedigree.h"

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
    int nameGroup(int dog) const { return m_names.groupOf(dog); }

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
    void order();
    void findLoops();

    Pedigree m_pedigree;
    std::string m_nameBytes;
    std::vector<unsigned> m_nameStart;
    std::vector<qint64> m_ids;
    std::vector<Sex> m_sexes;
    std::vector<int> m_born;
    std::vector<bool> m_died;
    NameIndex m_names;
    std::vector<int> m_loopOf;
    std::vector<std::vector<int>> m_loops;
    std::vector<UnrecordedParent> m_unrecorded;
    // Dogs of another sex, by index, with the sex as stored: few in a kennel.
    std::vector<std::pair<int, QString>> m_otherSexes;
};

} // namespace genetics
