#include "bench/GeneticsBench.h"

#include "bench/Timing.h"
#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"

#include <cmath>
#include <memory>
#include <QRandomGenerator>
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
    genetics::KennelGenetics::forget();
    db::DatabaseFiles::close();
}

} // namespace bench
