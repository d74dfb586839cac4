#include "app/MainWindow.h"

#include "core/Clock.h"
#include "money/AccountsReports.h"
#include "money/AccountsScreen.h"
#include "money/ContractsScreen.h"
#include "money/WaitingListScreen.h"
#include "ui/ScreenHost.h"

#include <QMenu>
#include <QMenuBar>

namespace app {

void MainWindow::openWaitingList()
{
    open<money::WaitingListScreen>();
}

void MainWindow::openAccounts()
{
    using money::AccountsScreen;
    m_screens->open(AccountsScreen::screenName(), [this] {
        auto *screen = new AccountsScreen;
        connect(screen, &AccountsScreen::yearAccountsRequested, this,
                [this](int year) { showReport(money::yearAccountsReport(year)); });
        connect(screen, &AccountsScreen::litterAccountsRequested, this,
                [this] { showReport(money::litterAccountsReport()); });
        return screen;
    });
}

void MainWindow::openContracts(qint64 salesId)
{
    using money::ContractsScreen;
    auto *screen =
        qobject_cast<ContractsScreen *>(m_screens->open(ContractsScreen::screenName(), [this] {
            auto *contracts = new ContractsScreen;
            connect(contracts, &ContractsScreen::printRequested, this,
                    [this](const report::Report &report) { showReport(report); });
            connect(contracts, &ContractsScreen::templateRequested, this,
                    [this] { open<money::ContractTemplateScreen>(); });
            return contracts;
        }));
    if (screen && salesId > 0)
        screen->showSale(salesId);
}

void MainWindow::addMoneyMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&Money"));
    menu->setObjectName(QStringLiteral("moneyMenu"));
    menu->addAction(QStringLiteral("&Accounts..."), this, &MainWindow::openAccounts);
    menu->addAction(QStringLiteral("&Year Accounts"), this,
                    [this] { showReport(money::yearAccountsReport(core::Clock::today().year())); });
    menu->addAction(QStringLiteral("&Litter Accounts"), this,
                    [this] { showReport(money::litterAccountsReport()); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Contracts of Sale..."), this, [this] { openContracts(); });
    menu->addAction(QStringLiteral("Contract &Template..."), this,
                    [this] { open<money::ContractTemplateScreen>(); });
}

} // namespace app
