#pragma once

#include "kennel/DogFinder.h"

#include <optional>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>

namespace kennel {

// One place of a pedigree: the name its offspring's record gives (for the first generation,
// the name asked for) and, where that name means a dog, the dog's fields.
struct AncestorPlace
{
    QString name;
    bool found = false;
    QVariantList fields; // as asked for, when found
    QString sire;
    QString dam;
};

// The ancestors of a dog as the pedigrees show them, generation by generation: from `first`
// (the dog itself, or a planned litter's sire and dam) up `more` generations. Place n of a
// generation has its parents at 2n and 2n + 1 of the next; a place whose name means no dog
// has two empty places above it. Each name is found as `kennel::DogFinder` finds it.
QList<QList<AncestorPlace>> ancestry(const QSqlDatabase &kennel, const QStringList &fields,
                                     const QStringList &first, int more);

// The same walk for many pedigrees, each name sought once: for a reader that shows many while
// nothing is written, such as the website.
class AncestryWalk
{
public:
    AncestryWalk(const QSqlDatabase &kennel, const QStringList &fields);
    QList<QList<AncestorPlace>> from(const QStringList &first, int more);

private:
    AncestorPlace place(const QString &name);

    QStringList m_fields;
    DogFinder m_finder;
    QHash<QString, AncestorPlace> m_places;
};

// Whether a dog of this name stands anywhere among the dog's ancestors as the pedigrees find
// them (each parent name meaning the dog `DogFinder` finds, names compared as it compares
// them); nothing, with the problem, when the kennel could not be read.
std::optional<bool> hasAncestorNamed(const QSqlDatabase &kennel, qint64 dogId, const QString &name,
                                     QString *problem);

} // namespace kennel
