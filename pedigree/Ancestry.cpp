#include "pedigree/Ancestry.h"

#include "db/DogFinder.h"
#include "db/Fields.h"

namespace pedigree {

QList<QList<AncestorPlace>> ancestry(const QSqlDatabase &kennel, const QStringList &fields,
                                     const QStringList &first, int more)
{
    namespace dog = db::fields::dogs;
    db::DogFinder finder(kennel, fields + QStringList{dog::sire, dog::dam});
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

} // namespace pedigree
