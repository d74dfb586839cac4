// The main window's routes to the dog and contact records, their finding, deletion and merging,
// and the sale of a dog.
#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "contacts/AskedRemovals.h"
#include "contacts/DeleteContactScreen.h"
#include "contacts/FindContactScreen.h"
#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/AskedRemovals.h"
#include "dogs/DeleteDogScreen.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/FindDogScreen.h"
#include "dogs/MergeDogsScreen.h"
#include "inbreeding/GeneticsReports.h"
#include "sales/SalesReports.h"
#include "sales/SellDogScreen.h"
#include "showcase/PhotosScreen.h"
#include "showcase/ShowResultsScreen.h"

#include <QPushButton>

namespace app {

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

} // namespace app
