#pragma once

#include "core/WriteResult.h"
#include "db/NameLinks.h"

#include <QSqlDatabase>

namespace contacts {

// What a contact's deletion touches: the records that name it.
struct ContactRemoval
{
    qint64 row = 0;
    QString name;
    QList<db::Naming> naming; // left out when another contact has the name
    // The dogs naming it as owner or breeder.
    qint64 dogs() const;
};

core::WriteResult<ContactRemoval> plannedContactRemoval(const QSqlDatabase &kennel, qint64 row);
// "Delete Ann Lee? ..." for the user.
QString contactRemovalQuestion(const ContactRemoval &removal);
// Deletes the contact, all or nothing; with `clearDogs` the dogs naming it as owner or
// breeder lose the name. Sales keep it: they record what happened.
core::WriteResult<> removeContact(const QSqlDatabase &kennel, const ContactRemoval &removal,
                                  bool clearDogs);

} // namespace contacts
