#pragma once

#include <functional>
#include <map>
#include <optional>
#include <QMainWindow>
#include <QPointer>

#include "app/MainMenu.h"
#include "contacts/ContactsScreen.h"
#include "pedigree/PedigreeRecord.h"
#include "reminders/MonthListScreen.h"
#include "report/ReportLayout.h"
#include "ui/Removals.h"
#include "ui/ScreenHost.h"

class QMdiArea;

namespace dogs {
class MergeDogsScreen;
}

namespace app {

class KennelBackups;
class KennelCheck;
class KennelStatus;
class KennelCalendarFile;
class KennelTransfers;
class KennelUndo;

// "Pawmark Houndry": holds every screen and routes the main menu's buttons to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    ui::ScreenHost &screens() const { return *m_screens; }
    KennelBackups &backups() const { return *m_backups; }
    KennelTransfers &transfers() const { return *m_transfers; }
    MainMenu *mainMenu() const { return m_menu.data(); }
    // What pressing the main menu button for this item, or with this caption, does.
    void choose(MenuItem item);
    void choose(const QString &caption);

Q_SIGNALS:
    void startupFinished();
    // Every page of both files has been read back; after `startupFinished`.
    void kennelChecked();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenuBar();
    void runStartup();
    // Offers the newest backup that can be restored, or closes the program.
    void kennelDamaged(const QString &problem);
    void openMainMenu();
    void openSetup();
    // On the dog `name` when `mode` is Find; on the first dog, or where it was, otherwise.
    void openDogRecords(int mode, const QString &name = {});
    void openFindDog();
    void openDeleteDog();
    void openMergeDogs();
    void openPedigreeChecks();
    void openDeleteContact();
    void openFindContact();
    void openContacts(contacts::ContactsScreen::Start start, const QString &name = {});
    void openPedigreeChooser();
    void openPossibleMating();
    void openMatingHistoryChooser();
    void openVaccinationChooser();
    void openSellDog();
    void openMonthList(reminders::MonthListScreen::Kind kind);
    void showReport(const report::Report &report);
    // Shows the pedigree just built into the shared record.
    void showPedigree(int generations);
    void openCertificateChooser(const QString &subject);
    // The 5 to 8 generation chart, its dogs marked by their status for a DNA test if named.
    void showChart(const pedigree::PedigreeRecord &record, int generations, const QString &dnaTest);
    void openAllDogs();
    // The health results of a dog, or of the dog the screen last showed.
    void openHealthResults(std::optional<qint64> dogId = std::nullopt);
    void openSeasons();
    void openWhelping();
    void openLitterWeights();
    void openPopulationGenetics();
    void openPhotos(qint64 dogId, const QString &name);
    void openMatingMatrix();
    void openHealthTests();
    void openAllContacts();
    // The buyers' waiting list, the accounts and the contracts of sale.
    void openWaitingList();
    void openAccounts();
    void openContracts(qint64 salesId = 0);
    void addMoneyMenu();
    // Opens a report's preview, or reads its data afresh when it is already open.
    void openReport(const QString &name, const QString &caption,
                    const std::function<report::PagedLayout()> &source);
    template <class T> void open()
    {
        m_screens->open(T::screenName(), [] { return new T; });
    }
    void showAbout();
    // The guide on the page that explains `screen` (an object name).
    void showGuideFor(const QString &screen);
    QString activeScreenName() const;

    QMdiArea *m_area;
    ui::ScreenHost *m_screens;
    KennelBackups *m_backups;
    // Every deletion and merge: refused read-only, settled, asked, backed up first.
    ui::Removals m_removals;
    KennelCheck *m_check;
    KennelTransfers *m_transfers;
    KennelCalendarFile *m_calendar;
    KennelUndo *m_undo = nullptr;
    KennelStatus *m_status = nullptr;
    QPointer<MainMenu> m_menu;
    bool m_started = false;
    std::map<MenuItem, std::function<void()>> m_actions;
};

} // namespace app
