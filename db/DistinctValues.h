#pragma once

#include "db/RawRows.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>
#include <QtGlobal>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <vector>

// The values a scan of a table meets, for searching and sorting it; within the db library
// only.
namespace db::scan {

// SQLite's storage classes in the order COLLATE NOCASE sorts them.
enum Kind : char { NoValue, Number, Text, Other };

// The values met in a scan, each kept as its kind and its bytes. A text's capitals are
// lowered first: the case-blind order and the search both ignore them, so "Red" and "RED"
// are one value. Values that recur are kept once; a field whose values hardly ever recur
// (a registration number) is kept as it comes, without looking each one up.
class DistinctValues
{
public:
    quint32 add(const RawRow &row, int column, bool lookUp)
    {
        const int type = row.type(column);
        const Kind kind = type == SQLITE_NULL                              ? NoValue
                          : type == SQLITE_INTEGER || type == SQLITE_FLOAT ? Number
                          : type == SQLITE_TEXT                            ? Text
                                                                           : Other;
        m_key.assign(1, kind);
        // A number's value leads its text, for the order.
        if (kind == Number) {
            const double number = row.real(column);
            m_key.append(reinterpret_cast<const char *>(&number), sizeof number);
        }
        const std::string_view text = row.text(column);
        m_key.append(text);
        if (kind == Text) {
            for (char &c : m_key) {
                if (c >= 'A' && c <= 'Z')
                    c = char(c + ('a' - 'A'));
            }
        }
        if (!lookUp)
            return append();
        // Pups of a litter stand together and name the same sire and dam.
        if (m_last.size() <= size_t(column))
            m_last.resize(size_t(column) + 1);
        Last &last = m_last[size_t(column)];
        if (last.value && last.key == m_key)
            return *last.value;
        last.key = m_key;
        last.value = find();
        return *last.value;
    }

    void reserve(size_t values) { m_ends.reserve(values); }
    quint32 size() const { return quint32(m_ends.size()); }
    size_t bytes() const { return m_keys.size(); }
    std::string_view key(quint32 value) const
    {
        const size_t from = value == 0 ? 0 : m_ends[value - 1];
        return std::string_view(m_keys).substr(from, m_ends[value] - from);
    }
    // The text as stored, its capitals lowered.
    std::string_view text(quint32 value) const
    {
        const std::string_view bytes = key(value);
        return bytes.substr(bytes[0] == Number ? 1 + sizeof(double) : 1);
    }

    // Each value's place in the order, as SQLite sorts with COLLATE NOCASE: no value, then
    // numbers, then text (its capitals already lowered), then anything else bytewise.
    std::vector<quint32> ranks() const
    {
        // Most pairs differ in their first sixteen bytes: kept side by side, they are compared
        // without reaching for the values themselves.
        struct Sortable
        {
            quint64 prefix[2];
            quint32 value;
            char kind;
        };
        std::vector<Sortable> sortable(size());
        for (quint32 value = 0; value < size(); ++value) {
            const std::string_view bytes = key(value);
            Sortable &s = sortable[value];
            s = {{0, 0}, value, bytes[0]};
            for (size_t i = 1; i <= 16; ++i)
                s.prefix[(i - 1) / 8] =
                    s.prefix[(i - 1) / 8] << 8 | (i < bytes.size() ? quint8(bytes[i]) : 0u);
        }
        const auto compare = [&](const Sortable &a, const Sortable &b) {
            if (a.kind != b.kind)
                return a.kind < b.kind ? -1 : 1;
            if (a.kind == Number) {
                const double x = number(a.value), y = number(b.value);
                return x < y ? -1 : (y < x ? 1 : 0);
            }
            for (const int half : {0, 1}) {
                if (a.prefix[half] != b.prefix[half])
                    return a.prefix[half] < b.prefix[half] ? -1 : 1;
            }
            return key(a.value).substr(1).compare(key(b.value).substr(1));
        };
        std::sort(sortable.begin(), sortable.end(),
                  [&](const Sortable &a, const Sortable &b) { return compare(a, b) < 0; });
        std::vector<quint32> ranks(size());
        quint32 rank = 0;
        for (size_t i = 0; i < sortable.size(); ++i) {
            if (i > 0 && compare(sortable[i - 1], sortable[i]) != 0)
                ++rank;
            ranks[sortable[i].value] = rank;
        }
        return ranks;
    }

private:
    double number(quint32 value) const
    {
        double number = 0;
        std::memcpy(&number, key(value).data() + 1, sizeof number);
        return number;
    }

    struct Last
    {
        std::string key;
        std::optional<quint32> value;
    };

    quint32 find()
    {
        if (2 * (m_lookedUp + 1) > m_slots.size())
            grow();
        // A slot holds the hash's high half beside the value, so that most other values are
        // passed by without reading them.
        const size_t hash = std::hash<std::string_view>{}(m_key);
        const quint64 tag = quint64(quint32(hash >> 32)) << 32;
        const size_t mask = m_slots.size() - 1;
        size_t at = hash & mask;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            if ((m_slots[at] & ~quint64(0xffffffffu)) == tag &&
                key(quint32(m_slots[at]) - 1) == m_key)
                return quint32(m_slots[at]) - 1;
        }
        const quint32 value = append();
        m_slots[at] = tag | (value + 1);
        ++m_lookedUp;
        return value;
    }

    quint32 append()
    {
        m_keys.append(m_key);
        m_ends.push_back(m_keys.size());
        return size() - 1;
    }

    void grow()
    {
        std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
        const size_t mask = slots.size() - 1;
        for (const quint64 slot : m_slots) {
            if (slot == 0)
                continue;
            const size_t hash = std::hash<std::string_view>{}(key(quint32(slot) - 1));
            size_t at = hash & mask;
            while (slots[at] != 0)
                at = (at + 1) & mask;
            slots[at] = slot;
        }
        m_slots = std::move(slots);
    }

    std::string m_key;
    std::string m_keys;
    std::vector<size_t> m_ends;
    quint32 m_lookedUp = 0;
    std::vector<Last> m_last;     // per column
    std::vector<quint64> m_slots; // open addressing; a value's number plus one, 0 for free
};

} // namespace db::scan
