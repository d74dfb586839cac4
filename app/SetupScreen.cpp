#include "app/SetupScreen.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/Tables.h"
#include "ui/Countries.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace app {

SetupScreen::SetupScreen(QWidget *parent)
    : ui::RecordScreen(screenName(), QStringLiteral("Setup Information"), parent),
      m_record(db::DatabaseFiles::kennel(), db::tables::setup), m_dateOrder(new QComboBox)
{
    auto *grid = new QGridLayout(this);
    auto place = [this, grid](int row, int column, const QString &caption, const QString &field,
                              auto *control) {
        control->setObjectName(field);
        m_record.fields().bind(field, control);
        ui::addField(grid, row, column, caption, control);
    };
    auto *address = new QPlainTextEdit;
    address->setTabChangesFocus(true);
    address->setFixedHeight(address->fontMetrics().lineSpacing() * 3 + 12);
    auto *country = new ui::PickList;
    country->setEntries(ui::setupCountries());

    namespace setup = db::fields::setup;
    place(0, 0, QStringLiteral("Kennel Prefix"), setup::kennel, new QLineEdit);
    place(1, 0, QStringLiteral("Name "), setup::name, new QLineEdit);
    place(1, 1, QStringLiteral("Breeder Registration #"), setup::registration, new QLineEdit);
    place(2, 0, QStringLiteral("Address"), setup::address, address);
    place(3, 0, QStringLiteral("City "), setup::city, new QLineEdit);
    place(4, 0, QStringLiteral("State"), setup::state, new QLineEdit);
    place(5, 0, QStringLiteral("Postcode/Zip"), setup::postcode, new QLineEdit);
    place(6, 0, QStringLiteral("Country"), setup::country, country);
    place(7, 0, QStringLiteral("Phone"), setup::phone, new QLineEdit);
    place(8, 0, QStringLiteral("Fax"), setup::fax, new QLineEdit);
    place(9, 0, QStringLiteral("Email"), setup::email, new QLineEdit);
    place(10, 0, QStringLiteral("Website"), setup::web, new QLineEdit);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);

    auto *local = new QGroupBox(QStringLiteral("Local settings"));
    auto *localGrid = new QGridLayout(local);
    m_dateOrder->setObjectName(QStringLiteral("dateOrder"));
    m_dateOrder->addItems(core::datetext::orderNames());
    ui::addField(localGrid, 0, 0, QStringLiteral("Date order"), m_dateOrder);
    localGrid->setColumnStretch(2, 1);
    grid->addWidget(local, 11, 0, 1, 4);
    grid->setRowStretch(12, 1);
    connect(m_dateOrder, &QComboBox::activated, this, [this](int index) {
        if (const auto order = core::datetext::Order(index); order != core::datetext::order())
            Q_EMIT dateOrderChosen(order);
    });
    showDateOrder();
    m_record.show();
}

void SetupScreen::showDateOrder()
{
    m_dateOrder->setCurrentIndex(int(core::datetext::order()));
}

void SetupScreen::load()
{
    db::TableCursor &setup = m_record.cursor();
    // Readers of the setup row expect one; a table without it gets an empty one.
    if (!setup.first() && setup.addNew())
        setup.update();
    m_record.show();
}

} // namespace app
