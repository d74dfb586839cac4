#include "TestSupport.h"

#include "db/DatabaseFiles.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvReader.h"
#include "transfer/ImportDialog.h"
#include "transfer/ImportPlan.h"
#include "transfer/ResultsImport.h"
#include "transfer/SpreadsheetExport.h"

#include "core/Money.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableWidget>
#include <QtTest>
#include <zip.h>

using namespace testing;
using namespace transfer;

Q_DECLARE_METATYPE(transfer::DateOrder)

namespace {

QString writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(QDir::current().filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test file");
    file.write(bytes);
    return file.fileName();
}

QList<QStringList> rowsOf(const QString &file, const CsvFormat &format = {},
                          QString *problem = nullptr)
{
    QList<QStringList> rows;
    const QString failure = readCsv(file, format, [&](const CsvRow &row) {
        rows << row.fields;
        return true;
    });
    if (problem)
        *problem = failure;
    return rows;
}

ImportSettings settingsFor(const ImportTarget &target, const QString &file)
{
    ImportSettings settings;
    settings.format = detectFormat(file);
    settings.mapping = guessMapping(target, headerOf(file, settings.format));
    settings.dates = guessDateOrder(target, file, settings);
    return settings;
}

QString dogsInKennel(const QSqlDatabase &db)
{
    QStringList dogs;
    QSqlQuery q(db);
    q.exec("SELECT name, registration, sex, dob, sire, dam FROM Dogtable ORDER BY rowid");
    while (q.next()) {
        QStringList fields;
        for (const char *field : {"name", "registration", "sex", "dob", "sire", "dam"})
            fields << q.value(field).toString();
        dogs << fields.join('|');
    }
    return dogs.join('\n');
}

qint64 written(const core::WriteResult<qint64> &rows)
{
    return rows.ok() ? rows.value() : -1;
}

// One file of a workbook (a zip archive), or nothing.
QByteArray workbookPart(const QString &file, const char *part)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_stat(zip, part, 0, &stat) == 0) {
        if (zip_file_t *entry = zip_fopen(zip, part, 0)) {
            bytes.resize(qsizetype(stat.size));
            bytes.resize(
                qsizetype(std::max<zip_int64_t>(0, zip_fread(entry, bytes.data(), stat.size))));
            zip_fclose(entry);
        }
    }
    zip_close(zip);
    return bytes;
}

// Dogs to show a spreadsheet: a pup of a brother and sister (COI 25%), names a spreadsheet
// would run as formulas, an old dog and a date a spreadsheet cannot hold.
void stockForSpreadsheets(const QSqlDatabase &db)
{
    addDog(db, {{"name", "Alder"}, {"sex", "Male"}, {"dob", "1899-12-31"}});
    addDog(db, {{"name", "Birch"}, {"sex", "Female"}, {"dob", "2015-06-30"}});
    addDog(db, {{"name", "Cedar"}, {"sex", "Male"}, {"sire", "Alder"}, {"dam", "Birch"}});
    addDog(db, {{"name", "Dogwood"}, {"sex", "Female"}, {"sire", "Alder"}, {"dam", "Birch"}});
    addDog(db, {{"name", "=HYPERLINK(\"http://x\",\"y\")"},
                {"sex", "Male"},
                {"sire", "Cedar"},
                {"dam", "Dogwood"},
                {"dob", "2021-03-04"},
                {"dod", "sometime in May"},
                {"registration", "@1"},
                {"ownerid", "-Ann"},
                {"breeder", "+Bo"}});
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldsAreQuotedWhereNeeded_data();
    void fieldsAreQuotedWhereNeeded();
    void exportWritesEveryTableAndReadsBack();
    void exportToAFullDiskSaysSo();
    void formatIsDetected_data();
    void formatIsDetected();
    void badFilesSayWhere_data();
    void badFilesSayWhere();
    void datesAreReadInTheChosenOrder_data();
    void datesAreReadInTheChosenOrder();
    void headersAndDateOrderAreGuessed();
    void checkCountsAndNamesProblemsByLine();
    void matchingRowsAreSkippedFilledOrAdded_data();
    void matchingRowsAreSkippedFilledOrAdded();
    void cancelledImportWritesNothing();
    void exportedKennelImportsFieldForField();
    void dialogDetectsChecksAndImports();
    void dialogReadsTwoDigitYearsAsTold();
    void killedImportWritesNothing();
    void spreadsheetCsvReadsBackThroughTheImport_data();
    void spreadsheetCsvReadsBackThroughTheImport();
    void workbookHasRealCellsAndAFrozenHeader();
    void spreadsheetThatCannotBeWrittenLeavesNothing();
    void spreadsheetCsvRowsEndingEmptyKeepEveryField();
    void healthResultsImportByRowOrByLaboratoryColumn();
    void healthResultsDialogMakesMissingTests();
};

void TransferTest::fieldsAreQuotedWhereNeeded_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << "Rex" << QByteArray("Rex");
    QTest::newRow("comma") << "Smith, J" << QByteArray("\"Smith, J\"");
    QTest::newRow("quote") << "Señora \"Bella\"" << QByteArray("\"Se\xc3\xb1ora \"\"Bella\"\"\"");
    QTest::newRow("line break") << "12 Mill Lane\nAshford"
                                << QByteArray("\"12 Mill Lane\nAshford\"");
    QTest::newRow("semicolon") << "a;b" << QByteArray("\"a;b\"");
    QTest::newRow("leading blank") << " x" << QByteArray("\" x\"");
    QTest::newRow("empty") << "" << QByteArray("");
}

void TransferTest::fieldsAreQuotedWhereNeeded()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    QCOMPARE(csvField(value), written);
}

void TransferTest::exportWritesEveryTableAndReadsBack()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Ærø \"Dot\""},
                         {"dob", "2020-03-01"},
                         {"soldfor", 123450},
                         {"colour", "Red,\nand white"}});
    exec(kennel.report(), "INSERT INTO sales (dogsold, sellamount) VALUES ('Ærø', 5)");
    const QString folder = kennel.path() + "/export";
    QVERIFY(QDir().mkpath(folder));
    const auto files = exportTables(kennel.db(), folder);
    QVERIFY(files.ok());
    QStringList names;
    for (const ExportedFile &file : files.value())
        names << QFileInfo(file.file).fileName();
    QCOMPARE(
        names,
        QStringList({"Dogtable.csv",     "contacts.csv",     "mating.csv",        "litters.csv",
                     "vaccination.csv",  "notes.csv",        "setup.csv",         "breedlist.csv",
                     "preferences.csv",  "healthtests.csv",  "healthresults.csv", "seasons.csv",
                     "progesterone.csv", "weights.csv",      "whelping.csv",      "photos.csv",
                     "showresults.csv",  "waitinglist.csv",  "deposits.csv",      "accounts.csv",
                     "contracts.csv",    "pedigreedata.csv", "sales.csv",         "reciept.csv",
                     "largereciept.csv"}));
    QCOMPARE(files.value()[0].rows, 1);
    const QList<QStringList> dogs = rowsOf(folder + "/Dogtable.csv");
    QCOMPARE(dogs.size(), 2);
    const QStringList &header = dogs[0];
    const QStringList &dog = dogs[1];
    QCOMPARE(header.first(), "dogid");
    QCOMPARE(dog[header.indexOf("name")], "Ærø \"Dot\"");
    QCOMPARE(dog[header.indexOf("colour")], "Red,\nand white");
    QCOMPARE(dog[header.indexOf("dob")], "2020-03-01");
    QCOMPARE(dog[header.indexOf("soldfor")], "1234.50");
    QCOMPARE(dog[header.indexOf("dod")], "");
    const QList<QStringList> sales = rowsOf(folder + "/sales.csv");
    QCOMPARE(sales[1][sales[0].indexOf("sellamount")], "0.05");
}

void TransferTest::exportToAFullDiskSaysSo()
{
    TinyDisk disk;
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Kirkwood Rex"}});
    {
        // The disk is full before the export starts.
        QFile filler(disk.path() + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush())
            ;
    }
    const auto files = exportTables(kennel.db(), disk.path());
    QVERIFY(!files.ok());
    QVERIFY2(files.problem().startsWith(disk.path() + "/Dogtable.csv: "),
             qPrintable(files.problem()));
    // Nothing half written is left behind under the table's name.
    QVERIFY(!QFile::exists(disk.path() + "/Dogtable.csv"));
}

void TransferTest::formatIsDetected_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("firstName");
    QTest::newRow("comma, UTF-8") << QByteArray("Name,Sex\nÉlan,Male\n") << ','
                                  << int(Encoding::Utf8) << "Élan";
    QTest::newRow("semicolon with a byte-order mark")
        << QByteArray("\xEF\xBB\xBFName;Sex\n\"Smith, Rex\";Male\n") << ';' << int(Encoding::Utf8)
        << "Smith, Rex";
    QTest::newRow("tab, Windows-1252") << QByteArray("Name\tSex\n\xC9lan \x80\tFemale\n") << '\t'
                                       << int(Encoding::Windows1252) << "Élan €";
    const QString unicode = QStringLiteral("Name\tSex\r\nJürgen's Éclair\tMale\r\n");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : unicode)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    QTest::newRow("tab, UTF-16 with its mark")
        << utf16 << '\t' << int(Encoding::Utf16) << "Jürgen's Éclair";
}

void TransferTest::formatIsDetected()
{
    QFETCH(QByteArray, bytes);
    QFETCH(char, separator);
    QFETCH(int, encoding);
    QFETCH(QString, firstName);
    WorkingFolder folder;
    const QString file = writeFile("dogs.csv", bytes);
    const CsvFormat format = detectFormat(file);
    QCOMPARE(format.separator, separator);
    QCOMPARE(int(format.encoding), encoding);
    const QList<QStringList> rows = rowsOf(file, format);
    QCOMPARE(rows[0], QStringList({"Name", "Sex"}));
    QCOMPARE(rows[1][0], firstName);
}

void TransferTest::badFilesSayWhere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << QByteArray() << "" << 0;
    QTest::newRow("header only") << QByteArray("Name,Sex\r\n") << "" << 1;
    QTest::newRow("unbalanced quotes")
        << QByteArray("Name,Sex\nRex,Male\n\"Bella,Female\nMax,Male\n")
        << "line 4: a quoted field is not closed" << 2;
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\"\xff\xfe,\"\"x", 11)
                            << "line 1: a quote stands where no field can have one" << 0;
    QTest::newRow("NUL in a name") << QByteArray("Name,Sex\nRex,Male\nBel\0la,Female\n", 31)
                                   << "line 3: the text holds a control character (code 0)" << 2;
    QTest::newRow("escape in a note")
        << QByteArray("Name,Notes\nRex,\"Good\x1b[31m dog\"\n")
        << "line 2: the text holds a control character (code 27)" << 1;
    QTest::newRow("line break in a note")
        << QByteArray("Name,Notes\nRex,\"Good\n\tdog\"\n") << "" << 2;
    QTest::newRow("too many columns")
        << QByteArray("Name") + QByteArray(1000, ',') + "\nRex\n"
        << "line 1: more than 1,000 columns, far more than any table of dogs or contacts" << 0;
}

void TransferTest::badFilesSayWhere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QFETCH(int, rows);
    WorkingFolder folder;
    QString found;
    QCOMPARE(rowsOf(writeFile("bad.csv", bytes), {}, &found).size(), rows);
    QCOMPARE(found, problem);
}

void TransferTest::datesAreReadInTheChosenOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("yearsFrom");
    QTest::addColumn<QDate>("date");
    const int boxes = core::datetext::twoDigitYearsFrom;
    QTest::newRow("m/d/y") << "03/01/2024" << int(DateOrder::MonthDayYear) << boxes
                           << QDate(2024, 3, 1);
    QTest::newRow("d/m/y") << "03/01/2024" << int(DateOrder::DayMonthYear) << boxes
                           << QDate(2024, 1, 3);
    QTest::newRow("y-m-d") << "2024-03-01" << int(DateOrder::YearMonthDay) << boxes
                           << QDate(2024, 3, 1);
    QTest::newRow("two-digit year")
        << "3.1.98" << int(DateOrder::DayMonthYear) << boxes << QDate(1998, 1, 3);
    QTest::newRow("two-digit year as the date boxes read it")
        << "3/1/45" << int(DateOrder::MonthDayYear) << boxes << QDate(1945, 3, 1);
    QTest::newRow("two-digit year, the hundred years from 1950")
        << "3/1/45" << int(DateOrder::MonthDayYear) << 1950 << QDate(2045, 3, 1);
    QTest::newRow("the first of the hundred years")
        << "3/1/50" << int(DateOrder::MonthDayYear) << 1950 << QDate(1950, 3, 1);
    QTest::newRow("four digits are as written")
        << "3/1/2045" << int(DateOrder::MonthDayYear) << 1950 << QDate(2045, 3, 1);
    QTest::newRow("no 30 February")
        << "02/30/2024" << int(DateOrder::MonthDayYear) << boxes << QDate();
    QTest::newRow("no month 13") << "13/13/2013" << int(DateOrder::DayMonthYear) << boxes
                                 << QDate();
    QTest::newRow("as stored, whatever the order")
        << "2024-03-01" << int(DateOrder::MonthDayYear) << boxes << QDate(2024, 3, 1);
    QTest::newRow("year first in a month-first file")
        << "2024/03/01" << int(DateOrder::MonthDayYear) << boxes << QDate();
    QTest::newRow("words") << "March 1st" << int(DateOrder::MonthDayYear) << boxes << QDate();
}

void TransferTest::datesAreReadInTheChosenOrder()
{
    QFETCH(QString, text);
    QFETCH(int, order);
    QFETCH(int, yearsFrom);
    QFETCH(QDate, date);
    QCOMPARE(core::datetext::parse(text, DateOrder(order), yearsFrom), date);
}

void TransferTest::headersAndDateOrderAreGuessed()
{
    QCOMPARE(guessMapping(dogTarget(), {"Registered Name", "Reg No", "Gender", "Color",
                                        "Date of Birth", "Sire", "Dam", "Shoe size", "Name"}),
             QStringList({"name", "registration", "sex", "colour", "dob", "sire", "dam", "", ""}));
    WorkingFolder folder;
    const QString file =
        writeFile("dogs.csv", "Name,DOB\nRex,01/02/2020\nBella,25/12/2019\nMax,\n");
    QCOMPARE(int(settingsFor(dogTarget(), file).dates), int(DateOrder::DayMonthYear));
    const QString ambiguous = writeFile("plain.csv", "Name,DOB\nRex,01/02/2020\n");
    QCOMPARE(int(settingsFor(dogTarget(), ambiguous).dates), int(DateOrder::MonthDayYear));
    // A file that leaves it open is read as the kennel's own dates are typed.
    core::datetext::setOrder(DateOrder::DayMonthYear);
    QCOMPARE(int(settingsFor(dogTarget(), ambiguous).dates), int(DateOrder::DayMonthYear));
    core::datetext::setOrder(DateOrder::MonthDayYear);
}

void TransferTest::checkCountsAndNamesProblemsByLine()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Kennel Rex"}, {"registration", "KC-1"}});
    const QString file =
        writeFile("dogs.csv", "Name,Reg No,Sex,DOB\n"
                              "New Dog,,Male,2020-01-02\n"
                              "Other Name,KC-1,,\n" // the kennel's dog by its registration
                              "Kennel Rex,,,\n"     // ... and by its name
                              ",KC-9,Male,\n"       // no name
                              "Bad Date,,,2024-02-30\n"
                              "Bad Sex,,Dog,\n"
                              "Short,\n"
                              "NOT ON RECORD,,Male,\n"
                              "\"Two\nLines\",,,\n"
                              "\"'); DROP TABLE Dogtable;--\",,female,\n"
                              "New Dog,,Male,2020-01-02\n"); // the same dog again
    ImportSettings settings = settingsFor(dogTarget(), file);
    QCOMPARE(int(settings.dates), int(DateOrder::YearMonthDay));
    const ImportCheck check = checkImport(dogTarget(), kennel.db(), file, settings);
    QCOMPARE(check.problem, QString());
    QCOMPARE(check.toAdd, 2);
    QCOMPARE(check.matching, 3);
    QStringList problems;
    for (const LineProblem &problem : check.problems)
        problems << QString::number(problem.line) + ": " + problem.problem;
    QCOMPARE(problems,
             QStringList({"5: it has no name",
                          "6: \"2024-02-30\" in D.O.B is not a date written "
                          "year-month-day",
                          "7: the sex \"Dog\" is not Male, Female or empty",
                          "8: it has 2 fields, the header 4",
                          "9: \"Not On Record\" marks a parent that is not known; "
                          "no dog can be named so.",
                          "10: the Name holds a line break, which only notes and addresses may"}));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 1);

    const auto counts = runImport(dogTarget(), kennel.db(), file, settings);
    QVERIFY(counts.ok());
    QCOMPARE(counts.value().added, 2);
    QCOMPARE(counts.value().skipped, 3);
    QCOMPARE(counts.value().refused, 6);
    QCOMPARE(scalar(kennel.db(), "SELECT sex FROM Dogtable WHERE name LIKE '%DROP%'").toString(),
             "Female");
}

void TransferTest::matchingRowsAreSkippedFilledOrAdded_data()
{
    QTest::addColumn<int>("matching");
    QTest::addColumn<QString>("dogs");
    QTest::newRow("skip") << int(Matching::Skip) << "Rex|KC-1|Male||Old Sire|";
    QTest::newRow("fill empty") << int(Matching::FillEmpty)
                                << "Rex|KC-1|Male|2020-01-02|Old Sire|New Dam";
    QTest::newRow("add new") << int(Matching::AddNew)
                             << "Rex|KC-1|Male||Old Sire|\nRex|KC-1|Female|2020-01-02|New "
                                "Sire|New Dam";
}

void TransferTest::matchingRowsAreSkippedFilledOrAdded()
{
    QFETCH(int, matching);
    QFETCH(QString, dogs);
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"},
                         {"registration", "KC-1"},
                         {"sex", "Male"},
                         {"sire", "Old Sire"},
                         {"dam", ""}});
    const QString file = writeFile("dogs.csv", "Name,Registration,Sex,DOB,Sire,Dam\n"
                                               "Rex,KC-1,Female,01/02/2020,New Sire,New Dam\n");
    ImportSettings settings = settingsFor(dogTarget(), file);
    settings.matching = Matching(matching);
    QVERIFY(runImport(dogTarget(), kennel.db(), file, settings).ok());
    QCOMPARE(dogsInKennel(kennel.db()), dogs);
}

void TransferTest::cancelledImportWritesNothing()
{
    Kennel kennel;
    QByteArray bytes = "Name,Sire\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "Dog " + QByteArray::number(i) + ",Dog " + QByteArray::number(i / 2) + "\n";
    const QString file = writeFile("many.csv", bytes);
    const ImportSettings settings = settingsFor(dogTarget(), file);
    const auto stopped = runImport(dogTarget(), kennel.db(), file, settings,
                                   [](qint64 rows) { return rows < 10000; });
    QCOMPARE(stopped.problem(), cancelled);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 0);
    QCOMPARE(checkImport(dogTarget(), kennel.db(), file, settings,
                         [](qint64 rows) { return rows < 5000; })
                 .problem,
             cancelled);
}

void TransferTest::exportedKennelImportsFieldForField()
{
    Kennel kennel;
    const QString longText(10000, QChar(u'é'));
    addDog(kennel.db(), {{"name", "Sire of All"}, {"sex", "Male"}, {"dob", "2015-06-30"}});
    addDog(kennel.db(), {{"name", "O'Brien's \"Ærø\""},
                         {"registration", "KC;42"},
                         {"sex", "Female"},
                         {"sire", "SIRE OF ALL"},
                         {"dam", longText}});
    exec(kennel.db(), "INSERT INTO contacts (last, address, notes) VALUES (?, ?, ?)",
         {"Núñez, Óscar", "4 Hill Road\nCanterbury", "likes \"quiet\" dogs"});
    const QString folder = kennel.path() + "/export";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(exportTables(kennel.db(), folder).ok());
    const QString dogsBefore = dogsInKennel(kennel.db());
    const QString contactsBefore =
        scalar(kennel.db(), "SELECT last || '|' || address || '|' || notes FROM contacts")
            .toString();

    WorkingFolder empty;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QSqlDatabase fresh = db::DatabaseFiles::kennel();
    for (const auto &[target, file] : {std::pair{&dogTarget(), folder + "/Dogtable.csv"},
                                       std::pair{&contactTarget(), folder + "/contacts.csv"}}) {
        ImportSettings settings = settingsFor(*target, file);
        // Exported headers are the field names themselves.
        const QStringList header = headerOf(file, settings.format);
        for (qsizetype i = 0; i < header.size(); ++i)
            settings.mapping[i] = target->field(header[i]) ? header[i] : QString();
        settings.dates = DateOrder::YearMonthDay;
        QVERIFY(runImport(*target, fresh, file, settings).ok());
    }
    QCOMPARE(dogsInKennel(fresh), dogsBefore);
    QCOMPARE(
        scalar(fresh, "SELECT last || '|' || address || '|' || notes FROM contacts").toString(),
        contactsBefore);
}

void TransferTest::dialogDetectsChecksAndImports()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    const QString file = writeFile("club.csv", "Registered Name;Gender;Date of Birth;Sire\n"
                                               "\xC9lan;female;25/12/2019;rex\n"
                                               "Rex;Male;01/01/2018;\n"
                                               ";Male;;\n");
    ImportDialog dialog(dogTarget(), file);
    QCOMPARE(dialog.findChild<QComboBox *>("separator")->currentText(), "Semicolon");
    QCOMPARE(dialog.findChild<QComboBox *>("encoding")->currentText(), "Windows-1252");
    QCOMPARE(dialog.findChild<QComboBox *>("dates")->currentText(), "day/month/year");
    auto *preview = dialog.findChild<QTableWidget *>("preview");
    QCOMPARE(preview->item(0, 0)->text(), "Élan");
    QCOMPARE(preview->item(0, 2)->text(), "2019-12-25");
    QCOMPARE(dialog.findChild<QLabel *>("summary")->text(),
             "1 rows will be added, 1 match a dog already in the kennel, 1 have problems and "
             "will not be imported.");
    QCOMPARE(dialog.findChild<QListWidget *>("problems")->item(0)->text(),
             "Line 4: it has no name");
    dialog.findChild<QPushButton *>("import")->click();
    QCOMPARE(messages.texts.last(),
             "The import is done: 1 added, 0 updated, 1 skipped, 1 refused.");
    QCOMPARE(scalar(kennel.db(), "SELECT sex || '|' || dob || '|' || sire FROM Dogtable WHERE "
                                 "name = 'Élan'")
                 .toString(),
             "Female|2019-12-25|rex");
}

// The years of old litters typed with two digits, moved to the hundred years the file needs
// with the keyboard: the preview and the import read them so.
void TransferTest::dialogReadsTwoDigitYearsAsTold()
{
    Kennel kennel;
    MessageRecorder messages;
    const QString file = writeFile("old.csv", "Name,DOB\nOld Dog,03/01/45\n");
    ImportDialog dialog(dogTarget(), file);
    dialog.show();
    auto *preview = dialog.findChild<QTableWidget *>("preview");
    QCOMPARE(preview->item(0, 1)->text(), "1945-03-01");
    auto *years = dialog.findChild<QSpinBox *>("yearsFrom");
    QCOMPARE(years->value(), 1930);
    focusOn(years);
    years->selectAll();
    typeKeys("1950");
    pressKey(Qt::Key_Tab);
    QCOMPARE(dialog.settings().yearsFrom, 1950);
    QCOMPARE(preview->item(0, 1)->text(), "2045-03-01");
    dialog.findChild<QPushButton *>("import")->click();
    QCOMPARE(scalar(kennel.db(), "SELECT dob FROM Dogtable WHERE name = 'Old Dog'").toString(),
             "2045-03-01");
}

void TransferTest::killedImportWritesNothing()
{
    WorkingFolder folder;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    db::DatabaseFiles::close();
    QByteArray bytes = "Name\n";
    for (int i = 0; i < 3000; ++i)
        bytes += "Dog " + QByteArray::number(i) + "\n";
    const QString file = writeFile("dogs.csv", bytes);
    QRandomGenerator random(31);
    for (int run = 0; run < 10; ++run) {
        QProcess worker;
        worker.start(BACKUP_WORKER, {"import", file});
        QVERIFY(worker.waitForStarted());
        QVERIFY(worker.waitForReadyRead(30000));
        QTest::qWait(int(random.bounded(80)));
        worker.kill();
        QVERIFY(worker.waitForFinished());
        QVERIFY(db::DatabaseFiles::open().isEmpty());
        QCOMPARE(scalar(db::DatabaseFiles::kennel(), "PRAGMA integrity_check").toString(), "ok");
        QCOMPARE(
            scalar(db::DatabaseFiles::kennel(), "SELECT count(*) FROM Dogtable").toInt() % 3000, 0);
        db::DatabaseFiles::close();
    }
}

void TransferTest::spreadsheetCsvReadsBackThroughTheImport_data()
{
    QTest::addColumn<DateOrder>("order");
    QTest::addColumn<QString>("born");
    QTest::addColumn<QString>("coi");
    QTest::newRow("month first, points") << DateOrder::MonthDayYear << "3/4/2021"
                                         << "25.00%";
    QTest::newRow("day first, commas") << DateOrder::DayMonthYear << "4/3/2021"
                                       << "25,00%";
    QTest::newRow("year first") << DateOrder::YearMonthDay << "2021-03-04"
                                << "25.00%";
}

void TransferTest::spreadsheetCsvReadsBackThroughTheImport()
{
    QFETCH(DateOrder, order);
    QFETCH(QString, born);
    QFETCH(QString, coi);
    core::datetext::setOrder(order);
    core::money::setCurrency(
        {"€", core::money::Place::AfterWithBlank,
         coi.contains(',') ? core::money::Form::PointComma : core::money::Form::CommaPoint});
    Kennel kennel;
    stockForSpreadsheets(kennel.db());
    const QString file = kennel.path() + "/Dogs.csv";
    QCOMPARE(written(exportSheet(kennel.db(), SheetContent::Dogs, SheetFormat::Csv, file)), 5);
    const QList<QStringList> lines = rowsOf(file);
    QCOMPARE(lines.first(), QStringList({"Name", "Registration", "Sex", "Breed", "Colour",
                                         "Date of Birth", "Date of Death", "Sire", "Dam", "Breeder",
                                         "Owner", "Microchip", "Tattoo", "COI"}));
    // In name order; formulas kept as text, dates in the kennel's order.
    QCOMPARE(lines.at(1),
             QStringList({"'=HYPERLINK(\"http://x\",\"y\")", "'@1", "Male", "", "", born,
                          "sometime in May", "Cedar", "Dogwood", "'+Bo", "'-Ann", "", "", coi}));
    QCOMPARE(lines.at(2).at(0), "Alder");

    // The spreadsheet is in name order, the kennel in the order the dogs were added.
    const auto sorted = [](const QString &dogs) {
        QStringList lines = dogs.split('\n');
        lines.sort();
        return lines;
    };
    const QStringList before = sorted(dogsInKennel(kennel.db()));
    WorkingFolder empty;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QSqlDatabase fresh = db::DatabaseFiles::kennel();
    ImportSettings settings = settingsFor(dogTarget(), file);
    QCOMPARE(settings.mapping,
             QStringList({"name", "registration", "sex", "breed", "colour", "dob", "dod", "sire",
                          "dam", "breeder", "ownerid", "Microchip", "Tattoo", ""}));
    // A stored text that is no date does not import as one.
    settings.mapping[6].clear();
    settings.dates = order;
    QVERIFY(runImport(dogTarget(), fresh, file, settings).ok());
    QCOMPARE(sorted(dogsInKennel(fresh)), before);
    core::datetext::setOrder(DateOrder::MonthDayYear);
    core::money::setCurrency({});
}

void TransferTest::workbookHasRealCellsAndAFrozenHeader()
{
    core::datetext::setOrder(DateOrder::DayMonthYear);
    core::money::setCurrency(
        {"€", core::money::Place::AfterWithBlank, core::money::Form::PointComma});
    Kennel kennel;
    stockForSpreadsheets(kennel.db());
    exec(kennel.report(), "INSERT INTO sales (dogsold, soldto, salesdate, sellamount) VALUES "
                          "('Cedar', 'Ann', '2026-03-01', 123450)");
    const QString dogs = kennel.path() + "/Dogs.xlsx";
    QCOMPARE(written(exportSheet(kennel.db(), SheetContent::Dogs, SheetFormat::Workbook, dogs)), 5);
    const QByteArray sheet = workbookPart(dogs, "xl/worksheets/sheet1.xml");
    QVERIFY(sheet.contains(
        R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"));
    QVERIFY(sheet.contains("<cols>"));
    // 2015-06-30 as the day number spreadsheets count dates by, in a date format.
    QVERIFY(sheet.contains("<v>42185</v>"));
    QVERIFY(workbookPart(dogs, "xl/styles.xml").contains(R"(formatCode="dd/mm/yyyy")"));
    // A year before 1900 that a workbook cannot hold is kept as text, and so is a formula.
    QVERIFY(sheet.contains("<t>31/12/1899</t>"));
    QVERIFY(sheet.contains("<t>=HYPERLINK(\"http://x\",\"y\")</t>"));
    QVERIFY(!sheet.contains("<f>"));
    // The COI as a number in percent.
    QVERIFY(sheet.contains("<v>0.25</v>"));

    const QString sales = kennel.path() + "/Sales.xlsx";
    QCOMPARE(written(exportSheet(kennel.db(), SheetContent::Sales, SheetFormat::Workbook, sales)),
             1);
    QVERIFY(workbookPart(sales, "xl/worksheets/sheet1.xml").contains("<v>1234.5</v>"));
    QVERIFY(
        workbookPart(sales, "xl/styles.xml").contains(R"(formatCode="#,##0.00\ &quot;€&quot;")"));
    core::datetext::setOrder(DateOrder::MonthDayYear);
    core::money::setCurrency({});
}

void TransferTest::spreadsheetThatCannotBeWrittenLeavesNothing()
{
    Kennel kennel;
    stockForSpreadsheets(kennel.db());
    for (const SheetFormat format : {SheetFormat::Csv, SheetFormat::Workbook}) {
        const QString file = kennel.path() + "/no such folder/Contacts.csv";
        QVERIFY(!exportSheet(kennel.db(), SheetContent::Contacts, format, file).ok());
        QVERIFY(!QFileInfo::exists(file));
    }
    QCOMPARE(QDir(kennel.path()).entryList({".houndry-*"}, QDir::Hidden | QDir::Files),
             QStringList());
}

// Contacts without notes leave the last column empty; the import counts the fields.
void TransferTest::spreadsheetCsvRowsEndingEmptyKeepEveryField()
{
    Kennel kennel;
    exec(kennel.db(), "INSERT INTO contacts (last, city) VALUES ('Ann', 'Leeds'), ('Bo', '')");
    const QString file = kennel.path() + "/Contacts.csv";
    QCOMPARE(written(exportSheet(kennel.db(), SheetContent::Contacts, SheetFormat::Csv, file)), 2);
    const QList<QStringList> lines = rowsOf(file);
    QCOMPARE(lines.size(), 3);
    for (const QStringList &line : lines)
        QCOMPARE(line.size(), 15);
    QCOMPARE(lines.at(2).first(), "Bo");
    WorkingFolder empty;
    QVERIFY(db::DatabaseFiles::open().isEmpty());
    QSqlDatabase fresh = db::DatabaseFiles::kennel();
    QVERIFY(runImport(contactTarget(), fresh, file, settingsFor(contactTarget(), file)).ok());
    QCOMPARE(
        scalar(fresh, "SELECT group_concat(last || '/' || city, ';') FROM contacts").toString(),
        "Ann/Leeds;Bo/");
}

void TransferTest::healthResultsImportByRowOrByLaboratoryColumn()
{
    Kennel kennel;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"registration", "KC-1"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella Ærø"}});
    const QString rows =
        writeFile("results.csv", "Reg No,Dog,Test,Result,Date,Lab,Certificate,Score\n"
                                 "kc-1,,pra-prcd,clear,2024-03-01,Lab A,C1,\n"  // by registration
                                 ",bella ærø,DM,CARRIER,2024-03-02,Lab A,C2,\n" // by name
                                 ",Bella Ærø,Hips,A,2024-03-03,Dr B,,4.5\n"
                                 ",Nobody,DM,Clear,2024-03-04,,,\n"
                                 ",Rex,DM,maybe,2024-03-04,,,\n"
                                 ",Rex,Hips,B,2024-03-04,,,lots\n"
                                 ",Rex,Hips,B,,,,\n"
                                 ",Rex,Coat Colour,Carrier,2024-03-05,,,\n");
    ImportSettings settings = settingsFor(healthResultTarget(), rows);
    ImportCheck check = checkResults(kennel.db(), rows, settings);
    QStringList problems;
    for (const LineProblem &problem : check.problems)
        problems << QString::number(problem.line) + ": " + problem.problem;
    QCOMPARE(
        problems,
        QStringList({"5: no dog of the kennel is Nobody",
                     "6: \"maybe\" is not a result of the DNA test DM: Clear, Carrier or "
                     "Affected",
                     "7: the number \"lots\" is not a number", "8: it has no date of the test"}));
    QCOMPARE(check.toAdd, 4);
    QCOMPARE(check.newTests, QStringList{"Coat Colour"});
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM healthresults").toInt(), 0);
    auto counts = importResults(kennel.db(), rows, settings);
    QVERIFY(counts.ok());
    QCOMPARE(counts.value().added, 4);
    QCOMPARE(counts.value().refused, 4);
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(r.dogid || ' ' || t.testname || ' ' || "
                                 "r.result || ' ' || coalesce(r.score, '-'), '|') FROM "
                                 "healthresults r JOIN healthtests t USING (testid)")
                 .toString(),
             QString("%1 PRA-prcd Clear -|%2 DM Carrier -|%2 Hips A 4.5|%1 Coat Colour Carrier -")
                 .arg(rex)
                 .arg(bella));
    QCOMPARE(scalar(kennel.db(), "SELECT testkind FROM healthtests WHERE testname = 'Coat "
                                 "Colour'")
                 .toString(),
             "DNA");
    // The same file again adds nothing.
    counts = importResults(kennel.db(), rows, settings);
    QCOMPARE(counts.value().added, 0);
    QCOMPARE(counts.value().skipped, 4);

    // A laboratory's file: a row per dog, a column per test.
    const QString lab = writeFile("lab.csv", "Registered Name;Date;PRA-prcd;EIC;Eye Exam\n"
                                             "Rex;01/05/2025;Carrier;;Clear of HC\n"
                                             "Bella Ærø;01/05/2025;affected;Clear;\n");
    settings = settingsFor(healthResultTarget(), lab);
    QCOMPARE(settings.mapping,
             (QStringList{resultFields::dog, resultFields::date, resultsOfTheHeader,
                          resultsOfTheHeader, resultsOfTheHeader}));
    settings.makeTests = false;
    check = checkResults(kennel.db(), lab, settings);
    QCOMPARE(check.problems.size(), 1);
    QCOMPARE(check.problems[0].problem, "the kennel has no health test named \"Eye Exam\"");
    settings.makeTests = true;
    counts = importResults(kennel.db(), lab, settings);
    QCOMPARE(counts.value().added, 4);
    QCOMPARE(scalar(kennel.db(), "SELECT testkind FROM healthtests WHERE testname = 'Eye Exam'")
                 .toString(),
             "Examination");
}

void TransferTest::healthResultsDialogMakesMissingTests()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    const QString file = writeFile("lab.csv", "Dog,Date,PRA-prcd,Brand New\n"
                                              "Rex,2025-05-01,Clear,Carrier\n");
    ImportDialog dialog(healthResultTarget(), file);
    QCOMPARE(dialog.findChild<QLabel *>("summary")->text(),
             "2 results will be added, 0 are in the kennel already, 0 rows have problems and "
             "will not be imported. The import makes these tests: Brand New.");
    dialog.findChild<QCheckBox *>("makeTests")->setChecked(false);
    QCOMPARE(dialog.findChild<QListWidget *>("problems")->item(0)->text(),
             "Line 2: the kennel has no health test named \"Brand New\"");
    dialog.findChild<QCheckBox *>("makeTests")->setChecked(true);
    dialog.findChild<QPushButton *>("import")->click();
    QCOMPARE(messages.texts.last(),
             "The import is done: 2 added, 0 updated, 0 skipped, 0 refused.");
}

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"
