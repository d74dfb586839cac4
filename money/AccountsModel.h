#pragma once

#include "money/Accounts.h"

#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <unordered_map>

namespace money {

// The entries of a year of the accounts as a table, sorted by any column. A busy kennel's year
// is a couple of hundred thousand entries: the list holds their ids in order and reads the
// entries as they come into view.
class AccountsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Date, Kind, Category, Amount, Dog, Litter, Note, Source, Columns };

    explicit AccountsModel(QObject *parent = nullptr) : QAbstractTableModel(parent) {}
    // Reads the year's entries (every year's with 0) again; false when they could not be read.
    bool load(const QSqlDatabase &kennel, int year, LinkedNames names);
    // The entry on this row; read now if it has not been.
    const AccountEntry *entry(int row) const;
    int rowOf(qint64 id) const;
    const LinkedNames &names() const { return m_names; }
    // Every entry on the list, in the order on view.
    std::optional<std::vector<AccountEntry>> entriesInOrder() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const AccountEntry &e, int column) const;

    // The kennel's open files are read as the rows come into view.
    bool m_loaded = false;
    int m_year = 0;
    std::vector<qint64> m_ids;                               // in the order on view
    mutable std::unordered_map<qint64, AccountEntry> m_read; // by id
    LinkedNames m_names;
    int m_sortColumn = Date;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace money
