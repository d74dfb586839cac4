#pragma once

#include "ui/RowTableModel.h"

namespace dogs {

// "All Dogs": every dog's fields as columns, and its COI, which is shown and sorted once the
// kennel's inbreeding is worked out.
ui::RowTableModel *allDogsTable();

} // namespace dogs
