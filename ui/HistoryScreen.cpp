#include "ui/HistoryScreen.h"

#include "ui/FieldGrid.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

HistoryScreen::HistoryScreen(const QString &objectName, const QString &caption, QLayout *heading,
                             const QSize &minimum, QWidget *parent)
    : Screen(objectName, caption, parent), m_list(new QListWidget)
{
    m_list->setObjectName(QStringLiteral("history"));
    m_list->setAccessibleName(caption);
    QPushButton *close = pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &Screen::closeScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(m_list);
    layout->addWidget(close, 0, Qt::AlignRight);
    setMinimumSize(minimum);
}

QStringList HistoryScreen::lines() const
{
    return listTexts(m_list);
}

void HistoryScreen::showLines(const QStringList &lines)
{
    m_list->clear();
    m_list->addItems(lines);
}

QLabel *HistoryScreen::boldLabel(const QString &objectName, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(objectName);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace ui
