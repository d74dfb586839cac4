#include "contacts/DeleteContactScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
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
    db::TableCursor contacts(db::DatabaseFiles::kennel(), db::tables::contacts);
    if (list()->text().isEmpty() ||
        !contacts.findExact(db::fields::contacts::name, list()->text())) {
        core::tell(QStringLiteral(" Please Select a Contact"));
        return;
    }
    hideScreen();
    Q_EMIT contactChosen(contacts.rowId());
}

} // namespace contacts
