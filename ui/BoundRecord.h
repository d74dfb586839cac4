#pragma once

#include "db/TableCursor.h"
#include "kennel/NameLinks.h"
#include "ui/BoundFields.h"

#include <functional>
#include <optional>

namespace ui {

// One row of a table at a time in bound controls. What the user changes is written into
// that row, all or nothing, before the cursor moves and when the screen closes.
class BoundRecord
{
public:
    // A field the row keeps in another form than the text its control shows, such as a date.
    struct Conversion
    {
        std::function<QString(const QVariant &stored)> show;
        // The value to store for a typed text; nothing, with the reason, when it cannot be.
        std::function<std::optional<QVariant>(const QString &typed, QString *refusal)> store;
    };
    struct SaveResult
    {
        QString message; // empty on success
        QString field;   // the field at fault, if one is
        // The changed fields that another program changed since the row was read; nothing
        // was written.
        QStringList changedElsewhere;
        bool cancelled = false; // by the user, when asked before the save
        bool ok() const { return message.isEmpty() && !cancelled; }
    };

    BoundRecord(QSqlDatabase db, const QString &table);

    // What else a save writes, such as the records that name a renamed one: decided before the
    // save from the changed texts (the user may be asked), written in its transaction. A
    // problem undoes the whole save.
    using AlsoWrite = std::function<QString()>;
    // Nothing cancels the save, with what was typed kept on the screen.
    using PlanSave = std::function<std::optional<AlsoWrite>(const QHash<QString, QString> &)>;
    void planSavesWith(PlanSave plan) { m_plan = std::move(plan); }
    // Saves that change the name field follow the kennel's rename rule (`kennel::planRename`),
    // carrying along the records that name this one through `links`.
    void renamesCarryLinks(const QString &nameField, const QList<kennel::NameLink> &links,
                           const QString &kind);

    // Saves are kept in the change log as "Edited <this field's value>", such as the dog's name.
    void nameChangesBy(const QString &field) { m_nameField = field; }

    BoundFields &fields() { return m_fields; }
    const BoundFields &fields() const { return m_fields; }
    db::TableCursor &cursor() { return m_cursor; }
    const db::TableCursor &cursor() const { return m_cursor; }
    void convert(const QString &field, Conversion conversion);

    // The text a control shows for a field of the current row; empty without a row.
    QString text(const QString &field) const;
    // The text a control would show for this stored value of the field.
    QString shown(const QString &field, const QVariant &stored) const;
    // Writes changed texts (field -> text) into the current row. Fields are checked in the
    // order they were bound (else by name); the first that cannot be stored writes nothing.
    // Nor is a field written over that another program changed since the row was read,
    // unless `overwrite` says so.
    SaveResult save(const QHash<QString, QString> &changes, bool overwrite = false);

    // Fills the controls from the current row; without one they are emptied and disabled.
    void show();
    enum class OnFailure { Stay, MayLeave };
    // Saves what the user changed; false, after telling the user, when it could not be.
    // When the files refuse the write (not the typing), MayLeave asks whether to leave the
    // row without the changes: files that cannot be written would otherwise keep the user
    // on it for good. A field another program changed meanwhile is written over only when
    // the user says so; otherwise the row is shown as the other program left it.
    bool commit(OnFailure failure = OnFailure::Stay);
    // Commits, then moves (next and previous stay put at the ends), then shows.
    void step(bool (db::TableCursor::*move)());

private:
    QString changedElsewhereQuestion(const QStringList &fields);

    db::TableCursor m_cursor;
    BoundFields m_fields;
    QHash<QString, Conversion> m_conversions;
    PlanSave m_plan;
    QString m_nameField;
};

} // namespace ui
