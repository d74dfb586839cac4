#include "dogs/DogChooserScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "kennel/Dogs.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

namespace dogs {

DogChooserScreen::DogChooserScreen(const QString &objectName, const QString &caption,
                                   const QString &text, QWidget *parent)
    : ui::ChooserScreen(objectName, caption, text, parent)
{
    list()->setPrompt(QStringLiteral("Select a Dog"));
}

void DogChooserScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (!kennel::hasDogs(kennel)) {
        core::tell(QStringLiteral("There are Currently No Entries in the system "));
        closeScreen();
        return;
    }
    list()->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedDogs));
}

} // namespace dogs
