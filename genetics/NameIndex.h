#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace genetics {

// Finds a dog by name as `kennel::DogFinder` does, without asking the database: by the key of
// `kennel::dogNameKey`, the first match in index order winning, that is by NOCASE order and then
// by row.
class NameIndex
{
public:
    // Room for this many names, so that the table is not rebuilt as it fills.
    void reserve(int names);
    // Names in row order, as UTF-8; each dog is the next number.
    void add(std::string_view name);
    // Gives back the room kept for growing, once all are in.
    void squeeze();
    // Safe to ask from several threads at once, while no name is added.
    int find(std::string_view name) const;
    std::string_view name(int dog) const
    {
        return std::string_view(m_nameBytes)
            .substr(m_nameStart[dog], m_nameStart[dog + 1] - m_nameStart[dog]);
    }
    // How many dogs share this dog's name, case aside.
    int namesakes(int dog) const;
    // The dogs that share a name with another, case aside: each name's dogs in row order,
    // the names in the order their first dog came.
    std::vector<std::vector<int>> namesakeGroups() const;

private:
    // A name's dogs are known by the first of them to come; which of them a key finds is
    // that one too, but for names beside which another differs in more than A-Z case.
    struct Firsts
    {
        int ascii; // first dog whose name is plain ASCII, for plain ASCII keys; -1: none
        int any;   // first in NOCASE order, then row order, for other keys
    };
    bool hasKey(std::string_view name, std::string_view key) const;
    size_t slotOf(std::string_view key, size_t hash) const;
    int firstOfKey(std::string_view key) const;
    Firsts firstsOf(int first) const;
    void grow();
    void place(std::vector<quint64> &slots, int first) const;

    std::string m_nameBytes;
    std::vector<unsigned> m_nameStart{0};
    std::vector<quint64> m_slots; // open addressing, see firstOfKey()
    int m_keys = 0;
    // Rare: names shared by more than one dog, and names whose first dog is not the one found.
    std::unordered_map<int, std::vector<int>> m_namesakes;
    std::unordered_map<int, Firsts> m_otherFirsts;
};

} // namespace genetics
