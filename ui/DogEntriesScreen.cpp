#include "ui/DogEntriesScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "kennel/DogFinder.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {
namespace {

const QString chooseADog = QStringLiteral(" Please Select a Dog From the List");

} // namespace

DogEntriesScreen::DogEntriesScreen(const QString &objectName, const QString &caption,
                                   const QString &entry, SharedList dogs, QWidget *parent)
    : Screen(objectName, caption, parent), m_entry(entry), m_dogs(dogs),
      m_dog(pickList(QStringLiteral("dog"))), m_table(nullptr)
{
}

void DogEntriesScreen::build(const QString &dogCaption, QFormLayout *top, const QString &tableName,
                             const QStringList &columns, QFormLayout *entry)
{
    m_dog->setPrompt(QStringLiteral("Select a Dog"));
    top->insertRow(0, dogCaption, m_dog);
    m_table = entryTable(tableName, windowTitle(), columns);
    const QString name = m_entry.simplified().remove(QLatin1Char(' '));
    QPushButton *add = pushButton(QStringLiteral("New ") + m_entry, QStringLiteral("new") + name);
    QPushButton *save =
        pushButton(QStringLiteral("Save ") + m_entry, QStringLiteral("save") + name);
    QPushButton *remove =
        pushButton(QStringLiteral("Delete ") + m_entry, QStringLiteral("delete") + name);
    QPushButton *close = pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(add, &QPushButton::clicked, this, &DogEntriesScreen::newEntry);
    connect(save, &QPushButton::clicked, this, [this] { saveTyped(); });
    connect(remove, &QPushButton::clicked, this, &DogEntriesScreen::deleteEntry);
    connect(close, &QPushButton::clicked, this, &Screen::closeScreen);
    setMainButton(save);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, save, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(entry);
    layout->addLayout(buttons);

    connect(m_dog, &PickList::textChosen, this, &DogEntriesScreen::chooseDog);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_filling)
            showEntry(row);
    });
}

void DogEntriesScreen::load()
{
    m_dog->setSharedEntries(sharedNames(db::DatabaseFiles::kennel(), m_dogs));
    if (m_dogId) {
        showEntries();
        return;
    }
    clearEntry();
    m_dog->setFocus();
}

void DogEntriesScreen::markEdited()
{
    m_edited = m_edited || !m_filling;
}

void DogEntriesScreen::showDog(qint64 dogId, const QString &name)
{
    if (!settle())
        return;
    m_dogId = dogId;
    m_dogName = name;
    m_dog->setText(name);
    if (isLoaded())
        showEntries();
}

// Follows the name as it is typed: each name that is a dog's shows that dog.
void DogEntriesScreen::chooseDog()
{
    const QString name = m_dog->text();
    std::optional<qint64> id;
    kennel::DogFinder finder(db::DatabaseFiles::kennel(), {db::fields::dogs::id});
    if (!name.isEmpty() && !m_dog->showsPrompt() && finder.find(name))
        id = finder.value(db::fields::dogs::id).toLongLong();
    if (id == m_dogId || !settle())
        return;
    m_dogId = id;
    m_dogName = id ? name : QString();
    if (id) {
        showEntries();
        return;
    }
    m_ids.clear();
    m_table->setRowCount(0);
    clearEntry();
    entriesShown();
}

// The entry on view stays on view where it still exists.
void DogEntriesScreen::refresh()
{
    m_edited = false;
    if (!m_dogId)
        return;
    const qint64 shown = m_shownId;
    showEntries();
    const auto at = std::find(m_ids.begin(), m_ids.end(), shown);
    if (shown != 0 && at != m_ids.end())
        m_table->setCurrentCell(int(at - m_ids.begin()), 0);
}

void DogEntriesScreen::showEntries()
{
    const Entries entries = readEntries(*m_dogId).value_or(Entries{});
    m_ids = entries.ids;
    m_filling = true;
    fillEntryTable(m_table, entries.rows);
    m_filling = false;
    entriesShown();
    clearEntry();
}

void DogEntriesScreen::clearEntry()
{
    m_filling = true;
    m_shownId = 0;
    m_table->setCurrentCell(-1, -1);
    fillForm(-1);
    m_filling = false;
    m_edited = false;
}

void DogEntriesScreen::showEntry(int row)
{
    if (row < 0 || row >= int(m_ids.size()))
        return;
    const qint64 id = m_ids[size_t(row)];
    // Saving what was typed reads the entries again: the row is found by its id.
    if (m_edited && id != m_shownId && !saveTyped())
        return;
    const auto at = std::find(m_ids.begin(), m_ids.end(), id);
    if (at == m_ids.end())
        return;
    m_filling = true;
    m_shownId = id;
    fillForm(int(at - m_ids.begin()));
    m_filling = false;
    m_edited = false;
}

bool DogEntriesScreen::saveTyped()
{
    if (!m_dogId) {
        core::tell(chooseADog);
        return false;
    }
    if (!writeEntry(m_shownId))
        return false;
    m_edited = false;
    showEntries();
    return true;
}

void DogEntriesScreen::newEntry()
{
    if (!m_dogId) {
        core::tell(chooseADog);
        return;
    }
    if (!settle())
        return;
    clearEntry();
    firstBox()->setFocus();
}

void DogEntriesScreen::deleteEntry()
{
    const auto at = std::find(m_ids.begin(), m_ids.end(), m_shownId);
    if (m_shownId == 0 || at == m_ids.end())
        return;
    if (removeEntry(int(at - m_ids.begin())))
        showEntries();
}

bool DogEntriesScreen::settle()
{
    if (!m_edited || !m_dogId)
        return true;
    if (m_shownId == 0 && !formHasContent()) {
        m_edited = false;
        return true;
    }
    return saveTyped();
}

} // namespace ui
