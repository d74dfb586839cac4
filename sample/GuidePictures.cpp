// houndry-guide-pictures: draws the guide's pictures from the real program, on the kennel in
// the working folder (the sample kennel), into the folder given.
#include "app/LocalSettings.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "ui/Screen.h"
#include "ui/ScreenHost.h"

#include "ui/PickList.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

namespace {

struct Picture
{
    std::function<void(app::MainWindow &)> open;
    const char *screen;
    const char *file;
};

std::function<void(app::MainWindow &)> press(const char *button)
{
    return [button](app::MainWindow &window) {
        window.mainMenu()->button(QString::fromUtf8(button))->click();
    };
}

// Chooses a menu bar item by its caption, mnemonic left out.
std::function<void(app::MainWindow &)> menuItem(const char *caption)
{
    return [caption](app::MainWindow &window) {
        for (QAction *action : window.findChildren<QAction *>()) {
            if (action->text().remove(QLatin1Char('&')) == QString::fromUtf8(caption)) {
                action->trigger();
                return;
            }
        }
    };
}

const Picture pictures[] = {
    {press("Setup"), "SetupInformation", "setup.png"},
    {press("Browse / Update Dogs"), "Form4", "dog-records.png"},
    {[](app::MainWindow &window) {
         press("View Possible Mating")(window);
         QWidget *chooser = window.screens().find(QStringLiteral("Form23"));
         auto *sires = chooser->findChild<ui::PickList *>("sires");
         if (!QTest::qWaitFor([&] { return sires->count() > 0; }))
             return;
         sires->setText(QStringLiteral("Kirkwood Zephyr"));
         chooser->findChild<ui::PickList *>("dams")->setText(QStringLiteral("Kirkwood Pepper"));
         chooser->findChild<QPushButton *>("view")->click();
     },
     "Form5", "pedigree.png"},
    {press("Enter a Mating"), "Form20", "mating.png"},
    {press("Enter a Vaccination"), "Form8", "vaccination.png"},
    {press("Browse / Edit Contacts"), "Form29", "contacts.png"},
    {press("Sell a Dog"), "Form10", "sell-dog.png"},
    {[](app::MainWindow &window) {
         for (QAction *action : window.findChildren<QAction *>()) {
             if (action->text() == QStringLiteral("&Inbreeding and Trial Matings..."))
                 action->trigger();
         }
         QWidget *genetics = window.screens().find(QStringLiteral("Genetics"));
         auto *sires = genetics->findChild<ui::PickList *>("sire");
         if (!QTest::qWaitFor([&] { return sires->count() > 0; }))
             return;
         sires->setText(QStringLiteral("Kirkwood Zephyr"));
         genetics->findChild<ui::PickList *>("dam")->setText(QStringLiteral("Kirkwood Pepper"));
         genetics->findChild<QPushButton *>("calculate")->click();
         genetics->findChild<QPushButton *>("bestSires")->click();
     },
     "Genetics", "genetics.png"},
    {menuItem("Waiting List..."), "WaitingList", "waiting-list.png"},
    {menuItem("Accounts..."), "Accounts", "accounts.png"},
    {menuItem("Contracts of Sale..."), "Contracts", "contracts.png"},
};

bool save(QWidget *widget, const QString &file)
{
    QApplication::processEvents();
    QTest::qWait(300);
    // As wide as the guide's window shows a picture without scrolling.
    constexpr int widest = 500;
    const QPixmap picture = widget->grab();
    return (picture.width() > widest ? picture.scaledToWidth(widest, Qt::SmoothTransformation)
                                     : picture)
        .save(file);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: houndry-guide-pictures <folder for the pictures>\n", stderr);
        return EXIT_FAILURE;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (const QString problem = app::localsettings::openKennel(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return EXIT_FAILURE;
    }
    app::MainWindow window;
    window.resize(1180, 800);
    window.show();
    if (!QTest::qWaitFor([&] { return window.mainMenu() != nullptr; }))
        return EXIT_FAILURE;
    bool saved = save(window.screens().frameOf(window.mainMenu()),
                      out.filePath(QStringLiteral("main-menu.png")));
    for (const Picture &picture : pictures) {
        picture.open(window);
        QWidget *screen = window.screens().find(QString::fromUtf8(picture.screen));
        auto *loading = qobject_cast<ui::Screen *>(screen);
        if (!screen || (loading && !QTest::qWaitFor([&] { return loading->isLoaded(); }))) {
            std::fprintf(stderr, "%s did not open\n", picture.screen);
            return EXIT_FAILURE;
        }
        QWidget *frame = window.screens().frameOf(screen);
        saved = save(frame, out.filePath(QString::fromUtf8(picture.file))) && saved;
        frame->close();
    }
    return saved ? EXIT_SUCCESS : EXIT_FAILURE;
}
