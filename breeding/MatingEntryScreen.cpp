#include "breeding/MatingEntryScreen.h"

#include "breeding/Breeding.h"
#include "breeding/DueDate.h"
#include "breeding/MatingHealth.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "genetics/KennelGenetics.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace breeding {

MatingEntryScreen::MatingEntryScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Enter a Mating "), parent),
      m_sire(ui::pickList(QStringLiteral("sire"))), m_dam(ui::pickList(QStringLiteral("dam"))),
      m_dateMated(ui::textBox(QStringLiteral("datemated"))), m_dueDate(new QLabel),
      m_coi(new QLabel), m_affected(new QLabel)
{
    m_sire->setPrompt(QStringLiteral("Select the Sire"));
    m_dam->setPrompt(QStringLiteral("Select the Dam"));
    m_dueDate->setObjectName(QStringLiteral("datedue"));
    m_dateMated->installEventFilter(this);

    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Sire"), m_sire, 2);
    ui::addField(grid, 1, 0, QStringLiteral("Dam"), m_dam, 2);
    ui::addField(grid, 2, 0, QStringLiteral("Date Mated"), m_dateMated);
    grid->addWidget(ui::dateHint(), 2, 2);
    ui::addField(grid, 3, 0, QStringLiteral("Litter Due Date"), m_dueDate);
    // Said before the mating is entered; nothing of it is written.
    m_coi->setObjectName(QStringLiteral("litterCoi"));
    m_affected->setObjectName(QStringLiteral("affectedWarning"));
    m_affected->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    for (QLabel *label : {m_coi, m_affected}) {
        label->setWordWrap(true);
        label->hide();
    }
    grid->addWidget(m_coi, 4, 0, 1, 3);
    grid->addWidget(m_affected, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    for (ui::PickList *list : {m_sire, m_dam})
        connect(list, &ui::PickList::textChosen, this, &MatingEntryScreen::showMatingHealth);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    addButtonRow(
        layout, QStringLiteral("Submit Entry"), QStringLiteral("submit"), [this] { submit(); },
        QStringLiteral("Cancel Entry"));
}

void MatingEntryScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_sire->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedMales));
    m_dam->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedFemales));
}

bool MatingEntryScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dateMated && event->type() == QEvent::FocusOut)
        showDueDate();
    return ui::Screen::eventFilter(watched, event);
}

void MatingEntryScreen::showDueDate()
{
    if (m_dateMated->text().isEmpty())
        return;
    m_dueDate->setText(litterDueText(core::datetext::parse(m_dateMated->text())));
}

void MatingEntryScreen::showMatingHealth()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (!isLoaded())
        return;
    // A large kennel's genetics are worked out aside first: the screen does not wait.
    if (!genetics::KennelGenetics::isCurrent(kennel) &&
        genetics::KennelGenetics::preparationProblem(kennel).isEmpty()) {
        genetics::KennelGenetics::prepare(kennel, this, [this] { showMatingHealth(); });
        return;
    }
    const MatingHealth health = matingHealth(kennel, m_sire->text(), m_dam->text());
    m_coi->setText(health.coi);
    m_coi->setStyleSheet(health.coiAboveLimit ? QStringLiteral("color: #a00000; font-weight: bold")
                                              : QString());
    m_coi->setVisible(!health.coi.isEmpty());
    m_affected->setText(health.affected);
    m_affected->setVisible(!health.affected.isEmpty());
}

void MatingEntryScreen::submit()
{
    showDueDate();
    const QString sire = m_sire->text();
    const QString dam = m_dam->text();
    if (sire.isEmpty() || sire == m_sire->prompt()) {
        core::tell(QStringLiteral(" Please Select a Sire"));
        return;
    }
    if (dam.isEmpty() || dam == m_dam->prompt()) {
        core::tell(QStringLiteral(" Please Select the Dam "));
        return;
    }
    if (m_dateMated->text().isEmpty()) {
        core::tell(QStringLiteral(" Please Enter the Date of the Mating"));
        return;
    }
    const QDate mated = core::datetext::parse(m_dateMated->text());
    if (!mated.isValid()) {
        core::tell(
            core::datetext::invalidDateMessage(QStringLiteral("Date Mated"), m_dateMated->text()));
        m_dateMated->setFocus();
        return;
    }
    const QDate due = core::datetext::parse(m_dueDate->text());
    if (const auto written = addMating(db::DatabaseFiles::kennel(), sire, dam, mated, due);
        !written) {
        core::tellNothingChanged(QStringLiteral("The mating"), written.problem());
        return;
    }
    core::tell(QStringLiteral(" Your Mating has been Entered"));
    closeScreen();
}

} // namespace breeding
