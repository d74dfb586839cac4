#include "money/AccountsModel.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "db/DatabaseFiles.h"

#include <QBrush>

namespace money {
namespace {

// How many entries around one in view are read with it.
constexpr int block = 200;

} // namespace

bool AccountsModel::load(const QSqlDatabase &kennel, int year, LinkedNames names)
{
    const auto ids =
        entryIds(kennel, year, EntryOrder(m_sortColumn), m_sortOrder == Qt::AscendingOrder);
    if (!ids)
        return false;
    beginResetModel();
    m_loaded = true;
    m_year = year;
    m_ids = *ids;
    m_read.clear();
    m_names = std::move(names);
    endResetModel();
    return true;
}

const AccountEntry *AccountsModel::entry(int row) const
{
    if (row < 0 || row >= int(m_ids.size()))
        return nullptr;
    const auto found = m_read.find(m_ids[size_t(row)]);
    if (found != m_read.end())
        return &found->second;
    const size_t first = size_t(std::max(0, row - block / 4));
    const size_t last = std::min(m_ids.size(), first + block);
    std::vector<qint64> missing;
    for (size_t i = first; i < last; ++i) {
        if (!m_read.contains(m_ids[i]))
            missing.push_back(m_ids[i]);
    }
    for (AccountEntry &e :
         entriesWithIds(db::DatabaseFiles::kennel(), missing).value_or(std::vector<AccountEntry>()))
        m_read.emplace(e.id, std::move(e));
    const auto read = m_read.find(m_ids[size_t(row)]);
    return read != m_read.end() ? &read->second : nullptr;
}

int AccountsModel::rowOf(qint64 id) const
{
    const auto at = std::find(m_ids.begin(), m_ids.end(), id);
    return at == m_ids.end() ? -1 : int(at - m_ids.begin());
}

std::optional<std::vector<AccountEntry>> AccountsModel::entriesInOrder() const
{
    auto read = accountEntries(db::DatabaseFiles::kennel(), m_year);
    if (!read)
        return std::nullopt;
    std::unordered_map<qint64, AccountEntry> byId;
    for (AccountEntry &e : *read)
        byId.emplace(e.id, std::move(e));
    std::vector<AccountEntry> entries;
    entries.reserve(m_ids.size());
    for (const qint64 id : m_ids) {
        if (auto found = byId.find(id); found != byId.end())
            entries.push_back(std::move(found->second));
    }
    return entries;
}

int AccountsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
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
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::ForegroundRole)
        return {};
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
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    if (!m_loaded)
        return;
    const auto ids = entryIds(db::DatabaseFiles::kennel(), m_year, EntryOrder(column),
                              order == Qt::AscendingOrder);
    if (!ids)
        return;
    Q_EMIT layoutAboutToBeChanged();
    m_ids = *ids;
    Q_EMIT layoutChanged();
}

} // namespace money
