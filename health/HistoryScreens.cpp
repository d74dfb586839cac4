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
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
    Q_EMIT dogChosen();
}

VaccinationHistoryScreen::VaccinationHistoryScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Vaccination History"), parent),
      m_dog(core::Choices::selectedname), m_name(new QLabel(m_dog)), m_list(new QListWidget)
{
    m_name->setObjectName(QStringLiteral("dogname"));
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    m_list->setObjectName(QStringLiteral("history"));
    m_list->setAccessibleName(QStringLiteral("Vaccination History"));
    auto *heading = new QHBoxLayout;
    heading->addWidget(new QLabel(QStringLiteral("Vaccination History Of")));
    heading->addWidget(m_name, 1);
    auto *close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(m_list);
    layout->addWidget(close, 0, Qt::AlignRight);
    setMinimumSize(480, 320);
}

void VaccinationHistoryScreen::load()
{
    m_list->addItems(vaccinationHistory(db::DatabaseFiles::kennel(), m_dog));
}

QStringList VaccinationHistoryScreen::lines() const
{
    return ui::listTexts(m_list);
}

QString VaccinationHistoryScreen::dogName() const
{
    return m_name->text();
}

} // namespace health
