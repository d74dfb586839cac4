#pragma once

#include "kennel/NameLinks.h"

#include <functional>
#include <optional>
#include <QSqlDatabase>
#include <QString>

namespace kennel {

// A record of the dogs or the contacts about to be saved under a name typed for it.
struct Renaming
{
    QString table;
    QString nameField;
    qint64 row = 0;
    QString old;   // the name it has
    QString typed; // the name typed
    QList<NameLink> links;
    QString kind; // "dog" or "contact", for the questions
};

// What a save also writes, in its transaction; a problem undoes the whole save.
using AlsoWrite = std::function<QString()>;

// The rename rule, for dogs and contacts alike: a name changed other than in its case carries
// the records that name the record along, asked once with Yes the default. A name that another
// record of the kind already has is taken only when the user insists; records naming a name
// that two records share cannot be told apart and stay as they are. The change is kept for
// Undo and the history as "Renamed <old> to <new>". Nothing when the user keeps the record as
// it was; an empty AlsoWrite when nothing more is written.
std::optional<AlsoWrite> planRename(const QSqlDatabase &db, const Renaming &renaming);

} // namespace kennel
