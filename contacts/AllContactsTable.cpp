#include "contacts/AllContactsTable.h"

#include "db/Fields.h"
#include "kennel/RecordKinds.h"

namespace contacts {

using Column = ui::RowTableModel::Column;

ui::RowTableModel *allContactsTable()
{
    namespace contact = db::fields::contacts;
    return new ui::RowTableModel(db::SearchableRows(kennel::records::contacts(),
                                                    {contact::name, contact::city, contact::country,
                                                     contact::phone, contact::email}),
                                 {Column::text(QStringLiteral("Name"), 0, 30),
                                  Column::text(QStringLiteral("City"), 1, 18),
                                  Column::text(QStringLiteral("Country"), 2, 16),
                                  Column::text(QStringLiteral("Phone"), 3, 16),
                                  Column::text(QStringLiteral("Email"), 4, 26)});
}

} // namespace contacts
