#pragma once

#include <optional>
#include <QSqlDatabase>
#include <QString>

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

} // namespace kennel
