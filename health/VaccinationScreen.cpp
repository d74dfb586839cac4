#include "health/VaccinationScreen.h"

#include "core/Choices.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "health/Health.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace health {
namespace {

bool lostFocus(QEvent *event)
{
    // Opening the list's own popup is not leaving the list.
    return event->type() == QEvent::FocusOut &&
           static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason;
}

} // namespace

VaccinationScreen::VaccinationScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Vaccination Form"), parent),
      m_dog(ui::pickList(QStringLiteral("dog"))),
      m_vaccinated(ui::textBox(QStringLiteral("vaccinated"))),
      m_type(ui::pickList(QStringLiteral("vaxtype"))), m_dueDisplay(new QLabel),
      m_dueBox(ui::textBox(QStringLiteral("due")))
{
    m_dog->setPrompt(QStringLiteral("Select a Dog"));
    m_type->setEntries(vaccinationTypes());
    m_type->setText(QString());
    m_dueDisplay->setObjectName(QStringLiteral("dueDisplay"));
    m_dueBox->hide();
    m_dog->installEventFilter(this);
    m_type->installEventFilter(this);

    auto *frame = new QGroupBox(QStringLiteral("Dog Vaccination Entry"));
    auto *grid = new QGridLayout(frame);
    ui::addField(grid, 0, 0, QStringLiteral("Select a Dog"), m_dog);
    auto *hints = new QLabel(QStringLiteral("Puppy Vax 1 = 6 Weeks\nPuppy Vax 2 = 4 Weeks\n"
                                            "Puppy Vax 3 -  Booster 1yr"));
    hints->setObjectName(QStringLiteral("hints"));
    grid->addWidget(hints, 0, 2, 2, 2);
    ui::addField(grid, 1, 0, QStringLiteral("Date Vaccinated"), m_vaccinated);
    ui::addField(grid, 2, 1, QStringLiteral("Vaccination Type"), m_type);
    auto *due = new QWidget;
    auto *dueLayout = new QHBoxLayout(due);
    dueLayout->setContentsMargins(0, 0, 0, 0);
    dueLayout->addWidget(m_dueDisplay);
    dueLayout->addWidget(m_dueBox);
    ui::addField(grid, 3, 0, QStringLiteral("Vaccination Due"), due);
    qobject_cast<QLabel *>(grid->itemAtPosition(3, 0)->widget())->setBuddy(m_dueBox);
    // The label stands outside the box's own parent, where screen readers look for it.
    m_dueBox->setAccessibleName(QStringLiteral("Vaccination Due"));
    grid->addWidget(ui::dateHint(), 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    addButtonRow(layout, QStringLiteral("Save Entry"), QStringLiteral("save"), [this] { save(); });
}

void VaccinationScreen::load()
{
    m_dog->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
}

bool VaccinationScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (lostFocus(event)) {
        if (watched == m_dog)
            core::Choices::selectedname = m_dog->text();
        else if (watched == m_type && !m_vaccinated->text().isEmpty())
            applyNextDueRule();
    }
    return ui::Screen::eventFilter(watched, event);
}

void VaccinationScreen::applyNextDueRule()
{
    const QString type = m_type->text();
    if (type == QLatin1String("Puppy Vax 1") || type == QLatin1String("Puppy Vax 2")) {
        m_dueDisplay->hide();
        m_dueBox->show();
    } else if (dueAYearLater(type)) {
        const QString due = nextDueText(core::datetext::parse(m_vaccinated->text()));
        m_dueDisplay->setText(due);
        m_dueBox->setText(due);
    }
}

void VaccinationScreen::save()
{
    // The dog shown is the dog saved, even if the list has not been left yet.
    core::Choices::selectedname = m_dog->text();

    if (m_dueBox->text().isEmpty()) {
        core::tell(QStringLiteral(" Please Enter a Due Date for the Next Vax"));
        return;
    }
    const QString dog = core::Choices::selectedname;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const std::optional<qint64> dogId = m_dog->showsPrompt() ? std::nullopt : dogIdOf(kennel, dog);
    if (!dogId) {
        core::tell(QStringLiteral(" Please Select a Dog From the List"));
        return;
    }
    const QDate vaccinated = core::datetext::parse(m_vaccinated->text());
    if (!vaccinated.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date Vaccinated"),
                                                      m_vaccinated->text()));
        return;
    }
    const QDate due = core::datetext::parse(m_dueBox->text());
    if (!due.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Vaccination Due date"),
                                                      m_dueBox->text()));
        return;
    }
    if (const auto written = addVaccination(kennel, dog, *dogId, m_type->text(), due, vaccinated);
        !written) {
        core::tellNothingChanged(QStringLiteral("The vaccination"), written.problem());
        return;
    }
    m_vaccinated->clear();
    m_type->setText(QString());
    m_dueBox->clear();
    core::tell(QStringLiteral("The Vaccination has been entered."));
}

} // namespace health
