#include "contacts/ContactBook.h"

#include "contacts/ContactForm.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"

namespace contacts {

core::WriteResult<qint64> addContact(QSqlDatabase db, const QHash<QString, QString> &texts)
{
    db::Transaction transaction(db);
    db::LoggedChange logged(
        db, QStringLiteral("Added %1").arg(texts.value(db::fields::contacts::name).trimmed()));
    db::TableCursor contacts(db, db::tables::contacts);
    if (!contacts.addNew())
        return core::failure(contacts.lastError());
    for (const QString &field : ContactForm::fields()) {
        QString text = texts.value(field);
        if (text.isEmpty())
            text = ContactForm::textBoxFields().contains(field) ? QStringLiteral(" ")
                                                                : QStringLiteral("");
        contacts.setValue(field, text);
    }
    if (!contacts.update()) {
        contacts.cancelUpdate();
        return core::failure(contacts.lastError());
    }
    const qint64 id = contacts.rowId();
    if (const auto landed = logged.land(transaction); !landed)
        return core::failure(landed.problem());
    return id;
}

} // namespace contacts
