#pragma once

#include <functional>
#include <QMenu>

class QMdiArea;

namespace app {

// "&Window": tile, cascade, tabbed view, close all, the main menu, and one item per open
// screen, the active one checked.
class WindowMenu : public QMenu
{
    Q_OBJECT
public:
    WindowMenu(QMdiArea *area, std::function<void()> showMainMenu, std::function<void()> closeAll,
               QWidget *parent = nullptr);

private:
    void listScreens();

    QMdiArea *m_area;
    QList<QAction *> m_screenItems;
};

} // namespace app
