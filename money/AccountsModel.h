#pragma once

#include "money/Accounts.h"

#include <QAbstractTableModel>

namespace money {

// The entries of the accounts as a table, sorted by any column: a year of a busy kennel is
// too many rows for a sorting proxy.
class AccountsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Date, Kind, Category, Amount, Dog, Litter, Note, Source, Columns };

    using QAbstractTableModel::QAbstractTableModel;
    void setEntries(std::vector<AccountEntry> entries, LinkedNames names);
    const AccountEntry *entry(int row) const;
    int rowOf(qint64 id) const;
    const std::vector<AccountEntry> &entries() const { return m_entries; }
    const LinkedNames &names() const { return m_names; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const AccountEntry &e, int column) const;

    std::vector<AccountEntry> m_entries;
    LinkedNames m_names;
    int m_sortColumn = Date;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

} // namespace money
