#include "contacts/AskedRemovals.h"

#include "contacts/ContactRemoval.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "ui/Removals.h"

namespace contacts {

void deleteContactAsked(const ui::Removals &removals, qint64 row)
{
    if (!removals.mayStart())
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto planned = plannedContactRemoval(kennel, row);
    if (!planned) {
        core::tellNothingChanged(QStringLiteral("The deletion"), planned.problem());
        return;
    }
    const ContactRemoval &removal = planned.value();
    if (const QString refused = contactRemovalRefusal(removal); !refused.isEmpty()) {
        core::tell(refused);
        return;
    }
    removals.carryOut(
        contactRemovalQuestion(removal), QStringLiteral("Delete Contact"),
        removal.dogs() == 0
            ? QString()
            : QStringLiteral("Clear the name %1 from the %L2 dogs that name it as owner or "
                             "breeder as well? No keeps it there.")
                  .arg(removal.name)
                  .arg(removal.dogs()),
        QStringLiteral("The deletion"),
        [&](bool clearDogs) { return removeContact(kennel, removal, clearDogs); });
}

} // namespace contacts
