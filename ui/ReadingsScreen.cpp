#include "ui/ReadingsScreen.h"

#include "ui/FieldGrid.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

ReadingsScreen::ReadingsScreen(const QString &objectName, const QString &caption,
                               const QString &entry, QWidget *parent)
    : Screen(objectName, caption, parent), m_entry(entry), m_table(new QTableWidget)
{
}

void ReadingsScreen::build(QWidget *above, const QString &tableName, const QStringList &columns,
                           QFormLayout *form)
{
    m_table->setObjectName(tableName);
    m_table->setAccessibleName(windowTitle());
    m_table->setColumnCount(int(columns.size()));
    m_table->setHorizontalHeaderLabels(columns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);

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
    const std::vector<QStringList> rows = readRows().value_or(std::vector<QStringList>{});
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int column = 0; column < rows[size_t(row)].size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(rows[size_t(row)][column]));
    }
    m_table->resizeColumnsToContents();
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
