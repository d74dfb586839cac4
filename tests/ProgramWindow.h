#pragma once

// The whole program's main window for tests that drive it through its menus and screens.
#include "app/MainWindow.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"
#include "ui/ScreenHost.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

namespace testing {

// Gives a pick list the focus with its text selected, so that typing replaces it.
inline void focusOnList(ui::PickList *list)
{
    focusOn(list);
    list->lineEdit()->selectAll();
}

class Window
{
public:
    Window()
    {
        window.show();
        if (!QTest::qWaitFor([&] { return window.mainMenu() != nullptr; }))
            qFatal("no main menu");
    }

    // Chooses a menu item by its caption, as a click on it does.
    void choose(const char *menu, const QString &item)
    {
        for (QAction *action : window.menuBar()->findChild<QMenu *>(menu)->actions()) {
            if (action->text().remove(QLatin1Char('&')) == item) {
                action->trigger();
                return;
            }
        }
        qFatal("no menu item %s", qPrintable(item));
    }

    template <class Screen> Screen *shown(const QString &objectName)
    {
        Screen *screen = nullptr;
        if (!QTest::qWaitFor([&] {
                screen = window.screens().find<Screen>(objectName);
                return screen && screen->isLoaded();
            }))
            qFatal("%s is not shown", qPrintable(objectName));
        return screen;
    }

    app::MainWindow window;
};

inline QStringList column(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, column)->text();
    return texts;
}

} // namespace testing
