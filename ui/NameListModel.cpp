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
    std::stable_sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });
    std::vector<QCollatorSortKey>().swap(keys);
    core::releaseFreedMemory();
    return order;
}

NameListModel::NameListModel(std::shared_ptr<const core::PackedTexts> names,
                             std::vector<qint32> entries, QObject *parent)
    : QAbstractListModel(parent), m_names(std::move(names)), m_entries(std::move(entries))
{
}

NameListModel::NameListModel(const QStringList &entries, QObject *parent)
    : QAbstractListModel(parent), m_names(std::make_shared<core::PackedTexts>(entries)),
      m_entries(size_t(entries.size()))
{
    std::iota(m_entries.begin(), m_entries.end(), 0);
}

int NameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
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
    all.reserve(qsizetype(m_entries.size()));
    for (const qint32 at : m_entries)
        all << m_names->text(at);
    return all;
}

QStringList NameListModel::matching(const QString &typed) const
{
    const QByteArray needle = core::searchFolded(typed).toUtf8();
    if (needle.isEmpty())
        return {};
    QStringList starting;
    QStringList inside;
    for (const qint32 at : m_entries) {
        const QByteArrayView name = m_names->utf8(at);
        const qsizetype found = core::searchPositionUtf8(name, needle);
        if (found == 0)
            starting << QString::fromUtf8(name);
        else if (found > 0)
            inside << QString::fromUtf8(name);
    }
    return starting + inside;
}

} // namespace ui
