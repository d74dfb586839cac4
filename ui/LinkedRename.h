#pragma once

#include "kennel/NameLinks.h"
#include "ui/BoundRecord.h"

namespace ui {

// Plans a record's saves so that a rename carries the records naming it along: asked once,
// Yes the default, all in the rename's transaction. A name that another record of the kind
// already has is taken only when the user insists; records naming a name that two records
// share cannot be told apart and stay as they are. `kind` is "dog" or "contact".
BoundRecord::PlanSave renameCarryingLinks(const BoundRecord &record, const QString &nameField,
                                          const QList<kennel::NameLink> &links,
                                          const QString &kind);

} // namespace ui
