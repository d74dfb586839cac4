#pragma once

#include <QString>

// Where the kennel's own records are kept, for the generic record machinery only (the bound
// record of a record screen, the searchable lists, the shared pick lists, the spreadsheet
// import and export), which edits or lists any table field by field and decides no rule of its
// own. Features ask the engine's functions instead.
namespace kennel::records {

QString dogs();
QString contacts();

} // namespace kennel::records
