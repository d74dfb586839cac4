#include "money/EntryBox.h"

#include "ui/FieldGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace money {

QGroupBox *entryBox(QGridLayout *form, EntryButtons *buttons)
{
    auto *box = new QGroupBox(QStringLiteral("Entry"));
    buttons->add = ui::pushButton(QStringLiteral("New Entry"), QStringLiteral("newEntry"));
    buttons->save = ui::pushButton(QStringLiteral("Save Entry"), QStringLiteral("saveEntry"));
    buttons->remove =
        ui::pushButton(QStringLiteral("Delete Entry..."), QStringLiteral("deleteEntry"));
    auto *row = new QHBoxLayout;
    for (QPushButton *b : {buttons->add, buttons->save, buttons->remove})
        row->addWidget(b);
    row->addStretch();
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addLayout(row);
    layout->addStretch();
    return box;
}

} // namespace money
