// The main window's menu bar: every screen of the main menu by its button's caption, grouped
// by subsystem, and the program's own items.
#include "app/GuidePages.h"
#include "app/HelpScreen.h"
#include "app/KennelBackups.h"
#include "app/KennelCalendarFile.h"
#include "app/KennelTransfers.h"
#include "app/KennelUndo.h"
#include "app/LocalSettings.h"
#include "app/MainWindow.h"
#include "app/SetupScreen.h"
#include "app/WindowMenu.h"
#include "breeding/LitterWeightsScreen.h"
#include "breeding/ProgesteroneScreen.h"
#include "breeding/SeasonsExpected.h"
#include "breeding/SeasonsScreen.h"
#include "breeding/WhelpingScreen.h"
#include "contacts/AllContactsTable.h"
#include "contacts/ContactsScreen.h"
#include "core/Choices.h"
#include "db/DatabaseFiles.h"
#include "dogs/AllDogsTable.h"
#include "dogs/DogRecordsScreen.h"
#include "health/HealthReport.h"
#include "health/HealthResultsScreen.h"
#include "health/HealthTestsScreen.h"
#include "inbreeding/GeneticsReports.h"
#include "inbreeding/GeneticsScreen.h"
#include "population/MatingMatrixScreen.h"
#include "population/PopulationScreen.h"
#include "showcase/PublishWebsiteScreen.h"
#include "transfer/ImportPlan.h"
#include "transfer/SpreadsheetExport.h"
#include "ui/ScreenHost.h"
#include "ui/TableScreen.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace app {
namespace {

struct SubsystemMenu
{
    const char *title;
    const char *objectName;
    QList<MenuItem> items;
};

const QList<SubsystemMenu> &subsystemMenus()
{
    static const QList<SubsystemMenu> menus{
        {"&Dogs",
         "dogsMenu",
         {MenuItem::AddDogRecords, MenuItem::BrowseDogs, MenuItem::FindDog, MenuItem::ViewPedigree,
          MenuItem::SellDog, MenuItem::Birthdays}},
        {"&Breeding",
         "breedingMenu",
         {MenuItem::EnterMating, MenuItem::PossibleMating, MenuItem::EnterLitter,
          MenuItem::LittersDue, MenuItem::Matings}},
        {"&Health",
         "healthMenu",
         {MenuItem::EnterVaccination, MenuItem::VaccinationHistory, MenuItem::VaccinationsDue,
          MenuItem::DogNotes, MenuItem::AllDue}},
        {"&Contacts",
         "contactsMenu",
         {MenuItem::AddContact, MenuItem::ViewContacts, MenuItem::BrowseContacts,
          MenuItem::DogsOwned}},
        {"&Reports",
         "reportsMenu",
         {MenuItem::DogOwnerReport, MenuItem::LitterHistories, MenuItem::SalesReport,
          MenuItem::ContactList}},
    };
    return menus;
}

// The caption with a mnemonic on its first letter that no item above it in the menu has.
QString withMnemonic(const QString &caption, QString &taken)
{
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar letter = caption[i].toLower();
        if (letter.isLetter() && !taken.contains(letter)) {
            taken += letter;
            return caption.left(i) + QLatin1Char('&') + caption.mid(i);
        }
    }
    return caption;
}

} // namespace

void MainWindow::openAllDogs()
{
    m_screens->open(QStringLiteral("AllDogs"), [this] {
        return new ui::TableScreen(
            QStringLiteral("AllDogs"), QStringLiteral("All Dogs"), QStringLiteral("dogs"),
            dogs::allDogsTable(), [this](qint64 id) {
                openDogRecords(core::Choices::Browse);
                m_screens->find<dogs::DogRecordsScreen>(dogs::DogRecordsScreen::screenName())
                    ->showRow(id);
            });
    });
}

void MainWindow::openAllContacts()
{
    m_screens->open(QStringLiteral("AllContacts"), [this] {
        return new ui::TableScreen(QStringLiteral("AllContacts"), QStringLiteral("All Contacts"),
                                   QStringLiteral("contacts"), contacts::allContactsTable(),
                                   [this](qint64 id) {
                                       using contacts::ContactsScreen;
                                       openContacts(ContactsScreen::Start::FirstContact);
                                       m_screens
                                           ->find<ContactsScreen>(ContactsScreen::screenName(
                                               ContactsScreen::Start::FirstContact))
                                           ->showRow(id);
                                   });
    });
}

void MainWindow::openHealthResults(std::optional<qint64> dogId)
{
    using health::HealthResultsScreen;
    open<HealthResultsScreen>();
    if (dogId)
        m_screens->find<HealthResultsScreen>(HealthResultsScreen::screenName())->showDog(*dogId);
}

void MainWindow::openSeasons()
{
    using breeding::SeasonsScreen;
    m_screens->open(SeasonsScreen::screenName(), [this] {
        auto *seasons = new SeasonsScreen;
        connect(seasons, &SeasonsScreen::progesteroneRequested, this, [this](qint64 seasonId) {
            using breeding::ProgesteroneScreen;
            m_screens->open(ProgesteroneScreen::screenName(),
                            [] { return new ProgesteroneScreen; });
            m_screens->find<ProgesteroneScreen>(ProgesteroneScreen::screenName())
                ->showSeason(seasonId);
        });
        return seasons;
    });
}

void MainWindow::openWhelping()
{
    using breeding::WhelpingScreen;
    m_screens->open(WhelpingScreen::screenName(), [] { return new WhelpingScreen; });
}

void MainWindow::openLitterWeights()
{
    using breeding::LitterWeightsScreen;
    m_screens->open(LitterWeightsScreen::screenName(), [this] {
        auto *weights = new LitterWeightsScreen;
        connect(weights, &LitterWeightsScreen::printRequested, this,
                [this](const report::Report &report) { showReport(report); });
        return weights;
    });
}

void MainWindow::openPopulationGenetics()
{
    using population::PopulationScreen;
    m_screens->open(PopulationScreen::screenName(), [this] {
        auto *screen = new PopulationScreen;
        connect(screen, &PopulationScreen::printRequested, this,
                [this](const report::Report &report) { showReport(report); });
        return screen;
    });
}

void MainWindow::openMatingMatrix()
{
    using population::MatingMatrixScreen;
    m_screens->open(MatingMatrixScreen::screenName(), [this] {
        auto *screen = new MatingMatrixScreen;
        connect(screen, &MatingMatrixScreen::printRequested, this,
                [this](const report::Report &report) { showReport(report); });
        connect(screen, &MatingMatrixScreen::trialMatingRequested, this,
                [this](const QString &sire, const QString &dam) {
                    using inbreeding::GeneticsScreen;
                    auto *trial = qobject_cast<GeneticsScreen *>(m_screens->open(
                        GeneticsScreen::screenName(), [] { return new GeneticsScreen; }));
                    if (trial)
                        trial->showMating(sire, dam);
                });
        return screen;
    });
}

void MainWindow::openHealthTests()
{
    using health::HealthTestsScreen;
    m_screens->open(HealthTestsScreen::screenName(), [] { return new HealthTestsScreen; });
}

void MainWindow::openSetup()
{
    m_screens->open(SetupScreen::screenName(), [this] {
        auto *setup = new SetupScreen;
        connect(setup, &SetupScreen::dateOrderChosen, this,
                [this, setup](core::datetext::Order order) {
                    localsettings::changeDateOrder(*m_screens, *setup, order);
                });
        return setup;
    });
}

void MainWindow::buildMenuBar()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QToolBar *tools = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("toolbar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *backUp = file->addAction(QStringLiteral("Back Up Kennel..."), m_backups,
                                      &KennelBackups::chooseAndBackUp);
    backUp->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    file->addAction(QStringLiteral("Restore from Backup..."), m_backups,
                    &KennelBackups::chooseAndRestore);
    file->addSeparator();
    file->addAction(QStringLiteral("Export to CSV..."), m_transfers,
                    &KennelTransfers::chooseAndExport);
    for (const auto content : {transfer::SheetContent::Dogs, transfer::SheetContent::Contacts,
                               transfer::SheetContent::Sales})
        file->addAction(
            QStringLiteral("Export %1 for a Spreadsheet...").arg(transfer::sheetName(content)),
            m_transfers, [this, content] { m_transfers->chooseAndExportSheet(content); });
    file->addAction(QStringLiteral("Import Dogs from CSV..."), m_transfers,
                    [this] { m_transfers->chooseAndImport(transfer::dogTarget()); });
    file->addAction(QStringLiteral("Import Contacts from CSV..."), m_transfers,
                    [this] { m_transfers->chooseAndImport(transfer::contactTarget()); });
    file->addAction(QStringLiteral("Import Health Results from CSV..."), m_transfers,
                    [this] { m_transfers->chooseAndImport(transfer::healthResultTarget()); });
    file->addAction(QStringLiteral("Publish Website..."), this,
                    [this] { open<showcase::PublishWebsiteScreen>(); });
    file->addAction(QStringLiteral("Export Calendar..."), m_calendar,
                    &KennelCalendarFile::chooseAndExport);
    file->addSeparator();
    file->addAction(MainMenu::captionOf(MenuItem::Setup), this,
                    [this] { choose(MenuItem::Setup); });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, [this] { choose(MenuItem::Exit); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    m_undo = new KennelUndo(*m_screens, statusBar(), this);
    edit->addAction(m_undo->action());

    for (const SubsystemMenu &subsystem : subsystemMenus()) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(subsystem.title));
        menu->setObjectName(QString::fromLatin1(subsystem.objectName));
        QString taken;
        for (MenuItem item : subsystem.items) {
            QAction *action = menu->addAction(withMnemonic(MainMenu::captionOf(item), taken), this,
                                              [this, item] { choose(item); });
            if (item == MenuItem::FindDog) {
                action->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
                tools->addAction(action);
            }
        }
        if (menu->objectName() == QLatin1String("dogsMenu")) {
            QAction *separator = menu->addSeparator();
            QAction *all = menu->addAction(withMnemonic(QStringLiteral("All Dogs"), taken), this,
                                           &MainWindow::openAllDogs);
            all->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
            tools->addAction(all);
            // With the other items that change a dog; All Dogs keeps its letter and place.
            auto *remove = new QAction(withMnemonic(QStringLiteral("Delete Dog..."), taken), menu);
            connect(remove, &QAction::triggered, this, &MainWindow::openDeleteDog);
            menu->insertAction(separator, remove);
            auto *merge = new QAction(withMnemonic(QStringLiteral("Merge Dogs..."), taken), menu);
            connect(merge, &QAction::triggered, this, &MainWindow::openMergeDogs);
            menu->insertAction(separator, merge);
        }
        if (menu->objectName() == QLatin1String("breedingMenu")) {
            menu->addSeparator();
            menu->addAction(withMnemonic(QStringLiteral("Seasons..."), taken), this,
                            [this] { openSeasons(); });
            menu->addAction(withMnemonic(QStringLiteral("Seasons Expected"), taken), this,
                            [this] { showReport(breeding::seasonsExpectedReport()); });
            menu->addAction(withMnemonic(QStringLiteral("Whelping..."), taken), this,
                            [this] { openWhelping(); });
            menu->addAction(withMnemonic(QStringLiteral("Litter Weights..."), taken), this,
                            [this] { openLitterWeights(); });
        }
        if (menu->objectName() == QLatin1String("healthMenu")) {
            menu->addSeparator();
            menu->addAction(withMnemonic(QStringLiteral("Health Results..."), taken), this,
                            [this] { openHealthResults(); });
            menu->addAction(withMnemonic(QStringLiteral("Health Tests..."), taken), this,
                            &MainWindow::openHealthTests);
            menu->addAction(withMnemonic(QStringLiteral("Health Results Report"), taken), this,
                            [this] { showReport(health::healthResultsReport()); });
        }
        if (menu->objectName() == QLatin1String("contactsMenu")) {
            menu->addAction(withMnemonic(QStringLiteral("Delete Contact..."), taken), this,
                            &MainWindow::openDeleteContact);
            menu->addAction(withMnemonic(QStringLiteral("Waiting List..."), taken), this,
                            &MainWindow::openWaitingList);
            menu->addSeparator();
            QAction *all = menu->addAction(withMnemonic(QStringLiteral("All Contacts"), taken),
                                           this, &MainWindow::openAllContacts);
            all->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
            tools->addAction(all);
            tools->addSeparator();
            tools->addAction(backUp);
        }
        if (menu->objectName() == QLatin1String("reportsMenu")) {
            menu->addSeparator();
            menu->addAction(withMnemonic(QStringLiteral("Pedigree Certificate..."), taken), this,
                            [this] { openCertificateChooser({}); });
        }
    }

    QMenu *genetics = menuBar()->addMenu(QStringLiteral("&Genetics"));
    genetics->setObjectName(QStringLiteral("geneticsMenu"));
    genetics->addAction(QStringLiteral("&Inbreeding and Trial Matings..."), this,
                        [this] { open<inbreeding::GeneticsScreen>(); });
    genetics->addAction(QStringLiteral("&Check Pedigrees"), this, &MainWindow::openPedigreeChecks);
    genetics->addAction(QStringLiteral("Inbreeding of &Every Dog"), this, [this] {
        showReport(inbreeding::everyDogsInbreeding(inbreeding::progressDialog(this)));
    });
    genetics->addAction(QStringLiteral("&Population Genetics..."), this,
                        &MainWindow::openPopulationGenetics);
    genetics->addAction(QStringLiteral("&Mating Matrix..."), this, &MainWindow::openMatingMatrix);
    addMoneyMenu();

    menuBar()->addMenu(new WindowMenu(
        m_area, [this] { openMainMenu(); },
        [this] {
            // Every screen but the main menu, which refuses until the program ends.
            if (m_screens->settleAll())
                m_screens->closeAll();
        },
        this));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(QStringLiteral("Help"), this, [this] { showGuideFor(activeScreenName()); })
        ->setShortcut(QKeySequence::HelpContents);
    help->addAction(QStringLiteral("About "), this, [this] { choose(MenuItem::About); });
}

void MainWindow::showGuideFor(const QString &screen)
{
    open<HelpScreen>();
    // F1 on the guide itself leaves it on the page it shows.
    if (auto *guide = m_screens->find<HelpScreen>(HelpScreen::screenName());
        guide && screen != HelpScreen::screenName())
        guide->showPage(guide::pageFor(screen));
}

QString MainWindow::activeScreenName() const
{
    const QMdiSubWindow *frame = m_area->activeSubWindow();
    return frame && frame->widget() ? frame->widget()->objectName() : QString();
}

} // namespace app
