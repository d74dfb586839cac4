#include "core/DistinctTexts.h"

#include <algorithm>
#include <QHashFunctions>

namespace core {
namespace {

quint64 tagOf(size_t hash)
{
    return quint64(quint32(hash >> 32)) << 32;
}

} // namespace

quint32 DistinctTexts::place(QByteArrayView utf8)
{
    if (2 * (size_t(m_texts.size()) + 1) > m_slots.size())
        grow();
    const size_t hash = qHash(utf8);
    const size_t mask = m_slots.size() - 1;
    size_t at = hash & mask;
    for (; m_slots[at] != 0; at = (at + 1) & mask) {
        const quint32 place = quint32(m_slots[at]) - 1;
        if ((m_slots[at] & ~quint64(0xffffffffu)) == tagOf(hash) && m_texts.utf8(place) == utf8)
            return place;
    }
    const auto place = quint32(m_texts.size());
    m_texts.append(utf8);
    m_slots[at] = tagOf(hash) | (place + 1);
    return place;
}

PackedTexts DistinctTexts::take()
{
    std::vector<quint64>().swap(m_slots);
    m_texts.squeeze();
    return std::move(m_texts);
}

void DistinctTexts::grow()
{
    std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
    const size_t mask = slots.size() - 1;
    for (const quint64 slot : m_slots) {
        if (slot == 0)
            continue;
        size_t at = qHash(m_texts.utf8(qsizetype(quint32(slot) - 1))) & mask;
        while (slots[at] != 0)
            at = (at + 1) & mask;
        slots[at] = slot;
    }
    m_slots = std::move(slots);
}

} // namespace core
