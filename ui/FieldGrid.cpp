#include "ui/FieldGrid.h"

#include "ui/PickList.h"

#include "core/DateText.h"

#include <algorithm>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

namespace ui {

QLineEdit *textBox(const QString &objectName)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(objectName);
    return edit;
}

QComboBox *comboBox(const QString &objectName, bool editable)
{
    auto *box = new QComboBox;
    box->setObjectName(objectName);
    box->setEditable(editable);
    return box;
}

namespace {

class SelectAllOnFocus : public QObject
{
public:
    SelectAllOnFocus(QLineEdit *box, std::function<bool()> when)
        : QObject(box), m_box(box), m_when(std::move(when))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // After the event: a mouse press that gave the focus would otherwise place the
        // cursor and clear the selection again.
        if (event->type() == QEvent::FocusIn && (!m_when || m_when()))
            QTimer::singleShot(0, watched, [box = m_box, watched] {
                if (static_cast<QWidget *>(watched)->hasFocus())
                    box->selectAll();
            });
        return false;
    }

private:
    QLineEdit *m_box;
    std::function<bool()> m_when;
};

} // namespace

void selectAllOnFocus(QLineEdit *box, std::function<bool()> when, QWidget *holder)
{
    (holder ? holder : box)->installEventFilter(new SelectAllOnFocus(box, std::move(when)));
}

PickList *pickList(const QString &objectName)
{
    auto *list = new PickList;
    list->setObjectName(objectName);
    return list;
}

QLabel *dateHint()
{
    return new QLabel(core::datetext::typingHint());
}

QPushButton *pushButton(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

namespace {

// Every form's fields stand on one grid: a caption column of at least the same width, and
// text boxes and pick lists of one height, whichever kind the style makes taller.
int fieldHeight()
{
    static const int height =
        std::max(QLineEdit().sizeHint().height(), PickList().sizeHint().height());
    return height;
}

int captionWidth(const QLabel *label)
{
    return label->fontMetrics().averageCharWidth() * 14;
}

} // namespace

void addField(QGridLayout *grid, int row, int column, const QString &caption, QWidget *control,
              int span)
{
    auto *label = new QLabel(caption);
    label->setBuddy(control);
    label->setMinimumWidth(captionWidth(label));
    // A label in a field's place shows a value as a box would.
    if (control->inherits("QLineEdit") || control->inherits("QComboBox") ||
        control->inherits("QLabel"))
        control->setMinimumHeight(fieldHeight());
    // Beside a box of several lines the caption stands at its first line.
    const Qt::Alignment vertical =
        control->inherits("QPlainTextEdit") ? Qt::AlignTop : Qt::AlignVCenter;
    grid->addWidget(label, row, column * 2, vertical | Qt::AlignLeft);
    grid->addWidget(control, row, column * 2 + 1, 1, span);
}

QTableWidget *entryTable(const QString &objectName, const QString &accessibleName,
                         const QStringList &columns)
{
    auto *table = new QTableWidget;
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setColumnCount(int(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableView *sortedTable(const QString &objectName, const QString &accessibleName,
                        QAbstractItemModel *model, int sortColumn)
{
    auto *table = new QTableView;
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setModel(model);
    table->setSortingEnabled(true);
    table->sortByColumn(sortColumn, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

void fillEntryTable(QTableWidget *table, const std::vector<QStringList> &rows)
{
    table->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int column = 0; column < rows[size_t(row)].size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows[size_t(row)][column]));
    }
    table->resizeColumnsToContents();
}

} // namespace ui
