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

const std::string &NameIndex::keyOf(std::string_view name) const
{
    if (isAscii(name)) {
        m_key.assign(name);
        for (char &c : m_key) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
    } else {
        m_key = QString::fromUtf8(name.data(), qsizetype(name.size()))
                    .toCaseFolded()
                    .toUtf8()
                    .toStdString();
    }
    return m_key;
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
        const std::string_view stored(m_keys.data() + m_keyStart[group],
                                      m_keyStart[group + 1] - m_keyStart[group]);
        if (stored == key)
            return group;
    }
}

void NameIndex::place(std::vector<quint64> &slots, std::string_view key, int group)
{
    const size_t hash = hashOf(key);
    const size_t mask = slots.size() - 1;
    size_t slot = hash & mask;
    while (slots[slot] != 0)
        slot = (slot + 1) & mask;
    slots[slot] = (quint64(quint32(hash >> 32)) << 32) | quint64(group + 1);
}

void NameIndex::reserve(int names)
{
    m_groupOf.reserve(size_t(names));
    m_groups.reserve(size_t(names));
    m_groupSize.reserve(size_t(names));
    m_keyStart.reserve(size_t(names) + 1);
    size_t slots = 1024;
    while (slots < 2 * size_t(names))
        slots *= 2;
    if (slots > m_slots.size()) {
        m_slots.assign(slots / 2, 0);
        grow();
    }
}

void NameIndex::grow()
{
    std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
    for (int group = 0; group < int(m_groups.size()); ++group)
        place(slots,
              std::string_view(m_keys.data() + m_keyStart[group],
                               m_keyStart[group + 1] - m_keyStart[group]),
              group);
    m_slots = std::move(slots);
}

void NameIndex::add(std::string_view name, int dog)
{
    if (int(m_groupOf.size()) <= dog)
        m_groupOf.resize(size_t(dog) + 1, -1);
    const std::string &key = keyOf(name);
    int group = groupOfKey(key);
    const bool ascii = isAscii(name);
    if (group < 0) {
        if ((m_groups.size() + 1) * 2 > m_slots.size())
            grow();
        group = int(m_groups.size());
        if (m_keyStart.empty())
            m_keyStart.push_back(0);
        m_keys += key;
        m_keyStart.push_back(unsigned(m_keys.size()));
        m_groups.push_back({ascii ? dog : -1, dog});
        if (!ascii)
            m_otherFirst.emplace(group, name);
        m_groupSize.push_back(1);
        place(m_slots, key, group);
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
    m_groupOf[dog] = group;
}

int NameIndex::find(std::string_view name) const
{
    const int group = groupOfKey(keyOf(name));
    if (group < 0)
        return -1;
    return isAscii(name) ? m_groups[group].asciiFirst : m_groups[group].anyFirst;
}

} // namespace genetics
