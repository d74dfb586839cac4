#include "app/MainWindow.h"

#include "app/AboutBox.h"
#include "app/KennelBackups.h"
#include "app/KennelCalendarFile.h"
#include "app/KennelCheck.h"
#include "app/KennelStatus.h"
#include "app/KennelTransfers.h"
#include "app/ReportPreview.h"
#include "app/RestoreCheck.h"
#include "app/StartupStep.h"
#include "breeding/LitterHistories.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingEntryScreen.h"
#include "contacts/ContactEntryScreen.h"
#include "contacts/Ownership.h"
#include "core/Choices.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/AddDogsScreen.h"
#include "genetics/KennelGenetics.h"
#include "health/NotesScreen.h"
#include "health/VaccinationScreen.h"
#include "sales/SalesReports.h"

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

void MainWindow::openMonthList(reminders::MonthListScreen::Kind kind)
{
    m_screens->open(reminders::MonthListScreen::screenName(kind),
                    [kind] { return new reminders::MonthListScreen(kind); });
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
