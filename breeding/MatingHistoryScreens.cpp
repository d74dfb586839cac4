#include "breeding/MatingHistoryScreens.h"

#include "breeding/Breeding.h"
#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace breeding {

SelectDogScreen::SelectDogScreen(QWidget *parent)
    : ui::ChooserScreen(screenName(), QStringLiteral("Select a Dog"),
                        QStringLiteral("Select a Dog"), parent)
{
    list()->setPrompt(QStringLiteral("Select a Dog"));
    findChild<QPushButton *>(QStringLiteral("ok"))->setText(QStringLiteral("View Matings"));
}

void SelectDogScreen::load()
{
    list()->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
}

void SelectDogScreen::ok()
{
    const QString name = list()->text();
    if (name.isEmpty() || list()->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog from the List"));
        return;
    }
    core::Choices::selectedname = name;
    Q_EMIT dogChosen(name);
    closeScreen();
}

namespace {

QLayout *headingRow(QLabel *heading)
{
    auto *row = new QHBoxLayout;
    row->addWidget(heading);
    return row;
}

} // namespace

MatingHistoryScreen::MatingHistoryScreen(QWidget *parent)
    : MatingHistoryScreen(boldLabel(QStringLiteral("heading")), parent)
{
}

MatingHistoryScreen::MatingHistoryScreen(QLabel *heading, QWidget *parent)
    : ui::HistoryScreen(screenName(), QStringLiteral("Mating History"), headingRow(heading),
                        QSize(520, 360), parent),
      m_heading(heading)
{
}

void MatingHistoryScreen::build(const QString &dog)
{
    m_heading->setText(QStringLiteral("Mating History of ") + dog);
    showLines(matingHistory(db::DatabaseFiles::kennel(), dog));
}

QString MatingHistoryScreen::heading() const
{
    return m_heading->text();
}

} // namespace breeding
