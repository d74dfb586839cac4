#include "bench/KennelGenerator.h"

#include "db/DatabaseFiles.h"
#include "db/Transaction.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

namespace bench {
namespace {

const QStringList kennels{"Kirkwood",  "Ravensbrook", "Glenmoray", "Ashgrove",     "Thornfield",
                          "Bellhaven", "Copperleaf",  "Dunmore",   "Eldervale",    "Foxhollow",
                          "Greystone", "Hollins",     "Ivybridge", "Juniper Hill", "Kestrel Moor"};
const QStringList words{"Amber", "Blaze",   "Copper", "Dawn",   "Ember",  "Flint",
                        "Gale",  "Hazel",   "Indigo", "Jasper", "Kite",   "Lark",
                        "Maple", "Nova",    "Onyx",   "Pepper", "Quill",  "Rowan",
                        "Sable", "Thistle", "Umber",  "Willow", "Yarrow", "Zephyr"};
const QStringList breeds{"Labrador Retriever", "Border Collie", "German Shepherd Dog",
                         "Golden Retriever",   "Whippet",       "Beagle",
                         "Dachshund",          "Boxer"};
const QStringList colours{"Black",         "Yellow",     "Chocolate", "Red",   "Brindle",
                          "Black and Tan", "Blue Merle", "Sable",     "White", "Liver"};

struct Dog
{
    QString name;
    bool male;
};

void exec(QSqlQuery &q, const QVariantList &values)
{
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("generating the kennel failed");
}

QString iso(const QDate &d)
{
    return d.toString(Qt::ISODate);
}

} // namespace

QString generateKennel(const KennelSize &size)
{
    if (QString problem = db::DatabaseFiles::open(); !problem.isEmpty())
        return problem;
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    QSqlDatabase report = db::DatabaseFiles::report();
    QRandomGenerator random(20261207);
    auto pick = [&](const QStringList &list) { return list.at(random.bounded(list.size())); };

    db::Transaction kennelWrite(kennel);
    db::Transaction reportWrite(report);

    QSqlQuery contact(kennel);
    contact.prepare(
        "INSERT INTO contacts (last, Title, city, country, breeder) VALUES (?,?,?,?,?)");
    QStringList contacts;
    for (int i = 0; i < contactCount(size); ++i) {
        contacts << QStringLiteral("%1 %2 %3").arg(pick(words), pick(kennels)).arg(i);
        exec(contact, {contacts.last(), "Mrs", pick(kennels), "Australia", i % 3 ? "No" : "Yes"});
    }

    // Generations of about equal size, each bred from the one before, so that pedigrees run
    // as deep as there are generations.
    const int generations = 12;
    const int perGeneration = qMax(2, size.dogs / generations);
    QSqlQuery dog(kennel);
    dog.prepare("INSERT INTO Dogtable (name, registration, sex, colour, cob, dob, breeder, breed, "
                "Microchip, sire, dam, ownerid) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    QList<Dog> previous;
    QList<Dog> everyDog;
    for (int n = 0; n < size.dogs; ++n) {
        const int generation = n / perGeneration;
        if (n % perGeneration == 0 && n > 0) {
            previous = everyDog.mid((generation - 1) * perGeneration, perGeneration);
        }
        const bool male = random.bounded(2) == 0;
        const QString name =
            QStringLiteral("%1 %2 %3 %4").arg(pick(kennels), pick(words), pick(words)).arg(n);
        QString sire = QStringLiteral("Not On Record");
        QString dam = QStringLiteral("Not On Record");
        if (!previous.isEmpty()) {
            for (int tries = 0; tries < 8 && sire == "Not On Record"; ++tries) {
                const Dog &d = previous.at(random.bounded(previous.size()));
                if (d.male)
                    sire = d.name;
            }
            for (int tries = 0; tries < 8 && dam == "Not On Record"; ++tries) {
                const Dog &d = previous.at(random.bounded(previous.size()));
                if (!d.male)
                    dam = d.name;
            }
        }
        if (random.bounded(50) == 0)
            sire = QStringLiteral("Imported Sire %1").arg(n); // a parent never recorded
        const QDate born = QDate(1990, 1, 1).addDays(generation * 700 + random.bounded(600));
        // One dog in ten still belongs to the kennel itself.
        exec(dog, {name, QStringLiteral("KC%1").arg(700000 + n), male ? "Male" : "Female",
                   pick(colours), "Australia", iso(born), pick(contacts), pick(breeds),
                   QStringLiteral("9850001%1").arg(n, 8, 10, QLatin1Char('0')), sire, dam,
                   n % 10 == 0 ? QStringLiteral("Kennel Owner") : pick(contacts)});
        everyDog.append({name, male});
    }

    QSqlQuery mating(kennel);
    mating.prepare("INSERT INTO mating (dgname1, dgname2, datemated, datedue) VALUES (?,?,?,?)");
    QSqlQuery litter(kennel);
    litter.prepare("INSERT INTO litters (sire, dam, littersize, dateoflitter, breedoflitter) "
                   "VALUES (?,?,?,?,?)");
    QList<std::pair<QString, QString>> pairs;
    for (int i = 0; i < size.matings; ++i) {
        const Dog &a = everyDog.at(random.bounded(everyDog.size()));
        const Dog &b = everyDog.at(random.bounded(everyDog.size()));
        const QDate mated = QDate(2000, 1, 1).addDays(random.bounded(9000));
        exec(mating, {a.name, b.name, iso(mated), iso(mated.addMonths(2).addDays(2))});
        pairs.append({a.name, b.name});
    }
    for (int i = 0; i < size.litters && !pairs.isEmpty(); ++i) {
        const auto &[sire, dam] = pairs.at(random.bounded(pairs.size()));
        exec(litter, {sire, dam, 1 + random.bounded(9),
                      iso(QDate(2000, 3, 1).addDays(random.bounded(9000))), pick(breeds)});
    }

    QSqlQuery vax(kennel);
    vax.prepare(
        "INSERT INTO vaccination (dogname, dogid, vaxtype, vaccinated, due) VALUES (?,?,?,?,?)");
    QSqlQuery note(kennel);
    note.prepare("INSERT INTO notes (Dogid, dt, note) VALUES (?,?,?)");
    // Two vaccinations and one note per dog, on average.
    for (int i = 0; i < 2 * size.dogs; ++i) {
        const int id = 1 + random.bounded(size.dogs);
        const QDate given = QDate(2015, 1, 1).addDays(random.bounded(4400));
        exec(vax,
             {everyDog.at(id - 1).name, id, "Booster 1yr", iso(given), iso(given.addYears(1))});
        if (i % 2 == 0)
            exec(note,
                 {id, iso(given), QStringLiteral("Checked by the vet, all well (%1)").arg(i)});
    }

    QSqlQuery sale(report);
    QSqlQuery setup(kennel);
    setup.exec("UPDATE setup SET Name = 'Kennel Owner', Kennelname = 'Kirkwood'");
    sale.prepare("INSERT INTO sales (prevowner, sellamount, breed, dogsold, soldto, salesdate) "
                 "VALUES (?,?,?,?,?,?)");
    for (int i = 0; i < size.dogs / 5; ++i)
        exec(sale, {"Kennel Owner", 50000 + random.bounded(200000), pick(breeds),
                    everyDog.at(random.bounded(everyDog.size())).name, pick(contacts),
                    iso(QDate(2010, 1, 1).addDays(random.bounded(5000)))});

    if (const auto committed = kennelWrite.commit(); !committed)
        return committed.problem();
    if (const auto committed = reportWrite.commit(); !committed)
        return committed.problem();
    return {};
}

void addUnfinishedMatings(int count)
{
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    db::Transaction write(kennel);
    QSqlQuery q(kennel);
    q.prepare("INSERT INTO mating (dgname1, dgname2) VALUES ('', ' ')");
    for (int i = 0; i < count; ++i)
        q.exec();
    write.commit();
}

} // namespace bench
