#pragma once

#include "core/WriteResult.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

namespace contacts {

// Adds a contact as "Enter a New Contact" writes it: each empty text box as a single blank,
// the pick lists as they stand, the fields in their order. Empty on success, otherwise what
// went wrong; the contact is then not written at all. Answers its id.
core::WriteResult<qint64> addContact(QSqlDatabase db, const QHash<QString, QString> &texts);

} // namespace contacts
