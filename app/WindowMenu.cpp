#include "app/WindowMenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace app {

WindowMenu::WindowMenu(QMdiArea *area, std::function<void()> showMainMenu,
                       std::function<void()> closeAll, QWidget *parent)
    : QMenu(QStringLiteral("&Window"), parent), m_area(area)
{
    setObjectName(QStringLiteral("windowMenu"));
    addAction(QStringLiteral("&Tile"), area, &QMdiArea::tileSubWindows);
    addAction(QStringLiteral("&Cascade"), area, &QMdiArea::cascadeSubWindows);
    QAction *tabbed = addAction(QStringLiteral("Ta&bbed View"));
    tabbed->setCheckable(true);
    connect(tabbed, &QAction::toggled, area, [area](bool on) {
        area->setViewMode(on ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
        area->setTabsClosable(on);
        area->setTabsMovable(on);
    });
    // One owner for the close keys: the subwindows' own menus give them up (ScreenHost),
    // and both keys are named here, since X11's key scheme knows Ctrl+F4 no more.
    QAction *close = addAction(QStringLiteral("Cl&ose"), area, &QMdiArea::closeActiveSubWindow);
    close->setObjectName(QStringLiteral("closeScreen"));
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    addAction(QStringLiteral("Close &All"), this, std::move(closeAll));
    QAction *mainMenu = addAction(QStringLiteral("&Main Menu"), this, std::move(showMainMenu));
    mainMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    addSeparator();
    connect(this, &QMenu::aboutToShow, this, &WindowMenu::listScreens);
}

void WindowMenu::listScreens()
{
    qDeleteAll(m_screenItems);
    m_screenItems.clear();
    int number = 0;
    for (QMdiSubWindow *frame : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!frame->isVisible() && !frame->isMinimized())
            continue;
        ++number;
        const QString title =
            frame->widget() ? frame->widget()->windowTitle() : frame->windowTitle();
        QAction *item =
            addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        item->setCheckable(true);
        item->setChecked(frame == m_area->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, frame] {
            if (frame->isMinimized())
                frame->showNormal();
            m_area->setActiveSubWindow(frame);
        });
        m_screenItems << item;
    }
}

} // namespace app
