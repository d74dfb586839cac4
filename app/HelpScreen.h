#pragma once

#include "ui/Screen.h"

namespace app {

// What each main menu button opens, for a user finding their way around.
class HelpScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("HelpScreen"); }
    explicit HelpScreen(QWidget *parent = nullptr);
};

} // namespace app
