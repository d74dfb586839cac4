#pragma once

#include <functional>
#include <QAbstractButton>
#include <QPointer>
#include <QWidget>

class QBoxLayout;
class QPushButton;

namespace ui {

// A child screen of the main window. Its loading runs once, after it is first on view.
class Screen : public QWidget
{
    Q_OBJECT
public:
    Screen(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    bool isLoaded() const { return m_loaded; }

    // Closes or hides the screen together with the frame the main window gives it.
    void closeScreen();
    void hideScreen();

    // The button Enter presses; Escape always closes the screen.
    void setMainButton(QAbstractButton *button) { m_mainButton = button; }

    // Saves what the user has typed. False, after telling the user, while it cannot be
    // saved yet: the screen then stays open.
    virtual bool settle() { return true; }
    // The files were changed under the screen (an undo): it shows what they hold now.
    virtual void refresh() {}

Q_SIGNALS:
    void loaded();

protected:
    // A form's row of buttons, at the bottom right of `layout`: the main one, which Enter
    // presses and which runs `action`, then "Cancel" (or `cancelCaption`), which closes the
    // screen unsaved. Returns the main button.
    QPushButton *addButtonRow(QBoxLayout *layout, const QString &caption, const QString &objectName,
                              const std::function<void()> &action,
                              const QString &cancelCaption = QStringLiteral("Cancel"));

    virtual void load() {}
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_loadScheduled = false;
    bool m_loaded = false;
    QPointer<QAbstractButton> m_mainButton;
};

} // namespace ui
