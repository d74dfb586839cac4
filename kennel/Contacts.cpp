#include "kennel/Contacts.h"

#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {
namespace {

namespace contact = db::fields::contacts;

QString firstNamed(const QStringList &fields)
{
    return db::selectFrom(db::tables::contacts, fields) % QStringLiteral(" WHERE ") %
           db::quoted(contact::name) % QStringLiteral(" = ? ORDER BY rowid LIMIT 1");
}

} // namespace

qint64 contactNamed(const QSqlDatabase &kennel, const QString &name)
{
    qint64 id = 0;
    db::runStatement(kennel, firstNamed({contact::id}), {name}, &id);
    return id;
}

std::optional<Address> addressOf(const QSqlDatabase &kennel, const QString &name)
{
    QSqlQuery q(kennel);
    q.prepare(firstNamed(
        {contact::address, contact::city, contact::state, contact::postcode, contact::country}));
    q.addBindValue(name);
    if (!db::execRead(q) || !q.next())
        return std::nullopt;
    return Address{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                   q.value(3).toString(), q.value(4).toString()};
}

} // namespace kennel
