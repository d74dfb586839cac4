#pragma once

#include "core/DataRows.h"
#include "core/WriteResult.h"

#include <memory>
#include <optional>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <vector>

// Which contact a name means, decided once: the first contact of exactly that name in stored
// order, as a sale names its buyer.
namespace kennel {

// The contact's number; 0 for none.
qint64 contactNamed(const QSqlDatabase &kennel, const QString &name);

struct Address
{
    QString address, city, state, postcode, country;
};
// The address of the contact a name means; nothing for none.
std::optional<Address> addressOf(const QSqlDatabase &kennel, const QString &name);

// The name of the contact of this number; nothing when it is gone or could not be read.
std::optional<QString> contactName(const QSqlDatabase &kennel, qint64 row);
// The names of the contacts of these numbers that are in the kennel; nothing when they could not
// be read.
std::optional<QHash<qint64, QString>> contactNames(const QSqlDatabase &kennel,
                                                   const std::vector<qint64> &rows);
// Deletes the contact's record alone, inside the caller's transaction. The problem, or empty.
QString deleteContactRecord(const QSqlDatabase &kennel, qint64 row);

// The contacts in stored order, a slice at a time: these fields, or all.
std::unique_ptr<core::RowSource> contactsInOrder(const QSqlDatabase &kennel,
                                                 const QStringList &fields = {});

// Adds a contact of these field values as one change, "Added <name>"; answers its number.
core::WriteResult<qint64> addContact(QSqlDatabase kennel, const QHash<QString, QString> &values);

} // namespace kennel
