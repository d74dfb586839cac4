#include "pedigree/PedigreeBuild.h"

#include "core/DateText.h"
#include "core/DogNames.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/IndexSeek.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/Tables.h"

namespace pedigree {
namespace {

// Finds a dog the way a seek through the "name" index does: without regard to case, the
// first in index order.
class DogLookup
{
public:
    explicit DogLookup(const QSqlDatabase &db)
        : m_seek(db, *db::findIndex(db::indexes::dogNames), {std::begin(names), std::end(names)})
    {
    }

    bool seek(const QString &name) { return m_seek.seek(name); }
    QString value(int column) const { return raw(column).toString(); }
    QVariant raw(int column) const { return m_seek.value(names[column]); }

    enum Column { Name, Breed, Sex, Dob, Colour, Sire, Dam };

private:
    inline static const QString names[] = {db::fields::dogs::name,   db::fields::dogs::breed,
                                           db::fields::dogs::sex,    db::fields::dogs::born,
                                           db::fields::dogs::colour, db::fields::dogs::sire,
                                           db::fields::dogs::dam};

    db::IndexSeek m_seek;
};

bool worthLookingUp(const QString &name)
{
    // An empty slot has no dog to find; "Not On Record" is never looked up.
    return !name.isEmpty() && name != core::notOnRecord();
}

QString orNotEntered(const QString &value)
{
    return value.isEmpty() ? QStringLiteral("Not Entered") : value;
}

void fillGenerations(PedigreeRecord &record, DogLookup &lookup, int generations)
{
    for (int g = 1; g < generations; ++g) {
        for (int n = 1; n <= (1 << g); ++n) {
            const QString name = record.slot(slotOfDog(g, n));
            if (!worthLookingUp(name) || !lookup.seek(name))
                continue;
            record.slots.insert(slotName(g + 1, true, n), lookup.value(DogLookup::Sire));
            record.slots.insert(slotName(g + 1, false, n), lookup.value(DogLookup::Dam));
        }
    }
}

void clearSlots(PedigreeRecord &record, int generations)
{
    for (const QString &slot : slotNames(generations))
        record.slots.remove(slot);
}

} // namespace

void build(PedigreeRecord &record, const QSqlDatabase &db, const QString &subject, int generations,
           bool describe)
{
    record.clear();
    record.subject = subject;
    DogLookup lookup(db);
    if (lookup.seek(subject)) {
        record.dogname = lookup.value(DogLookup::Name);
        if (describe) {
            record.dogbreed = orNotEntered(lookup.value(DogLookup::Breed));
            record.dogsex = orNotEntered(lookup.value(DogLookup::Sex));
            const QVariant dob = lookup.raw(DogLookup::Dob);
            record.dob =
                dob.toString().isEmpty() ? QStringLiteral("-") : core::datetext::display(dob);
            record.colour = lookup.value(DogLookup::Colour);
        }
        record.slots.insert(QStringLiteral("1d1"), lookup.value(DogLookup::Dam));
        record.slots.insert(QStringLiteral("1s1"), lookup.value(DogLookup::Sire));
    }
    fillGenerations(record, lookup, generations);
}

void buildpedigree3(const QString &subject)
{
    build(currentPedigree(), db::DatabaseFiles::kennel(), subject, 3, true);
}

void buildpedigree4(const QString &subject)
{
    build(currentPedigree(), db::DatabaseFiles::kennel(), subject, 4, false);
}

void buildpedigree(const QString &subject, int generations)
{
    build(currentPedigree(), db::DatabaseFiles::kennel(), subject, generations, true);
}

void buildmatingpedigree(const QString &sire, const QString &dam)
{
    PedigreeRecord &record = currentPedigree();
    record.clear();
    record.dogname = QStringLiteral("Puppies Poss Pedigree");
    record.slots.insert(QStringLiteral("1s1"), sire);
    record.slots.insert(QStringLiteral("1d1"), dam);
    DogLookup lookup(db::DatabaseFiles::kennel());
    fillGenerations(record, lookup, 3);
}

void fillpedigreeblanks()
{
    PedigreeRecord &record = currentPedigree();
    for (QString *field : {&record.dogname, &record.breedername, &record.dogbreed, &record.dob,
                           &record.colour, &record.cob, &record.dogsex}) {
        if (field->isEmpty())
            *field = QStringLiteral(" ");
    }
    for (const QString &slot : slotNames(3)) {
        if (record.slot(slot).isEmpty())
            record.slots.insert(slot, blankSlot());
    }
}

core::WriteResult<> movedata()
{
    fillpedigreeblanks();
    const PedigreeRecord &record = currentPedigree();
    db::RowValues row;
    namespace fields = db::fields::pedigree;
    row.add(fields::dog, record.dogname)
        .add(fields::breeder, record.breedername)
        .add(fields::breed, record.dogbreed)
        .add(fields::born, record.dob)
        .add(fields::colour, record.colour)
        .add(fields::countryOfBirth, record.cob)
        .add(fields::sex, record.dogsex);
    for (const QString &slot : db::pedigreeSlotColumns())
        row.add(slot, record.slot(slot));
    return db::writeSingleRow(db::DatabaseFiles::report(), QStringLiteral("main"),
                              db::tables::pedigree, row);
}

void cleardata()
{
    clearSlots(currentPedigree(), 3);
}

} // namespace pedigree
