#include "kennel/Contacts.h"

#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/SqlRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/NumberSlices.h"

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

std::optional<QString> contactName(const QSqlDatabase &kennel, qint64 row)
{
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::contacts, {db::fields::contacts::name}) %
              QStringLiteral(" WHERE rowid = ?"));
    q.addBindValue(row);
    if (!db::execRead(q) || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

std::optional<QHash<qint64, QString>> contactNames(const QSqlDatabase &kennel,
                                                   const std::vector<qint64> &rows)
{
    namespace contact = db::fields::contacts;
    QHash<qint64, QString> names;
    const QString problem = eachSliceOf(rows, contact::id, [&](const QString &where) {
        return db::scanRows(
            kennel, db::selectFrom(db::tables::contacts, {contact::id, contact::name}) % where,
            [&](const db::RawRow &row) { names.insert(row.whole(0), row.string(1)); });
    });
    if (!problem.isEmpty())
        return std::nullopt;
    return names;
}

QString deleteContactRecord(const QSqlDatabase &kennel, qint64 row)
{
    return db::runStatement(kennel,
                            QStringLiteral("DELETE FROM ") % db::quoted(db::tables::contacts) %
                                QStringLiteral(" WHERE rowid = ?"),
                            {row});
}

std::unique_ptr<core::RowSource> contactsInOrder(const QSqlDatabase &kennel,
                                                 const QStringList &fields)
{
    return std::make_unique<db::TableSlices>(kennel, db::tables::contacts, fields);
}

core::WriteResult<qint64> addContact(QSqlDatabase kennel, const QHash<QString, QString> &values)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(
        kennel, QStringLiteral("Added %1").arg(values.value(db::fields::contacts::name).trimmed()));
    db::TableCursor contacts(kennel, db::tables::contacts);
    if (!contacts.addNew())
        return core::failure(contacts.lastError());
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        contacts.setValue(value.key(), value.value());
    if (!contacts.update()) {
        contacts.cancelUpdate();
        return core::failure(contacts.lastError());
    }
    const qint64 id = contacts.rowId();
    if (const auto landed = logged.land(transaction); !landed)
        return core::failure(landed.problem());
    return id;
}

} // namespace kennel
