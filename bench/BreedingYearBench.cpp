#include "bench/BreedingYearBench.h"

#include "bench/Timing.h"
#include "breeding/Breeding.h"
#include "breeding/LitterWeightsScreen.h"
#include "breeding/Progesterone.h"
#include "breeding/SeasonsExpected.h"
#include "calendar/ICalendarFile.h"
#include "calendar/KennelCalendar.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "kennel/Litters.h"
#include "report/PagedLayout.h"
#include "ui/ChartPicture.h"

#include <QChart>
#include <QDeadlineTimer>
#include <QLocale>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace bench {
namespace {

int rowsOf(const QSqlDatabase &kennel, const QString &table)
{
    QSqlQuery count(kennel);
    count.exec(QStringLiteral("SELECT count(*) FROM ") + table);
    return count.next() ? count.value(0).toInt() : 0;
}

// Seasons of random living bitches, six months apart, and a few progesterone tests in some.
void addSeasons(QSqlDatabase kennel, int seasons, int tests)
{
    if (rowsOf(kennel, QStringLiteral("seasons")) >= seasons)
        return;
    QSqlQuery females(kennel);
    females.exec(QStringLiteral("SELECT dogid FROM Dogtable WHERE sex = 'Female' AND "
                                "coalesce(dod, '') = ''"));
    QList<qint64> bitches;
    while (females.next())
        bitches << females.value(0).toLongLong();
    if (bitches.isEmpty())
        return;
    QRandomGenerator random(30);
    const QDate today = core::Clock::today();
    kennel.transaction();
    QSqlQuery season(kennel);
    season.prepare(QStringLiteral("INSERT INTO seasons (dogid, firstday) VALUES (?, ?)"));
    QSqlQuery test(kennel);
    test.prepare(QStringLiteral("INSERT INTO progesterone (seasonid, takenat, progvalue, progunit) "
                                "VALUES (?, ?, ?, 'ng/ml')"));
    const int testsPerSeason = 5;
    for (int i = 0; i < seasons; ++i) {
        const qint64 bitch = bitches[int(random.bounded(int(bitches.size())))];
        const QDate first = today.addDays(-qint64(random.bounded(900)));
        season.addBindValue(bitch);
        season.addBindValue(first.toString(Qt::ISODate));
        season.exec();
        if (i * testsPerSeason >= tests)
            continue;
        const qint64 id = season.lastInsertId().toLongLong();
        for (int t = 0; t < testsPerSeason; ++t) {
            test.addBindValue(id);
            test.addBindValue(first.addDays(5 + 2 * t).toString(Qt::ISODate));
            test.addBindValue(0.5 + t * t * 1.2);
            test.exec();
        }
    }
    kennel.commit();
}

// Weighings of random dogs, and a litter of 12 pups weighed 60 times each; its id.
qint64 addWeights(QSqlDatabase kennel, int weighings)
{
    const QDate born = core::Clock::today().addDays(-60);
    // The litter is known by its breed; its parents are dogs of the kennel, as a real
    // litter's are.
    QSqlQuery litter(kennel);
    litter.exec(QStringLiteral("SELECT litterid FROM litters WHERE breedoflitter = 'Bench'"));
    if (litter.next())
        return litter.value(0).toLongLong();
    QSqlQuery parents(kennel);
    parents.exec(QStringLiteral("SELECT (SELECT name FROM Dogtable WHERE sex = 'Male' LIMIT 1), "
                                "(SELECT name FROM Dogtable WHERE sex = 'Female' LIMIT 1)"));
    if (!parents.next())
        return 0;
    const auto added =
        kennel::addLitter(kennel, {parents.value(0).toString(), parents.value(1).toString(),
                                   QStringLiteral("Bench"), 12, born});
    if (!added)
        return 0;
    QRandomGenerator random(31);
    kennel.transaction();
    QSqlQuery insert(kennel);
    insert.prepare(
        QStringLiteral("INSERT INTO weights (dogid, weighedat, grams) VALUES (?, ?, ?)"));
    QSqlQuery pups(kennel);
    pups.exec(QStringLiteral("SELECT dogid FROM Dogtable WHERE breed = 'Bench'"));
    int written = 0;
    while (pups.next()) {
        const qint64 pup = pups.value(0).toLongLong();
        for (int day = 0; day < 60; ++day, ++written) {
            insert.addBindValue(pup);
            insert.addBindValue(
                QString(born.addDays(day).toString(Qt::ISODate) + QStringLiteral("T08:00")));
            insert.addBindValue(400.0 * (1 + 0.07 * day));
            insert.exec();
        }
    }
    const int dogs = rowsOf(kennel, QStringLiteral("Dogtable"));
    for (; written < weighings; ++written) {
        insert.addBindValue(qint64(1 + random.bounded(dogs)));
        insert.addBindValue(QStringLiteral("2020-01-01T%1:%2")
                                .arg(written / 60 % 24, 2, 10, QLatin1Char('0'))
                                .arg(written % 60, 2, 10, QLatin1Char('0')));
        insert.addBindValue(1000.0 + random.bounded(30000));
        insert.exec();
    }
    kennel.commit();
    return added.value();
}

} // namespace

void benchBreedingYear()
{
    if (!db::DatabaseFiles::kennel().isOpen() && !db::DatabaseFiles::open().isEmpty())
        return;
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const int seasons = sized(20000);
    const int tests = sized(50000);
    addSeasons(kennel, seasons, tests);
    const QLocale locale;
    printLine(QStringLiteral("Seasons Expected to its first page, %1 seasons")
                  .arg(locale.toString(rowsOf(kennel, QStringLiteral("seasons")))),
              medianMs(5,
                       [] {
                           const report::Report expected = breeding::seasonsExpectedReport();
                           report::PagedLayout pages = expected.pages();
                           pages.layOutMore(QDeadlineTimer(0));
                           if (pages.pageCount() == 0)
                               pages.layOutAll();
                       }),
              300);
    printLine("one season's progesterone and estimate",
              medianMs(21,
                       [&] {
                           if (const auto read = breeding::progesteroneOf(kennel, 1))
                               breeding::estimateOvulation(*read);
                       }),
              5);
    const qint64 litterId = addWeights(kennel, sized(500000));
    printLine(QStringLiteral("litter weights chart, 12 pups weighed 60 times, %1 weighings")
                  .arg(locale.toString(rowsOf(kennel, QStringLiteral("weights")))),
              medianMs(11,
                       [&] {
                           const auto litter = kennel::litterWithId(kennel, litterId);
                           if (!litter)
                               return;
                           const auto pups = breeding::litterPups(kennel, *litter);
                           std::unique_ptr<QChart> chart(breeding::litterWeightsChart(*pups));
                           ui::chartPicture(chart.get(), QSize(800, 480));
                       }),
              100);
    QTemporaryDir dir;
    const QString key = calendar::calendarKey(kennel);
    size_t events = 0;
    const double calendarMs = medianMs(3, [&] {
        QString problem;
        const auto coming = calendar::comingEvents(kennel, core::Clock::today(), key, &problem);
        events = coming.size();
        calendar::writeICalendar(coming, dir.filePath(QStringLiteral("kennel.ics")));
    });
    printLine(QStringLiteral("calendar export, %1 dates").arg(locale.toString(qint64(events))),
              calendarMs, 2000);
}

} // namespace bench
