#include "ui/PickList.h"

#include <QCollator>
#include <QCompleter>
#include <QListView>
#include <QStringListModel>
#include <algorithm>
#include <vector>

namespace ui {

PickList::PickList(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Measuring every entry of a long list of dogs would stall the screen on first show.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    configureView();
}

void PickList::configureView()
{
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
    if (completer()) {
        completer()->setCaseSensitivity(Qt::CaseInsensitive);
        completer()->setCompletionMode(QCompleter::PopupCompletion);
        completer()->setFilterMode(Qt::MatchStartsWith);
    }
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
    // Sort keys once per entry: comparing through the collator would cost a lookup per
    // comparison, far too slow for a list of every dog in a large kennel.
    // Without a language (the C locale) the collator would only compare code points.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries.at(i)), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted << entries.at(key.second);
    entries = std::move(sorted);
}

void PickList::setSharedEntries(QStringListModel *model)
{
    const QString shown = currentText();
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
