#pragma once

#include <memory>
#include <QSqlDatabase>

namespace ui {

class NameListModel;

enum class SharedList {
    SortedDogs,          // named dogs, alphabetical
    SortedMales,         // dogs whose sex is "Male", alphabetical
    SortedFemales,       // dogs whose sex is "Female", alphabetical
    StoredDogs,          // every dog's name in stored order, blank ones too
    SortedContacts,      // every contact, alphabetical
    SortedNamedContacts, // contacts with a name, alphabetical
    StoredContacts,      // every contact in stored order
};

// The long lists of names the pick lists offer, read and sorted once and shared by every
// pick list that shows them: on a large kennel, reading and sorting them is what a screen's
// opening would otherwise wait for. A write on this connection mends them from the rows it
// touched; a commit by another program has them read again.
std::shared_ptr<NameListModel> sharedNames(const QSqlDatabase &db, SharedList list);
// The dogs whose owner is exactly this text, alphabetical.
std::shared_ptr<NameListModel> sharedNamesOwnedBy(const QSqlDatabase &db, const QString &owner);

} // namespace ui
