#pragma once

#include "core/DateText.h"

#include <QString>

namespace ui {
class ScreenHost;
}

namespace app {

class SetupScreen;

// The breeder's local conventions, kept in the kennel file so that they travel with it.
namespace localsettings {

// Opens the kennel's two files and takes up the kennel's choices; the problem, if any.
QString openKennel();

// Takes up a date order chosen on the setup screen. What is typed in the open screens is
// saved first, read in the order it was typed in; they then close, so that each shows the
// new order when opened again. Nothing changes when a screen cannot save yet.
void changeDateOrder(ui::ScreenHost &screens, SetupScreen &setup, core::datetext::Order order);

} // namespace localsettings
} // namespace app
