#include "ui/ChooserScreen.h"

#include "ui/PickList.h"

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
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    addButtonRow(layout, QStringLiteral("Ok"), QStringLiteral("ok"), [this] {
        ok();
    })->setDefault(true);
}

} // namespace ui
