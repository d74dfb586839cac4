#include "bench/GeneticsBench.h"

#include "bench/Timing.h"
#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"
#include "inbreeding/SireFilter.h"

#include <cmath>
#include <memory>
#include <QLocale>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <sqlite3.h>

namespace bench {
namespace {

// The floor of reading the graph: stepping through the same columns, touching each value.
double bareScan(const char *sql)
{
    return medianMs(5, [sql] {
        sqlite3 *db = nullptr;
        sqlite3_open_v2("kennelbase.ddx", &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                sqlite3_column_text(stmt, c);
                bytes += size_t(sqlite3_column_bytes(stmt, c));
            }
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        if (bytes == 0)
            std::printf("(empty scan)\n");
    });
}

// Results of the kennel's five DNA tests for random dogs, as a breed's tested share.
void addDnaResults(QSqlDatabase kennel, int dogs, int results)
{
    QSqlQuery count(kennel);
    count.exec(QStringLiteral("SELECT count(*) FROM healthresults"));
    const int held = count.next() ? count.value(0).toInt() : 0;
    if (held >= results)
        return;
    QSqlQuery tests(kennel);
    tests.exec(QStringLiteral("SELECT testid FROM healthtests WHERE testkind = 'DNA'"));
    QList<qint64> ids;
    while (tests.next())
        ids << tests.value(0).toLongLong();
    if (ids.isEmpty())
        return;
    QRandomGenerator random(29);
    kennel.transaction();
    QSqlQuery insert(kennel);
    insert.prepare(QStringLiteral(
        "INSERT INTO healthresults (dogid, testid, tested, result) VALUES (?, ?, ?, ?)"));
    for (int i = held; i < results; ++i) {
        const int roll = int(random.bounded(100));
        insert.addBindValue(qint64(1 + random.bounded(dogs)));
        insert.addBindValue(ids[int(random.bounded(int(ids.size())))]);
        insert.addBindValue(QStringLiteral("2020-01-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        insert.addBindValue(roll < 70   ? QStringLiteral("Clear")
                            : roll < 95 ? QStringLiteral("Carrier")
                                        : QStringLiteral("Affected"));
        insert.exec();
    }
    kennel.commit();
}

void benchDnaStatuses(const QSqlDatabase &kennel, const genetics::KennelGraph &graph,
                      const std::vector<int> &males, const std::vector<int> &females)
{
    const int results = std::min(100000, graph.size() / 10);
    addDnaResults(kennel, graph.size(), results);
    genetics::DnaStatuses dna;
    printLine(QStringLiteral("DNA status of every dog, %1 results over 5 tests")
                  .arg(QLocale().toString(results)),
              medianMs(3,
                       [&] {
                           dna = genetics::DnaStatuses();
                           dna.read(kennel);
                           dna.derive(graph, genetics::defaultClearGenerations);
                       }),
              2000);
    QRandomGenerator random(7);
    printLine("one planned litter's health table",
              medianMs(21,
                       [&] {
                           const int sire = males[random.bounded(int(males.size()))];
                           const int dam = females[random.bounded(int(females.size()))];
                           for (int test = 0; test < int(dna.tests().size()); ++test)
                               dna.litter(test, sire, dam);
                       }),
              20);
}

} // namespace

void benchGenetics()
{
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const double before = residentMb();
    genetics::KennelGraph graph;
    const double read = medianMs(5, [&] { graph.read(kennel); });
    const double graphMb = residentMb() - before;
    printLine("read the kennel graph", read,
              bareScan("SELECT dogid, name, sire, dam, sex, dob, dod FROM Dogtable "
                       "ORDER BY rowid"));
    printValue("  bare scan of name, sire, dam, sex (ms)",
               QString::number(bareScan("SELECT name, sire, dam, sex FROM Dogtable"), 'f', 1));

    std::unique_ptr<genetics::Inbreeding> inbreeding;
    const double every = medianMs(
        3, [&] { inbreeding->coefficients(); },
        [&] { inbreeding = std::make_unique<genetics::Inbreeding>(graph.pedigree()); });
    printLine("inbreeding of every dog (floor: 2 s at 500,000)", every, 2000);
    double sum = 0;
    double highest = 0;
    int counted = 0;
    const std::vector<double> &all = inbreeding->coefficients();
    for (int dog = std::max(0, graph.size() - 25000); dog < graph.size(); ++dog) {
        if (!std::isnan(all[dog])) {
            sum += all[dog];
            highest = std::max(highest, all[dog]);
            ++counted;
        }
    }
    printValue("  inbreeding of the last generation, mean / highest",
               genetics::percent(counted ? sum / counted : 0) + " / " + genetics::percent(highest));
    printValue("  loops", QString::number(graph.loops().size()));
    printValue("memory added by the graph and every dog's inbreeding (MB)",
               QString::number(residentMb() - before, 'f', 1));
    printValue("  of which the graph alone (MB)", QString::number(graphMb, 'f', 1));

    // Litters of living dogs of the last generations.
    std::vector<int> males;
    std::vector<int> females;
    for (int dog = graph.size() - 1; dog >= 0 && (males.size() < 200 || females.size() < 200);
         --dog) {
        if (graph.looped(dog) || graph.hasDied(dog))
            continue;
        if (graph.sex(dog) == genetics::Sex::Male)
            males.push_back(dog);
        else if (graph.sex(dog) == genetics::Sex::Female)
            females.push_back(dog);
    }
    if (males.empty() || females.empty())
        return;
    QRandomGenerator random(5);
    auto anyOf = [&](const std::vector<int> &dogs) {
        return dogs[random.bounded(int(dogs.size()))];
    };
    printLine("one litter's inbreeding, all generations",
              medianMs(21, [&] { inbreeding->coancestry(anyOf(males), anyOf(females)); }), 20);
    printLine("trial mating figures (10 generations chosen)",
              medianMs(11,
                       [&] {
                           genetics::matingFigures(graph.pedigree(), *inbreeding, anyOf(males),
                                                   anyOf(females), 10);
                       }),
              -1);
    genetics::KennelGenetics &kennelGenetics = genetics::KennelGenetics::current(kennel);
    kennelGenetics.inbreeding().coefficients();
    size_t ranked = 0;
    printLine("\"Best Sires for this Dam\" over every male",
              medianMs(5, [&] { ranked = kennelGenetics.bestSires(anyOf(females)).size(); }), 1000);
    printValue("  living males ranked", QString::number(ranked));

    benchDnaStatuses(kennel, graph, males, females);
    const int dam = anyOf(females);
    printLine("\"Best Sires for this Dam\" with the affected risk",
              medianMs(5,
                       [&] {
                           ranked = inbreeding::rankedSires(kennel, kennelGenetics, dam, {},
                                                            QDate(2026, 12, 1))
                                        .choices.size();
                       }),
              1000);
    genetics::KennelGenetics::forget();
    db::DatabaseFiles::close();
}

} // namespace bench
