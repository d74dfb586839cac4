#include "ui/Screen.h"

#include <QMdiSubWindow>
#include <QTimer>

namespace ui {

Screen::Screen(const QString &objectName, const QString &caption, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
}

void Screen::closeScreen()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void Screen::hideScreen()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->hide();
    else
        hide();
}

void Screen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_loadScheduled)
        return;
    m_loadScheduled = true;
    QTimer::singleShot(0, this, [this] {
        load();
        m_loaded = true;
        Q_EMIT loaded();
    });
}

} // namespace ui
