#pragma once

#include "ui/RowTableModel.h"

namespace contacts {

// "All Contacts": every contact's name, city, country, phone and e-mail as columns.
ui::RowTableModel *allContactsTable();

} // namespace contacts
