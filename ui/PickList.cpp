#include "ui/PickList.h"

#include "core/SearchText.h"
#include "ui/FieldGrid.h"
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
    setModel(new QStringListModel(this));
}

void PickList::configureView()
{
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
}

QStringList PickList::matching(const QStringList &entries, const QString &typed)
{
    const QString needle = core::searchFolded(typed);
    if (needle.isEmpty())
        return {};
    QStringList starting;
    QStringList inside;
    for (const QString &entry : entries) {
        const qsizetype at = core::searchPosition(entry, needle);
        if (at == 0)
            starting << entry;
        else if (at > 0)
            inside << entry;
    }
    return starting + inside;
}

void PickList::offerCompletions(const QString &typed)
{
    auto *entries = qobject_cast<QStringListModel *>(model());
    m_matches->setStringList(entries ? matching(entries->stringList(), typed) : QStringList());
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
    auto *model = qobject_cast<QStringListModel *>(this->model());
    if (!model || model->parent() != this) {
        setSharedEntries(new QStringListModel(std::move(entries), this));
        return;
    }
    const QString shown = currentText();
    model->setStringList(entries);
    setText(shown);
}

void PickList::sortAlphabetically(QStringList &entries)
{
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const qsizetype at : alphabeticalOrder(entries))
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

std::vector<qsizetype> PickList::alphabeticalOrder(const QStringList &entries)
{
    // Sort keys once per entry: comparing through the collator would cost a lookup per
    // comparison, far too slow for a list of every dog in a large kennel.
    const QCollator collator = alphabeticalCollator();
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries.at(i)), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    std::vector<qsizetype> order;
    order.reserve(keys.size());
    for (const auto &key : keys)
        order.push_back(key.second);
    return order;
}

void PickList::setSharedEntries(std::shared_ptr<QStringListModel> model)
{
    setSharedEntries(model.get());
    m_shared = std::move(model);
}

void PickList::setSharedEntries(QStringListModel *model)
{
    const QString shown = currentText();
    setModel(model);
    configureView();
    m_shared.reset();
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
