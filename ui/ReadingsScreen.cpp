#include "ui/ReadingsScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "ui/FieldGrid.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

ReadingsScreen::ReadingsScreen(const QString &objectName, const QString &caption,
                               const QString &entry, QWidget *parent)
    : Screen(objectName, caption, parent), m_entry(entry), m_table(nullptr)
{
}

void ReadingsScreen::build(QWidget *above, const QString &tableName, const QStringList &columns,
                           QFormLayout *form)
{
    m_table = entryTable(tableName, windowTitle(), columns);

    QPushButton *add = pushButton(QStringLiteral("Add ") + m_entry, QStringLiteral("add"));
    QPushButton *remove = pushButton(QStringLiteral("Delete ") + m_entry, QStringLiteral("delete"));
    QPushButton *close = pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(add, &QPushButton::clicked, this, &ReadingsScreen::add);
    connect(remove, &QPushButton::clicked, this, &ReadingsScreen::remove);
    connect(close, &QPushButton::clicked, this, &Screen::closeScreen);
    setMainButton(add);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(above, 2);
    layout->addWidget(m_table, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void ReadingsScreen::showReadings()
{
    fillEntryTable(m_table, readRows().value_or(std::vector<QStringList>{}));
    readingsShown();
}

void ReadingsScreen::add()
{
    if (!addReading())
        return;
    clearForm();
    showReadings();
    Q_EMIT readingsChanged();
    firstBox()->setFocus();
}

void ReadingsScreen::remove()
{
    const int row = m_table->currentRow();
    if (row < 0 || !removeReading(row))
        return;
    showReadings();
    Q_EMIT readingsChanged();
}

std::optional<core::moments::Moment> ReadingsScreen::typedMoment(QLineEdit *day, QLineEdit *time)
{
    core::moments::Moment moment;
    moment.day = core::datetext::parse(day->text());
    if (!moment.day.isValid() && !day->text().trimmed().isEmpty()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), day->text()));
        day->setFocus();
        return std::nullopt;
    }
    const auto typed = core::moments::parseTime(time->text());
    if (!typed) {
        core::tell(core::moments::invalidTimeMessage(QStringLiteral("Time")));
        time->setFocus();
        return std::nullopt;
    }
    moment.time = *typed;
    return moment;
}

bool ReadingsScreen::settle()
{
    if (!formHasContent())
        return true;
    if (!addReading())
        return false;
    clearForm();
    Q_EMIT readingsChanged();
    return true;
}

} // namespace ui
