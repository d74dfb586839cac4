#include "genetics/NameIndex.h"

#include "kennel/DogFinder.h"

#include <algorithm>
#include <functional>
#include <QString>

namespace genetics {
namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

// SQLite's NOCASE: A-Z as a-z, every other byte as it is.
std::string nocase(std::string_view text)
{
    std::string lowered(text);
    for (char &c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return lowered;
}

size_t hashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

} // namespace

// Whether a name's key is `key`: a plain ASCII name is compared where it stands, without
// making its key.
bool NameIndex::hasKey(std::string_view name, std::string_view key) const
{
    if (isAscii(name)) {
        return name.size() == key.size() &&
               std::equal(name.begin(), name.end(), key.begin(),
                          [](char n, char k) { return (n >= 'A' && n <= 'Z' ? n + 32 : n) == k; });
    }
    thread_local std::string nameKey;
    kennel::dogNameKey(name, nameKey);
    return nameKey == key;
}

// A slot holds the key's hash in its high half, so that most other keys are passed by
// without reading them, and the key's first dog + 1 in its low half (0: empty). The slot of
// a key is the one of its first dog, or the empty one where it would stand.
size_t NameIndex::slotOf(std::string_view key, size_t hash) const
{
    const quint64 tag = quint64(quint32(hash >> 32)) << 32;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint64 entry = m_slots[slot];
        if (entry == 0 || ((entry & ~quint64(0xffffffffu)) == tag &&
                           hasKey(name(int(entry & 0xffffffffu) - 1), key)))
            return slot;
    }
}

int NameIndex::firstOfKey(std::string_view key) const
{
    if (m_slots.empty())
        return -1;
    return int(m_slots[slotOf(key, hashOf(key))] & 0xffffffffu) - 1;
}

NameIndex::Firsts NameIndex::firstsOf(int first) const
{
    const auto other = m_otherFirsts.find(first);
    if (other != m_otherFirsts.end())
        return other->second;
    return {isAscii(name(first)) ? first : -1, first};
}

void NameIndex::place(std::vector<quint64> &slots, int first) const
{
    thread_local std::string key;
    kennel::dogNameKey(name(first), key);
    const size_t hash = hashOf(key);
    const size_t mask = slots.size() - 1;
    size_t slot = hash & mask;
    while (slots[slot] != 0)
        slot = (slot + 1) & mask;
    slots[slot] = (quint64(quint32(hash >> 32)) << 32) | quint64(first + 1);
}

void NameIndex::reserve(int names)
{
    // Room for names of a usual length: copying the text as it grows costs more than the
    // pages reserved and never touched.
    m_nameBytes.reserve(size_t(names) * 32);
    m_nameStart.reserve(size_t(names) + 1);
    size_t slots = 1024;
    while (slots < 2 * size_t(names))
        slots *= 2;
    if (slots > m_slots.size()) {
        m_slots.assign(slots / 2, 0);
        grow();
    }
}

void NameIndex::squeeze()
{
    m_nameBytes.shrink_to_fit();
    m_nameStart.shrink_to_fit();
}

void NameIndex::grow()
{
    std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
    for (const quint64 entry : m_slots) {
        if (entry != 0)
            place(slots, int(entry & 0xffffffffu) - 1);
    }
    m_slots = std::move(slots);
}

void NameIndex::add(std::string_view name)
{
    const int dog = int(m_nameStart.size()) - 1;
    m_nameBytes += name;
    m_nameStart.push_back(unsigned(m_nameBytes.size()));
    thread_local std::string key;
    kennel::dogNameKey(name, key);
    if (size_t(m_keys + 1) * 2 > m_slots.size())
        grow();
    const size_t hash = hashOf(key);
    quint64 &slot = m_slots[slotOf(key, hash)];
    if (slot == 0) {
        ++m_keys;
        slot = (quint64(quint32(hash >> 32)) << 32) | quint64(dog + 1);
        return;
    }
    const int first = int(slot & 0xffffffffu) - 1;
    std::vector<int> &namesakes = m_namesakes[first];
    if (namesakes.empty())
        namesakes.push_back(first);
    namesakes.push_back(dog);
    Firsts firsts = firstsOf(first);
    if (firsts.ascii < 0 && isAscii(name))
        firsts.ascii = dog;
    // Rows come in row order, so only a smaller NOCASE key takes the first place.
    if (nocase(name) < nocase(this->name(firsts.any)))
        firsts.any = dog;
    if (firsts.ascii == (isAscii(this->name(first)) ? first : -1) && firsts.any == first)
        m_otherFirsts.erase(first);
    else
        m_otherFirsts[first] = firsts;
}

int NameIndex::find(std::string_view name) const
{
    thread_local std::string key;
    kennel::dogNameKey(name, key);
    const int first = firstOfKey(key);
    if (first < 0)
        return -1;
    const Firsts firsts = firstsOf(first);
    return isAscii(name) ? firsts.ascii : firsts.any;
}

int NameIndex::namesakes(int dog) const
{
    thread_local std::string key;
    kennel::dogNameKey(name(dog), key);
    const auto group = m_namesakes.find(firstOfKey(key));
    return group == m_namesakes.end() ? 1 : int(group->second.size());
}

std::vector<std::vector<int>> NameIndex::namesakeGroups() const
{
    std::vector<std::vector<int>> groups;
    groups.reserve(m_namesakes.size());
    for (const auto &[first, dogs] : m_namesakes)
        groups.push_back(dogs);
    std::sort(groups.begin(), groups.end());
    return groups;
}

} // namespace genetics
