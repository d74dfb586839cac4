#include "ui/ScreenHost.h"

#include "ui/Screen.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui {

ScreenHost::ScreenHost(QMdiArea *area, QObject *parent) : QObject(parent), m_area(area) {}

QWidget *ScreenHost::find(const QString &objectName) const
{
    for (QMdiSubWindow *frame : m_area->subWindowList()) {
        if (frame->widget() && frame->widget()->objectName() == objectName)
            return frame->widget();
    }
    return nullptr;
}

QMdiSubWindow *ScreenHost::frameOf(const QWidget *screen) const
{
    for (QMdiSubWindow *frame : m_area->subWindowList()) {
        if (frame->widget() == screen)
            return frame;
    }
    return nullptr;
}

QWidget *ScreenHost::open(const QString &objectName, const std::function<QWidget *()> &create)
{
    if (QWidget *screen = find(objectName)) {
        QMdiSubWindow *frame = frameOf(screen);
        frame->showNormal();
        m_area->setActiveSubWindow(frame);
        frame->raise();
        return screen;
    }
    QWidget *screen = create();
    QMdiSubWindow *frame = m_area->addSubWindow(screen);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    // Cascading can push a tall screen past the bottom of the window; keep it all in view.
    const QRect area = m_area->viewport()->rect();
    QRect placed = frame->geometry();
    placed.moveRight(qMin(placed.right(), area.right()));
    placed.moveBottom(qMin(placed.bottom(), area.bottom()));
    placed.moveTopLeft(QPoint(qMax(placed.left(), 0), qMax(placed.top(), 0)));
    frame->move(placed.topLeft());
    m_area->setActiveSubWindow(frame);
    return screen;
}

bool ScreenHost::settleAll()
{
    for (QMdiSubWindow *frame : m_area->subWindowList(QMdiArea::StackingOrder)) {
        auto *screen = qobject_cast<Screen *>(frame->widget());
        if (screen && !screen->settle()) {
            m_area->setActiveSubWindow(frame);
            return false;
        }
    }
    return true;
}

bool ScreenHost::closeAll()
{
    m_area->closeAllSubWindows();
    return m_area->subWindowList().isEmpty();
}

} // namespace ui
