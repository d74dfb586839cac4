#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;

namespace app {

// "Main Menu": the buttons that open every screen, in five captioned groups.
class MainMenu : public QWidget
{
    Q_OBJECT
public:
    struct Group
    {
        QString caption;
        QStringList buttons;
    };
    static const QList<Group> &groups();

    explicit MainMenu(QWidget *parent = nullptr);
    QPushButton *button(const QString &caption) const;
    // Only the end of the program closes the main menu.
    void allowClose() { m_mayClose = true; }

Q_SIGNALS:
    // The caption of the button pressed.
    void chosen(const QString &caption);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_mayClose = false;
};

} // namespace app
