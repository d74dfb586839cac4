#pragma once

#include "money/WaitingList.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSortFilterProxyModel>

namespace money {

// The waiting list as a table: each entry with its contact, litter and pup by name.
class WaitingListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Pick, Contact, Enquired, Wants, Litter, Status, Pup, Held, Note, Columns };
    // The value a column sorts by.
    static constexpr int sortRole = Qt::UserRole;
    static constexpr int idRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    void setEntries(std::vector<WaitingEntry> entries, QHash<qint64, QString> contacts,
                    QHash<qint64, QString> litters, QHash<qint64, QString> pups);
    const WaitingEntry *entry(int row) const;
    const WaitingEntry *entryWithId(qint64 id) const;
    int rowOf(qint64 id) const;
    QString contactName(qint64 contactId) const { return m_contacts.value(contactId); }
    QString litterName(qint64 litterId) const;
    QString pupName(qint64 dogId) const { return m_pups.value(dogId); }
    // The entries of one litter (0 for the next), in pick order.
    std::vector<const WaitingEntry *> pickOrder(qint64 litterId) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<WaitingEntry> m_entries;
    QHash<qint64, QString> m_contacts;
    QHash<qint64, QString> m_litters;
    QHash<qint64, QString> m_pups;
};

// The entries of one status and one litter, or all of them; sorted by any column.
class WaitingListFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    // Empty for every status; nullopt for every litter, 0 for the next litter.
    void setFilter(const QString &status, std::optional<qint64> litterId);

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override;

private:
    QString m_status;
    std::optional<qint64> m_litterId;
};

} // namespace money
