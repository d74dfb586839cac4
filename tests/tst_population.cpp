#include "app/ReportPreview.h"
#include "core/Clock.h"
#include "genetics/KennelGenetics.h"
#include "inbreeding/GeneticsScreen.h"
#include "inbreeding/SireRanking.h"
#include "population/MatingMatrix.h"
#include "population/MatingMatrixScreen.h"
#include "population/PopulationRanking.h"
#include "population/PopulationReport.h"
#include "population/PopulationScreen.h"
#include "report/PagedLayout.h"
#include "tests/ProgramWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

using namespace testing;

namespace {

// A half-sibling mating and an unrelated bitch: Z (COI 1/8) and W make the reference
// population of the last eight years.
const QStringList kennelDogs{"S m 2000-01-01 - - 2012-01-01",
                             "E f 2000-01-01 - - 2012-01-01",
                             "G f 2000-01-01 - - 2012-01-01",
                             "X m 2010-01-01 S E",
                             "Y f 2010-01-01 S G",
                             "Z m 2024-01-01 X Y",
                             "W f 2025-06-01"};

void addDogs(const QSqlDatabase &kennel, const QStringList &lines)
{
    for (const QString &line : lines) {
        const QStringList p = line.split(' ');
        QVariantMap fields{{"name", p[0]}, {"sex", p[1] == "m" ? "Male" : "Female"}};
        const QStringList names{"dob", "sire", "dam", "dod"};
        for (qsizetype i = 2; i < p.size(); ++i) {
            if (p[i] != "-")
                fields[names[i - 2]] = p[i];
        }
        addDog(kennel, fields);
    }
}

// The figure boxes by their captions, as a screen reader finds them.
QMap<QString, QString> figuresByCaption(QWidget *screen)
{
    QMap<QString, QString> figures;
    for (QLabel *label : screen->findChildren<QLabel *>()) {
        if (auto *box = qobject_cast<QLineEdit *>(label->buddy()))
            figures[label->text()] = box->text();
    }
    return figures;
}

} // namespace

class PopulationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void screenShowsTheFiguresOfTheChosenYears();
    void yearsBackwardsAndYearsWithoutDogs();
    void rankedListSortsSavesAndPrints();
    void trialMatingsShowMeanKinship();
    void matrixIsChosenByKeysAndOpensTheMating();
};

void PopulationTest::init()
{
    genetics::KennelGenetics::forget();
    core::Clock::setToday(QDate(2026, 12, 10));
}

void PopulationTest::cleanup()
{
    genetics::KennelGenetics::forget();
}

void PopulationTest::screenShowsTheFiguresOfTheChosenYears()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db(), kennelDogs);
    // A and B are each other's sire: left out and said so.
    addDogs(kennel.db(), {"A m 2020-01-01 B -", "B m 2020-01-01 A -", "NoDate f"});
    Window w;
    w.choose("geneticsMenu", "Population Genetics...");
    auto *screen = w.shown<population::PopulationScreen>("PopulationGenetics");
    QVERIFY(QTest::qWaitFor([&] { return !screen->workingOutAncestors(); }));
    QCoreApplication::processEvents();
    const QMap<QString, QString> figures = figuresByCaption(screen);
    // Z with himself 9/16, W with herself 1/2, with each other nothing. The founders' shares
    // are 1/2 (W), 1/4 (S), 1/8 (E, G); every gene explained, fa equals fe. Z's two
    // equivalent generations give Ne = 1 / (2 x 1/8). Z's parents were 14 years old.
    const QMap<QString, QString> expected{
        {"Dogs in the reference population", "2"},
        {"Mean COI", "6.25%"},
        {"Mean kinship", "26.56%"},
        {"Founders", "4"},
        {"Founder equivalents (fe)", "2.91"},
        {"Effective ancestors (fa)", "2.91"},
        {"Founder genome equivalents (fg)", "1.88"},
        {"Mean equivalent complete generations", "1.00"},
        {"Realised effective population size (Ne)", "4.00"},
        {"Generation interval (years)", "14.00"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(figures.value(it.key()), it.value());
    QCOMPARE(screen->findChild<QLabel *>("intervalPaths")->text(),
             "By path: sire–son 14.00, sire–daughter none, dam–son 14.00, dam–daughter none");
    QCOMPARE(screen->findChild<QLabel *>("referenceLine")->text(),
             "2 dogs born 2019 to 2026, living only; 1 left out for lacking a date of birth.");
    QCOMPARE(screen->findChild<QLabel *>("loopLine")->text(),
             "2 dogs in or below a loop are left out of every figure (Genetics > Check Pedigrees "
             "names them).");
    auto *ancestors = screen->findChild<QTableWidget *>("topAncestors");
    QCOMPARE(column(ancestors, 0).first(), "W");
    QVERIFY(messages.texts.isEmpty());
}

void PopulationTest::yearsBackwardsAndYearsWithoutDogs()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db(), kennelDogs);
    Window w;
    w.choose("geneticsMenu", "Population Genetics...");
    auto *screen = w.shown<population::PopulationScreen>("PopulationGenetics");
    auto *first = screen->findChild<QSpinBox *>("firstYear");
    auto *last = screen->findChild<QSpinBox *>("lastYear");
    // Typed the wrong way round, then Enter: the years are taken in order.
    focusOn(first);
    first->selectAll();
    typeKeys("2026");
    pressKey(Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeKeys("2019");
    pressKey(Qt::Key_Return);
    QCOMPARE(first->value(), 2019);
    QCOMPARE(last->value(), 2026);
    QCOMPARE(figuresByCaption(screen).value("Dogs in the reference population"), "2");
    // Years without dogs: every figure says why it is missing.
    focusOn(first);
    first->selectAll();
    typeKeys("1990");
    focusOn(last);
    last->selectAll();
    typeKeys("1991");
    pressKey(Qt::Key_Return);
    QVERIFY(QTest::qWaitFor([&] { return !screen->workingOutAncestors(); }));
    QCoreApplication::processEvents();
    const QMap<QString, QString> figures = figuresByCaption(screen);
    QCOMPARE(figures.value("Dogs in the reference population"), "0");
    QCOMPARE(figures.value("Mean kinship"), "No dogs in the reference population");
    QCOMPARE(figures.value("Effective ancestors (fa)"), "No dogs in the reference population");
    QVERIFY(messages.texts.isEmpty());
}

void PopulationTest::rankedListSortsSavesAndPrints()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db(), kennelDogs);
    addDog(kennel.db(), {{"name", "Zoë \"Quoted\", O'Neil"},
                         {"sex", "Female"},
                         {"dob", "2023-02-02"},
                         {"sire", "X"},
                         {"dam", "W"}});
    Window w;
    w.choose("geneticsMenu", "Population Genetics...");
    auto *screen = w.shown<population::PopulationScreen>("PopulationGenetics");
    auto *table = screen->findChild<QTableView *>("rankedDogs");
    auto *model = qobject_cast<population::PopulationRanking *>(table->model());
    // The living dogs, rarest lines first: W shares nothing with the older dogs.
    QCOMPARE(model->rowCount(), 5);
    QStringList names;
    for (const population::RankedDog &dog : model->dogs())
        names << dog.name;
    QCOMPARE(names, QStringList({"Y", "X", "Z", "W", "Zoë \"Quoted\", O'Neil"}));
    // Zoë's dam was born after her: that pair is left out of the interval.
    QCOMPARE(screen->findChild<QLabel *>("intervalPaths")->text(),
             "By path: sire–son 14.00, sire–daughter 13.09, dam–son 14.00, dam–daughter none; 1 "
             "pair left out: the parent was not born before its offspring");
    QCOMPARE(model->quarter(0), 0);
    QCOMPARE(model->quarter(4), 3);
    // Sorted by name with a click on its header: W keeps the colour of her quarter.
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(table->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(model->index(0, population::PopulationRanking::Name).data().toString(), "W");
    QCOMPARE(model->quarter(0), 2);
    const QByteArray csv = population::rankedCsv(model->dogs());
    const QList<QByteArray> lines = csv.split('\n');
    QCOMPARE(lines[0], "dogid,name,sex,born,mean_kinship,coi,ecg");
    // Z with the three reference dogs: 9/16 with himself, 5/32 with Zoë, nothing with W.
    QVERIFY(lines.contains(QByteArray::number(scalar(kennel.db(), "SELECT dogid FROM Dogtable "
                                                                  "WHERE name = 'Z'")
                                                  .toLongLong()) +
                           ",Z,Male,2024-01-01,23.9583,12.5000,2.0000"));
    bool quoted = false;
    for (const QByteArray &line : lines)
        quoted = quoted || line.contains(",\"Zoë \"\"Quoted\"\", O'Neil\",Female,2023-02-02,");
    QVERIFY(quoted);
    QVERIFY(QTest::qWaitFor([&] { return !screen->workingOutAncestors(); }));
    auto *print = screen->findChild<QPushButton *>("print");
    focusOn(print);
    pressKey(Qt::Key_Space);
    // The report printed from the screen: its figures, both charts and the ranked dogs.
    auto *preview = w.shown<app::ReportPreview>("PopulationReport");
    const report::Layout page = preview->shownPage();
    const QStringList texts = page.texts(0);
    QVERIFY(texts.contains("Population Report"));
    QVERIFY(texts.contains("Founder equivalents (fe)"));
    QVERIFY(!texts.contains("Working out..."));
    QVERIFY(page.find(0, "Y"));
    QVERIFY(page.find(0, "X"));
    int pictures = 0;
    for (const report::PageItem &item : page.pages.value(0).items)
        pictures += item.kind == report::PageItem::Kind::Picture && !item.image.isNull();
    QCOMPARE(pictures, 2);
}

void PopulationTest::trialMatingsShowMeanKinship()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db(), kennelDogs);
    Window w;
    w.choose("geneticsMenu", "Inbreeding and Trial Matings...");
    auto *trial = w.shown<inbreeding::GeneticsScreen>("Genetics");
    trial->showMating("X", "Y");
    // X with Z: half of (X with himself, 1/2, and X with Y, 1/8); with W nothing.
    const QString expected = genetics::percent((0.5 * (0.5 + 0.125) + 0.0) / 2.0);
    for (const char *box : {"sireMeanKinship", "damMeanKinship", "litterMeanKinship"})
        QCOMPARE(trial->findChild<QLineEdit *>(box)->text(), expected);
    QCOMPARE(trial->findChild<QLineEdit *>("coiAll")->text(), "12.50%");
    trial->showBestSires();
    auto *sires = trial->findChild<QTableView *>("bestSiresTable");
    const int column = inbreeding::SireRanking::MeanKinship;
    QCOMPARE(sires->model()->headerData(column, Qt::Horizontal).toString(), "Mean kinship");
    QCOMPARE(sires->model()->index(0, 0).data().toString(), "X");
    QCOMPARE(sires->model()->index(0, column).data().toString(), expected);
    QVERIFY(messages.texts.isEmpty());
}

void PopulationTest::matrixIsChosenByKeysAndOpensTheMating()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db(), kennelDogs);
    Window w;
    w.choose("geneticsMenu", "Mating Matrix...");
    auto *screen = w.shown<population::MatingMatrixScreen>("MatingMatrix");
    auto *bitches = screen->findChild<QListWidget *>("bitches");
    auto *males = screen->findChild<QListWidget *>("males");
    // Living only: the dead founders are not offered.
    QCOMPARE(bitches->count(), 2);
    QCOMPARE(males->count(), 2);
    // Enter with nothing ticked says what is missing.
    focusOn(bitches);
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.value(0), "Tick at least one bitch and one male.");
    // Ticked by Space on the focused row: Y, then both males.
    bitches->setCurrentRow(1);
    pressKey(Qt::Key_Space);
    focusOn(males);
    males->setCurrentRow(0);
    pressKey(Qt::Key_Space);
    males->setCurrentRow(1);
    pressKey(Qt::Key_Space);
    pressKey(Qt::Key_Return);
    const auto &matrix = screen->matrix();
    QVERIFY(matrix.has_value());
    QCOMPARE(matrix->dams.size(), size_t(1));
    QCOMPARE(matrix->dams[0].name, "Y");
    QCOMPARE(matrix->sires[0].name, "X");
    QCOMPARE(matrix->at(0, 0).coi, 0.125);
    // Z is Y's son: half of what Y shares with herself and with X.
    QCOMPARE(matrix->at(0, 1).coi, 0.5 * (0.5 + 0.125));
    auto *grid = screen->findChild<QTableWidget *>("matrix");
    QVERIFY(grid->item(0, 0)->text().startsWith("COI 12.50%\nMK "));
    const QByteArray csv = population::matrixCsv(*matrix);
    QVERIFY(csv.startsWith("dam,sire,litter_coi,litter_mean_kinship,health_warning\nY,X,12.5000,"));
    // Choosing the cell opens the pair in Inbreeding and Trial Matings.
    const QRect place = grid->visualItemRect(grid->item(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, place.center());
    auto *trial = w.shown<inbreeding::GeneticsScreen>("Genetics");
    QCOMPARE(trial->findChild<QLineEdit *>("coiAll")->text(), "12.50%");
    report::PagedLayout pages = population::matrixReport(*matrix).pages();
    pages.layOutAll();
    QVERIFY(pages.toLayout().texts(0).contains("Mating Matrix"));
}

QTEST_MAIN(PopulationTest)
#include "tst_population.moc"
