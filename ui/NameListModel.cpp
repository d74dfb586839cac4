#include "ui/NameListModel.h"

#include "core/Memory.h"
#include "core/SearchText.h"
#include "ui/PickList.h"

#include <algorithm>
#include <numeric>

namespace ui {

std::vector<qint32> alphabeticalOrder(const core::PackedTexts &texts)
{
    // Sort keys once per name: comparing through the collator would cost a lookup per
    // comparison, far too slow for every dog of a large kennel.
    const QCollator collator = PickList::alphabeticalCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        keys.push_back(collator.sortKey(texts.text(i)));
    std::vector<qint32> order(static_cast<size_t>(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    // An empty text first whatever the collator makes of it, so that the named entries are
    // one tail of the order.
    std::stable_sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
        const bool aEmpty = texts.utf8(a).isEmpty(), bEmpty = texts.utf8(b).isEmpty();
        return aEmpty != bEmpty ? aEmpty : keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });
    std::vector<QCollatorSortKey>().swap(keys);
    core::releaseFreedMemory();
    return order;
}

NameListModel::NameListModel(std::shared_ptr<const core::PackedTexts> names, QObject *parent)
    : QAbstractListModel(parent), m_names(std::move(names)), m_count(m_names->size())
{
}

NameListModel::NameListModel(std::shared_ptr<const core::PackedTexts> names,
                             std::vector<qint32> entries, QObject *parent)
    : NameListModel(std::move(names),
                    std::make_shared<const std::vector<qint32>>(std::move(entries)), 0, parent)
{
}

NameListModel::NameListModel(std::shared_ptr<const core::PackedTexts> names,
                             std::shared_ptr<const std::vector<qint32>> order, qsizetype from,
                             QObject *parent)
    : QAbstractListModel(parent), m_names(std::move(names)), m_order(std::move(order)),
      m_from(from), m_count(qsizetype(m_order->size()) - from)
{
}

NameListModel::NameListModel(const QStringList &entries, QObject *parent)
    : NameListModel(std::make_shared<core::PackedTexts>(entries), parent)
{
}

int NameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_count);
}

QVariant NameListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return entry(index.row());
}

QStringList NameListModel::entries() const
{
    QStringList all;
    all.reserve(m_count);
    for (qsizetype row = 0; row < m_count; ++row)
        all << entry(row);
    return all;
}

QStringList NameListModel::matching(const QString &typed) const
{
    const QByteArray needle = core::searchFolded(typed).toUtf8();
    if (needle.isEmpty())
        return {};
    QStringList starting;
    QStringList inside;
    for (qsizetype row = 0; row < m_count; ++row) {
        const QByteArrayView name = m_names->utf8(placeOf(row));
        const qsizetype found = core::searchPositionUtf8(name, needle);
        if (found == 0)
            starting << QString::fromUtf8(name);
        else if (found > 0)
            inside << QString::fromUtf8(name);
    }
    return starting + inside;
}

} // namespace ui
