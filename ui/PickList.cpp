#include "ui/PickList.h"

#include "core/SearchText.h"
#include "ui/FieldGrid.h"
#include "ui/NameListModel.h"
#include "ui/PickListAccessible.h"
#include <algorithm>

#include <QAbstractItemView>
#include <QCollator>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <vector>

namespace ui {

PickList::PickList(QWidget *parent)
    : QComboBox(parent), m_completer(new QCompleter(this)), m_matches(new QStringListModel(this))
{
    installAccessibleInterface();
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The combo box's own completer, being case-blind, would make the box snap a typed
    // "bella" to the entry "Bella" whenever editing ends. This one only offers entries:
    // the text changes only when the user takes one.
    setCompleter(nullptr);
    m_completer->setWidget(lineEdit());
    // Entries are matched here, anywhere in the name: every dog of a kennel starts with the
    // kennel's prefix, so matching only the start would offer nothing useful.
    m_completer->setModel(m_matches);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PickList::offerCompletions);
    selectAllOnFocus(
        lineEdit(), [this] { return !m_prompt.isEmpty() && showsPrompt(); }, this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PickList::textChosen);
    connect(this, &QComboBox::textActivated, this, &PickList::textChosen);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this,
            [this](const QString &text) {
                setText(text);
                Q_EMIT textChosen(text);
            });
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::highlighted), this,
            [this](const QModelIndex &index) {
                setText(index.data().toString());
                announceHighlighted(m_completer->popup(), index.row());
                Q_EMIT textChosen(currentText());
            });
    // Measuring every entry of a long list of dogs would stall the screen on first show.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    configureView();
}

PickList::~PickList()
{
    // The shared list may go with this box: nothing of the box may still look at it then.
    m_completer->setModel(nullptr);
    setModel(new NameListModel(QStringList(), this));
}

void PickList::configureView()
{
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
}

void PickList::offerCompletions(const QString &typed)
{
    auto *entries = qobject_cast<NameListModel *>(model());
    m_matches->setStringList(entries ? entries->matching(typed) : QStringList());
    if (m_matches->rowCount() == 0)
        m_completer->popup()->hide();
    else
        m_completer->complete();
}

QWidget *PickList::completionPopup() const
{
    return m_completer->popup();
}

void PickList::setEntries(QStringList entries, Order order)
{
    if (order == Order::Alphabetical)
        sortAlphabetically(entries);
    showEntries(new NameListModel(entries, this));
    m_shared.reset();
}

void PickList::sortAlphabetically(QStringList &entries)
{
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const qint32 at : alphabeticalOrder(core::PackedTexts(entries)))
        sorted << entries.at(at);
    entries = std::move(sorted);
}

QCollator PickList::alphabeticalCollator()
{
    // Without a language (the C locale) the collator would only compare code points.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

void PickList::setSharedEntries(std::shared_ptr<NameListModel> model)
{
    showEntries(model.get());
    m_shared = std::move(model);
}

void PickList::showEntries(NameListModel *model)
{
    const QString shown = currentText();
    // The box deletes a model of its own that it no longer shows.
    setModel(model);
    configureView();
    setText(shown);
}

QStringList PickList::entries() const
{
    QStringList all;
    for (int i = 0; i < count(); ++i)
        all << itemText(i);
    return all;
}

void PickList::setPrompt(const QString &prompt)
{
    m_prompt = prompt;
    setText(prompt);
}

void PickList::setText(const QString &text)
{
    setCurrentIndex(-1);
    setEditText(text);
}

} // namespace ui
