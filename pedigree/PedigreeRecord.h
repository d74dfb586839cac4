#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace pedigree {

// What blank filling puts into an empty ancestor slot (one letter differs from
// `core::notOnRecord`).
inline QString blankSlot()
{
    return QStringLiteral("Not on Record");
}

// "1s1", "2d2", "4s8": generation, sire or dam, pair.
QString slotName(int generation, bool sire, int pair);
// The slot of the n-th dog (1-based, top to bottom) of a generation.
QString slotOfDog(int generation, int n);
// Every slot of the generations 1 to `generations`, top to bottom within each.
QStringList slotNames(int generations);

// One built pedigree: the dog's description and the names of its ancestors by slot.
struct PedigreeRecord
{
    QString subject;
    QString dogname;
    QString dogbreed;
    QString dob;
    QString colour;
    QString dogsex;
    QString breedername;
    QString cob;
    QHash<QString, QString> slots;

    QString slot(const QString &name) const { return slots.value(name); }
    void clear() { *this = PedigreeRecord(); }
};

// The pedigree record of the running program, shared by the builds, the pedigree screens
// and the receipt with pedigree.
PedigreeRecord &currentPedigree();

} // namespace pedigree
