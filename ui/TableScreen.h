#pragma once

#include "ui/Screen.h"

#include <functional>

class QLabel;
class QLineEdit;
class QTableView;

namespace ui {

class RowTableModel;

// A table screen ("All Dogs", "All Contacts"): every row in a table sorted by any column, a search
// that filters as it is typed, and the row chosen (double-click or Enter) opened on its screen.
class TableScreen : public Screen
{
    Q_OBJECT
public:
    // `what` names the rows in the count, "dogs" or "contacts".
    TableScreen(const QString &objectName, const QString &caption, const QString &what,
                RowTableModel *model, std::function<void(qint64 id)> open,
                QWidget *parent = nullptr);

    RowTableModel *model() const { return m_model; }
    QString countText() const;
    QSize sizeHint() const override { return QSize(1200, 560); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void load() override;
    void showEvent(QShowEvent *event) override;

private:
    void showCount();

    QString m_what;
    RowTableModel *m_model;
    QLineEdit *m_search;
    QLabel *m_count;
    QTableView *m_table;
};

} // namespace ui
