#include "core/Money.h"
#include "report/PagePainter.h"
#include "report/ReportLayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace report;

namespace {

const QDateTime printed(QDate(2026, 12, 7), QTime(10, 30));

// A small sales-like report on Letter paper with one-inch margins: 12960 twips of height
// for sections, 1000 of them taken by the page header and 500 by the page footer.
ReportDefinition salesLike()
{
    ReportDefinition d;
    d.name = "Test";
    d.caption = "Test Report";
    d.margins = QMargins(1440, 1440, 1440, 1440);
    d.pageSize = QPageSize(QPageSize::Letter);
    d.sections = {
        {SectionKind::ReportHeader, 500, 0, {caption("Report Title", 0, 0, 5000)}},
        {SectionKind::PageHeader,
         1000,
         0,
         {caption("Page ", 0, 0, 720), Element{ElementKind::PageNumber, QRect(720, 0, 500, 285)},
          caption("of", 1300, 0, 400), Element{ElementKind::PageCount, QRect(1800, 0, 500, 285)}}},
        {SectionKind::Detail,
         1000,
         0,
         {field("dog", 0, 0, 3000), field("amount", 3000, 0, 2000, 285, Format::Money)}},
        {SectionKind::PageFooter, 500, 0, {}},
        {SectionKind::ReportFooter,
         400,
         0,
         {caption("Total", 0, 0, 1500),
          Element{ElementKind::Sum, QRect(1500, 0, 2000, 285), "amount", Format::Money}}},
    };
    return d;
}

DataSet sales(int count)
{
    DataSet rows;
    for (int i = 1; i <= count; ++i)
        rows << DataRow{{{"dog", QString("Dog %1").arg(i)}, {"amount", qint64(i * 100)}}};
    return rows;
}

// Owners of 0 to 4 dogs each, a rule closing every owner: enough rows for many pages.
DataSet owners(int count)
{
    DataSet rows;
    for (int i = 1; i <= count; ++i) {
        DataRow owner{{{"owner", QString("Owner %1").arg(i)}}};
        for (int d = 0; d < i % 5; ++d)
            owner.children << DataRow{
                {{"dog", QString("Dog %1.%2").arg(i).arg(d)}, {"amount", qint64(i)}}};
        rows << owner;
    }
    return rows;
}

// Rows handed out in slices, noting how far anything has been read.
class CountingSource : public core::DataSetSource
{
public:
    CountingSource(DataSet rows, qsizetype *highest)
        : core::DataSetSource(std::move(rows)), m_highest(highest)
    {
    }
    DataSet slice(qsizetype first, qsizetype count) override
    {
        *m_highest = qMax(*m_highest, first + count);
        return core::DataSetSource::slice(first, count);
    }

private:
    qsizetype *m_highest;
};

ReportDefinition ownersReport()
{
    ReportDefinition d = salesLike();
    d.sections.removeIf([](const Section &s) { return s.kind == SectionKind::Detail; });
    d.sections << Section{SectionKind::GroupHeader, 400, 0, {field("owner", 0, 0, 3000)}}
               << Section{SectionKind::Detail, 300, 1, {field("dog", 500, 0, 3000)}}
               << Section{SectionKind::GroupFooter, 100, 0, {line(0, 50, 5000)}};
    d.sections.last().elements.clear();
    return d;
}

} // namespace

Q_DECLARE_METATYPE(core::money::Currency)

class ReportTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void money_data();
    void money();
    void typedMoney_data();
    void typedMoney();
    void moneyInOtherForms_data();
    void moneyInOtherForms();
    void currencySymbols_data();
    void currencySymbols();
    void breaksSectionsIntoPages();
    void numbersPagesAndCountsThem();
    void sumsEveryRowExactly();
    void sumsHoldAtTheLimits_data();
    void sumsHoldAtTheLimits();
    void emptyDataKeepsHeadersAndFooter();
    void aRuleThatDoesNotFitStartsNoPage();
    void groupsChildrenUnderTheirParents();
    void writesEveryPageToPdf();
    void showsTheFirstPageBeforeReadingEveryRow();
    void pagesMadeInAnyOrderAreTheSame();
    void valuesAreCutCaptionsDrawnWhole();
};

void ReportTest::money_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");
    QTest::newRow("thousands") << qint64(123450) << "$1,234.50";
    QTest::newRow("whole") << qint64(10000) << "$100.00";
    QTest::newRow("cents only") << qint64(7) << "$0.07";
    QTest::newRow("zero") << qint64(0) << "$0.00";
    QTest::newRow("millions") << qint64(123456789012) << "$1,234,567,890.12";
    QTest::newRow("negative") << qint64(-300) << "-$3.00";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "$92,233,720,368,547,758.07";
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min()
                              << "-$92,233,720,368,547,758.08";
}

void ReportTest::money()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(core::formatMoney(cents), text);
}

void ReportTest::typedMoney_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("cents");
    const qint64 refused = -1;
    QTest::newRow("decimal") << "1234.5" << qint64(123450);
    QTest::newRow("whole") << "100" << qint64(10000);
    QTest::newRow("as printed") << "$1,334.50" << qint64(133450);
    QTest::newRow("blanks") << " $ 1 250 " << qint64(125000);
    QTest::newRow("blanks between digits") << "1 2 3" << refused;
    QTest::newRow("blank inside a group") << "12 50" << refused;
    QTest::newRow("newline after it") << "12\n" << refused;
    QTest::newRow("tab") << "\t12" << refused;
    QTest::newRow("cents only") << ".5" << qint64(50);
    QTest::newRow("letters") << "abc" << refused;
    QTest::newRow("negative") << "-5" << refused;
    QTest::newRow("exponent") << "1e3" << refused;
    QTest::newRow("three decimals") << "1.005" << refused;
    QTest::newRow("misplaced comma") << "12,34" << refused;
    QTest::newRow("too large") << "99999999999999" << refused;
    QTest::newRow("largest") << "999,999,999,999.99" << qint64(99999999999999);
    QTest::newRow("just a dollar sign") << "$" << refused;
}

void ReportTest::typedMoney()
{
    QFETCH(QString, typed);
    QFETCH(qint64, cents);
    QCOMPARE(core::parseMoney(typed).value_or(-1), cents);
}

void ReportTest::moneyInOtherForms_data()
{
    using core::money::Form;
    using core::money::Place;
    QTest::addColumn<core::money::Currency>("currency");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("read");
    const qint64 refused = -1;
    const QString blank(QChar(0xA0));
    const core::money::Currency euro{"€", Place::AfterWithBlank, Form::PointComma};
    QTest::newRow("euro") << euro << qint64(123450) << "1.234,50" + blank + "€"
                          << "1.234,5" << qint64(123450);
    QTest::newRow("euro, the symbol typed") << euro << qint64(-300) << "-3,00" + blank + "€"
                                            << " 1 234,50 € " << qint64(123450);
    QTest::newRow("euro, typed with points for cents") << euro << qint64(0) << "0,00" + blank + "€"
                                                       << "1234.50" << refused;
    QTest::newRow("euro, a point grouping two digits") << euro << qint64(1) << "0,01" + blank + "€"
                                                       << "12.50" << refused;
    QTest::newRow("blanks between thousands")
        << core::money::Currency{"kr", Place::AfterWithBlank, Form::BlankComma} << qint64(123456789)
        << "1" + blank + "234" + blank + "567,89" + blank + "kr"
        << "1" + blank + "234" + blank + "567,89 kr" << qint64(123456789);
    QTest::newRow("apostrophes, a code before")
        << core::money::Currency{"CHF", Place::BeforeWithBlank, Form::ApostrophePoint}
        << qint64(100000000) << "CHF" + blank + "1'000'000.00"
        << "CHF 1'000'000" << qint64(100000000);
    QTest::newRow("no separator, symbol after without a blank")
        << core::money::Currency{"zł", Place::After, Form::PlainComma} << qint64(123450)
        << "1234,50zł"
        << "1234,5zł" << qint64(123450);
    QTest::newRow("no separator refuses grouping")
        << core::money::Currency{"zł", Place::After, Form::PlainComma} << qint64(5) << "0,05zł"
        << "1.234,50" << refused;
    QTest::newRow("right to left symbol")
        << core::money::Currency{"ر.س", Place::AfterWithBlank, Form::CommaPoint} << qint64(99)
        << "0.99" + blank + "ر.س"
        << "12.5 ر.س" << qint64(1250);
    QTest::newRow("another symbol is not read")
        << core::money::Currency{"€", Place::Before, Form::CommaPoint} << qint64(100) << "€1.00"
        << "$1.00" << refused;
}

void ReportTest::moneyInOtherForms()
{
    QFETCH(core::money::Currency, currency);
    QFETCH(qint64, cents);
    QFETCH(QString, printed);
    QFETCH(QString, typed);
    QFETCH(qint64, read);
    QCOMPARE(core::formatMoney(cents, currency), printed);
    QCOMPARE(core::parseMoney(typed, currency).value_or(-1), read);
    // What is printed is read back as it stands.
    if (cents >= 0)
        QCOMPARE(core::parseMoney(printed, currency).value_or(-1), cents);
}

void ReportTest::currencySymbols_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("problem");
    QTest::newRow("dollar") << "$"
                            << "";
    QTest::newRow("a code") << "EUR"
                            << "";
    QTest::newRow("right to left") << "ر.س"
                                   << "";
    QTest::newRow("eight characters") << "ABCDEFGH"
                                      << "";
    QTest::newRow("nine characters") << "ABCDEFGHI"
                                     << "The currency symbol can be at most 8 characters long.";
    QTest::newRow("digits") << "R1"
                            << "The currency symbol cannot hold digits.";
    QTest::newRow("none") << ""
                          << "Please type the currency's symbol or code, such as $, € or CHF.";
    QTest::newRow("a blank at the end") << "kr "
                                        << "The currency symbol cannot begin or end with a blank.";
}

void ReportTest::currencySymbols()
{
    QFETCH(QString, symbol);
    QFETCH(QString, problem);
    QCOMPARE(core::money::symbolProblem(symbol), problem);
}

void ReportTest::breaksSectionsIntoPages()
{
    // 12960 - 1000 page header - 500 page footer: page 1 also holds the report header.
    const Layout layout = layoutReport(salesLike(), sales(25), printed);
    QCOMPARE(layout.paperSize, QSize(12240, 15840));
    QCOMPARE(layout.pages.size(), 3);
    const QStringList first = layout.texts(0);
    QCOMPARE(first.first(), "Report Title");
    QCOMPARE(first.count("Report Title"), 1);
    QVERIFY(first.contains("Dog 10") && !first.contains("Dog 11"));
    QVERIFY(layout.texts(1).contains("Dog 11") && layout.texts(1).contains("Dog 21"));
    QVERIFY(!layout.texts(1).contains("Report Title"));
    // Items keep their places: the first detail sits under both headers, inside the margins.
    QCOMPARE(layout.find(0, "Dog 1")->rect, QRect(1440, 1440 + 500 + 1000, 3000, 285));
    QCOMPARE(layout.find(1, "Dog 11")->rect.top(), 1440 + 1000);
    for (const Page &page : layout.pages) {
        for (const PageItem &item : page.items)
            QVERIFY(item.rect.bottom() <= 15840 - 1440);
    }
}

void ReportTest::numbersPagesAndCountsThem()
{
    const Layout layout = layoutReport(salesLike(), sales(25), printed);
    for (int p = 0; p < 3; ++p) {
        const QStringList texts = layout.texts(p);
        const int at = texts.indexOf("Page ");
        QCOMPARE(texts.mid(at, 4), QStringList({"Page ", QString::number(p + 1), "of", "3"}));
    }
}

void ReportTest::sumsEveryRowExactly()
{
    DataSet rows{DataRow{{{"dog", "A"}, {"amount", qint64(123450)}}},
                 DataRow{{{"dog", "B"}, {"amount", qint64(10000)}}}};
    for (int i = 0; i < 1000; ++i)
        rows << DataRow{{{"dog", "C"}, {"amount", qint64(1)}}};
    const Layout layout = layoutReport(salesLike(), rows, printed);
    const QStringList last = layout.texts(int(layout.pages.size()) - 1);
    QCOMPARE(last.at(last.indexOf("Total") + 1), "$1,344.50");
    QVERIFY(layout.texts(0).contains("$1,234.50"));
}

void ReportTest::sumsHoldAtTheLimits_data()
{
    QTest::addColumn<qint64>("each");
    QTest::addColumn<QString>("total");
    QTest::newRow("huge amounts") << std::numeric_limits<qint64>::max()
                                  << "$92,233,720,368,547,758.07";
    QTest::newRow("huge debts") << std::numeric_limits<qint64>::min()
                                << "-$92,233,720,368,547,758.08";
}

void ReportTest::sumsHoldAtTheLimits()
{
    QFETCH(qint64, each);
    QFETCH(QString, total);
    const DataSet rows{DataRow{{{"dog", "A"}, {"amount", each}}},
                       DataRow{{{"dog", "B"}, {"amount", each}}}};
    const QStringList texts = layoutReport(salesLike(), rows, printed).texts(0);
    QCOMPARE(texts.at(texts.indexOf("Total") + 1), total);
}

void ReportTest::aRuleThatDoesNotFitStartsNoPage()
{
    // Ten rows fill the first page; the closing rule finds no room below them.
    ReportDefinition definition = salesLike();
    definition.sections.last() = {SectionKind::ReportFooter, 1000, 0, {line(0, 500, 9000)}};
    const Layout layout = layoutReport(definition, sales(10), printed);
    QCOMPARE(layout.pages.size(), 1);
    QVERIFY(layout.texts(0).contains("Dog 10"));
}

void ReportTest::emptyDataKeepsHeadersAndFooter()
{
    const Layout layout = layoutReport(salesLike(), {}, printed);
    QCOMPARE(layout.pages.size(), 1);
    QCOMPARE(layout.texts(0),
             QStringList({"Report Title", "Page ", "1", "of", "1", "Total", "$0.00"}));
}

void ReportTest::groupsChildrenUnderTheirParents()
{
    ReportDefinition d = salesLike();
    d.sections = {
        {SectionKind::GroupHeader, 400, 0, {field("owner", 0, 0, 3000)}},
        {SectionKind::Detail, 300, 1, {field("dog", 500, 0, 3000)}},
        {SectionKind::GroupFooter, 100, 0, {line(0, 50, 5000)}},
    };
    const DataSet data{
        DataRow{{{"owner", "Ann"}}, {DataRow{{{"dog", "Rex"}}}, DataRow{{{"dog", "Bella"}}}}},
        DataRow{{{"owner", "Bo"}}, {}},
        DataRow{{{"owner", "Cy"}}, {DataRow{{{"dog", "Max"}}}}},
    };
    const Layout layout = layoutReport(d, data, printed);
    QCOMPARE(layout.texts(0), QStringList({"Ann", "Rex", "Bella", "Bo", "Cy", "Max"}));
    int lines = 0;
    for (const PageItem &item : layout.pages.at(0).items)
        lines += item.kind == PageItem::Kind::Line;
    QCOMPARE(lines, 3);
    QCOMPARE(layout.find(0, "Bo")->rect.top(), 1440 + 400 + 300 + 300 + 100);
}

void ReportTest::showsTheFirstPageBeforeReadingEveryRow()
{
    qsizetype highest = 0;
    PagedLayout pages(ownersReport(), std::make_unique<CountingSource>(owners(20000), &highest),
                      printed);
    QVERIFY(!pages.layOutMore(QDeadlineTimer(0)));
    const Page first = pages.page(0);
    QVERIFY(highest < 2000);
    QVERIFY(!pages.isComplete());
    QVERIFY(pages.progress() < 0.1);
    const Layout whole = layoutReport(ownersReport(), owners(20000), printed);
    auto texts = [](const Page &page) { return Layout{{}, {}, {page}}.texts(0); };
    // Only the page count on the first page was not known yet.
    QStringList early = texts(first);
    QStringList final = whole.texts(0);
    QCOMPARE(early.at(4), QString::number(pages.pageCount()));
    QCOMPARE(final.at(4), QString::number(whole.pages.size()));
    early.removeAt(4);
    final.removeAt(4);
    QCOMPARE(early, final);
    pages.layOutAll();
    QVERIFY(highest >= 20000);
    QCOMPARE(pages.pageCount(), whole.pages.size());
    QCOMPARE(texts(pages.page(0)), whole.texts(0));
}

void ReportTest::pagesMadeInAnyOrderAreTheSame()
{
    // Pages break inside owners, between them and at rules that find no room; the report
    // footer sums the dogs of every owner.
    const DataSet rows = owners(3000);
    const Layout whole = layoutReport(ownersReport(), rows, printed);
    QVERIFY(whole.pages.size() > 100);
    PagedLayout pages(ownersReport(), std::make_unique<core::DataSetSource>(rows), printed);
    pages.layOutAll();
    QCOMPARE(pages.pageCount(), whole.pages.size());
    for (int p = pages.pageCount() - 1; p >= 0; p -= 7) {
        const Page page = pages.page(p);
        QCOMPARE(page.items.size(), whole.pages.at(p).items.size());
        for (int i = 0; i < page.items.size(); ++i) {
            QCOMPARE(page.items.at(i).text, whole.pages.at(p).items.at(i).text);
            QCOMPARE(page.items.at(i).rect, whole.pages.at(p).items.at(i).rect);
        }
    }
    qint64 total = 0;
    for (const DataRow &owner : rows)
        total += owner.children.size() * owner.values.value("owner").toString().mid(6).toLongLong();
    QVERIFY(whole.texts(whole.pages.size() - 1).contains(core::formatMoney(total)));
    QCOMPARE(whole.texts(whole.pages.size() - 1).last(), core::formatMoney(total));
}

void ReportTest::writesEveryPageToPdf()
{
    const QTemporaryDir folder;
    const QString pdfFile = folder.filePath("report.pdf");
    const Layout layout = layoutReport(salesLike(), sales(25), printed);
    QVERIFY(writePdf(layout, pdfFile).isEmpty());
    QFile pdf(pdfFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                 bytes.count("/Type /Page "),
             3);
    QVERIFY(!writePdf(layout, folder.filePath("no-such-folder/report.pdf")).isEmpty());
    // A contact list holds addresses: the file is the user's alone, also when it was there.
    QFile::setPermissions(pdfFile, QFile::permissions(pdfFile) | QFileDevice::ReadOther);
    QVERIFY(writePdf(layout, pdfFile).isEmpty());
    QCOMPARE(QFile::permissions(pdfFile) & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions());
}

void ReportTest::valuesAreCutCaptionsDrawnWhole()
{
    // A caption wider than its box (as "Dam" in a 420-twip box) stays readable; a long value
    // is cut to its box so it never runs into its neighbour.
    const Layout layout =
        layoutReport(salesLike(), {DataRow{{{"dog", QString(300, 'W')}}}}, printed);
    QVERIFY(!layout.find(0, "Report Title")->clipped);
    QVERIFY(layout.find(0, QString(300, 'W'))->clipped);
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
