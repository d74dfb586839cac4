// The main window's menu bar: every screen of the main menu by its button's caption, grouped
// by subsystem, and the program's own items.
#include "app/KennelBackups.h"
#include "app/KennelTransfers.h"
#include "app/MainWindow.h"
#include "app/WindowMenu.h"
#include "inbreeding/GeneticsReports.h"
#include "inbreeding/GeneticsScreen.h"
#include "transfer/ImportPlan.h"

#include <QMdiArea>
#include <QMenuBar>

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

void MainWindow::buildMenuBar()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addAction(QStringLiteral("Back Up Kennel..."), m_backups,
                    &KennelBackups::chooseAndBackUp);
    file->addAction(QStringLiteral("Restore from Backup..."), m_backups,
                    &KennelBackups::chooseAndRestore);
    file->addSeparator();
    file->addAction(QStringLiteral("Export to CSV..."), m_transfers,
                    &KennelTransfers::chooseAndExport);
    file->addAction(QStringLiteral("Import Dogs from CSV..."), m_transfers,
                    [this] { m_transfers->chooseAndImport(transfer::dogTarget()); });
    file->addAction(QStringLiteral("Import Contacts from CSV..."), m_transfers,
                    [this] { m_transfers->chooseAndImport(transfer::contactTarget()); });
    file->addSeparator();
    file->addAction(MainMenu::captionOf(MenuItem::Setup), this,
                    [this] { choose(MenuItem::Setup); });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, [this] { choose(MenuItem::Exit); });

    for (const SubsystemMenu &subsystem : subsystemMenus()) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(subsystem.title));
        menu->setObjectName(QString::fromLatin1(subsystem.objectName));
        QString taken;
        for (MenuItem item : subsystem.items)
            menu->addAction(withMnemonic(MainMenu::captionOf(item), taken), this,
                            [this, item] { choose(item); });
        if (menu->objectName() == QLatin1String("reportsMenu")) {
            menu->addSeparator();
            menu->addAction(withMnemonic(QStringLiteral("Pedigree Certificate..."), taken), this,
                            [this] { openCertificateChooser({}); });
        }
    }

    QMenu *genetics = menuBar()->addMenu(QStringLiteral("&Genetics"));
    genetics->setObjectName(QStringLiteral("geneticsMenu"));
    genetics->addAction(QStringLiteral("Inbreeding and Trial Matings..."), this,
                        [this] { open<inbreeding::GeneticsScreen>(); });
    genetics->addAction(QStringLiteral("Check Pedigrees"), this,
                        [this] { showReport(inbreeding::pedigreeChecks()); });
    genetics->addAction(QStringLiteral("Inbreeding of Every Dog"), this, [this] {
        showReport(inbreeding::everyDogsInbreeding(inbreeding::progressDialog(this)));
    });

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
    help->addAction(QStringLiteral("Help"), this, [this] { choose(MenuItem::Help); });
    help->addAction(QStringLiteral("About "), this, [this] { choose(MenuItem::About); });
}

} // namespace app
