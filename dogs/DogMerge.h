#pragma once

#include "core/WriteResult.h"

#include <QHash>
#include <QSqlDatabase>
#include <QVariant>

namespace dogs {

// Two records of one dog made one: `kept` stays with the chosen value of each field
// (field -> stored value; fields not listed keep its own), `merged` goes. Every record naming
// either name then names the kept dog as it is finally called; the merged dog's notes and
// vaccinations become the kept dog's. All in one transaction. Refused for a dog with itself
// and for two dogs of which one is the other's ancestor, which would make a loop.
core::WriteResult<> mergeDogs(const QSqlDatabase &kennel, qint64 kept, qint64 merged,
                              const QHash<QString, QVariant> &chosen);

// The stored values of a dog's record (field -> value), for showing side by side; empty
// when there is no such dog.
QHash<QString, QVariant> dogValues(const QSqlDatabase &kennel, qint64 dogId);

} // namespace dogs
