#include "ui/ChooserScreen.h"

#include "ui/PickList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

ChooserScreen::ChooserScreen(const QString &objectName, const QString &caption, const QString &text,
                             QWidget *parent)
    : Screen(objectName, caption, parent), m_list(new PickList)
{
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setMinimumContentsLength(32);
    auto *label = new QLabel(text);
    label->setBuddy(m_list);
    auto *okButton = new QPushButton(QStringLiteral("Ok"));
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    setMainButton(okButton);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(okButton, &QPushButton::clicked, this, &ChooserScreen::ok);
    connect(cancel, &QPushButton::clicked, this, &Screen::closeScreen);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

} // namespace ui
