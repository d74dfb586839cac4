#include "contacts/AllContactsTable.h"

#include "db/Fields.h"
#include "db/Tables.h"

namespace contacts {

using Column = ui::RowTableModel::Column;

ui::RowTableModel *allContactsTable()
{
    namespace contact = db::fields::contacts;
    return new ui::RowTableModel(
        db::SearchableRows(db::tables::contacts, {contact::name, contact::city, contact::country,
                                                  contact::phone, contact::email}),
        {Column::text(QStringLiteral("Name"), 0, 30), Column::text(QStringLiteral("City"), 1, 18),
         Column::text(QStringLiteral("Country"), 2, 16),
         Column::text(QStringLiteral("Phone"), 3, 16),
         Column::text(QStringLiteral("Email"), 4, 26)});
}

} // namespace contacts
