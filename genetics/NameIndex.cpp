#include "genetics/NameIndex.h"

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

void NameIndex::keyOf(std::string_view name, std::string &key)
{
    if (isAscii(name)) {
        key.assign(name);
        for (char &c : key) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
    } else {
        key = QString::fromUtf8(name.data(), qsizetype(name.size()))
                  .toCaseFolded()
                  .toUtf8()
                  .toStdString();
    }
}

// A slot holds the key's hash in its high half, so that most other keys are passed by
// without reading them, and the group + 1 in its low half (0: empty).
int NameIndex::groupOfKey(std::string_view key) const
{
    if (m_slots.empty())
        return -1;
    const size_t hash = hashOf(key);
    const quint64 tag = quint64(quint32(hash >> 32)) << 32;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint64 entry = m_slots[slot];
        if (entry == 0)
            return -1;
        if ((entry & ~quint64(0xffffffffu)) != tag)
            continue;
        const int group = int(entry & 0xffffffffu) - 1;
        keyOf(name(m_groups[group].anyFirst), m_otherKey);
        if (m_otherKey == key)
            return group;
    }
}

void NameIndex::place(std::vector<quint64> &slots, int group) const
{
    keyOf(name(m_groups[group].anyFirst), m_otherKey);
    const size_t hash = hashOf(m_otherKey);
    const size_t mask = slots.size() - 1;
    size_t slot = hash & mask;
    while (slots[slot] != 0)
        slot = (slot + 1) & mask;
    slots[slot] = (quint64(quint32(hash >> 32)) << 32) | quint64(group + 1);
}

void NameIndex::reserve(int names)
{
    m_nameStart.reserve(size_t(names) + 1);
    m_groupOf.reserve(size_t(names));
    m_groups.reserve(size_t(names));
    m_groupSize.reserve(size_t(names));
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
    m_groups.shrink_to_fit();
    m_groupSize.shrink_to_fit();
    m_groupOf.shrink_to_fit();
}

void NameIndex::grow()
{
    std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
    for (int group = 0; group < int(m_groups.size()); ++group)
        place(slots, group);
    m_slots = std::move(slots);
}

void NameIndex::add(std::string_view name)
{
    const int dog = int(m_groupOf.size());
    m_nameBytes += name;
    m_nameStart.push_back(unsigned(m_nameBytes.size()));
    keyOf(name, m_key);
    const std::string &key = m_key;
    int group = groupOfKey(key);
    const bool ascii = isAscii(name);
    if (group < 0) {
        if ((m_groups.size() + 1) * 2 > m_slots.size())
            grow();
        group = int(m_groups.size());
        m_groups.push_back({ascii ? dog : -1, dog});
        if (!ascii)
            m_otherFirst.emplace(group, name);
        m_groupSize.push_back(1);
        place(m_slots, group);
    } else {
        Group &g = m_groups[group];
        ++m_groupSize[group];
        if (ascii && g.asciiFirst < 0)
            g.asciiFirst = dog;
        // Rows come in row order, so only a smaller NOCASE key takes the first place.
        const auto other = m_otherFirst.find(group);
        const std::string first = other == m_otherFirst.end() ? key : nocase(other->second);
        if (nocase(name) < first) {
            g.anyFirst = dog;
            if (ascii)
                m_otherFirst.erase(group);
            else
                m_otherFirst[group] = std::string(name);
        }
    }
    m_groupOf.push_back(group);
}

int NameIndex::find(std::string_view name) const
{
    keyOf(name, m_key);
    const int group = groupOfKey(m_key);
    if (group < 0)
        return -1;
    return isAscii(name) ? m_groups[group].asciiFirst : m_groups[group].anyFirst;
}

} // namespace genetics
