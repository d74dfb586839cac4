#include "dogs/DeleteDogScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogRecords.h"
#include "ui/PickList.h"

namespace dogs {

DeleteDogScreen::DeleteDogScreen(QWidget *parent)
    : DogChooserScreen(screenName(), QStringLiteral("Delete Dog"),
                       QStringLiteral("Select the dog to delete"), parent)
{
}

void DeleteDogScreen::ok()
{
    DogRecords records(db::DatabaseFiles::kennel());
    if (list()->showsPrompt() || !records.goToName(list()->text())) {
        core::tell(QStringLiteral(" Please Select a Dog"));
        return;
    }
    hideScreen();
    Q_EMIT dogChosen(records.dogId());
}

} // namespace dogs
