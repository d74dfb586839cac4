#pragma once

#include <QObject>

class QAction;
class QStatusBar;

namespace ui {
class ScreenHost;
}

namespace app {

// "Undo" on the Edit menu: reverses the latest change kept in the kennel's change log. Its
// Ctrl+Z goes to a text box only while that box has typing of its own to undo.
class KennelUndo : public QObject
{
    Q_OBJECT
public:
    KennelUndo(ui::ScreenHost &screens, QStatusBar *status, QObject *parent = nullptr);

    QAction *action() const { return m_action; }
    // Saves what every screen holds, asks, undoes and shows every screen what is left.
    void undo();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ui::ScreenHost &m_screens;
    QStatusBar *m_status;
    QAction *m_action;
};

} // namespace app
