// The main window's deletions and merges: each asked, backed up before the first of the day,
// and refused on a kennel opened read-only.
#include "app/KennelBackups.h"
#include "app/MainWindow.h"
#include "contacts/ContactRemoval.h"
#include "contacts/DeleteContactScreen.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/DeleteDogScreen.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/DogRemoval.h"
#include "dogs/MergeDogsScreen.h"
#include "ui/ScreenHost.h"

namespace app {

void MainWindow::openDeleteDog()
{
    m_screens->open(dogs::DeleteDogScreen::screenName(), [this] {
        auto *screen = new dogs::DeleteDogScreen;
        connect(screen, &dogs::DeleteDogScreen::dogChosen, this, &MainWindow::deleteDog);
        return screen;
    });
}

bool MainWindow::mayRemove()
{
    if (db::DatabaseFiles::isReadOnly()) {
        core::tell(db::DatabaseFiles::readOnlyNotice());
        return false;
    }
    // What was typed on the screens lands first, so that the removal sees it.
    return m_screens->settleAll();
}

std::optional<bool> MainWindow::confirmRemoval(const QString &question, const QString &title,
                                               const QString &clearQuestion)
{
    if (!core::ask(question, title))
        return std::nullopt;
    const bool clear = !clearQuestion.isEmpty() && core::askQuestion(clearQuestion, title);
    if (const QString problem = m_backups->backUpBeforeDeleting(); !problem.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The backup before the deletion"), problem);
        return std::nullopt;
    }
    return clear;
}

void MainWindow::deleteDog(qint64 dogId)
{
    if (!mayRemove())
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto planned = dogs::plannedRemoval(kennel, dogId);
    if (!planned) {
        core::tellNothingChanged(QStringLiteral("The deletion"), planned.problem());
        return;
    }
    const dogs::DogRemoval &removal = planned.value();
    const std::optional<bool> clearParents = confirmRemoval(
        dogs::removalQuestion(removal), QStringLiteral("Delete Dog"),
        removal.offspring() == 0
            ? QString()
            : QStringLiteral("Clear the name %1 from its %L2 offspring as well? No keeps it "
                             "there, as a parent that is not recorded.")
                  .arg(removal.name)
                  .arg(removal.offspring()));
    if (!clearParents)
        return;
    if (const auto removed = dogs::removeDog(kennel, removal, *clearParents); !removed)
        core::tellNothingChanged(QStringLiteral("The deletion"), removed.problem());
}

void MainWindow::mergeDogs(dogs::MergeDogsScreen &chosen)
{
    if (!mayRemove())
        return;
    const QString question =
        QStringLiteral("Merge %1 into %2? The record of %1 is deleted; every record naming "
                       "either dog then names the one kept, and the notes and vaccinations of "
                       "%1 become its own.")
            .arg(chosen.mergedName(), chosen.keptName());
    if (!confirmRemoval(question, QStringLiteral("Merge Dogs"), {}))
        return;
    const qint64 kept = chosen.keptId();
    const qint64 merged = chosen.mergedId();
    if (const auto done =
            dogs::mergeDogs(db::DatabaseFiles::kennel(), kept, merged, chosen.chosen());
        !done) {
        core::tellNothingChanged(QStringLiteral("The merge"), done.problem());
        return;
    }
    chosen.closeScreen();
}

void MainWindow::openDeleteContact()
{
    m_screens->open(contacts::DeleteContactScreen::screenName(), [this] {
        auto *screen = new contacts::DeleteContactScreen;
        connect(screen, &contacts::DeleteContactScreen::contactChosen, this,
                &MainWindow::deleteContact);
        return screen;
    });
}

void MainWindow::deleteContact(qint64 row)
{
    if (!mayRemove())
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto planned = contacts::plannedContactRemoval(kennel, row);
    if (!planned) {
        core::tellNothingChanged(QStringLiteral("The deletion"), planned.problem());
        return;
    }
    const contacts::ContactRemoval &removal = planned.value();
    if (const QString refused = contacts::contactRemovalRefusal(removal); !refused.isEmpty()) {
        core::tell(refused);
        return;
    }
    const std::optional<bool> clearDogs = confirmRemoval(
        contacts::contactRemovalQuestion(removal), QStringLiteral("Delete Contact"),
        removal.dogs() == 0
            ? QString()
            : QStringLiteral("Clear the name %1 from the %L2 dogs that name it as owner or "
                             "breeder as well? No keeps it there.")
                  .arg(removal.name)
                  .arg(removal.dogs()));
    if (!clearDogs)
        return;
    if (const auto removed = contacts::removeContact(kennel, removal, *clearDogs); !removed)
        core::tellNothingChanged(QStringLiteral("The deletion"), removed.problem());
}

} // namespace app
