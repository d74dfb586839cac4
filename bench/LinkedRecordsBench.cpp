#include "bench/LinkedRecordsBench.h"

#include "bench/Timing.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRecordsScreen.h"
#include "genetics/KennelGenetics.h"
#include "genetics/PedigreeChecks.h"

#include <cmath>
#include <cstdio>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QVariant>

namespace bench {
namespace {

// A rename carries its records only when the breeder says Yes.
class YesMessages : public core::Messages
{
public:
    void ok(const QString &, const QString &) override {}
    bool yesNo(const QString &, const QString &, Icon, Default) override { return true; }
};

QVariant scalar(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db::DatabaseFiles::kennel());
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    return q.exec() && q.next() ? q.value(0) : QVariant();
}

void run(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db::DatabaseFiles::kennel());
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    if (!q.exec())
        qFatal("%s", qPrintable(sql));
}

// The row of the dog a `part`th of the way through the kennel, counted in dogs: the numbers of
// records that earlier benches added and removed leave no dogs behind them.
qint64 dogAtFraction(int part)
{
    return scalar("SELECT rowid FROM Dogtable ORDER BY rowid LIMIT 1 OFFSET (SELECT count(*) "
                  "FROM Dogtable) / ?",
                  {part})
        .toLongLong();
}

// The first dog from this row on whose name no other dog has, blind to case as a rename
// compares names: the benches before may have added and removed dogs, leaving gaps.
qint64 dogFrom(qint64 row)
{
    return scalar("SELECT rowid FROM Dogtable d WHERE rowid >= ? AND name <> '' AND "
                  "(SELECT count(*) FROM Dogtable e WHERE e.name = d.name COLLATE NOCASE) = 1 "
                  "ORDER BY rowid LIMIT 1",
                  {row})
        .toLongLong();
}

void benchRename()
{
    const qint64 stud = dogFrom(dogAtFraction(2));
    const QString name = scalar("SELECT name FROM Dogtable WHERE rowid = ?", {stud}).toString();
    const int offspring = sized(500);
    const int matings = sized(200);
    run("UPDATE Dogtable SET sire = ? WHERE rowid IN (SELECT rowid FROM Dogtable WHERE rowid > ? "
        "ORDER BY rowid LIMIT ?)",
        {name, stud, offspring});
    run("UPDATE mating SET dgname1 = ? WHERE rowid IN (SELECT rowid FROM mating ORDER BY rowid "
        "LIMIT ?)",
        {name, matings});

    dogs::DogRecordsScreen screen;
    screen.show();
    while (!screen.isLoaded())
        QCoreApplication::processEvents();
    screen.showRow(stud);
    auto *box = screen.findChild<QLineEdit *>("name");
    bool titled = false;
    const double rename = medianMs(7, [&] {
        titled = !titled;
        box->setText(titled ? name + " JW" : name);
        if (!screen.settle())
            qFatal("the rename was not saved");
    });
    if (scalar("SELECT count(*) FROM Dogtable WHERE sire = ?", {box->text()}).toInt() < offspring)
        qFatal("the rename did not carry the offspring");
    bool back = false;
    const double floor = medianMs(7, [&] {
        back = !back;
        const QString from = back ? name : name + " JW";
        const QString to = back ? name + " JW" : name;
        run("UPDATE Dogtable SET name = ? WHERE rowid = ?", {to, stud});
        run("UPDATE Dogtable SET sire = ? WHERE sire = ?", {to, from});
        run("UPDATE mating SET dgname1 = ? WHERE dgname1 = ?", {to, from});
    });
    printLine(
        QStringLiteral("rename carrying %1 offspring, %2 matings").arg(offspring).arg(matings),
        rename, floor);
}

void benchMerge()
{
    const qint64 kept = dogFrom(dogAtFraction(3));
    qint64 copy = 0;
    auto addCopy = [&] {
        run("INSERT INTO Dogtable (name, sex, sire, dam, dob, colour) SELECT upper(name) || '.', "
            "sex, sire, dam, dob, 'Copy' FROM Dogtable WHERE rowid = ?",
            {kept});
        copy = scalar("SELECT last_insert_rowid()").toLongLong();
        run("UPDATE Dogtable SET sire = (SELECT name FROM Dogtable WHERE rowid = ?) WHERE rowid "
            "IN (SELECT rowid FROM Dogtable WHERE rowid > ? ORDER BY rowid LIMIT 3)",
            {copy, kept + 1000});
    };
    const double merge = medianMs(
        7,
        [&] {
            if (const auto merged = dogs::mergeDogs(db::DatabaseFiles::kennel(), kept, copy, {});
                !merged)
                qFatal("%s", qPrintable(merged.problem()));
        },
        addCopy);
    printLine(QStringLiteral("merge two records of one dog"), merge, -1);
}

void benchDuplicates()
{
    std::size_t found = 0;
    const double search = medianMs(
        3, [&] { found = genetics::likelyDuplicates(db::DatabaseFiles::kennel()).size(); });
    const double floor = medianMs(3, [] {
        QSqlQuery q(db::DatabaseFiles::kennel());
        q.setForwardOnly(true);
        q.exec("SELECT dogid, name, registration, Microchip FROM Dogtable ORDER BY rowid");
        while (q.next()) {
        }
    });
    printLine(QStringLiteral("likely duplicates searched (%1 found)").arg(found), search, floor);
}

// A dog added, a sire changed and a microchip number written, each with the genetics brought
// up to date after it, as the next screen to show a COI would; all of it undone at the end.
void benchGeneticsByChange()
{
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    genetics::KennelGenetics::current(kennel).inbreeding().coefficients();
    if (!kennel.transaction())
        qFatal("cannot start a transaction");
    auto parent = [](const char *sex, int offset) {
        return scalar("SELECT name FROM Dogtable WHERE sex = ? ORDER BY rowid DESC LIMIT 1 "
                      "OFFSET ?",
                      {QString::fromLatin1(sex), offset})
            .toString();
    };
    const QString sire = parent("Male", 50);
    const QString otherSire = parent("Male", 60);
    const QString dam = parent("Female", 50);
    int pups = 0;
    double coi = 0;
    auto inbreedingOf = [&](qint64 id) {
        genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
        coi += genetics.inbreeding().of(genetics.graph().indexOfId(id));
    };
    const double added = medianMs(9, [&] {
        run("INSERT INTO Dogtable (name, sex, sire, dam) VALUES (?, 'Male', ?, ?)",
            {QStringLiteral("Bench Pup %1").arg(++pups), sire, dam});
        inbreedingOf(scalar("SELECT last_insert_rowid()").toLongLong());
    });
    printLine(QStringLiteral("a dog added, its COI from the genetics kept"), added, 50);

    const qint64 young =
        scalar("SELECT max(rowid) FROM Dogtable WHERE sex = 'Female'").toLongLong();
    bool other = false;
    const double resired = medianMs(9, [&] {
        other = !other;
        // Each time another dog: a parent that is not known would cost nothing to work out.
        run("UPDATE Dogtable SET sire = ? WHERE rowid = ?", {other ? otherSire : sire, young});
        inbreedingOf(young);
    });
    printLine(QStringLiteral("a dog's sire changed, its COI from the genetics kept"), resired, 50);

    int chip = 0;
    const double chipped = medianMs(9, [&] {
        run("UPDATE Dogtable SET Microchip = ? WHERE rowid = ?", {QString::number(++chip), young});
        inbreedingOf(young);
    });
    printLine(QStringLiteral("a microchip number written, the genetics untouched"), chipped, 50);
    if (std::isnan(coi))
        std::printf("(a dog below a loop was timed)\n");
    kennel.rollback();
    genetics::KennelGenetics::forget();
}

} // namespace

void benchLinkedRecords()
{
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    YesMessages yes;
    core::Messages &before = core::Messages::instance();
    core::Messages::install(&yes);
    benchDuplicates();
    benchRename();
    benchMerge();
    benchGeneticsByChange();
    core::Messages::install(&before);
    db::DatabaseFiles::close();
}

} // namespace bench
