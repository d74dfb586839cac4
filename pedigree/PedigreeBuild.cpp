#include "pedigree/PedigreeBuild.h"

#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/Tables.h"
#include "kennel/Ancestry.h"

namespace pedigree {
namespace {

QString orNotEntered(const QString &value)
{
    return value.isEmpty() ? QStringLiteral("Not Entered") : value;
}

// The slots of generations `from` to `to` from the places of a walk whose first generation
// is `from` - 1: a place's parents have slots only where its name means a dog.
void fillSlots(PedigreeRecord &record, const QList<QList<kennel::AncestorPlace>> &places, int from,
               int to)
{
    for (int g = from; g <= to; ++g) {
        const QList<kennel::AncestorPlace> &parents = places[g - from + 1];
        const QList<kennel::AncestorPlace> &children = places[g - from];
        for (int n = 1; n <= parents.size(); ++n) {
            if (children[(n - 1) / 2].found)
                record.slots.insert(slotOfDog(g, n), parents[n - 1].name);
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
    namespace dog = db::fields::dogs;
    enum Field { Name, Breed, Sex, Dob, Colour };
    record.clear();
    record.subject = subject;
    const auto places = kennel::ancestry(
        db, {dog::name, dog::breed, dog::sex, dog::born, dog::colour}, {subject}, generations);
    const kennel::AncestorPlace &itself = places[0][0];
    if (itself.found) {
        auto text = [&](Field field) { return itself.fields[field].toString(); };
        record.dogname = text(Name);
        if (describe) {
            record.dogbreed = orNotEntered(text(Breed));
            record.dogsex = orNotEntered(text(Sex));
            record.dob = text(Dob).isEmpty() ? QStringLiteral("-")
                                             : core::datetext::display(itself.fields[Dob]);
            record.colour = text(Colour);
        }
    }
    fillSlots(record, places, 1, generations);
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
    fillSlots(record, kennel::ancestry(db::DatabaseFiles::kennel(), {}, {sire, dam}, 2), 2, 3);
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
