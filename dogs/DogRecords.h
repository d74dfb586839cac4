#pragma once

#include "db/TableCursor.h"

#include <QDate>
#include <QHash>
#include <QStringList>

namespace dogs {

// "Age": whole 365-day years, then weeks of the rest, each with a blank in place of the sign
// of a non-negative number; empty when the date of birth is not a date.
QString calculateage(const QString &dobText, const QDate &today);

// The dog records screen's logic: one cursor over every dog, shown as the texts of its
// fields, with the user's changes saved into the dog being left.
class DogRecords
{
public:
    // The fields the screen shows and edits.
    static const QStringList &fields();
    // The date fields and the captions their messages name.
    static QString dateCaption(const QString &field);

    explicit DogRecords(QSqlDatabase db);

    bool first() { return m_cursor.first(); }
    bool last() { return m_cursor.last(); }
    bool next() { return m_cursor.next(); }
    bool previous() { return m_cursor.previous(); }
    // The first dog in stored order whose name is exactly this one; stays put when none is.
    bool goToName(const QString &name);

    bool hasDog() const { return m_cursor.hasRow(); }
    qint64 dogId() const { return m_cursor.rowId(); }
    QString text(const QString &field) const;

    struct SaveResult
    {
        QString message; // empty on success
        QString field;   // the field at fault, if one is
        bool ok() const { return message.isEmpty(); }
    };
    // Writes the changed texts (field -> text) into the current dog, all or nothing.
    SaveResult save(const QHash<QString, QString> &changes);

private:
    db::TableCursor m_cursor;
};

} // namespace dogs
