#include "app/MainWindow.h"

#include "app/AboutBox.h"
#include "app/HelpScreen.h"
#include "app/KennelBackups.h"
#include "app/KennelCalendarFile.h"
#include "app/KennelCheck.h"
#include "app/KennelStatus.h"
#include "app/KennelTransfers.h"
#include "app/MainMenu.h"
#include "app/ReportPreview.h"
#include "app/RestoreCheck.h"
#include "app/SetupScreen.h"
#include "app/StartupStep.h"
#include "breeding/LitterHistories.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingEntryScreen.h"
#include "breeding/MatingHistoryScreens.h"
#include "contacts/AskedRemovals.h"
#include "contacts/ContactEntryScreen.h"
#include "contacts/ContactsScreen.h"
#include "contacts/DeleteContactScreen.h"
#include "contacts/FindContactScreen.h"
#include "contacts/Ownership.h"
#include "core/Choices.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/AddDogsScreen.h"
#include "dogs/AskedRemovals.h"
#include "dogs/DeleteDogScreen.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/FindDogScreen.h"
#include "dogs/MergeDogsScreen.h"
#include "genetics/KennelGenetics.h"
#include "genetics/PedigreeChecks.h"
#include "health/HistoryScreens.h"
#include "health/NotesScreen.h"
#include "health/VaccinationScreen.h"
#include "inbreeding/GeneticsReports.h"
#include "inbreeding/GeneticsScreen.h"
#include "pedigree/CertificateChooser.h"
#include "pedigree/HealthLines.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PedigreeChart.h"
#include "pedigree/PedigreeInbreeding.h"
#include "pedigree/PedigreeScreens.h"
#include "pedigree/PrintablePedigree.h"
#include "reminders/MonthListScreen.h"
#include "sales/SalesReports.h"
#include "sales/SellDogScreen.h"
#include "showcase/PhotosScreen.h"
#include "showcase/ShowResultsScreen.h"
#include "showcase/Titles.h"
#include "ui/ScreenHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace app {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_area(new QMdiArea), m_screens(new ui::ScreenHost(m_area, this)),
      m_backups(new KennelBackups(this, m_screens)),
      m_removals(*m_screens, [this] { return m_backups->backUpBeforeDeleting(); }),
      m_check(new KennelCheck(this)), m_transfers(new KennelTransfers(this)),
      m_calendar(new KennelCalendarFile(this, statusBar()))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Pawmark Houndry"));
    m_area->setObjectName(QStringLiteral("screens"));
    // A closed screen hands the focus to the one used before it, not to the oldest.
    m_area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_area);
    resize(1280, 800);

    using reminders::MonthListScreen;
    m_actions = {
        {MenuItem::AddDogRecords, [this] { open<dogs::AddDogsScreen>(); }},
        {MenuItem::ViewPedigree, [this] { openPedigreeChooser(); }},
        {MenuItem::PossibleMating, [this] { openPossibleMating(); }},
        {MenuItem::EnterMating, [this] { open<breeding::MatingEntryScreen>(); }},
        {MenuItem::EnterLitter, [this] { open<breeding::LitterScreen>(); }},
        {MenuItem::Matings, [this] { openMatingHistoryChooser(); }},
        {MenuItem::LitterHistories, [this] { showReport(breeding::litterHistories()); }},
        {MenuItem::SellDog, [this] { openSellDog(); }},
        {MenuItem::DogsOwned, [this] { open<contacts::DogsOwnedScreen>(); }},
        {MenuItem::DogOwnerReport, [this] { showReport(contacts::ownersListing()); }},
        {MenuItem::ContactList, [this] { showReport(contacts::contactList()); }},
        {MenuItem::SalesReport, [this] { showReport(sales::salesReport()); }},
        {MenuItem::EnterVaccination, [this] { open<health::VaccinationScreen>(); }},
        {MenuItem::VaccinationHistory, [this] { openVaccinationChooser(); }},
        {MenuItem::DogNotes, [this] { open<health::NotesScreen>(); }},
        {MenuItem::Birthdays, [this] { openMonthList(MonthListScreen::Kind::Birthdays); }},
        {MenuItem::LittersDue, [this] { openMonthList(MonthListScreen::Kind::Litters); }},
        {MenuItem::VaccinationsDue, [this] { openMonthList(MonthListScreen::Kind::Vaccinations); }},
        {MenuItem::AllDue, [this] { openMonthList(MonthListScreen::Kind::All); }},
        {MenuItem::BrowseDogs, [this] { openDogRecords(core::Choices::Browse); }},
        {MenuItem::FindDog, [this] { openFindDog(); }},
        {MenuItem::AddContact, [this] { open<contacts::ContactEntryScreen>(); }},
        {MenuItem::ViewContacts, [this] { openFindContact(); }},
        {MenuItem::BrowseContacts,
         [this] { openContacts(contacts::ContactsScreen::Start::FirstContact); }},
        {MenuItem::Help, [this] { showGuideFor(MainMenu::screenName()); }},
        {MenuItem::Setup, [this] { openSetup(); }},
        {MenuItem::About, [this] { showAbout(); }},
        {MenuItem::Exit, [this] { close(); }},
    };
    buildMenuBar();
    // A maximised screen maximises whatever is activated next; the main menu is never left
    // filling the window with no way back.
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *frame) {
        if (frame && m_menu && frame == m_screens->frameOf(m_menu) && frame->isMaximized())
            frame->showNormal();
        if (m_started)
            m_status->refresh();
    });
    m_status = new KennelStatus(statusBar());
    connect(m_status, &KennelStatus::dueListRequested, this, [this] { choose(MenuItem::AllDue); });
    auto *lastBackup = new QLabel;
    lastBackup->setObjectName(QStringLiteral("lastBackup"));
    statusBar()->addPermanentWidget(lastBackup);
    connect(m_backups, &KennelBackups::lastBackupChanged, lastBackup, &QLabel::setText);
}

MainWindow::~MainWindow()
{
    // The area closes its screens as it goes, after this window has ceased to be one.
    disconnect(m_area, nullptr, this, nullptr);
    genetics::KennelGenetics::waitForPreparation();
}

void MainWindow::choose(MenuItem item)
{
    m_actions.at(item)();
}

void MainWindow::choose(const QString &caption)
{
    if (const std::optional<MenuItem> item = MainMenu::itemOf(caption))
        choose(*item);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    QTimer::singleShot(0, this, &MainWindow::runStartup);
}

void MainWindow::runStartup()
{
    connect(m_check, &KennelCheck::damaged, this, &MainWindow::kennelDamaged);
    connect(m_check, &KennelCheck::photosMissing, this, [](const QStringList &photos) {
        constexpr qsizetype listed = 10;
        QString text = QStringLiteral("These photos are missing from the photos folder:\n") +
                       photos.mid(0, listed).join(QLatin1Char('\n'));
        if (photos.size() > listed)
            text += QStringLiteral("\nand %1 more.").arg(photos.size() - listed);
        core::tell(text + QStringLiteral("\n\nPut them back from a backup, or take them off "
                                         "their dogs on the Photos screen."));
    });
    connect(m_check, &KennelCheck::finished, this, &MainWindow::kennelChecked);
    m_check->start();
    if (db::DatabaseFiles::isReadOnly())
        core::tell(db::DatabaseFiles::readOnlyNotice());
    const bool showLists = askMonthQuestion(core::Clock::today());
    if (showLists)
        choose(MenuItem::AllDue);
    openMainMenu();
    statusBar()
        ->findChild<QLabel *>(QStringLiteral("lastBackup"))
        ->setText(m_backups->lastBackupText());
    m_status->refresh(true);
    m_status->followWrites();
    m_calendar->keepCurrent();
    m_backups->backUpIfDue();
    // The menu opened last; the lists the user asked for belong in front of it.
    if (showLists)
        choose(MenuItem::AllDue);
    Q_EMIT startupFinished();
}

void MainWindow::kennelDamaged(const QString &problem)
{
    // The screens close before the files can be replaced under them.
    m_screens->closeAll();
    m_backups->waitForBackground();
    if (!offerNewestBackup(QDir::currentPath(), problem))
        QApplication::exit(EXIT_FAILURE);
}

void MainWindow::openMainMenu()
{
    if (m_menu) {
        QMdiSubWindow *frame = m_screens->frameOf(m_menu);
        frame->showNormal();
        m_area->setActiveSubWindow(frame);
        return;
    }
    m_menu = qobject_cast<MainMenu *>(
        m_screens->open(MainMenu::screenName(), [] { return new MainMenu; }));
    connect(m_menu, &MainMenu::chosen, this, qOverload<MenuItem>(&MainWindow::choose));
    QMdiSubWindow *frame = m_screens->frameOf(m_menu);
    // The main menu stays until the program ends: no close box.
    frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint);
    frame->move(0, 0);
    frame->show();
}

void MainWindow::openDogRecords(int mode, const QString &name)
{
    core::Choices::dogscreenmode = mode;
    auto *screen = qobject_cast<dogs::DogRecordsScreen *>(
        m_screens->open(dogs::DogRecordsScreen::screenName(), [this] {
            auto *records = new dogs::DogRecordsScreen;
            connect(records, &dogs::DogRecordsScreen::deleteRequested, this,
                    [this](qint64 dogId) { dogs::deleteDogAsked(m_removals, dogId); });
            connect(records, &dogs::DogRecordsScreen::healthResultsRequested, this,
                    [this](qint64 dogId) { openHealthResults(dogId); });
            connect(records, &dogs::DogRecordsScreen::photosRequested, this,
                    &MainWindow::openPhotos);
            connect(records, &dogs::DogRecordsScreen::showResultsRequested, this,
                    [this](qint64 dogId, const QString &name) {
                        using showcase::ShowResultsScreen;
                        open<ShowResultsScreen>();
                        m_screens->find<ShowResultsScreen>(ShowResultsScreen::screenName())
                            ->showDog(dogId, name);
                    });
            return records;
        }));
    if (mode == core::Choices::Find)
        screen->showDogNamed(name);
}

void MainWindow::openPhotos(qint64 dogId, const QString &name)
{
    using showcase::PhotosScreen;
    auto *photos = qobject_cast<PhotosScreen *>(
        m_screens->open(PhotosScreen::screenName(), [] { return new PhotosScreen; }));
    photos->showDog(dogId, name);
}

void MainWindow::openDeleteDog()
{
    m_screens->open(dogs::DeleteDogScreen::screenName(), [this] {
        auto *screen = new dogs::DeleteDogScreen;
        connect(screen, &dogs::DeleteDogScreen::dogChosen, this,
                [this](qint64 dogId) { dogs::deleteDogAsked(m_removals, dogId); });
        return screen;
    });
}

void MainWindow::openDeleteContact()
{
    m_screens->open(contacts::DeleteContactScreen::screenName(), [this] {
        auto *screen = new contacts::DeleteContactScreen;
        connect(screen, &contacts::DeleteContactScreen::contactChosen, this,
                [this](qint64 row) { contacts::deleteContactAsked(m_removals, row); });
        return screen;
    });
}

void MainWindow::openMergeDogs()
{
    m_screens->open(dogs::MergeDogsScreen::screenName(), [this] {
        auto *screen = new dogs::MergeDogsScreen;
        connect(screen, &dogs::MergeDogsScreen::mergeChosen, this, [this, screen] {
            dogs::mergeDogsAsked(m_removals, screen->keptId(), screen->mergedId(),
                                 screen->keptName(), screen->mergedName(), screen->chosen());
        });
        return screen;
    });
}

void MainWindow::openPedigreeChecks()
{
    showReport(inbreeding::pedigreeChecks());
    auto *checks = m_screens->find<ReportPreview>(QStringLiteral("CheckPedigrees"));
    QPushButton *button =
        checks->extraButton(QStringLiteral("Merge Likely Duplicates..."), QStringLiteral("merge"));
    button->disconnect();
    connect(button, &QPushButton::clicked, this, [this] {
        const auto duplicates = genetics::likelyDuplicates(db::DatabaseFiles::kennel());
        if (duplicates.empty()) {
            core::tell(QStringLiteral("No two dogs look like one dog recorded twice."));
            return;
        }
        openMergeDogs();
        m_screens->find<dogs::MergeDogsScreen>(dogs::MergeDogsScreen::screenName())
            ->offerDuplicates(duplicates);
    });
}

void MainWindow::openFindDog()
{
    m_screens->open(dogs::FindDogScreen::screenName(), [this] {
        auto *screen = new dogs::FindDogScreen;
        connect(screen, &dogs::FindDogScreen::dogChosen, this,
                [this](const QString &name) { openDogRecords(core::Choices::Find, name); });
        return screen;
    });
}

void MainWindow::openFindContact()
{
    m_screens->open(contacts::FindContactScreen::screenName(), [this] {
        auto *screen = new contacts::FindContactScreen;
        connect(screen, &contacts::FindContactScreen::contactChosen, this,
                [this](const QString &name) {
                    openContacts(contacts::ContactsScreen::Start::ChosenName, name);
                });
        return screen;
    });
}

void MainWindow::openContacts(contacts::ContactsScreen::Start start, const QString &name)
{
    m_screens->open(contacts::ContactsScreen::screenName(start), [this, start, name] {
        auto *screen = new contacts::ContactsScreen(start, name);
        connect(screen, &contacts::ContactsScreen::deleteRequested, this,
                [this](qint64 row) { contacts::deleteContactAsked(m_removals, row); });
        return screen;
    });
}

void MainWindow::openPedigreeChooser()
{
    m_screens->open(pedigree::ViewPedigreeScreen::screenName(), [this] {
        auto *screen = new pedigree::ViewPedigreeScreen;
        connect(screen, &pedigree::ViewPedigreeScreen::pedigreeBuilt, this,
                &MainWindow::showPedigree);
        return screen;
    });
}

void MainWindow::openPossibleMating()
{
    m_screens->open(pedigree::PossibleMatingScreen::screenName(), [this] {
        auto *screen = new pedigree::PossibleMatingScreen;
        connect(screen, &pedigree::PossibleMatingScreen::pedigreeBuilt, this,
                &MainWindow::showPedigree);
        return screen;
    });
}

void MainWindow::showPedigree(int generations)
{
    const QString subject = pedigree::currentPedigree().subject;
    auto certificate = [this, subject] { openCertificateChooser(subject); };
    if (generations == 3) {
        auto *screen = qobject_cast<pedigree::Pedigree3Screen *>(
            m_screens->open(pedigree::Pedigree3Screen::screenName(), [this] {
                auto *created = new pedigree::Pedigree3Screen;
                connect(created, &pedigree::Pedigree3Screen::printRequested, this,
                        [this] { showReport(pedigree::printablePedigree()); });
                connect(created, &pedigree::Pedigree3Screen::certificateRequested, this,
                        [this] { openCertificateChooser(pedigree::currentPedigree().subject); });
                return created;
            }));
        screen->showRecord();
    } else if (generations == 4) {
        qobject_cast<pedigree::Pedigree4Screen
                         *>(m_screens->open(pedigree::Pedigree4Screen::screenName(), [this] {
            auto *created = new pedigree::Pedigree4Screen;
            connect(created, &pedigree::Pedigree4Screen::certificateRequested, this,
                    [this] { openCertificateChooser(pedigree::currentPedigree().subject); });
            return created;
        }))->showRecord();
    } else {
        const pedigree::PedigreeRecord record = pedigree::currentPedigree();
        showChart(record, generations, {});
        auto *chart = m_screens->find<ReportPreview>(QStringLiteral("PedigreeChart"));
        QPushButton *button = chart->extraButton(QStringLiteral("Pedigree Certificate"),
                                                 QStringLiteral("certificate"));
        button->disconnect();
        connect(button, &QPushButton::clicked, this, certificate);
        QPushButton *dna =
            chart->extraButton(QStringLiteral("DNA Status..."), QStringLiteral("dnaStatus"));
        dna->disconnect();
        connect(dna, &QPushButton::clicked, this, [this, record, generations] {
            const QString none = QStringLiteral("None");
            bool chosen = false;
            const QString test = QInputDialog::getItem(
                this, QStringLiteral("DNA Status"), QStringLiteral("Mark each dog's status for"),
                QStringList{none} + pedigree::dnaTestNames(db::DatabaseFiles::kennel()), 0, false,
                &chosen);
            if (chosen)
                showChart(record, generations, test == none ? QString() : test);
        });
    }
}

void MainWindow::showChart(const pedigree::PedigreeRecord &record, int generations,
                           const QString &dnaTest)
{
    openReport(QStringLiteral("PedigreeChart"),
               QStringLiteral("%1 Generation Pedigree").arg(generations),
               [record, generations, dnaTest] {
                   const QSqlDatabase kennel = db::DatabaseFiles::kennel();
                   return report::PagedLayout(pedigree::pedigreeChart(
                       record, generations, pedigree::inbreedingText(record, QStringLiteral(", ")),
                       dnaTest.isEmpty() ? QHash<QString, QString>{}
                                         : pedigree::dnaMarks(kennel, record, dnaTest),
                       dnaTest.isEmpty() ? QString() : pedigree::dnaMarksLegend(dnaTest),
                       showcase::titlesByName(kennel)));
               });
}

void MainWindow::openCertificateChooser(const QString &subject)
{
    auto *chooser = qobject_cast<pedigree::CertificateChooser *>(
        m_screens->open(pedigree::CertificateChooser::screenName(), [this] {
            auto *created = new pedigree::CertificateChooser;
            connect(created, &pedigree::CertificateChooser::certificateRequested, this,
                    [this](const QString &dog, int generations) {
                        openReport(QStringLiteral("PedigreeCertificate"),
                                   QStringLiteral("Pedigree Certificate"), [dog, generations] {
                                       return report::PagedLayout(pedigree::pedigreeCertificate(
                                           db::DatabaseFiles::kennel(), dog, generations,
                                           core::Clock::today()));
                                   });
                    });
            return created;
        }));
    chooser->choose(subject);
}

void MainWindow::openMatingHistoryChooser()
{
    m_screens->open(breeding::SelectDogScreen::screenName(), [this] {
        auto *screen = new breeding::SelectDogScreen;
        connect(screen, &breeding::SelectDogScreen::dogChosen, this, [this](const QString &dog) {
            qobject_cast<breeding::MatingHistoryScreen *>(
                m_screens->open(breeding::MatingHistoryScreen::screenName(),
                                [] { return new breeding::MatingHistoryScreen; }))
                ->build(dog);
        });
        return screen;
    });
}

void MainWindow::openVaccinationChooser()
{
    m_screens->open(health::VaccinationChooserScreen::screenName(), [this] {
        auto *screen = new health::VaccinationChooserScreen;
        connect(screen, &health::VaccinationChooserScreen::dogChosen, this,
                [this](const QString &dog) {
                    m_screens->open(health::VaccinationHistoryScreen::screenName(),
                                    [dog] { return new health::VaccinationHistoryScreen(dog); });
                });
        return screen;
    });
}

void MainWindow::openMonthList(reminders::MonthListScreen::Kind kind)
{
    m_screens->open(reminders::MonthListScreen::screenName(kind),
                    [kind] { return new reminders::MonthListScreen(kind); });
}

void MainWindow::openSellDog()
{
    m_screens->open(sales::SellDogScreen::screenName(), [this] {
        auto *screen = new sales::SellDogScreen;
        connect(screen, &sales::SellDogScreen::receiptReady, this, [this](sales::Receipt receipt) {
            showReport(receipt == sales::Receipt::Small ? sales::salesReceipt()
                                                        : sales::pedigreeReceipt());
        });
        connect(screen, &sales::SellDogScreen::contractRequested, this,
                [this](qint64 salesId) { openContracts(salesId); });
        return screen;
    });
}

void MainWindow::showReport(const report::Report &report)
{
    openReport(report.definition.name, report.definition.caption,
               [report] { return report.pages(); });
}

void MainWindow::openReport(const QString &name, const QString &caption,
                            const std::function<report::PagedLayout()> &source)
{
    auto *preview = qobject_cast<app::ReportPreview *>(
        m_screens->open(name, [&] { return new app::ReportPreview(name, caption, source); }));
    if (preview->isLoaded()) {
        preview->setWindowTitle(caption);
        preview->setSource(source);
        preview->reload();
    }
}

void MainWindow::showAbout()
{
    AboutBox about(this);
    about.exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every screen saves first, so that one holding input it cannot save yet keeps the
    // whole program as it was, the main menu included.
    if (!m_screens->settleAll()) {
        event->ignore();
        return;
    }
    if (m_menu)
        m_menu->allowClose();
    if (m_screens->closeAll())
        event->accept();
    else
        event->ignore();
}

} // namespace app
