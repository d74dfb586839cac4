#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace genetics {

// Finds a dog by name as a seek through the kennel's name index does, without asking the
// database: the key is compared without regard to case (A-Z only, as SQLite's NOCASE, when
// the key is plain ASCII; full case folding otherwise) and the first match in index order
// wins, that is by NOCASE order and then by row.
class NameIndex
{
public:
    // Room for this many names, so that the table is not rebuilt as it fills.
    void reserve(int names);
    // Names in row order, as UTF-8; each dog is the next number.
    void add(std::string_view name);
    // Gives back the room kept for growing, once all are in.
    void squeeze();
    int find(std::string_view name) const;
    std::string_view name(int dog) const
    {
        return std::string_view(m_nameBytes)
            .substr(m_nameStart[dog], m_nameStart[dog + 1] - m_nameStart[dog]);
    }
    // How many dogs share this dog's name, case aside.
    int namesakes(int dog) const { return m_groupSize[m_groupOf[dog]]; }
    int groupOf(int dog) const { return m_groupOf[dog]; }

private:
    struct Group
    {
        int asciiFirst; // first dog whose name is plain ASCII, for plain ASCII keys
        int anyFirst;   // first in NOCASE order, then row order, for other keys
    };
    // The case-blind key of a name, into `key`.
    static void keyOf(std::string_view name, std::string &key);
    int groupOfKey(std::string_view key) const;
    void grow();
    void place(std::vector<quint64> &slots, int group) const;

    // Each name once: a group's key is worked out again from its first dog's name when
    // needed, instead of being kept beside it.
    std::string m_nameBytes;
    std::vector<unsigned> m_nameStart{0};
    mutable std::string m_key;
    mutable std::string m_otherKey;
    std::vector<Group> m_groups;
    // The first name of a group where it is not plain ASCII: rare, so kept aside.
    std::unordered_map<int, std::string> m_otherFirst;
    std::vector<int> m_groupSize;
    std::vector<int> m_groupOf;   // per dog
    std::vector<quint64> m_slots; // open addressing, see groupOfKey()
};

} // namespace genetics
