#pragma once

#include <functional>

namespace app {
class MainWindow;
}
namespace ui {
class Screen;
}

namespace bench {

// Lets the program run until `done` holds.
void settle(const std::function<bool()> &done);
// The screen on top in the main window, if any.
ui::Screen *activeScreen(const app::MainWindow &window);
// Opens a screen as its button or menu item (`choose`) does and waits until it has read what
// it shows.
ui::Screen *open(app::MainWindow &window, const std::function<void()> &choose);
// Closes every screen but the main menu, and lets them go.
void closeOthers(app::MainWindow &window);

} // namespace bench
