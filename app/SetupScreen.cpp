#include "app/SetupScreen.h"

#include "db/DatabaseFiles.h"
#include "db/Tables.h"
#include "ui/Countries.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace app {

SetupScreen::SetupScreen(QWidget *parent)
    : ui::RecordScreen(screenName(), QStringLiteral("Setup Information"), parent),
      m_record(db::DatabaseFiles::kennel(), db::tables::setup)
{
    auto *grid = new QGridLayout(this);
    auto place = [grid](int row, int column, const QString &caption, QWidget *control,
                        const char *field) {
        control->setObjectName(QString::fromLatin1(field));
        ui::addField(grid, row, column, caption, control);
    };
    auto text = [this](const char *field) {
        auto *edit = new QLineEdit;
        m_record.fields().bind(QString::fromLatin1(field), edit);
        return edit;
    };
    auto *address = new QPlainTextEdit;
    address->setTabChangesFocus(true);
    address->setFixedHeight(address->fontMetrics().lineSpacing() * 3 + 12);
    m_record.fields().bind(QStringLiteral("Address"), address);
    auto *country = new ui::PickList;
    country->setEntries(ui::setupCountries());
    m_record.fields().bind(QStringLiteral("country"), country);

    place(0, 0, QStringLiteral("Kennel Prefix"), text("Kennelname"), "Kennelname");
    place(1, 0, QStringLiteral("Name "), text("Name"), "Name");
    place(1, 1, QStringLiteral("Breeder Registration #"), text("breederregistration"),
          "breederregistration");
    place(2, 0, QStringLiteral("Address"), address, "Address");
    place(3, 0, QStringLiteral("City "), text("City"), "City");
    place(4, 0, QStringLiteral("State"), text("State"), "State");
    place(5, 0, QStringLiteral("Postcode/Zip"), text("postcode"), "postcode");
    place(6, 0, QStringLiteral("Country"), country, "country");
    place(7, 0, QStringLiteral("Phone"), text("phone"), "phone");
    place(8, 0, QStringLiteral("Fax"), text("fax"), "fax");
    place(9, 0, QStringLiteral("Email"), text("email"), "email");
    place(10, 0, QStringLiteral("Website"), text("webaddress"), "webaddress");
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(11, 1);
    m_record.show();
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
