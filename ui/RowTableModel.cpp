#include "ui/RowTableModel.h"

#include "core/BackgroundTask.h"
#include "core/Memory.h"
#include "core/SearchText.h"
#include "db/DatabaseFiles.h"

#include <utility>

namespace ui {
namespace {

constexpr int pageSize = 100;

} // namespace

RowTableModel::RowTableModel(db::SearchableRows rows, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)), m_columns(std::move(columns))
{
}

RowTableModel::~RowTableModel()
{
    stopReading();
}

void RowTableModel::reload()
{
    stopReading();
    m_loaded = true;
    m_rows.forgetValues();
    // A photo chosen since is shown at the next look.
    m_pictures.clear();
    m_ordered = sorted();
    refilter();
    readValues();
}

void RowTableModel::stopReading()
{
    if (!m_reader)
        return;
    *m_stopReading = true;
    delete std::exchange(m_reader, nullptr);
}

void RowTableModel::readValues()
{
    m_stopReading = std::make_shared<std::atomic_bool>(false);
    auto values = std::make_shared<db::SearchableRows::Values>();
    m_reader = new core::BackgroundTask([rows = m_rows, stop = m_stopReading, values,
                                         file = db::DatabaseFiles::kennel().databaseName()] {
        *values = rows.readValues(file, *stop);
        core::releaseFreedMemory();
    });
    connect(m_reader, &core::BackgroundTask::finished, this, [this, values] {
        m_reader->deleteLater();
        m_reader = nullptr;
        m_rows.setValues(std::move(*values));
        // Sorted by name until now, whatever column was asked for.
        if (m_columns[m_sortColumn].sortField > 0)
            m_ordered = sorted();
        refilter();
        Q_EMIT searchReady();
    });
}

void RowTableModel::refilter(bool narrowing)
{
    beginResetModel();
    // Without a search every row is on view, in the order kept already.
    m_searched = !m_search.trimmed().isEmpty();
    if (!m_searched)
        std::vector<qint64>().swap(m_found);
    else if (!m_rows.canSearch())
        m_found.clear();
    else
        m_found = m_rows.matching(narrowing ? m_found : m_ordered, m_search);
    m_pages.clear();
    endResetModel();
}

void RowTableModel::refreshShown()
{
    m_pages.clear();
    if (!visible().empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void RowTableModel::setSearch(const QString &text)
{
    // A longer text holds the shorter one: only the rows found already can hold it.
    const QString before = core::searchFolded(m_search.trimmed());
    const bool narrowing = !before.isEmpty() && core::searchFolded(text.trimmed()).contains(before);
    m_search = text;
    refilter(narrowing);
}

std::vector<qint64> RowTableModel::sorted() const
{
    const Column &column = m_columns[m_sortColumn];
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (column.order)
        return column.order(m_rows.inRowOrder(kennel), m_ascending);
    if (m_rows.canSearch())
        return m_rows.ordered(column.sortField, m_ascending);
    // The first field has an index in its order; any other waits for the values.
    return m_rows.byFirstField(kennel, column.sortField != 0 || m_ascending);
}

void RowTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size() || !m_columns[column].sorts())
        return;
    m_sortColumn = column;
    m_ascending = order == Qt::AscendingOrder;
    // The view sorts once as it is set up, before the table is read at all.
    if (!m_loaded)
        return;
    m_ordered = sorted();
    refilter();
}

void RowTableModel::reorder()
{
    if (!m_loaded || !m_columns[m_sortColumn].order)
        return;
    m_ordered = sorted();
    refilter(false);
}

int RowTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(visible().size());
}

int RowTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RowTableModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && role == Qt::DecorationRole && m_columns[index.column()].picture) {
        const qint64 id = idAt(index.row());
        auto picture = m_pictures.find(id);
        if (picture == m_pictures.end()) {
            if (m_pictures.size() > 500)
                m_pictures.clear();
            picture = m_pictures.insert(id, m_columns[index.column()].picture(id));
        }
        return picture->isNull() ? QVariant() : QVariant(*picture);
    }
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const int page = index.row() / pageSize;
    auto found = m_pages.find(page);
    if (found == m_pages.end()) {
        // Pages scrolled past are read again when they come back into view.
        if (m_pages.size() > 50)
            m_pages.clear();
        const size_t from = size_t(page) * pageSize;
        const std::vector<qint64> &onView = visible();
        const size_t to = std::min(onView.size(), from + pageSize);
        const std::vector<qint64> ids(onView.begin() + qsizetype(from),
                                      onView.begin() + qsizetype(to));
        const QList<QVariantList> rows = m_rows.read(db::DatabaseFiles::kennel(), ids);
        // Each cell's text is worked out once per page read, not at every repaint.
        QList<QStringList> shown;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            QStringList cells;
            for (const Column &column : m_columns)
                cells << column.shown(rows[r], ids[size_t(r)]);
            shown << cells;
        }
        found = m_pages.insert(page, shown);
    }
    return found->at(index.row() % pageSize).value(index.column());
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.value(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace ui
