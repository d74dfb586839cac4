#include "bench/BreedingYearBench.h"

#include "bench/Timing.h"
#include "breeding/Progesterone.h"
#include "breeding/SeasonsExpected.h"
#include "calendar/ICalendarFile.h"
#include "calendar/KennelCalendar.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "report/PagedLayout.h"

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
