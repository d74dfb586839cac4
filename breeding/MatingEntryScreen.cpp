#include "breeding/MatingEntryScreen.h"

#include "breeding/Breeding.h"
#include "breeding/DueDate.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
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
      m_dateMated(ui::textBox(QStringLiteral("datemated"))), m_dueDate(new QLabel)
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
    grid->setColumnStretch(1, 1);

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
