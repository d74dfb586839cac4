#include "contacts/ContactEntryScreen.h"
#include "contacts/ContactForm.h"
#include "contacts/ContactsScreen.h"
#include "contacts/FindContactScreen.h"
#include "core/Choices.h"
#include "tests/TestSupport.h"
#include "ui/BoundFields.h"
#include "ui/PickList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace testing;
using contacts::ContactsScreen;

namespace {

QString field(const QWidget &screen, const char *name)
{
    return ui::BoundFields::textOf(screen.findChild<QWidget *>(name));
}

void setField(QWidget &screen, const char *name, const QString &text)
{
    ui::BoundFields::setText(screen.findChild<QWidget *>(name), text);
}

void press(QWidget &screen, const char *button)
{
    QTest::mouseClick(screen.findChild<QPushButton *>(button), Qt::LeftButton);
}

void addContacts(const QSqlDatabase &db, const QStringList &names)
{
    for (const QString &name : names)
        exec(db, "INSERT INTO contacts (last, city) VALUES (?, ?)",
             {name, QString("City of " + name)});
}

} // namespace

class ContactsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void untouchedEntrySavesBlanksAndEmptyLists();
    void entryKeepsPickListsForTheNextContact();
    void entryStoresAwkwardTextAsTyped_data();
    void entryStoresAwkwardTextAsTyped();
    void entryCancelWritesNothing();
    void entryCountryListPutsHongKongAfterChina();

    void browseStartsAtFirstAndSavesOnMove();
    void browseStaysAtTheEnds();
    void renamingAsksWhetherTheRecordsNamingTheContactFollow_data();
    void renamingAsksWhetherTheRecordsNamingTheContactFollow();
    void browseOnEmptyTableTakesNoInput();
    void printButtonsAreUnderConstruction_data();
    void printButtonsAreUnderConstruction();
    void foundScreenOpensOnFirstOfTwoNamesakes();
    void foundScreenWithUnknownNameSaysSo();
    void findListsNamesAlphabetically();
    void findOkHandsOnTheName();
};

void ContactsTest::untouchedEntrySavesBlanksAndEmptyLists()
{
    Kennel kennel;
    MessageRecorder messages;
    contacts::ContactEntryScreen screen;
    screen.show();
    QCOMPARE(screen.objectName(), "Form28");
    QCOMPARE(screen.windowTitle(), "Enter a New Contact");
    press(screen, "save");
    QCOMPARE(messages.texts, QStringList({" Your record has been written"}));
    QStringList stored;
    for (const QString &f : contacts::ContactForm::fields())
        stored
            << scalar(kennel.db(), QString("SELECT quote(\"%1\") FROM contacts").arg(f)).toString();
    QCOMPARE(stored, QStringList({"' '", "''", "' '", "' '", "' '", "' '", "''", "' '", "' '",
                                  "' '", "' '", "' '", "''", "' '", "' '"}));
}

void ContactsTest::entryKeepsPickListsForTheNextContact()
{
    Kennel kennel;
    MessageRecorder messages;
    contacts::ContactEntryScreen screen;
    screen.show();
    setField(screen, "last", "Ann Lee");
    setField(screen, "Title", "Mrs");
    setField(screen, "country", "Wales");
    setField(screen, "breeder", "Yes");
    setField(screen, "notes", "Line one\nLine two");
    press(screen, "save");
    QCOMPARE(field(screen, "last"), "");
    QCOMPARE(field(screen, "notes"), "");
    QCOMPARE(field(screen, "Title"), "Mrs");
    QCOMPARE(field(screen, "country"), "Wales");
    setField(screen, "last", "Ann Lee");
    press(screen, "save");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts WHERE last = 'Ann Lee' AND "
                                 "Title = 'Mrs' AND country = 'Wales' AND breeder = 'Yes'")
                 .toInt(),
             2);
    QCOMPARE(scalar(kennel.db(), "SELECT notes FROM contacts WHERE rowid = 1").toString(),
             "Line one\nLine two");
}

void ContactsTest::entryStoresAwkwardTextAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("quotes") << "Mary O'Brien \"Molly\"; Esq.";
    QTest::newRow("non-ASCII") << "José Müller-Łukasiewicz";
    QTest::newRow("10,000 characters") << QString(10000, 'z');
}

void ContactsTest::entryStoresAwkwardTextAsTyped()
{
    QFETCH(QString, text);
    Kennel kennel;
    MessageRecorder messages;
    contacts::ContactEntryScreen screen;
    setField(screen, "last", text);
    setField(screen, "notes", text);
    press(screen, "save");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts WHERE last = ? AND notes = ?",
                    {text, text})
                 .toInt(),
             1);
}

void ContactsTest::entryCancelWritesNothing()
{
    Kennel kennel;
    contacts::ContactEntryScreen screen;
    screen.show();
    setField(screen, "last", "Nobody");
    press(screen, "cancel");
    QVERIFY(!screen.isVisible());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts").toInt(), 0);
}

void ContactsTest::entryCountryListPutsHongKongAfterChina()
{
    Kennel kennel;
    contacts::ContactEntryScreen screen;
    const QStringList countries = screen.findChild<ui::PickList *>("country")->entries();
    QCOMPARE(countries.size(), 231);
    QCOMPARE(countries.at(countries.indexOf("China") + 1), "HK China (Hong Kong S.A.R.)");
    QCOMPARE(countries.at(countries.indexOf("Heard and McDonald Islands") + 1), "Honduras");
    QVERIFY(countries.contains("United States of America"));
    QCOMPARE(countries.last(), "Zambia");
    QVERIFY(countries.contains("Korea, North "));
    QCOMPARE(screen.findChild<ui::PickList *>("Title")->entries(),
             QStringList({"Mr", "Mrs", "Miss", "Dr."}));
    QCOMPARE(screen.findChild<ui::PickList *>("breeder")->entries(), QStringList({"Yes", "No"}));
}

void ContactsTest::browseStartsAtFirstAndSavesOnMove()
{
    Kennel kennel;
    addContacts(kennel.db(), {"Al", "Bo"});
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::FirstContact);
    QCOMPARE(screen->objectName(), "Form29");
    QCOMPARE(screen->windowTitle(), "Contacts");
    QCOMPARE(field(*screen, "last"), "Al");
    setField(*screen, "city", "");
    setField(*screen, "phone", "555 0101");
    press(*screen, "nextButton");
    QCOMPARE(field(*screen, "last"), "Bo");
    QCOMPARE(
        scalar(kennel.db(), "SELECT quote(city) || quote(phone) FROM contacts WHERE last = 'Al'")
            .toString(),
        "'''555 0101'");
    setField(*screen, "email", "bo@example.org");
    QVERIFY(screen->close());
    QCOMPARE(scalar(kennel.db(), "SELECT email FROM contacts WHERE last = 'Bo'").toString(),
             "bo@example.org");
}

void ContactsTest::browseStaysAtTheEnds()
{
    Kennel kennel;
    addContacts(kennel.db(), {"Only"});
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::FirstContact);
    for (const char *button : {"previousButton", "nextButton", "lastButton", "firstButton"}) {
        press(*screen, button);
        QCOMPARE(field(*screen, "last"), "Only");
    }
    QCOMPARE(screen->findChild<QPushButton *>("nextButton")->text(), "Next ");
}

void ContactsTest::renamingAsksWhetherTheRecordsNamingTheContactFollow_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("named");
    QTest::newRow("no: the dogs keep the old name") << false << "Old Name|old name|Old Name";
    QTest::newRow("yes") << true << "New Name|New Name|New Name";
}

void ContactsTest::renamingAsksWhetherTheRecordsNamingTheContactFollow()
{
    QFETCH(bool, answer);
    QFETCH(QString, named);
    Kennel kennel;
    addContacts(kennel.db(), {"Old Name", "Other"});
    addDog(kennel.db(), {{"name", "Rex"}, {"ownerid", "Old Name"}, {"breeder", "old name"}});
    exec(kennel.report(), "INSERT INTO sales (dogsold, soldto) VALUES ('Rex', 'Old Name')");
    MessageRecorder messages;
    messages.answers = {answer};
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::FirstContact);
    setField(*screen, "last", "New Name");
    press(*screen, "nextButton");
    QCOMPARE(messages.texts, QStringList{"Old Name is named in 3 other records (1 dog owned, 1 "
                                         "dog bred, 1 sale). Change them to New Name too?"});
    QCOMPARE(scalar(kennel.db(), "SELECT last FROM contacts WHERE rowid = 1").toString(),
             "New Name");
    QCOMPARE(scalar(kennel.db(), "SELECT ownerid || '|' || breeder || '|' || (SELECT soldto FROM "
                                 "report.sales) FROM Dogtable")
                 .toString(),
             named);
}

void ContactsTest::browseOnEmptyTableTakesNoInput()
{
    Kennel kennel;
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::FirstContact);
    QVERIFY(!screen->findChild<QLineEdit *>("last")->isEnabled());
    QVERIFY(!screen->findChild<QPlainTextEdit *>("notes")->isEnabled());
    for (const char *button : {"firstButton", "previousButton", "nextButton", "lastButton"})
        press(*screen, button);
    QVERIFY(screen->close());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts").toInt(), 0);
}

void ContactsTest::printButtonsAreUnderConstruction_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("browse") << int(ContactsScreen::Start::FirstContact) << "Form29"
                            << "Print Record";
    QTest::newRow("found") << int(ContactsScreen::Start::ChosenName) << "Form18"
                           << "Print";
}

void ContactsTest::printButtonsAreUnderConstruction()
{
    QFETCH(int, start);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    Kennel kennel;
    MessageRecorder messages;
    addContacts(kennel.db(), {"Al"});
    auto screen = opened<ContactsScreen>(ContactsScreen::Start(start), "Al");
    QCOMPARE(screen->objectName(), objectName);
    QCOMPARE(screen->findChild<QPushButton *>("printButton")->text(), caption);
    press(*screen, "printButton");
    QCOMPARE(messages.texts, QStringList({"Still Under Construction !"}));
}

void ContactsTest::foundScreenOpensOnFirstOfTwoNamesakes()
{
    Kennel kennel;
    addContacts(kennel.db(), {"ann", "Ann", "Bo"});
    exec(kennel.db(), "INSERT INTO contacts (last, city) VALUES ('Ann', 'second')");
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::ChosenName, "Ann");
    QCOMPARE(field(*screen, "city"), "City of Ann");
    press(*screen, "nextButton");
    QCOMPARE(field(*screen, "last"), "Bo");
}

void ContactsTest::foundScreenWithUnknownNameSaysSo()
{
    Kennel kennel;
    MessageRecorder messages;
    addContacts(kennel.db(), {"Al", "Bo"});
    auto screen = opened<ContactsScreen>(ContactsScreen::Start::ChosenName, "Zed");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("Zed"));
    QCOMPARE(field(*screen, "last"), "Al");
}

void ContactsTest::findListsNamesAlphabetically()
{
    Kennel kennel;
    addContacts(kennel.db(), {"zoe", "", " ", "Émile", "Adam", "Zoe"});
    exec(kennel.db(), "INSERT INTO contacts (city) VALUES ('no name')");
    auto screen = opened<contacts::FindContactScreen>();
    QCOMPARE(screen->objectName(), "Form17");
    QCOMPARE(screen->windowTitle(), "Find a Contact");
    const QStringList entries = screen->list()->entries();
    QCOMPARE(entries.size(), 5);
    QCOMPARE(entries.first(), " ");
    QCOMPARE(entries.mid(1, 2), QStringList({"Adam", "Émile"}));
    QCOMPARE(entries.mid(3).join('|').toLower(), "zoe|zoe");
}

void ContactsTest::findOkHandsOnTheName()
{
    Kennel kennel;
    addContacts(kennel.db(), {"Adam"});
    auto screen = opened<contacts::FindContactScreen>();
    bool chosen = false;
    connect(screen.get(), &contacts::FindContactScreen::contactChosen, this,
            [&] { chosen = true; });
    screen->list()->setText("Not listed");
    press(*screen, "ok");
    QVERIFY(chosen);
    QCOMPARE(core::Choices::selectedname, "Not listed");
    QVERIFY(!screen->isVisible());
}

QTEST_MAIN(ContactsTest)
#include "tst_contacts.moc"
