#pragma once

#include <QWidget>

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

Q_SIGNALS:
    void loaded();

protected:
    virtual void load() {}
    void showEvent(QShowEvent *event) override;

private:
    bool m_loadScheduled = false;
    bool m_loaded = false;
};

} // namespace ui
