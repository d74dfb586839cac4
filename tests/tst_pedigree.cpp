#include "core/DateText.h"
#include "genetics/KennelGenetics.h"
#include "pedigree/CertificateChooser.h"
#include "pedigree/HealthLines.h"
#include "pedigree/PedigreeBuild.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PedigreeChart.h"
#include "pedigree/PedigreeScreens.h"
#include "pedigree/PrintablePedigree.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace testing;
using namespace pedigree;

namespace {

// Adds a dog with its parents; "" leaves a parent with no value.
void dog(const QSqlDatabase &db, const QString &name, const QString &sire, const QString &dam,
         const QVariantMap &more = {})
{
    QVariantMap fields = more;
    fields.insert("name", name);
    if (!sire.isEmpty())
        fields.insert("sire", sire);
    if (!dam.isEmpty())
        fields.insert("dam", dam);
    addDog(db, fields);
}

// Four generations above "Pup", every ancestor named by its slot.
void fullTree(const QSqlDatabase &db)
{
    dog(db, "Pup", "1s1", "1d1",
        {{"breed", "Whippet"}, {"sex", "Female"}, {"dob", "2024-03-05"}, {"colour", "Brindle"}});
    for (int g = 1; g <= 3; ++g) {
        for (int n = 1; n <= (1 << g); ++n)
            dog(db, slotOfDog(g, n), slotName(g + 1, true, n), slotName(g + 1, false, n));
    }
}

QString saved(const QSqlDatabase &report, const QString &column)
{
    return scalar(report, QString("SELECT \"%1\" FROM pedigreedata").arg(column)).toString();
}

} // namespace

class PedigreeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { currentPedigree().clear(); }

    void slotNamesFollowTheRule_data();
    void slotNamesFollowTheRule();
    void buildsThreeGenerationsWithDescription();
    void buildsFourGenerationsWithoutDescription();
    void notOnRecordIsNeverLookedUp();
    void everyKnownAncestorIsLookedUp();
    void missingParentRowLeavesSlotsEmpty();
    void missingDescriptionReadsNotEntered();
    void unknownSubjectSavesPlaceholders();
    void secondBuildKeepsNothingOfTheFirst();
    void seekIgnoresCaseAndLoopsEnd();
    void savingKeepsOneRow();
    void cleardataEmptiesTheSlots();
    void matingPedigreeOfTwoParents();
    void certificateLaysOutAsTabled();
    void chartPutsEachGenerationInItsColumn();

    void viewScreenChecksTheChoice();
    void screenShowsRecordAndSavesIt();
    void fourGenerationScreen();
    void possibleMatingListsAndMessages();
    void pedigreeCertificateShowsKennelDogAndTree_data();
    void pedigreeCertificateShowsKennelDogAndTree();
    void pedigreeCertificateOfNoDogAndNoSetup();
    void certificateChooserStartsFromTheDog();
};

void PedigreeTest::slotNamesFollowTheRule_data()
{
    QTest::addColumn<int>("generation");
    QTest::addColumn<int>("dog");
    QTest::addColumn<QString>("slot");
    QTest::newRow("sire") << 1 << 1 << "1s1";
    QTest::newRow("dam") << 1 << 2 << "1d1";
    QTest::newRow("dam's dam") << 2 << 4 << "2d2";
    QTest::newRow("third generation, fifth dog") << 3 << 5 << "3s3";
    QTest::newRow("last of four") << 4 << 16 << "4d8";
    QTest::newRow("last of eight") << 8 << 256 << "8d128";
}

void PedigreeTest::slotNamesFollowTheRule()
{
    QFETCH(int, generation);
    QFETCH(int, dog);
    QFETCH(QString, slot);
    QCOMPARE(slotOfDog(generation, dog), slot);
    const QStringList all = slotNames(8);
    QCOMPARE(all.size(), 510);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 510);
}

void PedigreeTest::buildsThreeGenerationsWithDescription()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree3("Pup");
    const PedigreeRecord &r = currentPedigree();
    QCOMPARE(QStringList({r.dogname, r.dogbreed, r.dogsex, r.dob, r.colour}),
             QStringList({"Pup", "Whippet", "Female", "3/5/2024", "Brindle"}));
    for (const QString &slot : slotNames(3))
        QCOMPARE(r.slot(slot), slot);
    QVERIFY(r.slot("4s1").isEmpty());
}

void PedigreeTest::buildsFourGenerationsWithoutDescription()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree4("Pup");
    const PedigreeRecord &r = currentPedigree();
    QCOMPARE(r.dogname, "Pup");
    QVERIFY(r.dogbreed.isEmpty() && r.dob.isEmpty());
    for (const QString &slot : slotNames(4))
        QCOMPARE(r.slot(slot), slot);
}

void PedigreeTest::notOnRecordIsNeverLookedUp()
{
    Kennel kennel;
    dog(kennel.db(), "Pup", "Not On Record", "Mum");
    dog(kennel.db(), "Not On Record", "Trap", "Trap"); // must never be found
    dog(kennel.db(), "Mum", "Gramps", "Not On Record");
    buildpedigree3("Pup");
    QCOMPARE(currentPedigree().slot("1s1"), "Not On Record");
    QVERIFY(currentPedigree().slot("2s1").isEmpty());
    QCOMPARE(currentPedigree().slot("2d2"), "Not On Record");
    QVERIFY(movedata().ok());
    for (const char *slot : {"2s1", "2d1", "3s1", "3d1", "3s2", "3d2", "3s4", "3d4"})
        QCOMPARE(saved(kennel.report(), slot), "Not on Record");
    QCOMPARE(saved(kennel.report(), "1s1"), "Not On Record");
    QCOMPARE(saved(kennel.report(), "2d2"), "Not On Record");
}

void PedigreeTest::everyKnownAncestorIsLookedUp()
{
    // The sire's sire is unrecorded, but the sire's dam is known with both parents: they
    // belong on the certificate, and so on down the dam's side and in generation four.
    Kennel kennel;
    dog(kennel.db(), "Pup", "Sire", "Dam");
    dog(kennel.db(), "Sire", "Not On Record", "Granny");
    dog(kennel.db(), "Granny", "Old Boy", "Old Girl");
    dog(kennel.db(), "Dam", "Not On Record", "Nana");
    dog(kennel.db(), "Nana", "Nana's Sire", "Nana's Dam");
    dog(kennel.db(), "Old Girl", "Deep Sire", "Deep Dam");
    buildpedigree3("Pup");
    QCOMPARE(currentPedigree().slot("3s2"), "Old Boy");
    QCOMPARE(currentPedigree().slot("3d2"), "Old Girl");
    QCOMPARE(currentPedigree().slot("3s4"), "Nana's Sire");
    buildpedigree4("Pup");
    QCOMPARE(currentPedigree().slot("4s4"), "Deep Sire");
    QCOMPARE(currentPedigree().slot("4d4"), "Deep Dam");
}

void PedigreeTest::missingParentRowLeavesSlotsEmpty()
{
    Kennel kennel;
    dog(kennel.db(), "Pup", "Stranger", "");
    buildpedigree3("Pup");
    QCOMPARE(currentPedigree().slot("1s1"), "Stranger");
    QVERIFY(currentPedigree().slot("2s1").isEmpty() && currentPedigree().slot("1d1").isEmpty());
    fillpedigreeblanks();
    QCOMPARE(currentPedigree().slot("2s1"), "Not on Record");
    QCOMPARE(currentPedigree().slot("1d1"), "Not on Record");
}

void PedigreeTest::missingDescriptionReadsNotEntered()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Plain"}, {"breed", ""}});
    buildpedigree3("Plain");
    QCOMPARE(
        QStringList({currentPedigree().dogbreed, currentPedigree().dogsex, currentPedigree().dob}),
        QStringList({"Not Entered", "Not Entered", "-"}));
}

void PedigreeTest::unknownSubjectSavesPlaceholders()
{
    Kennel kennel;
    buildpedigree3("Nobody");
    QVERIFY(movedata().ok());
    for (const QString &slot : slotNames(3))
        QCOMPARE(saved(kennel.report(), slot), "Not on Record");
    for (const char *field :
         {"dogname", "breedername", "dogbreed", "dob", "colour", "cob", "dogsex"})
        QCOMPARE(saved(kennel.report(), field), " ");
}

void PedigreeTest::secondBuildKeepsNothingOfTheFirst()
{
    Kennel kennel;
    fullTree(kennel.db());
    dog(kennel.db(), "Loner", "Not On Record", "Not On Record");
    buildpedigree4("Pup");
    buildpedigree3("Loner");
    for (const QString &slot : slotNames(4)) {
        if (slot != "1s1" && slot != "1d1")
            QVERIFY2(currentPedigree().slot(slot).isEmpty(), qPrintable(slot));
    }
    QVERIFY(currentPedigree().colour.isEmpty());
}

void PedigreeTest::seekIgnoresCaseAndLoopsEnd()
{
    Kennel kennel;
    dog(kennel.db(), "Pup", "O'REILLY's Ærø", "Pup"); // its own dam
    dog(kennel.db(), "O'Reilly's Ærø", "Grand", "O'Reilly's Ærø");
    buildpedigree4("pup");
    const PedigreeRecord &r = currentPedigree();
    QCOMPARE(r.dogname, "Pup");
    QCOMPARE(r.slot("2s1"), "Grand");
    QCOMPARE(r.slot("2d2"), "Pup");
    QCOMPARE(r.slot("4d8"), "Pup");
}

void PedigreeTest::savingKeepsOneRow()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree3("Pup");
    QVERIFY(movedata().ok());
    buildpedigree3("3d4");
    QVERIFY(movedata().ok());
    QCOMPARE(scalar(kennel.report(), "SELECT count(*) FROM pedigreedata").toInt(), 1);
    QCOMPARE(saved(kennel.report(), "dogname"), "3d4");
    QCOMPARE(saved(kennel.report(), "1s1"), "4s8");
    QCOMPARE(saved(kennel.report(), "3d4"), "Not on Record");
    QCOMPARE(saved(kennel.report(), "breedername"), " ");
    QCOMPARE(saved(kennel.report(), "cob"), " ");
}

void PedigreeTest::cleardataEmptiesTheSlots()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree3("Pup");
    cleardata();
    for (const QString &slot : slotNames(3))
        QVERIFY(currentPedigree().slot(slot).isEmpty());
    QCOMPARE(currentPedigree().dogname, "Pup");
}

void PedigreeTest::matingPedigreeOfTwoParents()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildmatingpedigree("2s1", "Someone Unknown");
    QVERIFY(movedata().ok());
    QCOMPARE(saved(kennel.report(), "dogname"), "Puppies Poss Pedigree");
    QCOMPARE(saved(kennel.report(), "1s1"), "2s1");
    QCOMPARE(saved(kennel.report(), "2s1"), "3s1");
    QCOMPARE(saved(kennel.report(), "3d2"), "4d2");
    QCOMPARE(saved(kennel.report(), "2s2"), "Not on Record");
    for (const char *field : {"dogbreed", "dob", "colour", "dogsex"})
        QCOMPARE(saved(kennel.report(), field), " ");
}

void PedigreeTest::certificateLaysOutAsTabled()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree3("Pup");
    QVERIFY(movedata().ok());
    const report::Layout layout = printablePedigree().layout();
    QCOMPARE(layout.caption, "3 Generation Pedigree");
    QCOMPARE(layout.pages.size(), 1);
    // Positions are the report's own plus the 100-twip margin.
    QCOMPARE(layout.find(0, "Certificate of Pedigree For")->rect.topLeft(), QPoint(2980, 388));
    QCOMPARE(layout.find(0, "Date of Birth :")->rect.topLeft(), QPoint(388, 2836));
    QCOMPARE(layout.find(0, "3/5/2024")->rect.topLeft(), QPoint(2548, 2836));
    QCOMPARE(layout.find(0, "1d1")->rect, QRect(1108, 11044, 4320, 285));
    QCOMPARE(layout.find(0, "2d2")->rect.topLeft(), QPoint(2980, 12196));
    QCOMPARE(layout.find(0, "3s3")->rect, QRect(6292, 9460, 4470, 285));
    const QStringList texts = layout.texts(0);
    QCOMPARE(texts.count("Sire :"), 7);
    QCOMPARE(texts.count("Dam :"), 7);
    QCOMPARE(texts.count("Pup"), 2);
    QVERIFY(!texts.contains("breedername"));
    int lines = 0;
    for (const report::PageItem &item : layout.pages.at(0).items)
        lines += item.kind == report::PageItem::Kind::Line;
    QCOMPARE(lines, 24);
}

void PedigreeTest::chartPutsEachGenerationInItsColumn()
{
    Kennel kennel;
    fullTree(kennel.db());
    buildpedigree("Pup", 6);
    const report::Layout chart = pedigreeChart(currentPedigree(), 6);
    QCOMPARE(chart.pages.size(), 2);
    QVERIFY(chart.find(0, "6 Generation Pedigree of Pup"));
    QVERIFY(chart.find(0, "4s1") && chart.find(1, "4d8"));
    QVERIFY(!chart.find(1, "4s1"));
    // Each dog stands between its sire above and its dam below, one column to its left.
    const QRect child = chart.find(0, "2s1")->rect;
    const QRect sire = chart.find(0, "3s1")->rect;
    const QRect dam = chart.find(0, "3d1")->rect;
    QVERIFY(sire.left() > child.left() && sire.left() == dam.left());
    QVERIFY(sire.top() < child.top() && child.top() < dam.top());

    // Marked by a DNA test: tested dogs, their clear offspring and a proven carrier.
    for (const auto &[dog, result] :
         {std::pair{"3s1", "Clear"}, std::pair{"3d1", "Clear"}, std::pair{"1d1", "Affected"}}) {
        exec(kennel.db(),
             "INSERT INTO healthresults (dogid, testid, result) SELECT dogid, 8, ? FROM "
             "Dogtable WHERE name = ?",
             {result, dog});
    }
    const report::Layout marked =
        pedigreeChart(currentPedigree(), 6, {}, dnaMarks(kennel.db(), currentPedigree(), "DM"),
                      dnaMarksLegend("DM"));
    for (const char *text : {"3s1 [N/N]", "1d1 [m/m]", "2s1 [N/N P]", "2s2 [N/m+]", "2d2 [N/m+]"})
        QVERIFY2(marked.find(0, text) || marked.find(1, text), text);
    QVERIFY(marked.find(0, "4s1") && marked.find(0, dnaMarksLegend("DM")));
    QCOMPARE(dnaTestNames(kennel.db()), (QStringList{"PRA-prcd", "DM", "CEA", "EIC", "MDR1"}));
}

void PedigreeTest::viewScreenChecksTheChoice()
{
    Kennel kennel;
    MessageRecorder messages;
    fullTree(kennel.db());
    ViewPedigreeScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    int built = 0;
    connect(&screen, &ViewPedigreeScreen::pedigreeBuilt, this, [&](int g) { built = g; });
    QStringList captions;
    for (QPushButton *b : screen.findChildren<QPushButton *>())
        captions << b->text();
    QCOMPARE(captions, QStringList({"View 3 Gen Pedigree", "View 4 Gen Pedigree",
                                    "View 5 Gen Pedigree", "View 6 Gen Pedigree",
                                    "View 7 Gen Pedigree", "View 8 Gen Pedigree", "Cancel"}));
    screen.findChild<QPushButton *>("view4")->click();
    QCOMPARE(messages.texts, QStringList({"Please Select a Dogs Name"}));
    QCOMPARE(built, 0);
    screen.list()->setText("Pup");
    screen.findChild<QPushButton *>("view7")->click();
    QCOMPARE(built, 7);
    QCOMPARE(currentPedigree().slot("4d8"), "4d8");
    QVERIFY(!screen.isVisible());
}

void PedigreeTest::screenShowsRecordAndSavesIt()
{
    Kennel kennel;
    dog(kennel.db(), "Pup", "Sire", "");
    buildpedigree3("Pup");
    Pedigree3Screen screen;
    screen.showRecord();
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QCOMPARE(screen.windowTitle(), "Onscreen 3 Generation Pedigree");
    QCOMPARE(screen.boxText("dogname"), "Pup");
    QCOMPARE(screen.boxText("1s1"), "Sire");
    QCOMPARE(screen.boxText("2s1"), "");                      // empty on screen ...
    QCOMPARE(saved(kennel.report(), "2s1"), "Not on Record"); // ... placeholder in print
    screen.findChild<QPushButton *>("close")->click();
    QVERIFY(currentPedigree().slot("1s1").isEmpty());
}

void PedigreeTest::fourGenerationScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    fullTree(kennel.db());
    exec(kennel.report(), "INSERT INTO pedigreedata (dogname) VALUES ('Earlier')");
    buildpedigree4("Pup");
    Pedigree4Screen screen;
    screen.showRecord();
    // Thirty-one names, the caption and the inbreeding.
    QCOMPARE(screen.findChildren<QLabel *>().size(), 33);
    QCOMPARE(screen.findChild<QLabel *>("coi")->text(),
             "COI 0.00% (all generations)\n0.00% (10 generations)");
    QCOMPARE(screen.labelText("4d8"), "4d8");
    QCOMPARE(screen.labelText("dogname"), "Pup");
    screen.findChild<QPushButton *>("print")->click();
    QCOMPARE(messages.texts, QStringList({" This Option is Not Currently Available "}));
    QCOMPARE(saved(kennel.report(), "dogname"), "Earlier");
}

void PedigreeTest::possibleMatingListsAndMessages()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Zeus"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Ajax"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Lowercase"}, {"sex", "male"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    PossibleMatingScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QCOMPARE(screen.sires()->entries(), QStringList({"Ajax", "Zeus"}));
    QCOMPARE(screen.dams()->entries(), QStringList({"Bella"}));
    int built = 0;
    connect(&screen, &PossibleMatingScreen::pedigreeBuilt, this, [&](int g) { built = g; });
    screen.findChild<QPushButton *>("view")->click();
    screen.sires()->setText("Ajax");
    screen.findChild<QPushButton *>("view")->click();
    QCOMPARE(messages.texts, QStringList({"Please Select a Male Dog From the List",
                                          "Please Select a Female Dog from the List"}));
    screen.dams()->setText("Bella");
    screen.findChild<QPushButton *>("view")->click();
    QCOMPARE(built, 3);
    QCOMPARE(currentPedigree().dogname, "Puppies Poss Pedigree");
    QVERIFY(screen.isVisible());

    // The pedigree on show gives the litter's inbreeding: Ajax is Bella's sire.
    exec(kennel.db(), "UPDATE Dogtable SET sire = 'AJAX' WHERE name = 'Bella'");
    Pedigree3Screen shown;
    shown.showRecord();
    QCOMPARE(shown.findChild<QLabel *>("coi")->text(),
             "COI 25.00% (all generations)\n25.00% (10 generations)");
    genetics::KennelGenetics::forget();
}

void PedigreeTest::pedigreeCertificateShowsKennelDogAndTree_data()
{
    QTest::addColumn<int>("generations");
    QTest::newRow("3") << 3;
    QTest::newRow("4") << 4;
    QTest::newRow("5") << 5;
}

void PedigreeTest::pedigreeCertificateShowsKennelDogAndTree()
{
    QFETCH(int, generations);
    Kennel kennel;
    fullTree(kennel.db());
    // The same dog as sire of both parents' sires, and a registration with right-to-left text.
    exec(kennel.db(), "UPDATE Dogtable SET sire = '3s1' WHERE name = '2s2'");
    exec(kennel.db(), "UPDATE Dogtable SET registration = 'KC \u05e9\u05dc\u05d5\u05dd', "
                      "colour = 'Fawn' WHERE name = '1s1'");
    exec(kennel.db(), "UPDATE setup SET Kennelname = ?, Name = ?, phone = ?, email = ''",
         {QString(200, QChar(u'K')), "Margaret Kirk", "01233 555 010"});
    // Health: a DNA result, and of an examination only the latest.
    const qint64 pup =
        scalar(kennel.db(), "SELECT dogid FROM Dogtable WHERE name = 'Pup'").toLongLong();
    for (const auto &[test, result, score, date] :
         {std::tuple{8, "affected", QVariant(), "2024-01-01"},
          std::tuple{1, "B", QVariant(7), "2023-01-01"},
          std::tuple{1, "A", QVariant(4.5), "2025-01-01"}})
        exec(kennel.db(),
             "INSERT INTO healthresults (dogid, testid, result, score, tested) VALUES (?, ?, ?, "
             "?, ?)",
             {pup, test, result, score, date});
    const report::Layout layout =
        pedigreeCertificate(kennel.db(), "Pup", generations, QDate(2026, 12, 8));
    QCOMPARE(layout.pages.size(), 1);
    QVERIFY(layout.paperSize.width() > layout.paperSize.height());
    const QStringList texts = layout.texts(0);
    QVERIFY(texts.contains("Pedigree Certificate"));
    QVERIFY(texts.contains("Phone 01233 555 010"));
    QVERIFY(texts.contains("Reg. No.: ") == false);
    QVERIFY(texts.contains("Sex: Female"));
    QVERIFY(texts.contains("COI 3.13% (all generations), 3.13% (10 generations)"));
    QVERIFY(texts.contains("Date of issue: " +
                           QLocale().toString(QDate(2026, 12, 8), QLocale::LongFormat)));
    QVERIFY(texts.contains("KC \u05e9\u05dc\u05d5\u05dd, Fawn"));
    QVERIFY(texts.contains("Health"));
    QVERIFY(texts.contains("DM: Affected (m/m)"));
    QVERIFY(texts.contains("Hips: A, 4.5 (" + core::datetext::display("2025-01-01") + ")"));
    QVERIFY(!texts.contains("Hips: B, 7 (" + core::datetext::display("2023-01-01") + ")"));
    // Every place holds its name; dogs not in the kennel have no ancestors to show.
    for (const char *name : {"1s1", "1d1", "2d2", "3d4"})
        QVERIFY(texts.contains(name));
    QCOMPARE(texts.contains("4d8"), generations >= 4);
    QVERIFY(!texts.contains("3s3"));
    QVERIFY(!texts.contains("Not On Record"));
    // 3s1 stands in two places with one number; the footnote says so.
    QVERIFY(texts.contains("1 3s1 (2 times)"));
    QCOMPARE(texts.count("1"), 2);
    // The long kennel name is made to fit its line.
    const report::PageItem *head =
        layout.find(0, QString(200, QChar(u'K')) + " \u2013 Margaret Kirk");
    QVERIFY(head && head->clipped && head->rect.right() <= layout.paperSize.width() - 720);
}

void PedigreeTest::pedigreeCertificateOfNoDogAndNoSetup()
{
    Kennel kennel;
    exec(kennel.db(), "DELETE FROM setup");
    const report::Layout layout = pedigreeCertificate(kennel.db(), "Nobody", 4, QDate(2026, 1, 2));
    const QStringList texts = layout.texts(0);
    QVERIFY(texts.contains("Nobody"));
    QVERIFY(texts.contains("Pedigree Certificate"));
    QVERIFY(!texts.contains("Not On Record"));
    QVERIFY(!texts.contains(" \u2013 "));
}

void PedigreeTest::certificateChooserStartsFromTheDog()
{
    Kennel kennel;
    MessageRecorder messages;
    fullTree(kennel.db());
    CertificateChooser chooser;
    chooser.choose("Pup");
    chooser.show();
    QTRY_VERIFY(chooser.isLoaded());
    QCOMPARE(chooser.findChild<ui::PickList *>("dog")->text(), "Pup");
    QCOMPARE(chooser.findChild<QComboBox *>("generations")->currentText(), "4");
    QString dog;
    int generations = 0;
    connect(&chooser, &CertificateChooser::certificateRequested, this,
            [&](const QString &d, int g) { dog = d, generations = g; });
    focusOn(chooser.findChild<ui::PickList *>("dog"));
    pressKey(Qt::Key_Return);
    QCOMPARE(dog, "Pup");
    QCOMPARE(generations, 4);
    QVERIFY(messages.texts.isEmpty());
}

QTEST_MAIN(PedigreeTest)
#include "tst_pedigree.moc"
