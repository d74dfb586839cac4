// The waiting list screen's editing: a new entry, the typed entry checked, saved or deleted.
#include "money/WaitingListScreen.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "kennel/Contacts.h"
#include "ui/PickList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace money {

void WaitingListScreen::newEntry()
{
    if (m_shownId != 0 && formEdited() && !saveEntry())
        return;
    WaitingEntry entry;
    entry.enquired = core::Clock::today();
    entry.status = enquiryStatus;
    if (const std::optional<qint64> litter = chosenLitterFilter())
        entry.litterId = *litter;
    m_table->clearSelection();
    showEntry(entry);
    m_contact->setFocus();
}

bool WaitingListScreen::formEdited() const
{
    const QStringList now{m_contact->text(),       m_enquired->text(),   m_sex->currentText(),
                          m_colour->text(),        m_breed->text(),      m_litter->currentText(),
                          m_status->currentText(), m_pup->currentText(), m_note->text()};
    return now != m_shownForm;
}

bool WaitingListScreen::settle()
{
    return !formEdited() || saveEntry();
}

std::optional<WaitingEntry> WaitingListScreen::typedEntry()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    WaitingEntry entry;
    if (const WaitingEntry *shown = m_model->entryWithId(m_shownId))
        entry = *shown;
    const QString name = m_contact->text();
    if (m_contact->showsPrompt() || name.trimmed().isEmpty()) {
        core::tell(QStringLiteral("Choose the contact the entry is for, or type a new name."));
        m_contact->setFocus();
        return std::nullopt;
    }
    entry.enquired = core::datetext::parse(m_enquired->text());
    if (!entry.enquired.isValid()) {
        core::tell(
            core::datetext::invalidDateMessage(QStringLiteral("Enquired"), m_enquired->text()));
        m_enquired->setFocus();
        return std::nullopt;
    }
    // Two contacts may share a name: an entry keeps its own unless the name was changed.
    if (entry.contactId == 0 || m_model->contactName(entry.contactId) != name)
        entry.contactId = kennel::contactNamed(kennel, name);
    entry.sex = m_sex->currentText();
    entry.colour = m_colour->text();
    entry.breed = m_breed->text();
    entry.litterId = m_litter->currentData().toLongLong();
    entry.status = m_status->currentText();
    entry.dogId = m_pup->currentData().toLongLong();
    entry.note = m_note->text();
    if (entry.dogId > 0) {
        if (const QString refused = matchRefusal(kennel, entry.id, entry.dogId);
            !refused.isEmpty()) {
            core::tell(refused);
            m_pup->setFocus();
            return std::nullopt;
        }
    }
    // A new contact is added last, once nothing else keeps the entry from being saved.
    if (entry.contactId == 0) {
        if (!core::askQuestion(
                QStringLiteral("%1 is not in the contact book. Add it as a new contact?")
                    .arg(name)))
            return std::nullopt;
        const auto added = addContactNamed(kennel, name);
        if (!added) {
            core::tellNothingChanged(QStringLiteral("The contact"), added.problem());
            return std::nullopt;
        }
        entry.contactId = added.value();
    }
    if (const QString problem = entryProblem(entry); !problem.isEmpty()) {
        core::tell(problem);
        return std::nullopt;
    }
    return entry;
}

bool WaitingListScreen::saveEntry()
{
    const std::optional<WaitingEntry> entry = typedEntry();
    if (!entry)
        return false;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QString contact = m_contact->text();
    qint64 id = entry->id;
    if (id == 0) {
        const auto added = addWaitingEntry(kennel, *entry, contact);
        if (!added) {
            core::tellNothingChanged(QStringLiteral("The entry"), added.problem());
            return false;
        }
        id = added.value();
    } else if (const auto saved = saveWaitingEntry(kennel, *entry, contact); !saved) {
        core::tellNothingChanged(QStringLiteral("The entry"), saved.problem());
        return false;
    }
    m_shownId = 0;
    reload(id);
    return true;
}

void WaitingListScreen::deleteEntry()
{
    const WaitingEntry *entry = m_model->entryWithId(m_shownId);
    if (!entry)
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (const QString refused = removalRefusal(kennel, entry->id); !refused.isEmpty()) {
        core::tell(refused);
        return;
    }
    const QString contact = m_model->contactName(entry->contactId);
    if (!core::askQuestion(QStringLiteral("Take %1 off the waiting list?").arg(contact)))
        return;
    if (const auto removed = removeWaitingEntry(kennel, entry->id, contact); !removed) {
        core::tellNothingChanged(QStringLiteral("The entry"), removed.problem());
        return;
    }
    m_shownId = 0;
    reload(0);
}

} // namespace money
