#pragma once

#include "db/TableCursor.h"
#include "ui/BoundFields.h"

namespace ui {

// One row of a table at a time in bound controls. What the user changes is written, as
// typed, into that row before the cursor moves and when the screen closes.
class BoundRecord
{
public:
    BoundRecord(QSqlDatabase db, const QString &table);

    BoundFields &fields() { return m_fields; }
    db::TableCursor &cursor() { return m_cursor; }

    // Fills the controls from the current row; without one they are emptied and disabled.
    void show();
    // Writes the user's changes; false, after telling the user, when they could not be.
    bool commit();
    // Commits, then moves (next and previous stay put at the ends), then shows.
    void step(bool (db::TableCursor::*move)());

private:
    db::TableCursor m_cursor;
    BoundFields m_fields;
};

} // namespace ui
