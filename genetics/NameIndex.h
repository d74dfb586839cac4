#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace genetics {

// Finds a dog by name as a seek through the kennel's name index does, without asking the
// database: the key is compared without regard to case (A-Z only, as SQLite's NOCASE, when
// the key is plain ASCII; full case folding otherwise) and the first match in index order
// wins, that is by NOCASE order and then by row.
class NameIndex
{
public:
    // Names in row order, as UTF-8.
    void add(std::string_view name, int dog);
    int find(std::string_view name) const;
    // How many dogs share this dog's name, case aside.
    int namesakes(int dog) const { return m_groupSize[m_groupOf[dog]]; }
    int groupOf(int dog) const { return m_groupOf[dog]; }

private:
    struct Group
    {
        int asciiFirst;      // first dog whose name is plain ASCII, for plain ASCII keys
        int anyFirst;        // first in NOCASE order, then row order, for other keys
        std::string anyName; // the first name when it is not plain ASCII
    };
    int groupOfKey(const std::string &key) const;
    void grow();

    std::string m_keys;
    std::vector<size_t> m_keyStart; // per group, with one past the end
    std::vector<Group> m_groups;
    std::vector<int> m_groupSize;
    std::vector<int> m_groupOf; // per dog
    std::vector<int> m_slots;   // open addressing: group + 1, or 0 for empty
};

} // namespace genetics
