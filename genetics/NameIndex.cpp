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

std::string folded(std::string_view text)
{
    if (isAscii(text))
        return nocase(text);
    return QString::fromUtf8(text.data(), qsizetype(text.size()))
        .toCaseFolded()
        .toUtf8()
        .toStdString();
}

size_t hashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

} // namespace

int NameIndex::groupOfKey(const std::string &key) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashOf(key) & mask;; slot = (slot + 1) & mask) {
        const int entry = m_slots[slot];
        if (entry == 0)
            return -1;
        const int group = entry - 1;
        const std::string_view stored(m_keys.data() + m_keyStart[group],
                                      m_keyStart[group + 1] - m_keyStart[group]);
        if (stored == key)
            return group;
    }
}

void NameIndex::grow()
{
    std::vector<int> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
    const size_t mask = slots.size() - 1;
    for (int group = 0; group < int(m_groups.size()); ++group) {
        const std::string_view key(m_keys.data() + m_keyStart[group],
                                   m_keyStart[group + 1] - m_keyStart[group]);
        size_t slot = hashOf(key) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = group + 1;
    }
    m_slots = std::move(slots);
}

void NameIndex::add(std::string_view name, int dog)
{
    if (int(m_groupOf.size()) <= dog)
        m_groupOf.resize(dog + 1, -1);
    const std::string key = folded(name);
    int group = groupOfKey(key);
    const bool ascii = isAscii(name);
    if (group < 0) {
        if ((m_groups.size() + 1) * 2 > m_slots.size())
            grow();
        group = int(m_groups.size());
        if (m_keyStart.empty())
            m_keyStart.push_back(0);
        m_keys += key;
        m_keyStart.push_back(m_keys.size());
        m_groups.push_back({ascii ? dog : -1, dog, ascii ? std::string() : std::string(name)});
        m_groupSize.push_back(1);
        const size_t mask = m_slots.size() - 1;
        size_t slot = hashOf(key) & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = group + 1;
    } else {
        Group &g = m_groups[group];
        ++m_groupSize[group];
        if (ascii && g.asciiFirst < 0)
            g.asciiFirst = dog;
        // Rows come in row order, so only a smaller NOCASE key takes the first place.
        const std::string candidate = nocase(name);
        if (candidate < (g.anyName.empty() ? key : nocase(g.anyName))) {
            g.anyFirst = dog;
            g.anyName = ascii ? std::string() : std::string(name);
        }
    }
    m_groupOf[dog] = group;
}

int NameIndex::find(std::string_view name) const
{
    const int group = groupOfKey(folded(name));
    if (group < 0)
        return -1;
    return isAscii(name) ? m_groups[group].asciiFirst : m_groups[group].anyFirst;
}

} // namespace genetics
