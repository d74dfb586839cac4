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
    return AncestryWalk(kennel, fields).from(first, more);
}

AncestryWalk::AncestryWalk(const QSqlDatabase &kennel, const QStringList &fields)
    : m_fields(fields),
      m_finder(kennel, fields + QStringList{db::fields::dogs::sire, db::fields::dogs::dam})
{
}

AncestorPlace AncestryWalk::place(const QString &name)
{
    if (const auto known = m_places.constFind(name); known != m_places.constEnd())
        return *known;
    AncestorPlace found;
    found.name = name;
    if (m_finder.find(name)) {
        found.found = true;
        for (const QString &field : std::as_const(m_fields))
            found.fields << m_finder.value(field);
        found.sire = m_finder.value(db::fields::dogs::sire).toString();
        found.dam = m_finder.value(db::fields::dogs::dam).toString();
    }
    m_places.insert(name, found);
    return found;
}

QList<QList<AncestorPlace>> AncestryWalk::from(const QStringList &first, int more)
{
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
    const std::string sought = dogNameKey(name);
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
        if (dogNameKey(parent) == sought)
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
