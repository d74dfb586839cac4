#include "money/WaitingListModel.h"

#include "core/DateText.h"
#include "core/Money.h"

namespace money {

void WaitingListModel::setEntries(std::vector<WaitingEntry> entries,
                                  QHash<qint64, QString> contacts, QHash<qint64, QString> litters,
                                  QHash<qint64, QString> pups)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_contacts = std::move(contacts);
    m_litters = std::move(litters);
    m_pups = std::move(pups);
    endResetModel();
}

const WaitingEntry *WaitingListModel::entry(int row) const
{
    return row >= 0 && row < int(m_entries.size()) ? &m_entries[size_t(row)] : nullptr;
}

const WaitingEntry *WaitingListModel::entryWithId(qint64 id) const
{
    return entry(rowOf(id));
}

int WaitingListModel::rowOf(qint64 id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return int(i);
    }
    return -1;
}

QString WaitingListModel::litterName(qint64 litterId) const
{
    return litterId > 0 ? m_litters.value(litterId, QStringLiteral("Litter %1").arg(litterId))
                        : QStringLiteral("next litter");
}

std::vector<const WaitingEntry *> WaitingListModel::pickOrder(qint64 litterId) const
{
    std::vector<const WaitingEntry *> entries;
    for (const WaitingEntry &e : m_entries) {
        if (e.litterId == litterId)
            entries.push_back(&e);
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const WaitingEntry *a, const WaitingEntry *b) { return a->pick < b->pick; });
    return entries;
}

int WaitingListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int WaitingListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant WaitingListModel::data(const QModelIndex &index, int role) const
{
    const WaitingEntry *e = entry(index.row());
    if (!e)
        return {};
    if (role == idRole)
        return e->id;
    if (role != Qt::DisplayRole && role != sortRole)
        return {};
    const bool sorting = role == sortRole;
    switch (index.column()) {
    case Pick:
        return sorting ? QVariant(e->pick) : QVariant(QString::number(e->pick));
    case Contact:
        return m_contacts.value(e->contactId);
    case Enquired:
        return sorting ? QVariant(core::datetext::toStored(e->enquired))
                       : QVariant(core::datetext::shortDate(e->enquired));
    case Wants: {
        QStringList wants;
        for (const QString &want : {e->sex, e->colour, e->breed}) {
            if (!want.trimmed().isEmpty())
                wants << want.trimmed();
        }
        return wants.join(QStringLiteral(", "));
    }
    case Litter:
        return litterName(e->litterId);
    case Status:
        return sorting ? QVariant(statusWords().indexOf(e->status)) : QVariant(e->status);
    case Pup:
        return e->dogId > 0 ? m_pups.value(e->dogId) : QString();
    case Held:
        return sorting ? QVariant(e->held)
                       : QVariant(e->held != 0 ? core::formatMoney(e->held) : QString());
    case Note:
        return e->note;
    default:
        return {};
    }
}

QVariant WaitingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList captions{
        QStringLiteral("Pick"),  QStringLiteral("Contact"),      QStringLiteral("Enquired"),
        QStringLiteral("Wants"), QStringLiteral("Litter"),       QStringLiteral("Status"),
        QStringLiteral("Pup"),   QStringLiteral("Deposit held"), QStringLiteral("Note")};
    return captions.value(section);
}

void WaitingListFilter::setFilter(const QString &status, std::optional<qint64> litterId)
{
    m_status = status;
    m_litterId = litterId;
    invalidateRowsFilter();
}

bool WaitingListFilter::filterAcceptsRow(int row, const QModelIndex &) const
{
    const auto *model = static_cast<const WaitingListModel *>(sourceModel());
    const WaitingEntry *e = model->entry(row);
    return e && (m_status.isEmpty() || e->status == m_status) &&
           (!m_litterId || e->litterId == *m_litterId);
}

} // namespace money
