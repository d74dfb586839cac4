#include "contacts/FindContactScreen.h"

#include "core/Choices.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

namespace contacts {

FindContactScreen::FindContactScreen(QWidget *parent)
    : ui::ChooserScreen(screenName(), QStringLiteral("Find a Contact"),
                        QStringLiteral("Select A Contact"), parent)
{
}

void FindContactScreen::load()
{
    list()->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedNamedContacts));
    list()->setText(QString());
}

void FindContactScreen::ok()
{
    core::Choices::selectedname = list()->text();
    Q_EMIT contactChosen(list()->text());
    closeScreen();
}

} // namespace contacts
