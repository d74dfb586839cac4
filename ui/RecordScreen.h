#pragma once

#include "ui/BoundRecord.h"
#include "ui/Screen.h"

namespace ui {

// A screen that shows one row at a time in bound controls: what the user typed is saved when
// the screen moves to another row and when it closes; a value that cannot be stored yet keeps
// the screen open on it.
class RecordScreen : public Screen
{
    Q_OBJECT
public:
    using Screen::Screen;

    bool settle() override { return record().commit(BoundRecord::OnFailure::MayLeave); }
    // The row shown is read again; when it is gone, the first row is shown.
    void refresh() override
    {
        if (!isLoaded())
            return;
        db::TableCursor &cursor = record().cursor();
        if (!cursor.hasRow() || !cursor.moveTo(cursor.rowId()))
            cursor.first();
        showRecord();
    }

    // Saves what was typed, then shows this row; once loaded when it is not yet.
    void showRow(qint64 rowId)
    {
        if (!isLoaded()) {
            connect(
                this, &Screen::loaded, this, [this, rowId] { showRow(rowId); },
                Qt::SingleShotConnection);
            return;
        }
        if (!settle())
            return;
        record().cursor().moveTo(rowId);
        showRecord();
    }

protected:
    virtual BoundRecord &record() = 0;
    // Saves, moves the cursor, and shows the row it reached.
    void step(bool (db::TableCursor::*move)())
    {
        if (!record().commit())
            return;
        (record().cursor().*move)();
        showRecord();
    }
    virtual void showRecord() { record().show(); }
};

} // namespace ui
