#include "kennel/Ancestry.h"

#include "db/Fields.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/DogFinder.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {

QList<QList<AncestorPlace>> ancestry(const QSqlDatabase &kennel, const QStringList &fields,
                                     const QStringList &first, int more)
{
    namespace dog = db::fields::dogs;
    kennel::DogFinder finder(kennel, fields + QStringList{dog::sire, dog::dam});
    auto place = [&](const QString &name) {
        AncestorPlace found;
        found.name = name;
        if (!finder.find(name))
            return found;
        found.found = true;
        for (const QString &field : fields)
            found.fields << finder.value(field);
        found.sire = finder.value(dog::sire).toString();
        found.dam = finder.value(dog::dam).toString();
        return found;
    };
    QList<QList<AncestorPlace>> generations(1);
    for (const QString &name : first)
        generations.last() << place(name);
    for (int g = 0; g < more; ++g) {
        QList<AncestorPlace> parents;
        for (const AncestorPlace &child : std::as_const(generations.last())) {
            parents << (child.found ? place(child.sire) : AncestorPlace());
            parents << (child.found ? place(child.dam) : AncestorPlace());
        }
        generations << parents;
    }
    return generations;
}

std::optional<bool> hasAncestorNamed(const QSqlDatabase &kennel, qint64 dogId, const QString &name,
                                     QString *problem)
{
    namespace dog = db::fields::dogs;
    auto keyOf = [](const QString &text) {
        std::string key;
        dogNameKey(text.toStdString(), key);
        return key;
    };
    const std::string sought = keyOf(name);
    QSqlQuery own(kennel);
    own.prepare(db::selectFrom(db::tables::dogs, {dog::sire, dog::dam}) %
                QStringLiteral(" WHERE ") % db::quoted(dog::id) % QStringLiteral(" = ?"));
    own.addBindValue(dogId);
    if (!own.exec()) {
        *problem = own.lastError().text();
        return std::nullopt;
    }
    if (!own.next())
        return false;
    QStringList names{own.value(0).toString(), own.value(1).toString()};
    DogFinder finder(kennel, {dog::id, dog::sire, dog::dam});
    // A pedigree that loops back on itself is walked once round.
    QSet<qint64> seen{dogId};
    while (!names.isEmpty()) {
        const QString parent = names.takeLast();
        if (!namesADog(parent))
            continue;
        if (keyOf(parent) == sought)
            return true;
        if (!finder.find(parent)) {
            if (!finder.lastError().isEmpty()) {
                *problem = finder.lastError();
                return std::nullopt;
            }
            continue;
        }
        const qint64 id = finder.value(dog::id).toLongLong();
        if (seen.contains(id))
            continue;
        seen.insert(id);
        names << finder.value(dog::sire).toString() << finder.value(dog::dam).toString();
    }
    return false;
}

} // namespace kennel
