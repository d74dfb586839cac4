// houndry-sample: writes a small, realistic kennel into the working folder, to try the
// program with. It never overwrites existing database files.
#include "breeding/Breeding.h"
#include "breeding/DueDate.h"
#include "breeding/Progesterone.h"
#include "breeding/Seasons.h"
#include "breeding/Whelping.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Transaction.h"
#include "health/Health.h"
#include "health/HealthRecords.h"
#include "kennel/Contacts.h"
#include "kennel/Whelping.h"
#include "money/Accounts.h"
#include "money/Deposits.h"
#include "money/WaitingList.h"
#include "pedigree/PedigreeBuild.h"
#include "sales/Sale.h"

#include <cmath>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kennelOwner = QStringLiteral("Margaret Kirk");

struct Dog
{
    const char *name;
    const char *sex;
    const char *colour;
    const char *sire;
    const char *dam;
    int bornYearsAgo;
    const char *owner; // nullptr: the kennel's own
};

// Five generations of whippets; the founders' parents are not recorded.
const Dog dogs[] = {
    {"Ravensbrook Flint", "Male", "Blue Brindle", "Not On Record", "Not On Record", 15,
     "Helen Duarte"},
    {"Glenmoray Hazel", "Female", "Fawn", "Not On Record", "Not On Record", 15, "Helen Duarte"},
    {"Ashgrove Copper Beech", "Male", "Red Fawn", "Not On Record", "Not On Record", 14, nullptr},
    {"Kirkwood Amber Dawn", "Female", "Fawn", "Not On Record", "Not On Record", 14, nullptr},
    {"Thornfield Sable Knight", "Male", "Black", "Imported Sire", "Not On Record", 13,
     "Dr. Samuel Okafor"},
    {"Kirkwood Willow", "Female", "Brindle", "Ravensbrook Flint", "Kirkwood Amber Dawn", 12,
     nullptr},
    {"Kirkwood Rowan", "Male", "Fawn Brindle", "Ravensbrook Flint", "Kirkwood Amber Dawn", 12,
     "Priya Raman"},
    {"Ravensbrook Juniper", "Female", "Blue", "Ashgrove Copper Beech", "Glenmoray Hazel", 11,
     "Helen Duarte"},
    {"Kirkwood Thistle", "Female", "White & Fawn", "Ashgrove Copper Beech", "Kirkwood Amber Dawn",
     11, nullptr},
    {"Glenmoray Lark", "Male", "Cream", "Thornfield Sable Knight", "Glenmoray Hazel", 11,
     "Tom & Alice Brennan"},
    {"Kirkwood Ember", "Male", "Red", "Kirkwood Rowan", "Ravensbrook Juniper", 9, nullptr},
    {"Kirkwood Quill", "Female", "Blue Fawn", "Glenmoray Lark", "Kirkwood Willow", 9, nullptr},
    {"Kirkwood Maple", "Female", "Red Brindle", "Glenmoray Lark", "Kirkwood Thistle", 8, nullptr},
    {"Ravensbrook Onyx", "Male", "Black & White", "Kirkwood Rowan", "Kirkwood Thistle", 8,
     "Helen Duarte"},
    {"Kirkwood Pepper", "Female", "Brindle", "Kirkwood Ember", "Kirkwood Maple", 7, "Jürgen Weiß"},
    {"Kirkwood Zephyr", "Male", "Fawn", "Ravensbrook Onyx", "Kirkwood Quill", 6, nullptr},
    {"Kirkwood Gale", "Female", "Blue Brindle", "Kirkwood Ember", "Kirkwood Quill", 6, nullptr},
    {"Kirkwood Indigo", "Female", "Blue", "Ravensbrook Onyx", "Kirkwood Maple", 5, nullptr},
    {"Kirkwood Jasper", "Male", "Red Fawn", "Kirkwood Ember", "Kirkwood Maple", 5, "Priya Raman"},
    {"Kirkwood Saffron", "Female", "Fawn", "Kirkwood Zephyr", "Kirkwood Pepper", 4, nullptr},
    {"Kirkwood Hollis", "Male", "White & Brindle", "Kirkwood Zephyr", "Kirkwood Indigo", 3,
     nullptr},
    {"Kirkwood Nova", "Female", "Blue Fawn", "Kirkwood Jasper", "Kirkwood Gale", 3, nullptr},
    {"Kirkwood Kite", "Male", "Brindle", "Kirkwood Zephyr", "Kirkwood Gale", 2,
     "Tom & Alice Brennan"},
    {"Kirkwood Bramble", "Female", "Red Brindle", "Kirkwood Hollis", "Kirkwood Saffron", 1,
     nullptr},
    {"Kirkwood Sorrel", "Male", "Red", "Kirkwood Hollis", "Kirkwood Saffron", 1, nullptr},
    {"Kirkwood Yarrow", "Female", "Fawn", "Kirkwood Hollis", "Kirkwood Nova", 1, nullptr},
};

void run(QSqlQuery &q, const QVariantList &values)
{
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("writing the sample kennel failed: %s", qPrintable(q.lastError().text()));
}

QString iso(const QDate &date)
{
    return core::datetext::toStored(date);
}

void writeSample()
{
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QDate today = core::Clock::today();
    {
        db::Transaction write(kennel);
        QSqlQuery setup(kennel);
        setup.prepare(
            "UPDATE setup SET Kennelname = ?, Name = ?, Address = ?, City = ?, State = ?, "
            "postcode = ?, country = ?, phone = ?, email = ?, webaddress = ?, breederregistration "
            "= ?");
        run(setup, {"Kirkwood", kennelOwner, "14 Mill Lane", "Bendigo", "Victoria", "3550",
                    "Australia", "03 5441 2210", "margaret@kirkwood-whippets.example",
                    "kirkwood-whippets.example", "BR-20417"});
        QSqlQuery contact(kennel);
        contact.prepare(
            "INSERT INTO contacts (last, Title, address, city, state, postcode, country, phone, "
            "email, notes, breeder, breederprefix, breeds) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
        run(contact, {"Helen Duarte", "Mrs", "2 Quarry Rd", "Ballarat", "Victoria", "3350",
                      "Australia", "03 5332 9012", "helen@ravensbrook.example",
                      "Stud owner; prefers spring litters.", "Yes", "Ravensbrook", "Whippet"});
        run(contact, {"Zoe O'Hara", "Miss", "88 Bay St", "Geelong", "Victoria", "3220", "Australia",
                      "0412 555 019", "zoe.ohara@example.org",
                      "First whippet; lives near the coast.", "No", "", ""});
        run(contact, {"Jürgen Weiß", "Mr", "Lindenstraße 7", "Hamburg", "", "20095", "Germany",
                      "+49 40 555 1234", "j.weiss@example.de", "Shows in Europe.", "Yes",
                      "vom Elbstrand", "Whippet, Greyhound"});
        run(contact, {"Priya Raman", "Dr.", "5 Acacia Ave", "Melbourne", "Victoria", "3000",
                      "Australia", "0400 123 456", "priya@example.com", "", "No", "", ""});
        run(contact,
            {"Tom & Alice Brennan", "Mr", "Lot 3, Old Coach Rd", "Castlemaine", "Victoria", "3450",
             "Australia", "03 5470 7788", "brennans@example.net", "Lure coursing.", "No", "", ""});
        run(contact,
            {"Dr. Samuel Okafor", "Dr.", "19 Harbour View", "Auckland", "", "1010", "New Zealand",
             "+64 9 555 0101", "s.okafor@example.nz", "", "Yes", "Thornfield", "Whippet"});

        QSqlQuery dog(kennel);
        dog.prepare(
            "INSERT INTO Dogtable (name, registration, sex, colour, cob, dob, breeder, breed, "
            "Microchip, sire, dam, ownerid) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
        int n = 0;
        for (const Dog &d : dogs) {
            const QDate born = today.addYears(-d.bornYearsAgo).addDays(-37 * n);
            const QString breeder = QString::fromUtf8(d.name).startsWith("Kirkwood")
                                        ? kennelOwner
                                        : QStringLiteral("Helen Duarte");
            run(dog,
                {QString::fromUtf8(d.name),
                 QStringLiteral("AU-%1-%2").arg(born.year()).arg(4500 + 37 * n), d.sex,
                 QString::fromUtf8(d.colour), "Australia", iso(born), breeder, "Whippet",
                 QStringLiteral("95600000%1").arg(1234567 + 7919 * n), QString::fromUtf8(d.sire),
                 QString::fromUtf8(d.dam), d.owner ? QString::fromUtf8(d.owner) : kennelOwner});
            ++n;
        }
        // A birthday this month.
        QSqlQuery birthday(kennel);
        birthday.prepare("UPDATE Dogtable SET dob = ? WHERE name = 'Kirkwood Zephyr'");
        run(birthday, {iso(QDate(today.year() - 6, today.month(), 9))});
        write.commit();
    }

    // Matings: one whose litter is due this month, one that has whelped.
    const QDate mated = QDate(today.year(), today.month(), 1).addMonths(-2).addDays(9);
    breeding::addMating(kennel, "Kirkwood Sorrel", "Kirkwood Yarrow", mated,
                        breeding::litterDueDate(mated));
    const QDate earlier = today.addMonths(-5);
    breeding::addMating(kennel, "Kirkwood Hollis", "Kirkwood Nova", earlier,
                        breeding::litterDueDate(earlier));
    breeding::addMating(kennel, "Kirkwood Zephyr", "Kirkwood Indigo",
                        today.addYears(-3).addDays(-70),
                        breeding::litterDueDate(today.addYears(-3).addDays(-70)));
    const qint64 litter = kennel::addLitter(kennel, {"Kirkwood Hollis", "Kirkwood Nova", "Whippet",
                                                     4, earlier.addDays(63)})
                              .value();
    // Two pups already have their names; two are still to be completed.
    QSqlQuery name(kennel);
    name.prepare("UPDATE Dogtable SET name = ?, sex = ?, colour = ? WHERE name = ?");
    run(name,
        {"Kirkwood Comet", "Male", "Blue Brindle", QStringLiteral("PPLITTER %1 1").arg(litter)});
    run(name, {"Kirkwood Clover", "Female", "Fawn", QStringLiteral("PPLITTER %1 2").arg(litter)});

    // Nova's seasons, the last one tested for progesterone before that mating; her litter as it
    // was whelped, and weighed every morning for two weeks.
    const qint64 nova = *health::dogIdOf(kennel, "Kirkwood Nova");
    qint64 lastSeason = 0;
    for (const int monthsBefore : {19, 12, 6}) {
        breeding::Season season;
        season.dogId = nova;
        season.firstDay = earlier.addMonths(6 - monthsBefore).addDays(-13 + monthsBefore % 5);
        season.lastDay = season.firstDay.addDays(20);
        season.mated = monthsBefore == 6;
        lastSeason = breeding::addSeason(kennel, season, "Kirkwood Nova").value();
    }
    const QDate seasonStart = earlier.addDays(-12);
    for (const auto &[day, value] : {std::pair{3, 0.8}, std::pair{5, 1.6}, std::pair{7, 2.7},
                                     std::pair{9, 6.4}, std::pair{11, 14.2}}) {
        breeding::ProgesteroneTest test;
        test.seasonId = lastSeason;
        test.taken = {seasonStart.addDays(day), QTime(9, 0)};
        test.value = value;
        test.unit = QStringLiteral("ng/ml");
        test.laboratory = QStringLiteral("Vetlab");
        breeding::addProgesterone(kennel, test, "Kirkwood Nova");
    }
    const auto sampleLitter = kennel::litterWithId(kennel, litter);
    std::vector<kennel::WhelpedPup> whelped = *kennel::whelpingOf(kennel, *sampleLitter);
    const QStringList collars{"Red", "Blue", "Green", "Yellow"};
    const QList<double> birthGrams{410, 385, 402, 330};
    for (int i = 0; i < int(whelped.size()) && i < collars.size(); ++i) {
        whelped[size_t(i)].time = QTime(22, 10).addSecs(i * 35 * 60);
        whelped[size_t(i)].collar = collars[i];
        whelped[size_t(i)].birthGrams = birthGrams[i];
        if (whelped[size_t(i)].sex.isEmpty())
            whelped[size_t(i)].sex = i % 2 ? QStringLiteral("Female") : QStringLiteral("Male");
    }
    kennel::saveWhelping(kennel, *sampleLitter, whelped);
    for (const kennel::WhelpedPup &pup : whelped) {
        const double rate = pup.birthGrams < 350 ? 0.05 : 0.085;
        for (int day = 1; day <= 14; ++day)
            breeding::addWeighing(kennel,
                                  {0,
                                   pup.dogId,
                                   {earlier.addDays(63 + day), QTime(8, 0)},
                                   std::round(pup.birthGrams * std::pow(1 + rate, day))},
                                  pup.name);
    }

    // Vaccinations, two of them due this month, and a few notes.
    for (const auto &[dogName, given, type] :
         {std::tuple{"Kirkwood Comet", earlier.addDays(63 + 42), "Puppy Vax 1"},
          std::tuple{"Kirkwood Clover", earlier.addDays(63 + 42), "Puppy Vax 1"},
          std::tuple{"Kirkwood Bramble", today.addYears(-1).addDays(3 - today.day()),
                     "Booster 1yr"},
          std::tuple{"Kirkwood Sorrel", today.addYears(-1).addDays(12 - today.day()),
                     "Booster 1yr"},
          std::tuple{"Kirkwood Saffron", today.addMonths(-4), "Booster 1yr"}}) {
        const QDate due = core::datetext::parse(health::nextDueText(given));
        health::addVaccination(
            kennel, dogName, *health::dogIdOf(kennel, dogName), type,
            QString::fromLatin1(type).startsWith("Puppy") ? given.addDays(28) : due, given);
    }
    health::addNote(kennel, *health::dogIdOf(kennel, "Kirkwood Nova"), earlier.addDays(30),
                    "Scan confirmed 4 pups.");
    health::addNote(kennel, *health::dogIdOf(kennel, "Kirkwood Nova"), earlier.addDays(64),
                    "Whelped overnight, all feeding well.");
    health::addNote(kennel, *health::dogIdOf(kennel, "Kirkwood Zephyr"), today.addMonths(-1),
                    "Best of Breed at the autumn show.");

    // Health results: a line clear of PRA by its founders' tests, and DM carriers.
    std::vector<health::HealthTest> tests = *health::healthTests(kennel);
    auto testNamed = [&](const char *name) {
        return *std::find_if(tests.begin(), tests.end(), [&](const health::HealthTest &t) {
            return t.name == QLatin1String(name);
        });
    };
    health::HealthTest dm = testNamed("DM");
    dm.frequency = 0.2;
    health::saveTest(kennel, dm);
    for (const auto &[dogName, test, result, score, years] :
         {std::tuple{"Ravensbrook Flint", "PRA-prcd", "Clear", 0.0, 12},
          std::tuple{"Kirkwood Amber Dawn", "PRA-prcd", "Clear", 0.0, 12},
          std::tuple{"Ashgrove Copper Beech", "PRA-prcd", "Clear", 0.0, 12},
          std::tuple{"Glenmoray Hazel", "PRA-prcd", "Clear", 0.0, 12},
          std::tuple{"Thornfield Sable Knight", "PRA-prcd", "Carrier", 0.0, 11},
          std::tuple{"Kirkwood Ember", "DM", "Carrier", 0.0, 8},
          std::tuple{"Kirkwood Zephyr", "DM", "Carrier", 0.0, 5},
          std::tuple{"Kirkwood Gale", "DM", "Clear", 0.0, 5},
          std::tuple{"Kirkwood Kite", "DM", "Carrier", 0.0, 1},
          std::tuple{"Kirkwood Zephyr", "Hips", "A", 4.0, 5},
          std::tuple{"Kirkwood Gale", "Hips", "A", 6.0, 5},
          std::tuple{"Kirkwood Gale", "Eyes", "Clinically unaffected", 0.0, 1}}) {
        const health::HealthTest t = testNamed(test);
        health::HealthResult r;
        r.dogId = *health::dogIdOf(kennel, dogName);
        r.testId = t.id;
        r.date = today.addYears(-years).addDays(40);
        r.result = QString::fromLatin1(result);
        if (score > 0)
            r.score = score;
        r.examiner = t.kind == health::TestKind::Dna ? QStringLiteral("Canine Genetics Lab")
                                                     : QStringLiteral("Dr. M. Ellison");
        r.certificate = QStringLiteral("HX-%1").arg(r.dogId * 100 + t.id);
        health::addResult(kennel, r, QString::fromUtf8(dogName));
    }

    // Two sales from earlier litters.
    for (const auto &[dogName, buyer, cents] :
         {std::tuple{"Kirkwood Kite", "Tom & Alice Brennan", qint64(180000)},
          std::tuple{"Kirkwood Jasper", "Priya Raman", qint64(165050)}}) {
        pedigree::buildpedigree3(dogName);
        pedigree::fillpedigreeblanks();
        const sales::SaleDetails sale{
            kennelOwner, "Kirkwood", dogName, buyer, "Whippet",          "Fawn",
            "Unknown",   "Unknown",  "Male",  cents, today.addMonths(-2)};
        QSqlQuery owner(kennel);
        owner.prepare("UPDATE Dogtable SET ownerid = ? WHERE name = ?");
        run(owner, {kennelOwner, dogName});
        sales::recordSale(kennel, sale, sales::Receipt::WithPedigree, pedigree::currentPedigree());
    }

    // Buyers waiting for Nova's pups and for the next litter, with their deposits.
    const auto pups = money::pupsOfLitter(kennel, litter).value_or(std::vector<money::PupChoice>());
    for (const auto &[buyer, litterId, status, sex, deposit, weeksAgo] :
         {std::tuple{"Zoe O'Hara", litter, "Matched", "Female", qint64(50000), 10},
          std::tuple{"Jürgen Weiß", litter, "Deposit paid", "Male", qint64(50000), 8},
          std::tuple{"Dr. Samuel Okafor", qint64(0), "Approved", "", qint64(0), 6},
          std::tuple{"Priya Raman", qint64(0), "Enquiry", "Female", qint64(0), 2}}) {
        money::WaitingEntry entry;
        entry.contactId = kennel::contactNamed(kennel, QString::fromUtf8(buyer));
        entry.enquired = today.addDays(-7 * weeksAgo);
        entry.sex = QString::fromUtf8(sex);
        entry.colour = QStringLiteral("Any");
        entry.breed = QStringLiteral("Whippet");
        entry.litterId = litterId;
        entry.status = QString::fromUtf8(status);
        if (entry.status == money::matchedStatus && pups.size() > 1)
            entry.dogId = pups[1].dogId;
        const auto added = money::addWaitingEntry(kennel, entry, QString::fromUtf8(buyer));
        if (added && deposit > 0) {
            money::Deposit d;
            d.entryId = added.value();
            d.cents = deposit;
            d.paid = entry.enquired.addDays(10);
            d.method = QStringLiteral("Bank transfer");
            d.litterId = litterId;
            money::takeDeposit(kennel, d, QString::fromUtf8(buyer));
        }
    }

    // A year of the kennel's running costs.
    for (const auto &[category, cents, monthsAgo, note] :
         {std::tuple{"Stud fee", qint64(120000), 5, "Hollis x Nova"},
          std::tuple{"Vet", qint64(18550), 4, "Pregnancy scan"},
          std::tuple{"Vet", qint64(32000), 2, "Pups' first vaccinations and checks"},
          std::tuple{"Health tests", qint64(27500), 7, "DM and PRA for Nova"},
          std::tuple{"Food", qint64(14990), 1, "Puppy food"},
          std::tuple{"Food", qint64(9990), 6, "Adult food"},
          std::tuple{"Registration", qint64(8800), 2, "Litter registration"},
          std::tuple{"Advertising", qint64(4500), 3, "Breed club listing"},
          std::tuple{"Equipment", qint64(21000), 3, "Whelping box"}}) {
        money::AccountEntry e;
        e.date = today.addMonths(-monthsAgo);
        e.cents = cents;
        e.category = QString::fromUtf8(category);
        e.note = QString::fromUtf8(note);
        const QString c = e.category;
        if (c == QLatin1String("Stud fee") || c == QLatin1String("Registration") ||
            note == std::string_view("Pups' first vaccinations and checks"))
            e.litterId = litter;
        money::addEntry(kennel, e);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    for (const char *file : {"kennelbase.ddx", "report.ddx"}) {
        if (QFile::exists(QString::fromLatin1(file))) {
            std::fprintf(stderr, "houndry-sample: %s already exists in %s; nothing was written.\n",
                         file, qPrintable(QDir::currentPath()));
            return 1;
        }
    }
    if (const QString problem = db::DatabaseFiles::open(); !problem.isEmpty()) {
        std::fprintf(stderr, "houndry-sample: %s\n", qPrintable(problem));
        return 1;
    }
    writeSample();
    db::DatabaseFiles::close();
    std::printf("houndry-sample: the Kirkwood kennel is in %s\n", qPrintable(QDir::currentPath()));
    return 0;
}
