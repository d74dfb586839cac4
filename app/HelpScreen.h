#pragma once

#include "ui/Screen.h"

namespace app {

// What each main menu button opens, for a user finding their way around.
class HelpScreen : public ui::Screen
{
    Q_OBJECT
public:
    explicit HelpScreen(QWidget *parent = nullptr);
};

} // namespace app
