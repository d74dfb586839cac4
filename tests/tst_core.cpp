#include "core/BackgroundTask.h"
#include "core/DateText.h"
#include "core/Money.h"
#include "core/NumberText.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

using namespace core;

Q_DECLARE_METATYPE(core::datetext::Order)

class CoreTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parsesTypedDates_data();
    void parsesTypedDates();
    void storedDatesRoundTrip();
    void displaysWhatIsStored_data();
    void displaysWhatIsStored();
    void signedText_data();
    void signedText();
    void typedCount_data();
    void typedCount();
    void readsDecimalsAsTyped_data();
    void readsDecimalsAsTyped();
    void datesFollowTheChosenOrder_data();
    void datesFollowTheChosenOrder();
    void backgroundWorkIsHandedOverWhole();
    void cleanup() { datetext::setOrder(datetext::Order::MonthDayYear); }
};

void CoreTest::parsesTypedDates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("two-digit year 00 is 2000") << "1/2/00" << QDate(2000, 1, 2);
    QTest::newRow("two-digit year 29 is 2029") << "12/31/29" << QDate(2029, 12, 31);
    QTest::newRow("two-digit year 30 is 1930") << "03/05/30" << QDate(1930, 3, 5);
    QTest::newRow("two-digit year 99 is 1999") << "3/5/99" << QDate(1999, 3, 5);
    QTest::newRow("four-digit year") << "02/29/2024" << QDate(2024, 2, 29);
    QTest::newRow("dashes and blanks") << " 7-4-2021 " << QDate(2021, 7, 4);
    QTest::newRow("iso as stored") << "2021-07-04" << QDate(2021, 7, 4);
    QTest::newRow("no leap day in 2023") << "02/29/2023" << QDate();
    QTest::newRow("day and month swapped") << "25/12/2020" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("hint left in the box") << "MM/DD/YY" << QDate();
    QTest::newRow("three-digit year") << "1/1/201" << QDate();
    QTest::newRow("letters") << "yesterday" << QDate();
}

void CoreTest::parsesTypedDates()
{
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    QCOMPARE(datetext::parse(typed), expected);
}

void CoreTest::storedDatesRoundTrip()
{
    const QDate date(1999, 12, 31);
    QCOMPARE(datetext::toStored(date), QStringLiteral("1999-12-31"));
    QCOMPARE(datetext::fromStored(datetext::toStored(date)), date);
}

void CoreTest::displaysWhatIsStored_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no value") << QVariant() << "";
    QTest::newRow("a date") << QVariant(QStringLiteral("2024-03-05")) << "3/5/2024";
    QTest::newRow("two-digit month and day")
        << QVariant(QStringLiteral("2024-12-25")) << "12/25/2024";
    QTest::newRow("before the year 1000") << QVariant(QStringLiteral("0999-01-02")) << "1/2/0999";
    QTest::newRow("no such day") << QVariant(QStringLiteral("2023-02-29")) << "2023-02-29";
    QTest::newRow("text from elsewhere is kept")
        << QVariant(QStringLiteral("spring 1998")) << "spring 1998";
}

void CoreTest::displaysWhatIsStored()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    QCOMPARE(datetext::display(stored), shown);
}

// One typed text means another day, or none, in each order; what is stored never changes.
void CoreTest::datesFollowTheChosenOrder_data()
{
    using datetext::Order;
    QTest::addColumn<Order>("order");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("read");
    QTest::addColumn<QString>("shown");
    const Order mdy = Order::MonthDayYear, dmy = Order::DayMonthYear, ymd = Order::YearMonthDay;
    const QDate march4(2021, 3, 4), april3(2021, 4, 3);
    QTest::newRow("month first") << mdy << "03/04/2021" << march4 << "3/4/2021";
    QTest::newRow("day first") << dmy << "03/04/2021" << april3 << "3/4/2021";
    QTest::newRow("year first") << ymd << "2021/04/03" << april3 << "2021-04-03";
    QTest::newRow("month first refuses a 14th month") << mdy << "14/03/2021" << QDate() << "";
    QTest::newRow("day first reads the 14th")
        << dmy << "14.3.2021" << QDate(2021, 3, 14) << "14/3/2021";
    QTest::newRow("day first refuses a 14th month") << dmy << "03/14/2021" << QDate() << "";
    QTest::newRow("year first refuses the year last") << ymd << "03/04/2021" << QDate() << "";
    QTest::newRow("day first two-digit year") << dmy << "1/2/29" << QDate(2029, 2, 1) << "1/2/2029";
    QTest::newRow("year first wants four digits") << ymd << "21/4/3" << QDate() << "";
    QTest::newRow("as stored, day first") << dmy << "2021-07-04" << QDate(2021, 7, 4) << "4/7/2021";
    QTest::newRow("no leap day, year first") << ymd << "2023-02-29" << QDate() << "";
}

void CoreTest::datesFollowTheChosenOrder()
{
    QFETCH(datetext::Order, order);
    QFETCH(QString, typed);
    QFETCH(QDate, read);
    QFETCH(QString, shown);
    datetext::setOrder(order);
    QCOMPARE(datetext::parse(typed), read);
    QCOMPARE(datetext::display(datetext::toStored(read)), shown);
    if (!read.isValid()) {
        const QString message = datetext::invalidDateMessage(QStringLiteral("Date"), typed);
        QVERIFY2(message.contains(datetext::orderName(order)), qPrintable(message));
    }
}

void CoreTest::signedText_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("positive") << qint64(17) << " 17";
    QTest::newRow("negative") << qint64(-1) << "-1";
    QTest::newRow("beyond 16 bits") << qint64(40000) << " 40000";
}

void CoreTest::signedText()
{
    QFETCH(qint64, number);
    QFETCH(QString, text);
    QCOMPARE(core::signedText(number), text);
}

void CoreTest::typedCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("half goes to even, down") << "2.5" << 2;
    QTest::newRow("half goes to even, up") << "3.5" << 4;
    QTest::newRow("above half") << "2.6" << 3;
    QTest::newRow("number then words") << "4 dogs" << 4;
    QTest::newRow("leading blanks") << "   7" << 7;
    QTest::newRow("largest 16-bit") << "32767" << 32767;
    QTest::newRow("rounds past 16 bits") << "32767.5" << 0;
    QTest::newRow("past 16 bits") << "99999" << 0;
    QTest::newRow("exponent") << "1e3" << 1000;
    QTest::newRow("huge exponent") << "1e999" << 0;
    QTest::newRow("decimal point first") << ".6" << 1;
    QTest::newRow("blank inside") << "1 2" << 1;
}

void CoreTest::typedCount()
{
    QFETCH(QString, typed);
    QFETCH(int, count);
    QCOMPARE(core::typedCount(typed), count);
}

void CoreTest::readsDecimalsAsTyped_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("read");
    const int point = int(money::Form::CommaPoint);
    const int comma = int(money::Form::PointComma);
    QTest::newRow("point") << point << "4.5" << 4.5 << true;
    QTest::newRow("comma in a kennel of points") << point << "4,5" << 4.5 << true;
    QTest::newRow("point in a kennel of commas") << comma << "4.5" << 4.5 << true;
    QTest::newRow("1.500 is one and a half") << comma << "1.500" << 1.5 << true;
    QTest::newRow("1,500 is one and a half") << point << "1,500" << 1.5 << true;
    QTest::newRow("thousands, kennel of commas") << comma << "1.234,5" << 1234.5 << true;
    QTest::newRow("thousands, kennel of points") << point << "12,345.25" << 12345.25 << true;
    QTest::newRow("the other way round is refused") << point << "1.234,5" << 0.0 << false;
    QTest::newRow("blanks around, a minus") << point << "  -0.25 " << -0.25 << true;
    QTest::newRow("point first") << point << ".6" << 0.6 << true;
    QTest::newRow("point last") << point << "6." << 6.0 << true;
    QTest::newRow("whole") << comma << "12" << 12.0 << true;
    QTest::newRow("two decimal marks") << point << "1.2.3" << 0.0 << false;
    QTest::newRow("letters") << point << "4.5 ng" << 0.0 << false;
    QTest::newRow("exponent") << point << "1e3" << 0.0 << false;
    QTest::newRow("empty") << point << "" << 0.0 << false;
    QTest::newRow("a mark alone") << point << "," << 0.0 << false;
    QTest::newRow("blank inside") << point << "1 5" << 0.0 << false;
}

void CoreTest::readsDecimalsAsTyped()
{
    QFETCH(int, form);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(bool, read);
    money::setForm(money::Form(form));
    const std::optional<double> got = core::readDecimal(typed);
    money::setForm(money::Form::CommaPoint);
    QCOMPARE(got.has_value(), read);
    if (read)
        QCOMPARE(*got, value);
}

// The owner reads what the work wrote only once it has ended, and a task deleted mid-work
// waits for it instead of leaving it to write into freed memory.
void CoreTest::backgroundWorkIsHandedOverWhole()
{
    auto written = std::make_shared<QString>();
    core::BackgroundTask task([written] {
        QThread::msleep(20);
        *written = QStringLiteral("done");
    });
    QString seen;
    QObject::connect(&task, &core::BackgroundTask::finished, [&] { seen = *written; });
    QSignalSpy finished(&task, &core::BackgroundTask::finished);
    QVERIFY(finished.wait());
    QCOMPARE(seen, QStringLiteral("done"));

    std::atomic<bool> ended = false;
    {
        core::BackgroundTask stopped([&ended] {
            QThread::msleep(50);
            ended = true;
        });
    }
    QVERIFY(ended);
}

QTEST_GUILESS_MAIN(CoreTest)
#include "tst_core.moc"
