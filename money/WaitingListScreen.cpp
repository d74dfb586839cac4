#include "money/WaitingListScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "money/Accounts.h"
#include "money/DepositsPanel.h"
#include "money/EntryBox.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

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
namespace {

const QString contactPrompt = QStringLiteral("Select or type a name");

} // namespace

WaitingListScreen::WaitingListScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Waiting List"), parent),
      m_model(new WaitingListModel(this)), m_filter(new WaitingListFilter(this)),
      m_statusFilter(ui::comboBox(QStringLiteral("statusFilter"))),
      m_litterFilter(ui::comboBox(QStringLiteral("litterFilter"))),
      m_table(ui::sortedTable(QStringLiteral("entries"), QStringLiteral("Waiting list"), m_filter,
                              WaitingListModel::Pick)),
      m_pickCaption(new QLabel), m_picks(new QListWidget),
      m_contact(ui::pickList(QStringLiteral("contact"))),
      m_enquired(ui::textBox(QStringLiteral("enquired"))),
      m_sex(ui::comboBox(QStringLiteral("sex"), true)),
      m_colour(ui::textBox(QStringLiteral("colour"))),
      m_breed(ui::textBox(QStringLiteral("breed"))),
      m_litter(ui::comboBox(QStringLiteral("litter"))),
      m_status(ui::comboBox(QStringLiteral("status"))), m_pup(ui::comboBox(QStringLiteral("pup"))),
      m_note(ui::textBox(QStringLiteral("note"))), m_deposits(new DepositsPanel)
{
    m_filter->setSourceModel(m_model);
    m_filter->setSortRole(WaitingListModel::sortRole);
    m_filter->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_filter->sort(WaitingListModel::Pick);
    m_table->setColumnWidth(WaitingListModel::Pick, 45);
    m_table->setColumnWidth(WaitingListModel::Wants, 150);
    m_table->setColumnWidth(WaitingListModel::Litter, 190);

    m_statusFilter->addItem(QStringLiteral("All statuses"));
    m_statusFilter->addItems(statusWords());
    m_status->addItems(statusWords());
    m_sex->addItems({QString(), QStringLiteral("Male"), QStringLiteral("Female")});
    m_contact->setPrompt(contactPrompt);
    m_picks->setObjectName(QStringLiteral("pickOrder"));
    m_picks->setAccessibleName(QStringLiteral("Pick order"));
    m_picks->setDragDropMode(QAbstractItemView::InternalMove);
    m_picks->setDefaultDropAction(Qt::MoveAction);
    m_pickCaption->setBuddy(m_picks);

    auto *filters = new QGridLayout;
    ui::addField(filters, 0, 0, QStringLiteral("Show status"), m_statusFilter);
    ui::addField(filters, 0, 1, QStringLiteral("Litter"), m_litterFilter);
    filters->setColumnStretch(3, 1);

    QPushButton *up = ui::pushButton(QStringLiteral("Up"), QStringLiteral("pickUp"));
    QPushButton *down = ui::pushButton(QStringLiteral("Down"), QStringLiteral("pickDown"));
    auto *pickButtons = new QHBoxLayout;
    pickButtons->addWidget(up);
    pickButtons->addWidget(down);
    auto *pickPanel = new QVBoxLayout;
    pickPanel->addWidget(m_pickCaption);
    pickPanel->addWidget(m_picks, 1);
    pickPanel->addLayout(pickButtons);
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_table, 3);
    lists->addLayout(pickPanel, 1);

    auto *form = new QGridLayout;
    ui::addField(form, 0, 0, QStringLiteral("Contact"), m_contact, 3);
    ui::addField(form, 1, 0, QStringLiteral("Enquired"), m_enquired);
    form->addWidget(ui::dateHint(), 1, 2);
    ui::addField(form, 2, 0, QStringLiteral("Sex wanted"), m_sex);
    ui::addField(form, 2, 1, QStringLiteral("Colour wanted"), m_colour);
    ui::addField(form, 3, 0, QStringLiteral("Breed wanted"), m_breed);
    ui::addField(form, 3, 1, QStringLiteral("Litter"), m_litter);
    ui::addField(form, 4, 0, QStringLiteral("Status"), m_status);
    ui::addField(form, 4, 1, QStringLiteral("Pup"), m_pup);
    ui::addField(form, 5, 0, QStringLiteral("Note"), m_note, 3);
    EntryButtons buttons;
    QGroupBox *entry = entryBox(form, &buttons);
    setMainButton(buttons.save);
    auto *lower = new QHBoxLayout;
    lower->addWidget(entry, 3);
    lower->addWidget(m_deposits, 2);

    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(lists, 1);
    layout->addLayout(lower);
    layout->addLayout(bottom);
    setMinimumSize(980, 640);

    connect(m_statusFilter, &QComboBox::currentIndexChanged, this,
            &WaitingListScreen::filterChanged);
    connect(m_litterFilter, &QComboBox::currentIndexChanged, this,
            &WaitingListScreen::filterChanged);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &WaitingListScreen::showChosen);
    connect(up, &QPushButton::clicked, this, [this] { movePick(-1); });
    connect(down, &QPushButton::clicked, this, [this] { movePick(1); });
    connect(m_picks->model(), &QAbstractItemModel::rowsMoved, this,
            &WaitingListScreen::pickOrderDropped);
    connect(buttons.add, &QPushButton::clicked, this, &WaitingListScreen::newEntry);
    connect(buttons.save, &QPushButton::clicked, this, [this] { saveEntry(); });
    connect(buttons.remove, &QPushButton::clicked, this, &WaitingListScreen::deleteEntry);
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    connect(m_litter, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing)
            fillPups(m_litter->currentData().toLongLong(), 0);
    });
    connect(m_pup, &QComboBox::currentIndexChanged, this, [this] {
        // A pup chosen for a buyer who had not got that far is their match.
        const QStringList before{enquiryStatus, QStringLiteral("Approved"), depositPaidStatus};
        if (!m_showing && m_pup->currentData().toLongLong() > 0 &&
            before.contains(m_status->currentText()))
            m_status->setCurrentText(matchedStatus);
    });
    connect(m_deposits, &DepositsPanel::depositsChanged, this, [this] { reload(m_shownId); });
    // What was typed in the entry is saved before its deposits change, or they do not.
    m_deposits->setBeforeWriting([this] { return !formEdited() || saveEntry(); });
}

void WaitingListScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_contact->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedNamedContacts));
    reload(0);
}

std::optional<qint64> WaitingListScreen::chosenLitterFilter() const
{
    const QVariant litter = m_litterFilter->currentData();
    return litter.isValid() ? std::optional<qint64>(litter.toLongLong()) : std::nullopt;
}

void WaitingListScreen::reload(qint64 keepId)
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto entries = waitingEntries(kennel);
    const auto names = linkedNames(kennel);
    if (!entries || !names) {
        core::tell(QStringLiteral("The waiting list could not be read."));
        return;
    }
    m_litters = {{0, QStringLiteral("next litter")}};
    m_litters.insert(m_litters.end(), names->latestLitters.begin(), names->latestLitters.end());
    m_showing = true;
    const QVariant filtered = m_litterFilter->currentData();
    m_litterFilter->clear();
    m_litterFilter->addItem(QStringLiteral("All litters"));
    m_litter->clear();
    for (const auto &[id, label] : m_litters) {
        m_litterFilter->addItem(label, id);
        m_litter->addItem(label, id);
    }
    m_litterFilter->setCurrentIndex(std::max(0, m_litterFilter->findData(filtered)));
    QHash<qint64, QString> litters = names->litters;
    litters.insert(0, m_litters.front().second);
    m_model->setEntries(*entries, names->contacts, litters, names->dogs);
    m_showing = false;
    m_shownId = 0;
    filterChanged();
    // What the form held is saved or dropped by now: the entry is shown as the file has it.
    const QModelIndex at = m_filter->mapFromSource(m_model->index(m_model->rowOf(keepId), 0));
    if (at.isValid()) {
        m_showing = true;
        m_table->setCurrentIndex(at);
        m_showing = false;
        showEntry(*m_model->entryWithId(keepId));
    } else {
        newEntry();
    }
}

void WaitingListScreen::filterChanged()
{
    if (m_showing)
        return;
    m_filter->setFilter(m_statusFilter->currentIndex() > 0 ? m_statusFilter->currentText()
                                                           : QString(),
                        chosenLitterFilter());
    showPickOrder();
}

void WaitingListScreen::showChosen()
{
    if (m_showing)
        return;
    const QModelIndex current = m_filter->mapToSource(m_table->currentIndex());
    const WaitingEntry *entry = m_model->entry(current.row());
    if (!entry || entry->id == m_shownId)
        return;
    const qint64 id = entry->id;
    if (formEdited() && !saveEntry()) {
        // The typed entry stays on view until it is saved or put right.
        m_showing = true;
        const QModelIndex shown =
            m_filter->mapFromSource(m_model->index(m_model->rowOf(m_shownId), 0));
        if (shown.isValid())
            m_table->setCurrentIndex(shown);
        else
            m_table->clearSelection();
        m_showing = false;
        return;
    }
    if (id == m_shownId || !m_model->entryWithId(id))
        return;
    m_showing = true;
    m_table->setCurrentIndex(m_filter->mapFromSource(m_model->index(m_model->rowOf(id), 0)));
    m_showing = false;
    showEntry(*m_model->entryWithId(id));
}

void WaitingListScreen::showEntry(const WaitingEntry &entry)
{
    m_showing = true;
    m_shownId = entry.id;
    m_contact->setText(entry.contactId > 0 ? m_model->contactName(entry.contactId) : contactPrompt);
    m_enquired->setText(core::datetext::shortDate(entry.enquired));
    m_sex->setCurrentText(entry.sex);
    m_colour->setText(entry.colour);
    m_breed->setText(entry.breed);
    m_litter->setCurrentIndex(std::max(0, m_litter->findData(entry.litterId)));
    m_status->setCurrentText(entry.status.isEmpty() ? enquiryStatus : entry.status);
    m_note->setText(entry.note);
    fillPups(entry.litterId, entry.dogId);
    m_showing = false;
    m_shownForm = {m_contact->text(),       m_enquired->text(),   m_sex->currentText(),
                   m_colour->text(),        m_breed->text(),      m_litter->currentText(),
                   m_status->currentText(), m_pup->currentText(), m_note->text()};
    m_deposits->showEntry(entry.id > 0 ? &entry : nullptr, m_model->contactName(entry.contactId),
                          m_litters);
    showPickOrder();
}

void WaitingListScreen::fillPups(qint64 litterId, qint64 dogId)
{
    const bool showing = m_showing;
    m_showing = true;
    m_pup->clear();
    m_pup->addItem(QStringLiteral("No pup matched"), qint64(0));
    if (litterId > 0) {
        if (const auto pups = pupsOfLitter(db::DatabaseFiles::kennel(), litterId)) {
            for (const PupChoice &pup : *pups)
                m_pup->addItem(pup.sex.isEmpty() ? pup.name
                                                 : QStringLiteral("%1 (%2)").arg(pup.name, pup.sex),
                               pup.dogId);
        }
    }
    if (dogId > 0 && m_pup->findData(dogId) < 0)
        m_pup->addItem(m_model->pupName(dogId), dogId);
    m_pup->setCurrentIndex(std::max(0, m_pup->findData(dogId)));
    m_showing = showing;
}

void WaitingListScreen::showPickOrder()
{
    const std::optional<qint64> filtered = chosenLitterFilter();
    const WaitingEntry *shown = m_model->entryWithId(m_shownId);
    m_pickLitter = filtered ? *filtered : shown ? shown->litterId : 0;
    m_pickCaption->setText(QStringLiteral("Pick order, %1").arg(m_model->litterName(m_pickLitter)));
    m_picks->clear();
    for (const WaitingEntry *e : m_model->pickOrder(m_pickLitter)) {
        auto *item = new QListWidgetItem(
            QStringLiteral("%1. %2").arg(e->pick).arg(m_model->contactName(e->contactId)), m_picks);
        item->setData(Qt::UserRole, e->id);
        if (e->id == m_shownId)
            m_picks->setCurrentItem(item);
    }
}

void WaitingListScreen::movePick(int by)
{
    const int row = m_picks->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_picks->count())
        return;
    QListWidgetItem *item = m_picks->takeItem(row);
    m_picks->insertItem(to, item);
    m_picks->setCurrentRow(to);
    pickOrderDropped();
}

void WaitingListScreen::pickOrderDropped()
{
    QList<qint64> ids;
    for (int i = 0; i < m_picks->count(); ++i)
        ids << m_picks->item(i)->data(Qt::UserRole).toLongLong();
    const qint64 moved = m_picks->currentItem()
                             ? m_picks->currentItem()->data(Qt::UserRole).toLongLong()
                             : m_shownId;
    if (const auto set = setPickOrder(db::DatabaseFiles::kennel(), ids); !set) {
        core::tellNothingChanged(QStringLiteral("The pick order"), set.problem());
        return;
    }
    reload(m_shownId);
    for (int i = 0; i < m_picks->count(); ++i) {
        if (m_picks->item(i)->data(Qt::UserRole).toLongLong() == moved)
            m_picks->setCurrentRow(i);
    }
}

} // namespace money
