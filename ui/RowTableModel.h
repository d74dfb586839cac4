#pragma once

#include "db/SearchableRows.h"

#include <functional>
#include <memory>
#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

namespace core {
class BackgroundTask;
}

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
        // For a column worked out from more than its row (such as the COI): puts the rows,
        // given in row order, in this column's order.
        std::function<std::vector<qint64>(std::vector<qint64> rows, bool ascending)> order = {};
        // Hidden until the user shows it from the header's menu.
        bool hiddenAtFirst = false;
        // A small picture beside the text, read only for the rows on view of a column on view.
        std::function<QPixmap(qint64 id)> picture = {};

        bool sorts() const { return sortField >= 0 || order; }

        // A column that shows one field's text as it is and sorts by it.
        static Column text(const QString &caption, int field, int letters)
        {
            return {caption,
                    [field](const QVariantList &fields, qint64) {
                        return fields.value(field).toString();
                    },
                    field, letters};
        }
    };

    int lettersWide(int column) const { return m_columns.value(column).letters; }
    bool hiddenAtFirst(int column) const { return m_columns.value(column).hiddenAtFirst; }

    RowTableModel(db::SearchableRows rows, QList<Column> columns, QObject *parent = nullptr);
    ~RowTableModel() override;

    // Reads the table again, keeping the search and the order. The rows are on view at once;
    // the values they are searched and sorted by are read meanwhile on a thread of its own,
    // and until then they are in name order.
    void reload();
    void setSearch(const QString &text);
    // Works out the cells' text again, for a column whose values came later.
    void refreshShown();
    // Sorts again when sorted by a column worked out from more than its row, whose order
    // may have come later.
    void reorder();
    // False while the values are still being read: a search typed or a sort asked for
    // meanwhile is applied once they are there.
    bool canSearch() const { return m_rows.canSearch(); }
    qint64 idAt(int row) const { return visible()[size_t(row)]; }
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
    const std::vector<qint64> &visible() const { return m_searched ? m_found : m_ordered; }
    std::vector<qint64> sorted() const;
    void readValues();
    void stopReading();

    db::SearchableRows m_rows;
    QList<Column> m_columns;
    QString m_search;
    int m_sortColumn = 0;
    bool m_ascending = true;
    bool m_loaded = false;
    std::vector<qint64> m_ordered;
    bool m_searched = false;
    std::vector<qint64> m_found;
    mutable QHash<int, QList<QStringList>> m_pages;
    mutable QHash<qint64, QPixmap> m_pictures;
    core::BackgroundTask *m_reader = nullptr;
    std::shared_ptr<std::atomic_bool> m_stopReading;
};

} // namespace ui
