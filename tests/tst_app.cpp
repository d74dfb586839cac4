#include "app/AboutBox.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "core/Clock.h"
#include "dogs/DogRecordsScreen.h"
#include "tests/TestSupport.h"
#include "ui/ScreenHost.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace testing;

namespace {

struct Started
{
    Started()
    {
        window.show();
        QTRY_VERIFY(window.mainMenu() != nullptr);
    }
    app::MainWindow window;
};

} // namespace

class AppTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { core::Clock::useSystemDate(); }

    void mainMenuHoldsEveryButtonInItsGroup();
    void monthQuestion_data();
    void monthQuestion();
    void reopeningBringsScreenToFrontUnchanged();
    void exitSavesOrWaits_data();
    void exitSavesOrWaits();
    void aboutBoxTexts();
};

void AppTest::mainMenuHoldsEveryButtonInItsGroup()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    QCOMPARE(app.window.windowTitle(), "Pawmark Houndry");
    app::MainMenu *menu = app.window.mainMenu();
    QCOMPARE(menu->windowTitle(), "Main Menu");
    QStringList groups;
    int buttons = 0;
    for (QGroupBox *box : menu->findChildren<QGroupBox *>()) {
        groups << box->title();
        buttons += box->findChildren<QPushButton *>().size();
    }
    QCOMPARE(groups, QStringList({"Dog Section", "Lists", "Reports", "Contacts", "System"}));
    QCOMPARE(buttons, 28); // 27 that open something, and Help
    QStringList dogSection;
    for (QPushButton *b : menu->findChildren<QGroupBox *>().first()->findChildren<QPushButton *>())
        dogSection << b->text();
    QCOMPARE(dogSection.size(), 11);
    QCOMPARE(dogSection.at(5), "Find / Update Dog ");
    QVERIFY(menu->button("List Birthdays ") && menu->button("About "));
    // No close box, and closing it otherwise does nothing.
    QMdiSubWindow *frame = app.window.screens().frameOf(menu);
    QVERIFY(!(frame->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!frame->close());
}

void AppTest::monthQuestion_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("asked");
    QTest::newRow("first of the month") << QDate(2026, 12, 1) << true;
    QTest::newRow("first of the year") << QDate(2027, 1, 1) << true;
    QTest::newRow("second of the month") << QDate(2026, 12, 2) << false;
    QTest::newRow("last of the month") << QDate(2026, 12, 31) << false;
}

void AppTest::monthQuestion()
{
    QFETCH(QDate, today);
    QFETCH(bool, asked);
    core::Clock::setToday(today);
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    if (!asked) {
        QVERIFY(messages.texts.isEmpty());
        return;
    }
    QCOMPARE(messages.texts,
             QStringList({"Would You Like to View the Vaccination , Birthday  & Due Litters for "
                          "this Month ?"}));
    QCOMPARE(messages.titles, QStringList({"Vaccination and Birthdays"}));
}

void AppTest::reopeningBringsScreenToFrontUnchanged()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen && screen->isLoaded());
    screen->findChild<QLineEdit *>("colour")->setText("typed, not saved yet");
    app.window.choose("Help");
    app.window.choose("Browse / Update Dogs");
    QCOMPARE(app.window.screens().find<dogs::DogRecordsScreen>("Form4"), screen);
    QCOMPARE(screen->findChild<QLineEdit *>("colour")->text(), "typed, not saved yet");
    QCOMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), screen);
}

void AppTest::exitSavesOrWaits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ends");
    QTest::newRow("an edit is saved") << "Microchip" << "985 000 111" << true;
    QTest::newRow("an invalid date keeps it open") << "dod" << "not yet" << false;
}

void AppTest::exitSavesOrWaits()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, ends);
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen->isLoaded());
    screen->findChild<QLineEdit *>(field)->setText(typed);
    app.window.mainMenu()->button("Exit")->click();

    QCOMPARE(app.window.isVisible(), !ends);
    QCOMPARE(messages.texts.size(), ends ? 0 : 1);
    QCOMPARE(app.window.screens().find<dogs::DogRecordsScreen>("Form4") != nullptr, !ends);
    QCOMPARE(scalar(kennel.db(), QString("SELECT %1 FROM Dogtable").arg(field)).toString(),
             ends ? typed : QString());
}

void AppTest::aboutBoxTexts()
{
    MessageRecorder messages;
    app::AboutBox about;
    QCOMPARE(about.objectName(), "frmAbout");
    QCOMPARE(about.windowTitle(), "About  Houndry");
    QStringList labels;
    for (QLabel *label : about.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(" Houndry"));
    QVERIFY(labels.contains("Houndry - Dog Breeding Database Management System"));
    QVERIFY(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(app::AboutBox::versionText()).hasMatch());
    QVERIFY(labels.contains(app::AboutBox::versionText()));
    QStringList buttons;
    for (QPushButton *b : about.findChildren<QPushButton *>())
        buttons << b->text();
    QCOMPARE(buttons, QStringList({"OK", "&System Info..."}));

    qputenv("PATH", "/nonexistent");
    app::AboutBox::startSysInfo();
    QCOMPARE(messages.texts, QStringList({"System Information Is Unavailable At This Time"}));
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
