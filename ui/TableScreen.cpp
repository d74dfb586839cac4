#include "ui/TableScreen.h"

#include "ui/RowTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

TableScreen::TableScreen(const QString &objectName, const QString &caption, const QString &what,
                         RowTableModel *model, std::function<void(qint64 id)> open, QWidget *parent)
    : Screen(objectName, caption, parent), m_what(what), m_model(model), m_search(new QLineEdit),
      m_count(new QLabel), m_table(new QTableView)
{
    model->setParent(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Search"));
    m_search->setAccessibleName(QStringLiteral("Search"));
    m_search->setClearButtonEnabled(true);
    m_count->setObjectName(QStringLiteral("count"));
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setModel(model);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Measuring the cells would read rows; each column knows how wide its values run.
    for (int column = 0; column < model->columnCount(); ++column) {
        m_table->setColumnWidth(column, m_table->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                            model->lettersWide(column));
        m_table->setColumnHidden(column, model->hiddenAtFirst(column));
    }
    // The header's menu shows and hides columns.
    QHeaderView *header = m_table->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu;
        for (int column = 1; column < m_model->columnCount(); ++column) {
            QAction *shown = menu.addAction(
                m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
            shown->setCheckable(true);
            shown->setChecked(!m_table->isColumnHidden(column));
            connect(shown, &QAction::toggled, this,
                    [this, column](bool on) { m_table->setColumnHidden(column, !on); });
        }
        menu.exec(m_table->horizontalHeader()->mapToGlobal(at));
    });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_model->setSearch(text);
        showCount();
    });
    connect(model, &RowTableModel::searchReady, this, &TableScreen::showCount);
    m_search->installEventFilter(this);
    connect(m_table, &QTableView::activated, this,
            [this, open = std::move(open)](const QModelIndex &index) {
                if (index.isValid())
                    open(m_model->idAt(index.row()));
            });
    auto *top = new QHBoxLayout;
    top->addWidget(m_search, 1);
    top->addWidget(m_count);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table);
}

bool TableScreen::eventFilter(QObject *watched, QEvent *event)
{
    // Down from the search goes on to the rows found, as in a file dialog.
    if (watched == m_search && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down && m_model->rowCount() > 0) {
        m_table->setFocus(Qt::TabFocusReason);
        if (!m_table->currentIndex().isValid())
            m_table->setCurrentIndex(m_model->index(0, 0));
        return true;
    }
    return Screen::eventFilter(watched, event);
}

QString TableScreen::countText() const
{
    return m_count->text();
}

void TableScreen::load()
{
    m_model->reload();
    showCount();
}

void TableScreen::showEvent(QShowEvent *event)
{
    // Coming back to the screen shows what was written meanwhile.
    if (isLoaded()) {
        m_model->reload();
        showCount();
    }
    Screen::showEvent(event);
}

void TableScreen::showCount()
{
    if (!m_model->canSearch() && !m_search->text().trimmed().isEmpty()) {
        m_count->setText(QStringLiteral("Searching..."));
        return;
    }
    const QLocale locale;
    m_count->setText(
        QStringLiteral("%1 of %2 %3")
            .arg(locale.toString(m_model->rowCount()), locale.toString(m_model->total()), m_what));
}

} // namespace ui
