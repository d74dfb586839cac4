#pragma once

#include <functional>
#include <QString>
#include <vector>

#include <QStringList>

class QAbstractItemModel;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTableWidget;
class QWidget;

namespace ui {

class PickList;

QLineEdit *textBox(const QString &objectName);
// A box that starts with a hint in it ("MM/DD/YY", "Select a Dog"): its text is selected
// whenever it takes the focus, by mouse too, so that what is typed replaces the hint; only
// while `when` holds, if given. A box inside another widget (a pick list) learns of the focus
// through that widget, `holder`.
void selectAllOnFocus(QLineEdit *box, std::function<bool()> when = {}, QWidget *holder = nullptr);
PickList *pickList(const QString &objectName);
// A list of fixed entries; an editable one takes any other text too.
QComboBox *comboBox(const QString &objectName, bool editable = false);
QPushButton *pushButton(const QString &caption, const QString &objectName,
                        QWidget *parent = nullptr);

// The hint that stands beside or below a form's date boxes, telling how a date is typed.
QLabel *dateHint();

// A read-only table of entries, one selected row at a time, with these columns.
QTableWidget *entryTable(const QString &objectName, const QString &accessibleName,
                         const QStringList &columns);
// A read-only, sortable list of one model's rows, one selected at a time, a row to a line,
// sorted at first by `sortColumn`.
QTableView *sortedTable(const QString &objectName, const QString &accessibleName,
                        QAbstractItemModel *model, int sortColumn);
// Shows these rows in it, the columns sized to their contents.
void fillEntryTable(QTableWidget *table, const std::vector<QStringList> &rows);

// The lines a list box shows, top to bottom.
QStringList listTexts(const QListWidget *list);

// Puts a caption and its control side by side in a grid of caption/control column pairs;
// the caption is the control's buddy, so screen readers announce it.
void addField(QGridLayout *grid, int row, int column, const QString &caption, QWidget *control,
              int span = 1);

} // namespace ui
