// The benches of the record screens, reports and start-up, each timed beside the same work
// in bare SQLite statements.
#include "bench/RecordBench.h"

#include "app/MainWindow.h"
#include "bench/BareSqlite.h"
#include "bench/KennelGenerator.h"
#include "bench/Timing.h"
#include "breeding/Breeding.h"
#include "breeding/LitterHistories.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingHistoryScreens.h"
#include "contacts/ContactsScreen.h"
#include "contacts/FindContactScreen.h"
#include "contacts/Ownership.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/FindDogScreen.h"
#include "health/Health.h"
#include "kennel/BlankDogs.h"
#include "kennel/Whelping.h"
#include "pedigree/PedigreeBuild.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PrintablePedigree.h"
#include "reminders/MonthLists.h"
#include "report/PagePainter.h"
#include "sales/Sale.h"
#include "sales/SalesReports.h"
#include "sales/SellDogScreen.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>

namespace bench {
namespace {

void waitFor(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void benchDogRecords()
{
    // Each opening meets some unfinished matings to clean away.
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    auto seedMatings = [] { bench::addUnfinishedMatings(500); };
    double rss = 0;
    std::unique_ptr<dogs::DogRecordsScreen> screen;
    const double open = bench::medianMs(
        7,
        [&] {
            screen = std::make_unique<dogs::DogRecordsScreen>();
            screen->show();
            waitFor([&] { return screen->isLoaded(); });
        },
        [&] {
            screen.reset();
            seedMatings();
            rss = std::max(rss, bench::residentMb());
        });
    rss = std::max(rss, bench::residentMb());
    const double openFloor = bench::medianMs(7, &bench::BareSqlite::openDogRecords, seedMatings);
    bench::printLine("open dog records screen (with mating clean-up)", open, openFloor);

    QPushButton *next = screen->findChild<QPushButton *>("nextButton");
    const double step = bench::medianMs(501, [&] { next->click(); });
    bench::BareSqlite bare("Dogtable");
    std::int64_t rowid = 1;
    const double stepFloor = bench::medianMs(501, [&] { rowid = bare.next(rowid); });
    bench::printLine("dog records \"Next\"", step, stepFloor);
    bench::printValue("resident memory, dog records screen open (MB)",
                      QString::number(rss, 'f', 1));
    screen.reset();
}

// Opens a screen and waits until its deferred loading is done.
template <class Screen, class... Args> std::unique_ptr<Screen> openScreen(Args... args)
{
    auto screen = std::make_unique<Screen>(args...);
    screen->show();
    waitFor([&] { return screen->isLoaded(); });
    return screen;
}

void removeBlankDogs()
{
    QSqlQuery(db::DatabaseFiles::kennel())
        .exec("DELETE FROM Dogtable WHERE name LIKE 'NEWENTRY %'");
}

void benchAddingAndFinding()
{
    const double create = bench::medianMs(
        5, [] { kennel::addBlankDogs(db::DatabaseFiles::kennel(), 10000); }, removeBlankDogs);
    const double createFloor = bench::medianMs(
        5, [] { bench::bare::addBlankDogs(10000); }, removeBlankDogs);
    removeBlankDogs();
    bench::printLine("\"Create Records\" with 10,000", create, createFloor);

    const double findDog = bench::medianMs(5, [] { openScreen<dogs::FindDogScreen>(); });
    bench::printLine("open \"Find Dog Record\"", findDog,
                     bench::medianMs(5, [] { bench::bare::sortedNames("Dogtable", "name"); }));
    const double findContact =
        bench::medianMs(5, [] { openScreen<contacts::FindContactScreen>(); });
    bench::printLine("open \"Find a Contact\"", findContact,
                     bench::medianMs(5, [] { bench::bare::sortedNames("contacts", "last"); }));

    auto browse =
        openScreen<contacts::ContactsScreen>(contacts::ContactsScreen::Start::FirstContact);
    QPushButton *next = browse->findChild<QPushButton *>("nextButton");
    const double step = bench::medianMs(501, [&] { next->click(); });
    bench::BareSqlite bare("contacts");
    std::int64_t rowid = 1;
    bench::printLine("contacts \"Next \"", step,
                     bench::medianMs(501, [&] { rowid = bare.next(rowid); }));
}

// The newest dog has the deepest ancestry.
QString deepestDog()
{
    QSqlQuery q(db::DatabaseFiles::kennel());
    q.exec("SELECT name FROM Dogtable WHERE name LIKE '% %' ORDER BY rowid DESC LIMIT 1");
    return q.next() ? q.value(0).toString() : QString();
}

void benchPedigrees()
{
    const QString subject = deepestDog();
    const QByteArray subjectUtf8 = subject.toUtf8();
    pedigree::PedigreeRecord record;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    for (const auto &[generations, label] :
         {std::pair{3, "buildpedigree3"}, std::pair{4, "buildpedigree4"},
          std::pair{8, "8-generation build"}}) {
        const double ms = bench::medianMs(
            301, [&] { pedigree::build(record, kennel, subject, generations, generations != 4); });
        const double floor = bench::medianMs(
            301, [&] { bench::bare::pedigreeSeeks(subjectUtf8.constData(), generations); });
        bench::printLine(QString::fromLatin1(label), ms, floor);
    }
    const QString pdf = QDir::current().filePath("pedigree.pdf");
    const double print = bench::medianMs(7, [&] {
        pedigree::buildpedigree3(subject);
        pedigree::movedata();
        report::writePdf(pedigree::printablePedigree().layout(), pdf);
    });
    bench::printLine("printable pedigree laid out and written to PDF", print, -1);
    const QString certificate = QDir::current().filePath("certificate.pdf");
    bench::printLine("5-generation certificate to PDF (floor: 100 ms)",
                     bench::medianMs(7,
                                     [&] {
                                         report::writePdf(pedigree::pedigreeCertificate(
                                                              db::DatabaseFiles::kennel(), subject,
                                                              5, QDate::currentDate()),
                                                          certificate);
                                     }),
                     100);
}

void benchBreeding()
{
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    auto removeLitter = [&] {
        QSqlQuery(kennel).exec("DELETE FROM Dogtable WHERE name LIKE 'PPLITTER %'");
        QSqlQuery(kennel).exec(
            "DELETE FROM litters WHERE litterid = (SELECT max(litterid) FROM litters)");
    };
    const double litter = bench::medianMs(
        11,
        [&] {
            kennel::addLitter(kennel, {"Sire", "Dam", "Whippet", 12, QDate(2026, 3, 1)});
        },
        removeLitter);
    removeLitter();
    bench::printLine("litter of 12 pups written", litter, -1);

    bench::printLine("open \"Select Litter from Mating\"",
                     bench::medianMs(5, [] { openScreen<breeding::LitterScreen>(); }),
                     bench::medianMs(5, [] { bench::bare::sortedNames("mating", "dgname2"); }));
    const QString deepest = deepestDog();
    bench::printLine("mating history",
                     bench::medianMs(5,
                                     [&] {
                                         breeding::MatingHistoryScreen history;
                                         history.build(deepest);
                                     }),
                     -1);
}

void benchHealth()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QDate today = core::Clock::today();
    using namespace reminders;
    bench::printLine(
        "month list: vaccinations", bench::medianMs(5, [&] { vaccinationsDue(kennel, today); }),
        bench::medianMs(5, [] { bench::bare::monthRows("vaccination", "due", true); }));
    bench::printLine(
        "month list: litters",
        bench::medianMs(5, [&] { littersDue(kennel, today, LitterForm::Single); }),
        bench::medianMs(5, [] { bench::bare::monthRows("mating", "datedue", false); }));
    bench::printLine("month list: birthdays", bench::medianMs(5, [&] { birthdays(kennel, today); }),
                     bench::medianMs(5, [] { bench::bare::monthRows("Dogtable", "dob", false); }));
    bench::printLine("month list: all three",
                     bench::medianMs(5,
                                     [&] {
                                         birthdays(kennel, today);
                                         littersDue(kennel, today, LitterForm::Combined);
                                         vaccinationsDue(kennel, today);
                                     }),
                     -1);
    QSqlQuery busiest(kennel);
    busiest.exec(
        "SELECT dogname, dogid FROM vaccination GROUP BY dogid ORDER BY count(*) DESC LIMIT 1");
    busiest.next();
    const QString dog = busiest.value(0).toString();
    const qint64 id = busiest.value(1).toLongLong();
    bench::printLine(
        "vaccination history of one dog",
        bench::medianMs(11, [&] { health::vaccinationHistory(kennel, dog); }),
        bench::medianMs(11, [&] { bench::bare::rowsOf("vaccination", "dogname", dog.toUtf8()); }));
    bench::printLine("notes of one dog", bench::medianMs(11, [&] { health::notesOf(kennel, id); }),
                     bench::medianMs(11, [&] {
                         bench::bare::rowsOf("notes", "Dogid", QByteArray::number(id));
                     }));
}

void benchSales()
{
    bench::printLine("open \"Sell Dog\"",
                     bench::medianMs(5, [] { openScreen<sales::SellDogScreen>(); }), -1);
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QString dog = deepestDog();
    for (const auto receipt : {sales::Receipt::Small, sales::Receipt::WithPedigree}) {
        const double ms = bench::medianMs(11, [&] {
            pedigree::PedigreeRecord ancestors;
            if (receipt == sales::Receipt::WithPedigree) {
                pedigree::buildpedigree3(dog);
                pedigree::fillpedigreeblanks();
                ancestors = pedigree::currentPedigree();
            }
            sales::recordSale(kennel,
                              {"Kennel Owner", "Kirkwood", dog, "Buyer", "Whippet", "Fawn",
                               "1/1/2020", "KC1", "Male", 100000, core::Clock::today()},
                              receipt, ancestors);
        });
        bench::printLine(receipt == sales::Receipt::Small ? "sale with the small receipt"
                                                          : "sale with the receipt with pedigree",
                         ms, -1);
    }
    for (const auto &[label, make] : {std::pair{"sales report", &sales::salesReport},
                                      std::pair{"dog owners listing", &contacts::ownersListing}}) {
        const report::Report report = make();
        int rows = 0;
        const double ms = bench::medianMs(3, [&] {
            rows = int(report.source()->count());
            report::writePdf(report.layout(), QString(label) + ".pdf");
        });
        bench::printLine(QString("%1, %2 rows, to PDF (%3 rows/s)")
                             .arg(label)
                             .arg(rows)
                             .arg(qRound(rows / ms * 1000)),
                         ms, -1);
    }
}

// The litter histories report over a kennel of its own, of the size a busy breeder reaches.
void benchLitterHistories(const QString &self)
{
    const QString folder = QDir::current().filePath("litter-histories");
    const int matings = bench::sized(2000);
    if (!QFile::exists(folder + "/kennelbase.ddx")) {
        QProcess::execute(self, {"--generate-only", "--dogs", QString::number(bench::sized(10000)),
                                 "--matings", QString::number(matings), "--litters",
                                 QString::number(bench::sized(5000)), "--dir", folder});
    }
    const QString here = QDir::currentPath();
    db::DatabaseFiles::close();
    QDir::setCurrent(folder);
    db::DatabaseFiles::open();
    int pages = 0;
    const double ms = bench::medianMs(3, [&] {
        const report::Layout layout = breeding::litterHistories().layout();
        pages = int(layout.pages.size());
        report::writePdf(layout, "litter-histories.pdf");
    });
    bench::printLine(
        QString("litter histories, %L1 matings, %2 pages, to PDF").arg(matings).arg(pages), ms, -1);
    db::DatabaseFiles::close();
    QDir::setCurrent(here);
    db::DatabaseFiles::open();
}

void benchStartup()
{
    std::unique_ptr<app::MainWindow> window;
    const double startup = bench::medianMs(
        7,
        [&] {
            if (!db::DatabaseFiles::open().isEmpty())
                qFatal("cannot open the kennel");
            window = std::make_unique<app::MainWindow>();
            bool started = false;
            QObject::connect(window.get(), &app::MainWindow::startupFinished,
                             [&] { started = true; });
            window->show();
            waitFor([&] { return started; });
        },
        [&] {
            window.reset();
            db::DatabaseFiles::close();
        });
    window.reset();
    bench::printLine("start-up to the main menu", startup,
                     bench::medianMs(7, &bench::BareSqlite::startup));
}

} // namespace

void benchRecords(const QString &self)
{
    benchDogRecords();
    benchAddingAndFinding();
    benchPedigrees();
    benchBreeding();
    benchHealth();
    benchSales();
    benchLitterHistories(self);
    benchStartup();
}

} // namespace bench
