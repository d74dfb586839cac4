#include "ui/ScreenHost.h"

#include "core/Memory.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace ui {

ScreenHost::ScreenHost(QMdiArea *area, QObject *parent) : QObject(parent), m_area(area)
{
    // Once the activation is over: a screen that is closing clears the focus as it goes.
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *activated) {
        QTimer::singleShot(0, this, [frame = QPointer<QMdiSubWindow>(activated)] {
            if (frame && frame->widget() && frame->isVisible())
                focusFirstField(frame->widget());
        });
    });
}

void ScreenHost::focusFirstField(QWidget *screen)
{
    if (screen->isAncestorOf(QApplication::focusWidget()))
        return;
    // A screen that had the focus before gets it back where it was.
    if (QWidget *last = screen->focusWidget();
        last && last->isVisibleTo(screen) && last->isEnabled()) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget *w = screen->nextInFocusChain(); w != screen; w = w->nextInFocusChain()) {
        if (screen->isAncestorOf(w) && w->isVisibleTo(screen) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ScreenHost::keepInView(QWidget *frame)
{
    if (!frame->parentWidget())
        return;
    const QRect area = frame->parentWidget()->rect();
    QRect placed = frame->geometry();
    placed.moveRight(qMin(placed.right(), area.right()));
    placed.moveBottom(qMin(placed.bottom(), area.bottom()));
    placed.moveTopLeft(QPoint(qMax(placed.left(), 0), qMax(placed.top(), 0)));
    frame->move(placed.topLeft());
}

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
    // Reading a million dogs' names, and closing a list of them, leaves freed blocks behind
    // with the allocator.
    connect(frame, &QObject::destroyed, this, [] { core::releaseFreedMemoryWhenIdle(); });
    if (auto *loading = qobject_cast<Screen *>(screen))
        connect(loading, &Screen::loaded, this, [] { core::releaseFreedMemoryWhenIdle(); });
    // Each frame's own menu would bind the close keys once more, and two bindings of one
    // key make Qt's shortcut map ambiguous, so that neither fires: the program's Window
    // menu holds them alone.
    if (QMenu *own = frame->systemMenu()) {
        for (QAction *action : own->actions())
            action->setShortcuts({});
    }
    frame->show();
    // Cascading can push a tall screen past the bottom of the window.
    keepInView(frame);
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

void ScreenHost::refreshAll()
{
    for (QMdiSubWindow *frame : m_area->subWindowList()) {
        if (auto *screen = qobject_cast<Screen *>(frame->widget()))
            screen->refresh();
    }
}

bool ScreenHost::closeAll()
{
    m_area->closeAllSubWindows();
    return m_area->subWindowList().isEmpty();
}

QStringList ScreenHost::titlesBut(const QList<const QWidget *> &named) const
{
    QStringList titles;
    for (const QMdiSubWindow *frame : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!named.contains(frame->widget()))
            titles << frame->widget()->windowTitle();
    }
    return titles;
}

} // namespace ui
