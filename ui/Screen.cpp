#include "ui/Screen.h"

#include "ui/FieldGrid.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

namespace ui {

Screen::Screen(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
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

void Screen::closeEvent(QCloseEvent *event)
{
    if (settle())
        event->accept();
    else
        event->ignore();
}

void Screen::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Buttons outside a dialog ignore Enter; on a focused one it means that button.
    auto *focused = qobject_cast<QAbstractButton *>(focusWidget());
    QAbstractButton *pressed = focused ? focused : m_mainButton.data();
    if (enter && pressed && pressed->isVisible() && pressed->isEnabled()) {
        pressed->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeScreen();
        return;
    }
    QWidget::keyPressEvent(event);
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

QPushButton *Screen::addButtonRow(QBoxLayout *layout, const QString &caption,
                                  const QString &objectName, const std::function<void()> &action,
                                  const QString &cancelCaption)
{
    QPushButton *main = pushButton(caption, objectName);
    setMainButton(main);
    QPushButton *cancel = pushButton(cancelCaption, QStringLiteral("cancel"));
    connect(main, &QPushButton::clicked, this, action);
    connect(cancel, &QPushButton::clicked, this, &Screen::closeScreen);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(main);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    return main;
}

} // namespace ui
