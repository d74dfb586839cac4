#include "dogs/FindDogScreen.h"

#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "ui/PickList.h"

namespace dogs {

FindDogScreen::FindDogScreen(QWidget *parent)
    : DogChooserScreen(screenName(), QStringLiteral("Find Dog Record"),
                       QStringLiteral("Select A Dog Record"), parent)
{
}

void FindDogScreen::ok()
{
    core::Choices::selectedname = list()->text();
    core::Choices::dogscreenmode = core::Choices::Find;
    if (list()->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog"));
        return;
    }
    Q_EMIT dogChosen(list()->text());
    hideScreen();
}

} // namespace dogs
