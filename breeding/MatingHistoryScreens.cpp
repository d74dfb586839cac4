#include "breeding/MatingHistoryScreens.h"

#include "breeding/Breeding.h"
#include "core/Choices.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
    Q_EMIT dogChosen();
    closeScreen();
}

MatingHistoryScreen::MatingHistoryScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Mating History"), parent), m_heading(new QLabel),
      m_list(new QListWidget)
{
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont bigger = m_heading->font();
    bigger.setBold(true);
    m_heading->setFont(bigger);
    m_list->setObjectName(QStringLiteral("history"));
    m_list->setAccessibleName(QStringLiteral("Mating History"));
    auto *close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list);
    layout->addWidget(close, 0, Qt::AlignRight);
    setMinimumSize(520, 360);
}

void MatingHistoryScreen::build()
{
    const QString dog = core::Choices::selectedname;
    m_heading->setText(QStringLiteral("Mating History of ") + dog);
    m_list->clear();
    m_list->addItems(matingHistory(db::DatabaseFiles::kennel(), dog));
}

QStringList MatingHistoryScreen::lines() const
{
    return ui::listTexts(m_list);
}

QString MatingHistoryScreen::heading() const
{
    return m_heading->text();
}

} // namespace breeding
