#include "health/NotesScreen.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "health/Health.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace health {
NotesScreen::NotesScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Notes "), parent),
      m_dog(ui::pickList(QStringLiteral("dog"))), m_date(ui::textBox(QStringLiteral("dt"))),
      m_note(ui::textBox(QStringLiteral("note"))), m_list(new QListWidget),
      m_save(ui::pushButton(QStringLiteral("Save Note"), QStringLiteral("saveNote")))
{
    m_dog->setPrompt(QStringLiteral("Select a Dog"));
    m_note->setMaxLength(100);
    m_list->setObjectName(QStringLiteral("notes"));
    m_list->setAccessibleName(QStringLiteral("Notes"));

    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Name "), m_dog);
    ui::addField(grid, 1, 0, QStringLiteral("Date"), m_date);
    grid->addWidget(ui::dateHint(), 2, 1);
    ui::addField(grid, 3, 0, QStringLiteral("Note - 100 Characters Max Each Entry"), m_note);
    grid->setColumnStretch(1, 1);
    m_entry = {grid->itemAtPosition(1, 0)->widget(), m_date, grid->itemAtPosition(3, 0)->widget(),
               m_note};

    QPushButton *add = ui::pushButton(QStringLiteral("Add a Note"), QStringLiteral("addNote"));
    QPushButton *view = ui::pushButton(QStringLiteral("View Notes"), QStringLiteral("viewNotes"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(add, &QPushButton::clicked, this, &NotesScreen::addNote);
    connect(view, &QPushButton::clicked, this, &NotesScreen::viewNotes);
    connect(m_save, &QPushButton::clicked, this, &NotesScreen::saveNote);
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, view, m_save})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    showEntry(false);
    setMinimumSize(720, 420);
}

void NotesScreen::load()
{
    m_dog->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
}

void NotesScreen::showEntry(bool shown)
{
    for (QWidget *w : std::as_const(m_entry))
        w->setVisible(shown);
    m_save->setVisible(shown);
}

bool NotesScreen::isAdding() const
{
    return !m_save->isHidden();
}

bool NotesScreen::buildList()
{
    m_list->clear();
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_dogId = dogIdOf(kennel, m_dog->text());
    if (!m_dogId) {
        core::tell(QStringLiteral("There is no dog named \"%1\".").arg(m_dog->text()));
        return false;
    }
    m_list->addItems(notesOf(kennel, *m_dogId));
    return true;
}

void NotesScreen::viewNotes()
{
    if (m_dog->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog From the List"));
        return;
    }
    if (settle())
        buildList();
}

void NotesScreen::addNote()
{
    if (m_dog->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog From the List"));
        return;
    }
    if (!settle() || !buildList())
        return;
    m_date->setText(core::datetext::shortDate(core::Clock::today()));
    m_note->clear();
    showEntry(true);
    m_note->setFocus();
}

void NotesScreen::saveNote()
{
    const QDate date = core::datetext::parse(m_date->text());
    if (!date.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), m_date->text()));
        m_date->setFocus();
        return;
    }
    if (const auto written =
            health::addNote(db::DatabaseFiles::kennel(), *m_dogId, date, m_note->text());
        !written) {
        core::tellNothingChanged(QStringLiteral("The note"), written.problem());
        return;
    }
    m_list->clear();
    m_list->addItems(notesOf(db::DatabaseFiles::kennel(), *m_dogId));
    showEntry(false);
}

// A started note is kept when it has text and dropped when it is empty.
bool NotesScreen::settle()
{
    if (!isAdding())
        return true;
    if (m_note->text().isEmpty()) {
        showEntry(false);
        return true;
    }
    saveNote();
    return !isAdding();
}

QStringList NotesScreen::lines() const
{
    return ui::listTexts(m_list);
}

} // namespace health
