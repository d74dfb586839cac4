#pragma once

#include "ui/BoundRecord.h"

#include <QDialog>

class QTableWidget;

namespace ui {

// "History": what was changed in the record shown, newest first, with when and by what change;
// values and field names as the record's screen shows them.
class RecordHistory : public QDialog
{
    Q_OBJECT
public:
    RecordHistory(const BoundRecord &record, const QString &title, QWidget *parent = nullptr);

    // Opened over the screen, closed with it or with Escape; nothing when there is no record.
    static void open(const BoundRecord &record, const QString &title, QWidget *over);

private:
    QTableWidget *m_table;
};

} // namespace ui
