#include "bench/ScreenBench.h"

#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "bench/BareSqlite.h"
#include "bench/Timing.h"
#include "bench/WindowDriving.h"
#include "db/DatabaseFiles.h"
#include "ui/RowTableModel.h"
#include "ui/Screen.h"
#include "ui/TableScreen.h"

#include <cstdio>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>

namespace bench {
namespace {

// Every screen of the main menu that is not a report.
const app::MenuItem everyScreen[] = {app::MenuItem::AddDogRecords,
                                     app::MenuItem::BrowseDogs,
                                     app::MenuItem::FindDog,
                                     app::MenuItem::ViewPedigree,
                                     app::MenuItem::EnterMating,
                                     app::MenuItem::PossibleMating,
                                     app::MenuItem::EnterLitter,
                                     app::MenuItem::EnterVaccination,
                                     app::MenuItem::VaccinationHistory,
                                     app::MenuItem::SellDog,
                                     app::MenuItem::DogNotes,
                                     app::MenuItem::DogsOwned,
                                     app::MenuItem::AddContact,
                                     app::MenuItem::ViewContacts,
                                     app::MenuItem::BrowseContacts,
                                     app::MenuItem::Birthdays,
                                     app::MenuItem::LittersDue,
                                     app::MenuItem::VaccinationsDue,
                                     app::MenuItem::AllDue,
                                     app::MenuItem::Matings,
                                     app::MenuItem::Setup};

void benchOpening(app::MainWindow &window)
{
    using app::MenuItem;
    const double floor = medianMs(3, [] { bare::sortedNames("Dogtable", "name"); });
    for (const MenuItem item : everyScreen) {
        const double ms = medianMs(
            5, [&] { open(window, [&] { window.choose(item); }); }, [&] { closeOthers(window); });
        printLine(QStringLiteral("open \"%1\" (floor: the sorted names)")
                      .arg(app::MainMenu::captionOf(item).trimmed()),
                  ms, floor);
    }
    closeOthers(window);
    // After a write the shared lists of names are mended by the rows it touched.
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    auto write = [&](const QString &sql) {
        if (!QSqlQuery(kennel).exec(sql))
            qFatal("%s", qPrintable(sql));
    };
    const struct
    {
        const char *what;
        QString sql;
    } writes[] = {
        {"added", QStringLiteral("INSERT INTO Dogtable (name, sex) VALUES ('Bench Pup', 'Male')")},
        {"renamed", QStringLiteral("UPDATE Dogtable SET name = CASE WHEN name LIKE '% JW' THEN "
                                   "substr(name, 1, length(name) - 3) ELSE name || ' JW' END "
                                   "WHERE rowid = 2")},
        {"deleted", QStringLiteral("DELETE FROM Dogtable WHERE rowid = "
                                   "(SELECT max(rowid) FROM Dogtable WHERE name = 'Bench Pup')")},
    };
    for (const auto &[what, sql] : writes) {
        const double afterWrite = medianMs(
            3, [&] { open(window, [&] { window.choose(MenuItem::FindDog); }); },
            [&] {
                closeOthers(window);
                write(sql);
            });
        printLine(QStringLiteral("open \"Find / Update Dog\" right after a dog was %1")
                      .arg(QLatin1String(what)),
                  afterWrite, floor);
    }
    closeOthers(window);
}

void benchAllDogs(app::MainWindow &window)
{
    QAction *allDogs = nullptr;
    for (QAction *action : window.findChildren<QAction *>()) {
        if (action->text().remove('&') == QStringLiteral("All Dogs"))
            allDogs = action;
    }
    ui::TableScreen *table = nullptr;
    const double opened = medianMs(
        5,
        [&] { table = qobject_cast<ui::TableScreen *>(open(window, [&] { allDogs->trigger(); })); },
        [&] { closeOthers(window); });
    printLine(QStringLiteral("open \"All Dogs\" (floor: the sorted names)"), opened,
              medianMs(3, [] { bare::sortedNames("Dogtable", "name"); }));
    QElapsedTimer reading;
    reading.start();
    settle([&] { return table->model()->canSearch(); });
    printLine(
        QStringLiteral("\"All Dogs\" values to search and sort by, read meanwhile on a thread"),
        reading.nsecsElapsed() / 1e6, -1);

    auto *search = table->findChild<QLineEdit *>(QStringLiteral("search"));
    QStringList typed{QStringLiteral("K"), QStringLiteral("Ki"), QStringLiteral("Kir"),
                      QStringLiteral("Kirk"), QStringLiteral("Kirkw")};
    int next = 0;
    const double keystroke = medianMs(
        25,
        [&] {
            search->setText(typed.at(next % typed.size()));
            QCoreApplication::processEvents();
        },
        [&] { ++next; });
    printLine(QStringLiteral("\"All Dogs\" search, one keystroke, then drawn"), keystroke, -1);
    search->clear();
    auto *view = table->findChild<QTableView *>(QStringLiteral("table"));
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        const QString label = view->model()->headerData(column, Qt::Horizontal).toString();
        bool descending = false;
        const double sorted = medianMs(5, [&] {
            view->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
            QCoreApplication::processEvents();
            descending = !descending;
        });
        printLine(QStringLiteral("\"All Dogs\" sorted by %1, then drawn").arg(label), sorted, -1);
    }
    closeOthers(window);
}

void benchReport(app::MainWindow &window, app::MenuItem item)
{
    QElapsedTimer clock;
    clock.start();
    auto *preview = qobject_cast<app::ReportPreview *>(open(window, [&] { window.choose(item); }));
    const double first = clock.nsecsElapsed() / 1e6;
    const double memory = residentMb();
    settle([&] { return preview->pages().isComplete(); });
    const double every = clock.nsecsElapsed() / 1e6;
    const QString name = app::MainMenu::captionOf(item).trimmed();
    printLine(QStringLiteral("\"%1\": first page on view").arg(name), first, -1);
    printLine(QStringLiteral("\"%1\": all %2 pages counted, window responsive")
                  .arg(name)
                  .arg(preview->pages().pageCount()),
              every, -1);
    printValue(QStringLiteral("resident memory, \"%1\" open, fresh process (MB)").arg(name),
               QString::number(qMax(memory, residentMb()), 'f', 1));
}

// The worst a session holds: every screen of the main menu open at once, "All Dogs" open and
// searched, and the "Dog Owner Report" in its preview.
void benchEverythingOpen(app::MainWindow &window)
{
    using app::MenuItem;
    for (const MenuItem item : everyScreen)
        open(window, [&] { window.choose(item); });
    for (QAction *action : window.findChildren<QAction *>()) {
        if (action->text().remove('&') == QStringLiteral("All Dogs")) {
            auto *table = qobject_cast<ui::TableScreen *>(open(window, [&] { action->trigger(); }));
            settle([&] { return table->model()->canSearch(); });
            table->findChild<QLineEdit *>(QStringLiteral("search"))->setText(QStringLiteral("Kir"));
            QCoreApplication::processEvents();
        }
    }
    auto *preview = qobject_cast<app::ReportPreview *>(
        open(window, [&] { window.choose(MenuItem::DogOwnerReport); }));
    settle([&] { return preview->pages().isComplete(); });
    printValue(QStringLiteral("resident memory, every screen, \"All Dogs\" searched and the "
                              "\"Dog Owner Report\" open (MB)"),
               QString::number(residentMb(), 'f', 1));
    closeOthers(window);
}

// Starts the program as the user does, and waits for the check of every page too, so that
// no timing shares the two cores with it; `menuMs` is when the menu could be used.
app::MainWindow *startedWindow(double *menuMs = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    auto *window = new app::MainWindow;
    bool started = false;
    bool checked = false;
    QObject::connect(window, &app::MainWindow::startupFinished, [&] { started = true; });
    QObject::connect(window, &app::MainWindow::kennelChecked, [&] { checked = true; });
    window->resize(1366, 768);
    window->show();
    settle([&] { return started; });
    if (menuMs)
        *menuMs = clock.nsecsElapsed() / 1e6;
    settle([&] { return checked; });
    return window;
}

} // namespace

void benchScreens(const QString &self, const QStringList &arguments)
{
    QElapsedTimer startup;
    startup.start();
    double menuMs = 0;
    std::unique_ptr<app::MainWindow> window(startedWindow(&menuMs));
    printLine(QStringLiteral("start-up: files opened, to a usable main menu"), menuMs, 1000);
    printLine(QStringLiteral("start-up: every page checked, on a thread of its own"),
              startup.nsecsElapsed() / 1e6, -1);
    printValue(QStringLiteral("resident memory, main menu (MB)"),
               QString::number(residentMb(), 'f', 1));
    benchOpening(*window);
    printValue(QStringLiteral("resident memory, after opening every screen (MB)"),
               QString::number(residentMb(), 'f', 1));
    benchAllDogs(*window);
    printValue(QStringLiteral("resident memory, after \"All Dogs\" (MB)"),
               QString::number(residentMb(), 'f', 1));
    benchEverythingOpen(*window);
    window.reset();
    db::DatabaseFiles::close();
    // Each report in a process of its own, so that its memory figure is its own.
    for (const app::MenuItem item : {app::MenuItem::DogOwnerReport, app::MenuItem::LitterHistories,
                                     app::MenuItem::SalesReport, app::MenuItem::ContactList}) {
        std::fflush(stdout);
        QProcess::execute(
            self, arguments + QStringList{QStringLiteral("--report"), QString::number(int(item))});
    }
}

void benchOneReport(int item)
{
    std::unique_ptr<app::MainWindow> window(startedWindow());
    benchReport(*window, app::MenuItem(item));
}

} // namespace bench
