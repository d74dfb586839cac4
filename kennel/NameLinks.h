#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace kennel {

// A field of another record that names a dog or a contact: the records link by name.
struct NameLink
{
    QString table; // as the kennel's connection reaches it ("report.sales" for the report file)
    QString field;
    QString one;  // what one such record is, for the user: "offspring", "mating"
    QString many; // and more than one
};

// Every field that names a dog: parents, matings, litters, vaccinations and sales.
const QList<NameLink> &dogLinks();
// Every field that names a contact: owners, breeders, sellers and buyers.
const QList<NameLink> &contactLinks();

// The rows of one link that name a record.
struct Naming
{
    NameLink link;
    QList<qint64> rows;
};

// The rows naming `name` as the pedigrees find a name: blind to case. `skipRow` of the
// table `skipTable` is left out (a dog is not its own offspring). Empty lists are dropped.
// False, with the reason, when a table cannot be read.
bool findNaming(const QSqlDatabase &kennel, const QList<NameLink> &links, const QString &name,
                QList<Naming> *found, QString *error);
qsizetype countOf(const QList<Naming> &naming);
// "9 offspring, 3 matings, 2 sales"
QString describeNaming(const QList<Naming> &naming);
// Writes `to` into every row found; run it inside the transaction of the rename.
QString renameNaming(const QSqlDatabase &kennel, const QList<Naming> &naming, const QString &to);
// Whether the link is a field of the dog records (a parent, an owner or breeder), as against
// the records of the other features.
bool inDogRecords(const NameLink &link);
// The other dogs, and the other contacts, of this name blind to case, but for `exceptRow`.
bool dogsNamed(const QSqlDatabase &kennel, const QString &name, qint64 exceptRow,
               QList<qint64> *rows, QString *error);
bool contactsNamed(const QSqlDatabase &kennel, const QString &name, qint64 exceptRow,
                   QList<qint64> *rows, QString *error);
// The rows of `table` whose `field` is `name` blind to case, but for `exceptRow`.
bool othersNamed(const QSqlDatabase &kennel, const QString &table, const QString &field,
                 const QString &name, qint64 exceptRow, QList<qint64> *rows, QString *error);

} // namespace kennel
