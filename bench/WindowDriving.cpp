#include "bench/WindowDriving.h"

#include "app/MainWindow.h"
#include "ui/Screen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace bench {

void settle(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

ui::Screen *activeScreen(const app::MainWindow &window)
{
    QMdiSubWindow *frame = window.findChild<QMdiArea *>()->activeSubWindow();
    return frame ? qobject_cast<ui::Screen *>(frame->widget()) : nullptr;
}

ui::Screen *open(app::MainWindow &window, const std::function<void()> &choose)
{
    choose();
    ui::Screen *screen = nullptr;
    settle([&] {
        screen = activeScreen(window);
        return screen && screen->isLoaded();
    });
    return screen;
}

void closeOthers(app::MainWindow &window)
{
    for (QMdiSubWindow *frame : window.findChild<QMdiArea *>()->subWindowList()) {
        if (frame->widget() != window.mainMenu())
            qobject_cast<ui::Screen *>(frame->widget())->closeScreen();
    }
    // Outside an event loop of its own nothing deleted later would ever be deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace bench
