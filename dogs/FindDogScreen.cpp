#include "dogs/FindDogScreen.h"

#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

namespace dogs {

FindDogScreen::FindDogScreen(QWidget *parent)
    : ui::ChooserScreen(screenName(), QStringLiteral("Find Dog Record"),
                        QStringLiteral("Select A Dog Record"), parent)
{
    list()->setPrompt(QStringLiteral("Select a Dog"));
}

void FindDogScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (!db::hasDogs(kennel)) {
        core::tell(QStringLiteral("There are Currently No Entries in the system "));
        closeScreen();
        return;
    }
    list()->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedDogs));
}

void FindDogScreen::ok()
{
    core::Choices::selectedname = list()->text();
    core::Choices::dogscreenmode = core::Choices::Find;
    if (list()->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog"));
        return;
    }
    Q_EMIT dogChosen();
    hideScreen();
}

} // namespace dogs
