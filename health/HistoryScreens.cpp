#include "health/HistoryScreens.h"

#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "health/Health.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QHBoxLayout>
#include <QLabel>

namespace health {

VaccinationChooserScreen::VaccinationChooserScreen(QWidget *parent)
    : ui::ChooserScreen(screenName(), QStringLiteral("View Vaccination History"),
                        QStringLiteral("Select a Dog"), parent)
{
    list()->setPrompt(QStringLiteral("Select a Dog"));
}

void VaccinationChooserScreen::load()
{
    list()->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
}

void VaccinationChooserScreen::ok()
{
    if (list()->showsPrompt()) {
        core::tell(QStringLiteral("Please Select a Dog"));
        return;
    }
    core::Choices::selectedname = list()->text();
    Q_EMIT dogChosen(list()->text());
}

namespace {

QLayout *headingRow(QLabel *name)
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Vaccination History Of")));
    row->addWidget(name, 1);
    return row;
}

} // namespace

VaccinationHistoryScreen::VaccinationHistoryScreen(const QString &dog, QWidget *parent)
    : VaccinationHistoryScreen(boldLabel(QStringLiteral("dogname"), dog), parent)
{
}

VaccinationHistoryScreen::VaccinationHistoryScreen(QLabel *name, QWidget *parent)
    : ui::HistoryScreen(screenName(), QStringLiteral("Vaccination History"), headingRow(name),
                        QSize(480, 320), parent),
      m_dog(name->text()), m_name(name)
{
}

void VaccinationHistoryScreen::load()
{
    showLines(vaccinationHistory(db::DatabaseFiles::kennel(), m_dog));
}

QString VaccinationHistoryScreen::dogName() const
{
    return m_name->text();
}

} // namespace health
