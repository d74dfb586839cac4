#pragma once

#include <QtGlobal>

namespace ui {
class Removals;
}

namespace contacts {

// "Delete Contact...": refused where the contact paid deposits; otherwise what the deletion
// touches is said and asked, with whether its dogs lose its name; then the contact is deleted,
// or what stopped it is said.
void deleteContactAsked(const ui::Removals &removals, qint64 row);

} // namespace contacts
