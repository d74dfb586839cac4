#include "money/AccountsModel.h"

#include "core/DateText.h"
#include "core/Money.h"

#include <QBrush>
#include <QCollator>

namespace money {

void AccountsModel::setEntries(std::vector<AccountEntry> entries, LinkedNames names)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_names = std::move(names);
    endResetModel();
    sort(m_sortColumn, m_order);
}

const AccountEntry *AccountsModel::entry(int row) const
{
    return row >= 0 && row < int(m_entries.size()) ? &m_entries[size_t(row)] : nullptr;
}

int AccountsModel::rowOf(qint64 id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return int(i);
    }
    return -1;
}

int AccountsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int AccountsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString AccountsModel::text(const AccountEntry &e, int column) const
{
    switch (column) {
    case Date:
        return core::datetext::shortDate(e.date);
    case Kind:
        return e.income ? incomeWord : expenseWord;
    case Category:
        return e.category;
    case Amount:
        return core::formatMoney(e.cents);
    case Dog:
        return m_names.dogs.value(e.dogId);
    case Litter:
        return e.litterId > 0 ? m_names.litters.value(e.litterId) : QString();
    case Note:
        return e.note;
    case Source:
        return e.source;
    default:
        return {};
    }
}

QVariant AccountsModel::data(const QModelIndex &index, int role) const
{
    const AccountEntry *e = entry(index.row());
    if (!e)
        return {};
    if (role == Qt::DisplayRole)
        return text(*e, index.column());
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && index.column() == Amount && !e->income)
        return QBrush(Qt::darkRed);
    return {};
}

QVariant AccountsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList captions{
        QStringLiteral("Date"),     QStringLiteral("Income or Expense"),
        QStringLiteral("Category"), QStringLiteral("Amount"),
        QStringLiteral("Dog"),      QStringLiteral("Litter"),
        QStringLiteral("Note"),     QStringLiteral("Written by")};
    return captions.value(section);
}

void AccountsModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_order = order;
    Q_EMIT layoutAboutToBeChanged();
    auto less = [&](const AccountEntry &a, const AccountEntry &b) {
        switch (column) {
        case Date:
            return std::pair(a.date, a.id) < std::pair(b.date, b.id);
        case Amount:
            return std::pair(a.cents, a.id) < std::pair(b.cents, b.id);
        case Kind:
            return std::pair(a.income, a.id) < std::pair(b.income, b.id);
        default: {
            const int compared =
                QString::compare(text(a, column), text(b, column), Qt::CaseInsensitive);
            return compared != 0 ? compared < 0 : a.id < b.id;
        }
        }
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_entries.begin(), m_entries.end(), less);
    else
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [&](const AccountEntry &a, const AccountEntry &b) { return less(b, a); });
    Q_EMIT layoutChanged();
}

} // namespace money
