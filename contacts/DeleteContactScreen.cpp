#include "contacts/DeleteContactScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "kennel/Contacts.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

namespace contacts {

DeleteContactScreen::DeleteContactScreen(QWidget *parent)
    : ui::ChooserScreen(screenName(), QStringLiteral("Delete Contact"),
                        QStringLiteral("Select the contact to delete"), parent)
{
}

void DeleteContactScreen::load()
{
    list()->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedNamedContacts));
    list()->setText(QString());
}

void DeleteContactScreen::ok()
{
    const qint64 contact = list()->text().isEmpty()
                               ? 0
                               : kennel::contactNamed(db::DatabaseFiles::kennel(), list()->text());
    if (contact == 0) {
        core::tell(QStringLiteral(" Please Select a Contact"));
        return;
    }
    hideScreen();
    Q_EMIT contactChosen(contact);
}

} // namespace contacts
