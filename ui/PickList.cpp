#include "ui/PickList.h"

#include <QCollator>
#include <QCompleter>
#include <QListView>
#include <QStringListModel>
#include <algorithm>

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
    if (order == Order::Alphabetical) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(entries.begin(), entries.end(), collator);
    }
    const QString shown = currentText();
    clear();
    addItems(entries);
    setText(shown);
}

void PickList::setSharedEntries(QStringListModel *model)
{
    const QString shown = currentText();
    setModel(model);
    configureView();
    setText(shown);
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
