#pragma once

#include "core/WriteResult.h"
#include "kennel/NameLinks.h"

#include <QSqlDatabase>

namespace contacts {

// What a contact's deletion touches: the records that name it.
struct ContactRemoval
{
    qint64 row = 0;
    QString name;
    QList<kennel::Naming> naming; // left out when another contact has the name
    qint64 waitingEntries = 0;    // deleted with it
    qint64 deposits = 0;          // paid on its entries: the contact is then kept
    // The dogs naming it as owner or breeder.
    qint64 dogs() const;
};

core::WriteResult<ContactRemoval> plannedContactRemoval(const QSqlDatabase &kennel, qint64 row);
// Why the contact cannot be deleted (it paid deposits, which the accounts keep), or empty.
QString contactRemovalRefusal(const ContactRemoval &removal);
// "Delete Ann Lee? ..." for the user.
QString contactRemovalQuestion(const ContactRemoval &removal);
// Deletes the contact, all or nothing; with `clearDogs` the dogs naming it as owner or
// breeder lose the name. Its waiting-list entries go with it; sales, accounts entries and
// contracts keep what they say, without the link: they record what happened.
core::WriteResult<> removeContact(const QSqlDatabase &kennel, const ContactRemoval &removal,
                                  bool clearDogs);

} // namespace contacts
