#include "kennel/Dogs.h"

#include "db/Fields.h"
#include "db/NameLists.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "kennel/DogFinder.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {
namespace {

namespace dog = db::fields::dogs;

} // namespace

KennelOwner::KennelOwner(const QSqlDatabase &kennel)
    : m_key(dogNameKey(db::setupRow(kennel).value(db::fields::setup::name).toString().trimmed()))
{
}

bool KennelOwner::owns(const QString &owner) const
{
    const QString trimmed = owner.trimmed();
    return trimmed.isEmpty() || dogNameKey(trimmed) == m_key;
}

QString kennelMales(const QSqlDatabase &kennel, std::unordered_set<qint64> *ids)
{
    const KennelOwner own(kennel);
    return db::scanRows(kennel, db::selectFrom(db::tables::dogs, {dog::id, dog::sex, dog::owner}),
                        [&](const db::RawRow &row) {
                            if (row.text(1) == "Male" && own.owns(row.string(2)))
                                ids->insert(row.whole(0));
                        });
}

QString dogsOfBreed(const QSqlDatabase &kennel, const QString &breed,
                    std::unordered_set<qint64> *ids)
{
    const QString wanted = breed.trimmed().toCaseFolded();
    return db::scanRows(kennel, db::selectFrom(db::tables::dogs, {dog::id, dog::breed}),
                        [&](const db::RawRow &row) {
                            if (row.string(1).trimmed().toCaseFolded() == wanted)
                                ids->insert(row.whole(0));
                        });
}

std::optional<QString> dogName(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::dogs, {dog::name}) % QStringLiteral(" WHERE ") %
              db::quoted(dog::id) % QStringLiteral(" = ?"));
    q.addBindValue(dogId);
    if (!db::execRead(q) || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

QStringList dogNamesOwnedBy(const QSqlDatabase &kennel, const QString &owner)
{
    return db::columnValuesWhere(kennel, db::tables::dogs, dog::name, dog::owner, owner);
}

bool hasDogs(const QSqlDatabase &kennel)
{
    return db::TableCursor(kennel, db::tables::dogs).first();
}

qint64 dogCount(const QSqlDatabase &kennel)
{
    return db::rowCount(kennel, db::tables::dogs);
}

qint64 contactCount(const QSqlDatabase &kennel)
{
    return db::rowCount(kennel, db::tables::contacts);
}

} // namespace kennel
