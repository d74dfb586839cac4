#pragma once

#include "db/SearchableRows.h"

#include <functional>
#include <memory>
#include <QAbstractTableModel>
#include <QHash>

class QThread;

namespace ui {

// A table of every row of a table, searched and sorted, that reads only the rows in view.
class RowTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString caption;
        // What a cell shows, from its row's fields and row number.
        std::function<QString(const QVariantList &fields, qint64 id)> shown;
        int sortField = -1; // the field it sorts by; -1 when it does not sort
        int letters = 12;   // how wide it opens, in digits
    };

    int lettersWide(int column) const { return m_columns.value(column).letters; }

    RowTableModel(db::SearchableRows rows, QList<Column> columns, QObject *parent = nullptr);
    ~RowTableModel() override;

    // Reads the table again, keeping the search and the order. The rows are on view at once;
    // the text they are searched by is read meanwhile on a thread of its own.
    void reload();
    void setSearch(const QString &text);
    // Works out the cells' text again, for a column whose values came later.
    void refreshShown();
    // False while the search text is still being read: a search typed meanwhile is applied
    // once it is there.
    bool canSearch() const { return m_rows.canSearch(); }
    qint64 idAt(int row) const { return m_visible[size_t(row)]; }
    qsizetype total() const { return qsizetype(m_ordered.size()); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

Q_SIGNALS:
    void searchReady();

private:
    void refilter(bool narrowing = false);
    void readSearchText();
    void stopReading();

    db::SearchableRows m_rows;
    QList<Column> m_columns;
    QString m_search;
    int m_sortField = 0;
    bool m_ascending = true;
    bool m_loaded = false;
    std::vector<qint64> m_ordered;
    std::vector<qint64> m_visible;
    mutable QHash<int, QList<QStringList>> m_pages;
    QThread *m_reader = nullptr;
    int m_readings = 0;
    std::shared_ptr<std::atomic_bool> m_stopReading;
};

} // namespace ui
