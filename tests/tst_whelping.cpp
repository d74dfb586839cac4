// From season to weaning: progesterone and its estimates, through the program's screens too.
#include "app/KennelCalendarFile.h"
#include "breeding/Breeding.h"
#include "breeding/LitterWeightsScreen.h"
#include "breeding/Progesterone.h"
#include "breeding/ProgesteroneScreen.h"
#include "breeding/Seasons.h"
#include "breeding/SeasonsScreen.h"
#include "breeding/Weights.h"
#include "breeding/Whelping.h"
#include "breeding/WhelpingScreen.h"
#include "calendar/ICalendarFile.h"
#include "calendar/KennelCalendar.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Moments.h"
#include "core/Units.h"
#include "dogs/DogRemoval.h"
#include "kennel/Whelping.h"
#include "report/PagedLayout.h"
#include "tests/ProgramWindow.h"

#include <libical/ical.h>
#include <map>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>

using namespace testing;

namespace {

qint64 addSeason(const QSqlDatabase &kennel, qint64 dog, const QString &firstDay)
{
    exec(kennel, "INSERT INTO seasons (dogid, firstday) VALUES (?, ?)", {dog, firstDay});
    return scalar(kennel, "SELECT max(seasonid) FROM seasons").toLongLong();
}

// "3:1.5 4:2.5" is 1.5 on day 3 and 2.5 on day 4 of March 2027.
std::vector<breeding::ProgesteroneTest> curve(const QString &values, const QString &unit)
{
    std::vector<breeding::ProgesteroneTest> tests;
    for (const QString &point : values.split(' ', Qt::SkipEmptyParts)) {
        breeding::ProgesteroneTest t;
        t.taken.day = QDate(2027, 3, point.section(':', 0, 0).toInt());
        t.value = point.section(':', 1).toDouble();
        t.unit = unit;
        tests.push_back(t);
    }
    return tests;
}

// The events of an iCalendar file as libical reads them: UID to "day summary", with " yearly"
// for those that recur.
std::map<QString, QString> eventsOf(const QByteArray &text)
{
    std::map<QString, QString> events;
    icalcomponent *calendar = icalparser_parse_string(text.constData());
    if (!calendar)
        return events;
    for (icalcomponent *e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(e);
        QString shown = QDate(start.year, start.month, start.day).toString(Qt::ISODate) + " " +
                        QString::fromUtf8(icalcomponent_get_summary(e));
        if (icalproperty *rule = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY))
            shown += icalproperty_get_rrule(rule).freq == ICAL_YEARLY_RECURRENCE ? " yearly" : "";
        events[QString::fromUtf8(icalcomponent_get_uid(e))] = shown;
    }
    icalcomponent_free(calendar);
    return events;
}

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class WhelpingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timesAsTyped_data();
    void timesAsTyped();
    void ovulationEstimates_data();
    void ovulationEstimates();
    void progesteroneValuesThatCannotBe_data();
    void progesteroneValuesThatCannotBe();
    void testsGoWithTheirSeasonAndBitch();
    void progesteroneIsTypedFromTheSeason();
    void calendarHoldsEveryComingDate();
    void calendarThatCannotBeWrittenLeavesTheOld();
    void calendarFileIsKeptCurrent();
    void weightsAsTyped_data();
    void weightsAsTyped();
    void weighingsThatCannotBe();
    void weightWarningsAndGain();
    void whelpingsThatCannotBe_data();
    void whelpingsThatCannotBe();
    void whelpingFillsThePlaceholdersAndAddsPups();
    void litterIsWeighedChartedAndPrinted();
};

void WhelpingTest::timesAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("time");
    QTest::newRow("empty") << " " << true << "";
    QTest::newRow("colon") << "9:30" << true << "09:30";
    QTest::newRow("dot") << "14.05" << true << "14:05";
    QTest::newRow("digits") << "0715" << true << "07:15";
    QTest::newRow("hour 24") << "24:00" << false << "";
    QTest::newRow("minute 60") << "10:60" << false << "";
    QTest::newRow("letters") << "noon" << false << "";
}

void WhelpingTest::timesAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(QString, time);
    const auto read = core::moments::parseTime(typed);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(core::moments::shortTime(*read), time);
}

void WhelpingTest::ovulationEstimates_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("surge");
    QTest::addColumn<QString>("ovulation");
    QTest::newRow("slow rise") << "1:0.5 3:0.9 5:1.6 6:2.4 7:3.8 8:6.1 10:12"
                               << "ng/ml"
                               << "2027-03-06"
                               << "2027-03-08";
    QTest::newRow("fast rise") << "2:0.8 4:7.5 6:15"
                               << "ng/ml"
                               << "2027-03-04"
                               << "2027-03-06";
    QTest::newRow("missed surge") << "5:3.1 7:4.4 8:6.0"
                                  << "ng/ml"
                                  << ""
                                  << "2027-03-08";
    QTest::newRow("in nmol/l") << "1:3.0 4:5.7 5:7.0 7:19"
                               << "nmol/l"
                               << "2027-03-05"
                               << "2027-03-07";
    QTest::newRow("unordered") << "8:6.1 1:0.5 6:2.4 5:1.6"
                               << "ng/ml"
                               << "2027-03-06"
                               << "2027-03-08";
    QTest::newRow("a single high value") << "9:8"
                                         << "ng/ml"
                                         << ""
                                         << "2027-03-09";
    QTest::newRow("a single low value") << "3:1"
                                        << "ng/ml"
                                        << ""
                                        << "";
    QTest::newRow("still rising, no surge caught") << "3:2.5 5:4"
                                                   << "ng/ml"
                                                   << ""
                                                   << "";
    QTest::newRow("none") << ""
                          << "ng/ml"
                          << ""
                          << "";
}

void WhelpingTest::ovulationEstimates()
{
    QFETCH(QString, values);
    QFETCH(QString, unit);
    QFETCH(QString, surge);
    QFETCH(QString, ovulation);
    const breeding::OvulationEstimate e = breeding::estimateOvulation(curve(values, unit));
    QCOMPARE(e.surge.toString(Qt::ISODate), surge);
    QCOMPARE(e.ovulation.toString(Qt::ISODate), ovulation);
    if (!e.known())
        return;
    QCOMPARE(e.fertileFrom, e.ovulation.addDays(2));
    QCOMPARE(e.fertileTo, e.ovulation.addDays(5));
    QCOMPARE(e.whelping, e.ovulation.addDays(63));
    QVERIFY(breeding::estimateText(e).startsWith("Estimated: "));
    QVERIFY(breeding::estimateText(e).endsWith("(± 1 day)"));
}

void WhelpingTest::progesteroneValuesThatCannotBe_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("kept");
    QTest::newRow("ng/ml") << "4.5"
                           << "ng/ml" << true;
    QTest::newRow("decimal comma") << "4,5"
                                   << "ng/ml" << true;
    QTest::newRow("zero") << "0"
                          << "ng/ml" << true;
    QTest::newRow("negative") << "-1"
                              << "ng/ml" << false;
    QTest::newRow("letters") << "high"
                             << "ng/ml" << false;
    QTest::newRow("500 ng/ml") << "500"
                               << "ng/ml" << false;
    QTest::newRow("300 nmol/l") << "300"
                                << "nmol/l" << true;
    QTest::newRow("500 nmol/l") << "500"
                                << "nmol/l" << false;
    QTest::newRow("empty") << ""
                           << "ng/ml" << false;
}

void WhelpingTest::progesteroneValuesThatCannotBe()
{
    QFETCH(QString, typed);
    QFETCH(QString, unit);
    QFETCH(bool, kept);
    QString problem;
    QCOMPARE(breeding::readProgesterone(typed, unit, &problem).has_value(), kept);
    QCOMPARE(problem.isEmpty(), kept);
}

void WhelpingTest::testsGoWithTheirSeasonAndBitch()
{
    Kennel kennel;
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    const qint64 first = addSeason(kennel.db(), bella, "2026-03-01");
    const qint64 second = addSeason(kennel.db(), bella, "2026-09-01");
    int minute = 0;
    for (const qint64 season : {first, first, second}) {
        breeding::ProgesteroneTest t;
        t.seasonId = season;
        t.taken = {QDate(2026, season == first ? 3 : 9, 8),
                   QTime(9, season == first ? ++minute : 0)};
        t.value = 3;
        t.unit = "ng/ml";
        QVERIFY(breeding::addProgesterone(kennel.db(), t, "Bella").ok());
    }
    // The same minute twice is refused; the first day of the season bounds the tests.
    breeding::ProgesteroneTest again;
    again.seasonId = second;
    again.taken = {QDate(2026, 9, 8), QTime(9, 0)};
    QCOMPARE(breeding::progesteroneProblem(kennel.db(), again, QDate(2026, 9, 1)),
             "A progesterone test taken at " + core::moments::shortMoment(again.taken) +
                 " is recorded already.");
    again.taken.day = QDate(2026, 8, 31);
    QVERIFY(breeding::progesteroneProblem(kennel.db(), again, QDate(2026, 9, 1))
                .contains("before the first day"));

    breeding::Season season;
    season.id = first;
    QVERIFY(breeding::deleteSeason(kennel.db(), season, "Bella").ok());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM progesterone").toInt(), 1);
    const auto removal = dogs::plannedRemoval(kennel.db(), bella);
    QVERIFY(removal.ok());
    QVERIFY(dogs::removeDog(kennel.db(), removal.value(), false).ok());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM progesterone").toInt(), 0);
}

void WhelpingTest::progesteroneIsTypedFromTheSeason()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella \"Ærø\""}, {"sex", "Female"}});
    const qint64 season = addSeason(kennel.db(), bella, "2027-03-01");
    exec(kennel.db(),
         "INSERT INTO mating (dgname1, dgname2, datemated, datedue) VALUES ('Rex', ?, "
         "'2027-03-10', '2027-05-12')",
         {"Bella \"Ærø\""});
    Window w;
    w.choose("breedingMenu", "Seasons...");
    auto *seasons = w.shown<breeding::SeasonsScreen>(breeding::SeasonsScreen::screenName());
    focusOnList(seasons->findChild<ui::PickList *>("dog"));
    typeKeys("Bella");
    pressKey(Qt::Key_Return);
    seasons->findChild<QTableWidget *>("seasons")->setCurrentCell(0, 0);
    QCOMPARE(seasons->findChild<QLabel *>("estimate")->text(), "No tests recorded");
    QCOMPARE(seasons->findChild<QLabel *>("litterDue")->text(),
             core::datetext::shortDate(QDate(2027, 5, 12)));
    QTest::mouseClick(seasons->findChild<QPushButton *>("progesterone"), Qt::LeftButton);
    auto *tests = w.shown<breeding::ProgesteroneScreen>(breeding::ProgesteroneScreen::screenName());
    QCOMPARE(tests->findChild<QLabel *>("season")->text(),
             "Bella \"Ærø\", season from " + core::datetext::shortDate(QDate(2027, 3, 1)));

    // Each test typed and added by Enter; the unit stays for the next.
    auto typeTest = [&](int day, const QString &time, const QString &value) {
        focusOn(tests->findChild<QLineEdit *>("day"));
        typeKeys(core::datetext::shortDate(QDate(2027, 3, day)));
        pressKey(Qt::Key_Tab);
        typeKeys(time);
        pressKey(Qt::Key_Tab);
        typeKeys(value);
        pressKey(Qt::Key_Return);
    };
    typeTest(5, "9:00", "1.2");
    typeTest(7, "", "abc");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].startsWith("A progesterone value is a number"));
    focusOn(tests->findChild<QLineEdit *>("value"));
    tests->findChild<QLineEdit *>("value")->clear();
    typeKeys("2.6");
    pressKey(Qt::Key_Return);
    typeTest(9, "10:15", "6.5");
    QCOMPARE(scalar(kennel.db(),
                    "SELECT group_concat(takenat || '=' || progvalue, '|') FROM progesterone "
                    "WHERE seasonid = ?",
                    {season})
                 .toString(),
             "2027-03-05T09:00=1.2|2027-03-07=2.6|2027-03-09T10:15=6.5");
    QCOMPARE(column(tests->findChild<QTableWidget *>("tests"), 0).size(), 3);
    auto *chart = tests->findChild<QChartView *>("chart")->chart();
    QCOMPARE(qobject_cast<QLineSeries *>(chart->series().constFirst())->count(), 3);
    QVERIFY(tests->findChild<QLabel *>("estimate")
                ->text()
                .contains("ovulation " + core::datetext::shortDate(QDate(2027, 3, 9))));
    // The season on view shows the estimate beside the due date of the mating.
    QVERIFY(seasons->findChild<QLabel *>("estimate")
                ->text()
                .contains("whelping " + core::datetext::shortDate(QDate(2027, 5, 11))));
}

void WhelpingTest::calendarHoldsEveryComingDate()
{
    Kennel kennel;
    core::Clock::setToday(QDate(2027, 2, 1));
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex <b>&amp;</b>"}, {"dob", "2020-05-01"}});
    addDog(kennel.db(), {{"name", "Old"}, {"dob", "2010-05-01"}, {"dod", "2022-01-01"}});
    const qint64 bella =
        addDog(kennel.db(), {{"name", "Bella Ærø"}, {"sex", "Female"}, {"dob", "2021-03-03"}});
    exec(kennel.db(),
         "INSERT INTO vaccination (dogname, dogid, vaxtype, due) VALUES "
         "('Rex', ?, 'Rabies', '2027-04-01'), ('Rex', ?, 'DHP', '2026-04-01')",
         {rex, rex});
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2, datemated, datedue) VALUES "
                      "('Rex', 'Bella Ærø', '2027-01-20', '2027-03-24')");
    for (const char *day : {"2025-07-01", "2026-01-01"})
        addSeason(kennel.db(), bella, day);
    const qint64 season = addSeason(kennel.db(), bella, "2027-01-10");
    exec(kennel.db(),
         "INSERT INTO progesterone (seasonid, takenat, progvalue, progunit) VALUES "
         "(?, '2027-01-15', 1.0, 'ng/ml'), (?, '2027-01-18T08:00', 2.5, 'ng/ml')",
         {season, season});

    const QString key = calendar::calendarKey(kennel.db());
    QCOMPARE(calendar::calendarKey(kennel.db()), key);
    QString problem;
    const auto events = calendar::comingEvents(kennel.db(), core::Clock::today(), key, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const auto read = eventsOf(calendar::iCalendarText(events));
    QStringList shown;
    for (const auto &[uid, event] : read) {
        QVERIFY(uid.endsWith("@" + key));
        shown << event;
    }
    shown.sort();
    QCOMPARE(shown, (QStringList{"2020-05-01 Birthday: Rex <b>&amp;</b> yearly",
                                 "2021-03-03 Birthday: Bella Ærø yearly",
                                 "2027-03-24 Litter due: Bella Ærø x Rex",
                                 "2027-03-24 Whelping estimated: Bella Ærø",
                                 "2027-04-01 Vaccination due: Rex",
                                 "2027-10-16 Season expected: Bella Ærø"}));

    // A second export after a change gives the same record the same UID.
    exec(kennel.db(), "UPDATE vaccination SET due = '2027-05-01' WHERE due = '2027-04-01'");
    const auto again = eventsOf(calendar::iCalendarText(calendar::comingEvents(
        kennel.db(), core::Clock::today(), calendar::calendarKey(kennel.db()), &problem)));
    QCOMPARE(again.size(), read.size());
    for (const auto &[uid, event] : read) {
        QVERIFY(again.count(uid));
        if (event.contains("Vaccination"))
            QCOMPARE(again.at(uid), "2027-05-01 Vaccination due: Rex");
    }
}

void WhelpingTest::calendarThatCannotBeWrittenLeavesTheOld()
{
    const std::vector<calendar::CalendarEvent> one{
        {"a@k", "Birthday: Rex", "", QDate(2020, 1, 1), true}};
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath("file"));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    QVERIFY(!calendar::writeICalendar(one, dir.filePath("file/houndry.ics")).isEmpty());

    TinyDisk disk(16);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    const QString path = disk.path() + "/houndry.ics";
    QVERIFY(calendar::writeICalendar(one, path).isEmpty());
    const QByteArray before = fileText(path);
    std::vector<calendar::CalendarEvent> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back({QString("b%1@k").arg(i), "Birthday", "", QDate(2020, 1, 1), true});
    QVERIFY(!calendar::writeICalendar(many, path).isEmpty());
    QCOMPARE(fileText(path), before);
}

void WhelpingTest::calendarFileIsKeptCurrent()
{
    Kennel kennel;
    MessageRecorder messages;
    messages.answers = {true};
    // Not the first of a month, which asks about the month's lists first.
    core::Clock::setToday(QDate(2027, 2, 2));
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"dob", "2020-05-01"}});
    Window w;
    QTemporaryDir dir;
    const QString path = dir.filePath("kennel.ics");
    auto *calendarFile = w.window.findChild<app::KennelCalendarFile *>();
    QVERIFY(calendarFile->exportTo(path));
    QVERIFY(messages.texts.last().contains("with 1 dates"));
    QCOMPARE(eventsOf(fileText(path)).size(), size_t(1));
    exec(kennel.db(),
         "INSERT INTO vaccination (dogname, dogid, vaxtype, due) VALUES ('Rex', ?, 'Rabies', "
         "'2027-04-01')",
         {rex});
    QTRY_COMPARE_WITH_TIMEOUT(eventsOf(fileText(path)).size(), size_t(2), 10000);
}

void WhelpingTest::weightsAsTyped_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("grams");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grams") << true << "450" << 450.0 << "450 g";
    QTest::newRow("grams with g") << true << "450 g" << 450.0 << "450 g";
    QTest::newRow("kilograms") << true << "12,5 kg" << 12500.0 << "12.50 kg";
    QTest::newRow("letters") << true << "heavy" << -1.0 << "";
    QTest::newRow("pounds and ounces")
        << false << "1 lb 4.5 oz" << 16 * 28.349523125 + 4.5 * 28.349523125 << "1 lb 4.5 oz";
    QTest::newRow("run together") << false << "1lb 4oz" << 20 * 28.349523125 << "1 lb 4 oz";
    QTest::newRow("ounces alone") << false << "9.2" << 9.2 * 28.349523125 << "9.2 oz";
    QTest::newRow("pounds alone") << false << "1.5 lb" << 680.388555 << "1 lb 8 oz";
    QTest::newRow("grams in pounds") << false << "450 g" << -1.0 << "";
}

void WhelpingTest::weightsAsTyped()
{
    QFETCH(bool, metric);
    QFETCH(QString, typed);
    QFETCH(double, grams);
    QFETCH(QString, shown);
    using namespace core::units;
    const Weight unit = metric ? Weight::Metric : Weight::Imperial;
    const auto read = readWeight(typed, unit);
    QCOMPARE(read.has_value(), grams >= 0);
    if (!read)
        return;
    QVERIFY(std::abs(*read - grams) < 0.001);
    // What is shown reads back as the same weight, to the tenth of an ounce or the gram.
    QCOMPARE(weightText(*read, unit), shown);
    QVERIFY(std::abs(*readWeight(weightText(*read, unit), unit) - *read) < (metric ? 0.5 : 1.5));
}

void WhelpingTest::weighingsThatCannotBe()
{
    Kennel kennel;
    core::units::setWeight(core::units::Weight::Metric);
    QString problem;
    for (const QString &typed : {QString("0"), QString("200 kg"), QString("ten"), QString("")}) {
        QVERIFY2(!breeding::readWeighing(typed, &problem), qPrintable(typed));
        QVERIFY(problem.startsWith("A weight is more than nothing"));
    }
    QCOMPARE(*breeding::readWeighing("120 kg", &problem), 120000.0);
    const qint64 pup = addDog(kennel.db(), {{"name", "Pip"}, {"dob", "2027-03-01"}});
    breeding::Weighing w{0, pup, {QDate(2027, 3, 2), QTime(8, 0)}, 500};
    QVERIFY(breeding::weighingProblem(kennel.db(), w).isEmpty());
    QVERIFY(breeding::addWeighing(kennel.db(), w, "Pip").ok());
    QCOMPARE(breeding::weighingProblem(kennel.db(), w),
             "A weighing at " + core::moments::shortMoment(w.at) + " is recorded already.");
    w.at.day = QDate(2027, 2, 28);
    QVERIFY(breeding::weighingProblem(kennel.db(), w).startsWith("A weighing cannot come before"));
}

void WhelpingTest::weightWarningsAndGain()
{
    Kennel kennel;
    core::units::setWeight(core::units::Weight::Metric);
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2, datemated) VALUES ('Rex', 'Bella', "
                      "'2027-01-01')");
    const qint64 litterId =
        kennel::addLitter(kennel.db(), {"Rex", "Bella", "", 3, QDate(2027, 3, 1)}).value();
    const auto litter = kennel::litterWithId(kennel.db(), litterId);
    QVERIFY(litter);
    auto pups = *breeding::litterPups(kennel.db(), *litter);
    QCOMPARE(pups.size(), size_t(3));
    std::vector<kennel::WhelpedPup> born(3);
    const QStringList collars{"Red", "Blue", "Green"};
    for (int i = 0; i < 3; ++i) {
        born[size_t(i)].dogId = pups[size_t(i)].dogId;
        born[size_t(i)].collar = collars[i];
        born[size_t(i)].birthGrams = 400;
    }
    QVERIFY(kennel::saveWhelping(kennel.db(), *litter, born).ok());
    // Red thrives, Blue loses on day 5 and Green has not doubled by day 11.
    const QList<std::tuple<int, int, double>> weighings{
        {0, 5, 700}, {0, 11, 900}, {1, 4, 600}, {1, 5, 580}, {2, 11, 780}};
    for (const auto &[pup, day, grams] : weighings)
        QVERIFY(breeding::addWeighing(
                    kennel.db(),
                    {0, pups[size_t(pup)].dogId, {QDate(2027, 3, 1).addDays(day), {}}, grams},
                    "pup")
                    .ok());
    // Renamed after its weighings, a pup keeps them.
    exec(kennel.db(), "UPDATE Dogtable SET name = 'Kirkwood Ruby' WHERE dogid = ?",
         {pups[0].dogId});
    pups = *breeding::litterPups(kennel.db(), *litter);
    QCOMPARE(pups[0].name, "Kirkwood Ruby");
    QCOMPARE(pups[0].weighings.size(), size_t(2));
    QCOMPARE(breeding::weightWarnings(pups),
             (QStringList{"Blue has lost weight since the weighing before (600 g to 580 g).",
                          "Green has not doubled its birth weight (400 g) by day 10."}));
    const auto gain = breeding::gainPerDay(pups[0].series()[0], pups[0].series()[1]);
    QVERIFY(gain && std::abs(*gain - 15.0) < 0.001);
    QVERIFY(breeding::weightsCsv(pups).startsWith(
        "pup,collar,weighed,grams,gain_per_day_percent\nKirkwood Ruby,Red,2027-03-01,400.0,\n"
        "Kirkwood Ruby,Red,2027-03-06,700.0,15.00\n"));
}

void WhelpingTest::whelpingsThatCannotBe_data()
{
    QTest::addColumn<int>("pups");
    QTest::addColumn<QString>("collar");
    QTest::addColumn<QString>("died");
    QTest::addColumn<QString>("litterDay");
    QTest::addColumn<QString>("problem");
    QTest::newRow("fine") << 30 << ""
                          << ""
                          << "2027-03-01"
                          << "";
    QTest::newRow("31 pups") << 31 << ""
                             << ""
                             << "2027-03-01"
                             << "A litter of more than 30 pups cannot be recorded.";
    QTest::newRow("one collar twice") << 3 << "Red"
                                      << ""
                                      << "2027-03-01"
                                      << "Two pups have the collar \"Red\": a collar tells one "
                                         "pup apart.";
    QTest::newRow("died before born") << 2 << ""
                                      << "2027-02-20"
                                      << "2027-03-01"
                                      << "Pup 1 cannot have died before it was born.";
    QTest::newRow("born before the mating")
        << 2 << ""
        << ""
        << "2026-12-31"
        << "The pups cannot be born before the mating (" +
               core::datetext::shortDate(QDate(2027, 1, 1)) + ").";
}

void WhelpingTest::whelpingsThatCannotBe()
{
    QFETCH(int, pups);
    QFETCH(QString, collar);
    QFETCH(QString, died);
    QFETCH(QString, litterDay);
    QFETCH(QString, problem);
    Kennel kennel;
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2, datemated) VALUES ('Rex', 'Bella', "
                      "'2027-01-01')");
    kennel::Litter litter{1, "Rex", "Bella", QDate::fromString(litterDay, Qt::ISODate), 0, ""};
    std::vector<kennel::WhelpedPup> born(static_cast<size_t>(pups));
    for (kennel::WhelpedPup &pup : born)
        pup.collar = collar;
    born[0].died = QDate::fromString(died, Qt::ISODate);
    QCOMPARE(breeding::whelpingProblem(kennel.db(), litter, born), problem);
}

void WhelpingTest::whelpingFillsThePlaceholdersAndAddsPups()
{
    Kennel kennel;
    MessageRecorder messages;
    core::units::setWeight(core::units::Weight::Metric);
    core::Clock::setToday(QDate(2027, 3, 10));
    const qint64 litterId =
        kennel::addLitter(kennel.db(), {"Rex", "Bella", "Collie", 2, QDate(2027, 3, 1)}).value();
    Window w;
    w.choose("breedingMenu", "Whelping...");
    auto *screen = w.shown<breeding::WhelpingScreen>(breeding::WhelpingScreen::screenName());
    auto *table = screen->findChild<QTableWidget *>("pups");
    QCOMPARE(table->rowCount(), 2);
    QTest::mouseClick(screen->findChild<QPushButton *>("addPup"), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 3);
    // Typed cell by cell as a breeder does: each row's time, sex, colour, markings, collar,
    // weight; Tab between cells. The third pup came after midnight and was stillborn.
    const QList<QStringList> typed{{"23:10", "m", "Sable", "blaze", "Red", "410"},
                                   {"23:55", "Bitch", "Tricolour", "", "Blue", "380 g"},
                                   {"0:40", "f", "Sable", "", "Green", "300"}};
    for (int row = 0; row < 3; ++row) {
        table->setCurrentCell(row, 1);
        focusOn(table);
        for (const QString &text : typed[row]) {
            typeKeys(text);
            pressKey(Qt::Key_Tab);
        }
    }
    table->item(2, 7)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(screen->findChild<QPushButton *>("save"), Qt::LeftButton);
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join('|')));
    QCOMPARE(scalar(kennel.db(),
                    "SELECT group_concat(d.sex || ' ' || d.colour || ' ' || d.dob || ' ' || "
                    "coalesce(d.dod, '-') || ' ' || w.collar || ' ' || w.bornat || ' ' || "
                    "w.birthgrams, '|') FROM whelping w JOIN Dogtable d ON d.dogid = w.dogid "
                    "WHERE w.litterid = ? ORDER BY w.birthorder",
                    {litterId})
                 .toString(),
             "Male Sable 2027-03-01 - Red 2027-03-01T23:10 410.0|Female Tricolour 2027-03-01 - "
             "Blue 2027-03-01T23:55 380.0|Female Sable 2027-03-02 2027-03-02 Green "
             "2027-03-02T00:40 300.0");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable WHERE sire = 'Rex'").toInt(), 3);
    QCOMPARE(scalar(kennel.db(), "SELECT littersize FROM litters").toInt(), 3);
    QCOMPARE(table->item(2, 0)->text(), "PPLITTER 1 3");

    // Letters where the weight goes: told, nothing written.
    table->setCurrentCell(0, 6);
    focusOn(table);
    typeKeys("lots");
    pressKey(Qt::Key_Tab);
    QTest::mouseClick(screen->findChild<QPushButton *>("save"), Qt::LeftButton);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].startsWith("A weight is more than nothing"));
    QCOMPARE(scalar(kennel.db(), "SELECT birthgrams FROM whelping WHERE birthorder = 1").toDouble(),
             410.0);
}

void WhelpingTest::litterIsWeighedChartedAndPrinted()
{
    Kennel kennel;
    MessageRecorder messages;
    core::units::setWeight(core::units::Weight::Metric);
    core::Clock::setToday(QDate(2027, 3, 10));
    const qint64 litterId =
        kennel::addLitter(kennel.db(), {"Rex", "Bella", "", 2, QDate(2027, 3, 1)}).value();
    Window w;
    w.choose("breedingMenu", "Litter Weights...");
    auto *screen =
        w.shown<breeding::LitterWeightsScreen>(breeding::LitterWeightsScreen::screenName());
    QCOMPARE(screen->findChild<QComboBox *>("pup")->count(), 2);
    focusOn(screen->findChild<QLineEdit *>("day"));
    typeKeys(core::datetext::shortDate(QDate(2027, 3, 3)));
    pressKey(Qt::Key_Tab);
    typeKeys("8:00");
    focusOn(screen->findChild<QLineEdit *>("weight"));
    // Pup after pup at the same weighing: the next pup is chosen after each.
    for (const char *weight : {"520", "0", "480"}) {
        typeKeys(weight);
        pressKey(Qt::Key_Return);
        if (QByteArray(weight) == "0")
            screen->findChild<QLineEdit *>("weight")->clear();
    }
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(scalar(kennel.db(),
                    "SELECT group_concat(d.name || '=' || w.grams || '@' || w.weighedat, '|') FROM "
                    "weights w JOIN Dogtable d ON d.dogid = w.dogid ORDER BY w.weightid")
                 .toString(),
             "PPLITTER 1 1=520.0@2027-03-03T08:00|PPLITTER 1 2=480.0@2027-03-03T08:00");
    auto *chart = screen->findChild<QChartView *>("chart")->chart();
    QCOMPARE(chart->series().size(), 3);
    QCOMPARE(chart->series().last()->name(), "Mean");

    const auto litter = kennel::litterWithId(kennel.db(), litterId);
    const auto pups = breeding::litterPups(kennel.db(), *litter);
    report::PagedLayout pages = breeding::litterWeightsReport(*litter, *pups).pages();
    pages.layOutAll();
    bool pictured = false;
    for (const report::PageItem &item : pages.page(0).items)
        pictured =
            pictured || (item.kind == report::PageItem::Kind::Picture && !item.image.isNull());
    QVERIFY(pictured);
    QVERIFY(pages.toLayout().texts(0).contains("PPLITTER 1 2"));
}

QTEST_MAIN(WhelpingTest)
#include "tst_whelping.moc"
