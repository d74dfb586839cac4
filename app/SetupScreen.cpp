#include "app/SetupScreen.h"

#include "app/LocalSettings.h"

#include "core/Money.h"
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
      m_record(db::DatabaseFiles::kennel(), db::tables::setup)
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

    grid->addWidget(buildLocalSettings(), 11, 0, 1, 4);
    grid->setRowStretch(12, 1);
    m_record.show();
}

QGroupBox *SetupScreen::buildLocalSettings()
{
    namespace local = localsettings;
    auto *group = new QGroupBox(QStringLiteral("Local settings"));
    auto *grid = new QGridLayout(group);
    int row = 0;
    for (const local::ListSetting *setting : local::all()) {
        // The symbol is typed, and stands before where it goes.
        if (setting == &local::currencyPlace()) {
            m_currencySymbol = new QLineEdit;
            m_currencySymbol->setObjectName(QStringLiteral("currencySymbol"));
            ui::addField(grid, row++, 0, local::currencySymbolCaption(), m_currencySymbol);
        }
        auto *list = new QComboBox;
        list->setObjectName(setting->objectName);
        list->addItems(setting->entries);
        ui::addField(grid, row++, 0, setting->caption, list);
        connect(list, &QComboBox::activated, this, [this, setting](int entry) {
            if (entry == setting->current())
                return;
            // A new date order first lets the open screens save what is typed in the old.
            if (setting == &local::dateOrder())
                Q_EMIT dateOrderChosen(core::datetext::Order(entry));
            else
                local::choose(*setting, entry);
            showLocalSettings();
        });
        m_localSettings << list;
    }
    connect(m_currencySymbol, &QLineEdit::editingFinished, this, [this] {
        const QString typed = m_currencySymbol->text().trimmed();
        // Shown before a refusal is told, so that the focus leaving for the message does not
        // offer the refused symbol once more.
        showLocalSettings();
        if (typed != core::money::currency().symbol && local::chooseCurrencySymbol(typed))
            showLocalSettings();
    });
    grid->setColumnStretch(2, 1);
    // Choices the kennel file cannot keep would be lost with the session.
    group->setEnabled(!db::DatabaseFiles::isReadOnly());
    showLocalSettings();
    return group;
}

void SetupScreen::showLocalSettings()
{
    const QList<const localsettings::ListSetting *> settings = localsettings::all();
    for (qsizetype i = 0; i < m_localSettings.size(); ++i)
        m_localSettings[i]->setCurrentIndex(settings[i]->current());
    m_currencySymbol->setText(core::money::currency().symbol);
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
