#include "app/LocalSettings.h"

#include "app/MainMenu.h"
#include "app/SetupScreen.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "ui/ScreenHost.h"

namespace app::localsettings {
namespace {

const QString dateOrderPreference = QStringLiteral("date order");

} // namespace

QString openKennel()
{
    const QString problem = db::DatabaseFiles::open();
    if (problem.isEmpty())
        core::datetext::setOrder(core::datetext::orderNamed(
            db::preference(db::DatabaseFiles::kennel(), dateOrderPreference)));
    return problem;
}

void changeDateOrder(ui::ScreenHost &screens, SetupScreen &setup, core::datetext::Order order)
{
    if (!screens.settleAll()) {
        setup.showDateOrder();
        return;
    }
    if (const auto saved = db::setPreference(db::DatabaseFiles::kennel(), dateOrderPreference,
                                             core::datetext::orderName(order));
        !saved) {
        core::tellNothingChanged(QStringLiteral("The date order"), saved.problem());
        setup.showDateOrder();
        return;
    }
    core::datetext::setOrder(order);
    setup.showDateOrder();
    if (screens.closeAllBut({&setup, screens.find(MainMenu::screenName())}) == 0)
        return;
    core::tell(QStringLiteral("Dates are now typed and shown as %1. The other screens were "
                              "closed; they show the new order when opened again.")
                   .arg(core::datetext::orderName(order)));
}

} // namespace app::localsettings
