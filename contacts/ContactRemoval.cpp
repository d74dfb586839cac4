#include "contacts/ContactRemoval.h"

#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Changes.h"
#include "kennel/Contacts.h"
#include "kennel/NameLinks.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

namespace contacts {
qint64 ContactRemoval::dogs() const
{
    qint64 count = 0;
    for (const kennel::Naming &n : naming) {
        if (kennel::inDogRecords(n.link))
            count += n.rows.size();
    }
    return count;
}

core::WriteResult<ContactRemoval> plannedContactRemoval(const QSqlDatabase &kennel, qint64 row)
{
    ContactRemoval removal;
    removal.row = row;
    const std::optional<QString> name = kennel::contactName(kennel, row);
    if (!name)
        return core::failure(QStringLiteral("the contact is no longer in the kennel"));
    removal.name = *name;
    QString error;
    QList<qint64> namesakes;
    if (!kennel::contactsNamed(kennel, removal.name, row, &namesakes, &error) ||
        !kennel::findNaming(kennel, kennel::contactLinks(), removal.name, &removal.naming, &error))
        return core::failure(error);
    if (!namesakes.isEmpty())
        removal.naming.clear();
    namespace waiting = db::fields::waitingList;
    const QString entries = QStringLiteral(" FROM ") % db::quoted(db::tables::waitingList) %
                            QStringLiteral(" WHERE ") % db::quoted(waiting::contactId) %
                            QStringLiteral(" = ?");
    if (QString problem = db::runStatement(kennel, QStringLiteral("SELECT count(*)") % entries,
                                           {row}, &removal.waitingEntries);
        !problem.isEmpty())
        return core::failure(problem);
    if (QString problem = db::runStatement(
            kennel,
            QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::deposits) %
                QStringLiteral(" WHERE ") % db::quoted(db::fields::deposits::entryId) %
                QStringLiteral(" IN (SELECT ") % db::quoted(waiting::id) % entries %
                QLatin1Char(')'),
            {row}, &removal.deposits);
        !problem.isEmpty())
        return core::failure(problem);
    return removal;
}

QString contactRemovalRefusal(const ContactRemoval &removal)
{
    if (removal.deposits == 0)
        return {};
    return QStringLiteral("%1 paid deposits on the waiting list, which the accounts keep: the "
                          "contact cannot be deleted. Keep the contact and set the entries to "
                          "\"Withdrawn\".")
        .arg(removal.name);
}

QString contactRemovalQuestion(const ContactRemoval &removal)
{
    QString text = QStringLiteral("Delete %1?").arg(removal.name);
    if (const qsizetype named = kennel::countOf(removal.naming); named > 0)
        text += QStringLiteral(" The name is in %L1 other %2 (%3).")
                    .arg(named)
                    .arg(named == 1 ? QStringLiteral("record") : QStringLiteral("records"))
                    .arg(kennel::describeNaming(removal.naming));
    if (removal.waitingEntries > 0)
        text += QStringLiteral(" Its waiting-list entries (%1) are deleted with it.")
                    .arg(removal.waitingEntries);
    return text;
}

core::WriteResult<> removeContact(const QSqlDatabase &kennel, const ContactRemoval &removal,
                                  bool clearDogs)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Deleted %1").arg(removal.name));
    QString problem = kennel::deleteContactRecord(kennel, removal.row);
    if (problem.isEmpty())
        problem = db::runStatement(
            kennel,
            QStringLiteral("DELETE FROM ") % db::quoted(db::tables::waitingList) %
                QStringLiteral(" WHERE ") % db::quoted(db::fields::waitingList::contactId) %
                QStringLiteral(" = ?"),
            {removal.row});
    for (const auto &[table, field] :
         {std::pair{db::tables::accounts, db::fields::accounts::contactId},
          std::pair{db::tables::contracts, db::fields::contracts::contactId}}) {
        if (problem.isEmpty())
            problem = db::relink(kennel, table, field, removal.row, db::idOrNone(0));
    }
    if (problem.isEmpty() && clearDogs) {
        QList<kennel::Naming> dogs;
        for (const kennel::Naming &n : removal.naming) {
            if (kennel::inDogRecords(n.link))
                dogs << n;
        }
        problem = kennel::renameNaming(kennel, dogs, QStringLiteral(""));
    }
    const core::WriteResult<> landed = logged.land(transaction, problem);
    if (landed)
        Q_EMIT kennel::Changes::instance().contactDeleted(removal.row);
    return landed;
}

} // namespace contacts
