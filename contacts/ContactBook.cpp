#include "contacts/ContactBook.h"

#include "contacts/ContactForm.h"
#include "kennel/Contacts.h"

namespace contacts {

core::WriteResult<qint64> addContact(QSqlDatabase db, const QHash<QString, QString> &texts)
{
    QHash<QString, QString> values;
    for (const QString &field : ContactForm::fields()) {
        QString text = texts.value(field);
        if (text.isEmpty())
            text = ContactForm::textBoxFields().contains(field) ? QStringLiteral(" ")
                                                                : QStringLiteral("");
        values.insert(field, text);
    }
    return kennel::addContact(std::move(db), values);
}

} // namespace contacts
