// Every report of the program, laid out over a kennel with ordinary data and over one with
// the longest texts a breeder may type: no two texts overlap, and no page is empty.
#include "breeding/LitterHistories.h"
#include "contacts/Ownership.h"
#include "genetics/KennelGenetics.h"
#include "inbreeding/GeneticsReports.h"
#include "pedigree/PedigreeBuild.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PedigreeChart.h"
#include "pedigree/PedigreeInbreeding.h"
#include "pedigree/PrintablePedigree.h"
#include "report/PagePainter.h"
#include "sales/Sale.h"
#include "sales/SalesReports.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace testing;

namespace {

// A text of exactly `length` characters, for the longest case.
QString stretched(const QString &text, int length)
{
    QString out = text;
    while (out.size() < length)
        out += QStringLiteral(" ") + text;
    return out.left(length);
}

struct Texts
{
    bool longest;
    QString name(const QString &plain) const { return longest ? stretched(plain, 60) : plain; }
    QString reg(const QString &plain) const { return longest ? stretched(plain, 20) : plain; }
};

// Four generations behind "Pup", contacts, two matings with litters and two sales.
void fillKennel(const Kennel &kennel, const Texts &t)
{
    exec(kennel.db(), "UPDATE setup SET Name = ?, Kennelname = ?, Address = ?, City = ?, phone = ?",
         {t.name("Margaret Kirk"), t.name("Kirkwood"), t.name("12 Mill Lane"), t.name("Ashford"),
          t.reg("01233 555 010")});
    for (const QString &last :
         {QString("Óscar Núñez"), QString("O'Brien"), QString("Helen Duarte")})
        exec(kennel.db(),
             "INSERT INTO contacts (last, address, city, phone, email) VALUES (?, ?, ?, ?, ?)",
             {t.name(last), t.name("4 Hill Road"), t.name("Canterbury"), t.reg("01227 555 123"),
              t.name("someone@example.org")});
    // Ancestors named by their place: "Sire Dam Sire" is the sire of the dam of the sire.
    // Helen Duarte, the last contact, owns fourteen of them; once "Pup" is sold, the other
    // thirteen fill the first page of the owners listing to its last twip.
    int added = 0;
    std::function<void(const QString &, const QString &, int)> addLine =
        [&](const QString &name, const QString &sex, int depth) {
            const QString sire = depth < 4 ? t.name(name + " Sire") : QString("Not On Record");
            const QString dam = depth < 4 ? t.name(name + " Dam") : QString("Not On Record");
            addDog(kennel.db(),
                   {{"name", t.name(name)},
                    {"sex", sex},
                    {"sire", sire},
                    {"dam", dam},
                    {"registration", t.reg("KC-" + QString::number(depth) + "-4411")},
                    {"colour", t.name("Blue Brindle")},
                    {"breed", "Whippet"},
                    {"dob", "2020-03-14"},
                    {"ownerid", added++ < 14 ? QVariant(t.name("Helen Duarte")) : QVariant()}});
            if (depth < 4) {
                addLine(name + " Sire", "Male", depth + 1);
                addLine(name + " Dam", "Female", depth + 1);
            }
        };
    addLine("Pup", "Male", 0);
    for (int i = 0; i < 2; ++i) {
        exec(kennel.db(),
             "INSERT INTO mating (dgname1, dgname2, datemated, datedue) VALUES (?, ?, ?, ?)",
             {t.name("Pup Sire"), t.name("Pup Dam"), "2026-01-10", "2026-03-12"});
        exec(kennel.db(),
             "INSERT INTO litters (sire, dam, littersize, dateoflitter, breedoflitter) "
             "VALUES (?, ?, 7, '2026-03-12', 'Whippet')",
             {t.name("Pup Sire"), t.name("Pup Dam")});
    }
}

void sell(const Kennel &kennel, const Texts &t, sales::Receipt receipt)
{
    sales::SaleDetails sale{t.name("Margaret Kirk"),
                            t.name("Kirkwood"),
                            t.name("Pup"),
                            t.name("Óscar Núñez"),
                            t.name("Whippet"),
                            t.name("Blue Brindle"),
                            "3/14/2020",
                            t.reg("KC-0-4411"),
                            "Male",
                            qint64(99999999999),
                            QDate(2026, 12, 8)};
    pedigree::PedigreeRecord ancestors;
    pedigree::build(ancestors, kennel.db(), t.name("Pup"), 3, true);
    const auto written = sales::recordSale(kennel.db(), sale, receipt, ancestors);
    QVERIFY2(written.ok(), qPrintable(written.problem()));
}

QStringList overlaps(const report::Layout &layout)
{
    QStringList found;
    for (int p = 0; p < layout.pages.size(); ++p) {
        const QList<report::PageItem> &items = layout.pages[p].items;
        QList<std::pair<QRectF, QString>> texts;
        for (const report::PageItem &item : items) {
            if (item.kind == report::PageItem::Kind::Text && !item.text.trimmed().isEmpty())
                texts.append({report::textExtent(item), item.text});
        }
        for (int i = 0; i < texts.size(); ++i) {
            for (int j = i + 1; j < texts.size(); ++j) {
                // A twip of tolerance for rounding at touching edges.
                if (texts[i]
                        .first.adjusted(1, 1, -1, -1)
                        .intersects(texts[j].first.adjusted(1, 1, -1, -1)))
                    found << QString("page %1: \"%2\" and \"%3\"")
                                 .arg(p + 1)
                                 .arg(texts[i].second, texts[j].second);
            }
        }
    }
    return found;
}

// Page header and page footer texts repeat on every page: a page with nothing else is empty.
QList<int> emptyPages(const report::Layout &layout)
{
    QList<int> empty;
    for (int p = 1; p < layout.pages.size(); ++p) {
        bool holdsValue = false;
        for (const report::PageItem &item : layout.pages[p].items)
            holdsValue = holdsValue || (item.clipped && !item.text.isEmpty());
        if (!holdsValue)
            empty << p + 1;
    }
    return empty;
}

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noTextOverlapsAndNoPageIsEmpty_data();
    void noTextOverlapsAndNoPageIsEmpty();
    void aPdfThatCannotBeWrittenLeavesTheOldOne();
};

void ReportsTest::noTextOverlapsAndNoPageIsEmpty_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("longest");
    for (const char *report :
         {"3 Generation Pedigree", "Sales Reciept", "Receipt of Sale Showing Pedigree",
          "Sales Report", "Dog Owners Listing", "Contact List", "Litter Histories",
          "5 Generation Pedigree", "6 Generation Pedigree", "8 Generation Pedigree",
          "Check Pedigrees", "Inbreeding of Every Dog", "3 Generation Certificate",
          "4 Generation Certificate", "5 Generation Certificate"}) {
        QTest::addRow("%s, ordinary texts", report) << QString(report) << false;
        QTest::addRow("%s, longest texts", report) << QString(report) << true;
    }
}

void ReportsTest::noTextOverlapsAndNoPageIsEmpty()
{
    QFETCH(QString, report);
    QFETCH(bool, longest);
    Kennel kennel;
    const Texts t{longest};
    fillKennel(kennel, t);
    sell(kennel, t, sales::Receipt::Small);
    sell(kennel, t, sales::Receipt::WithPedigree);

    report::Layout layout;
    if (report == "3 Generation Pedigree") {
        pedigree::buildpedigree3(t.name("Pup"));
        QVERIFY(pedigree::movedata().ok());
        layout = pedigree::printablePedigree().layout();
    } else if (report == "Sales Reciept") {
        layout = sales::salesReceipt().layout();
    } else if (report == "Receipt of Sale Showing Pedigree") {
        layout = sales::pedigreeReceipt().layout();
    } else if (report == "Sales Report") {
        layout = sales::salesReport().layout();
    } else if (report == "Dog Owners Listing") {
        layout = contacts::ownersListing().layout();
    } else if (report == "Contact List") {
        layout = contacts::contactList().layout();
    } else if (report == "Litter Histories") {
        layout = breeding::litterHistories().layout();
    } else if (report == "Check Pedigrees") {
        // A sire recorded as female, and a name two dogs share.
        exec(kennel.db(), "UPDATE Dogtable SET sex = 'Female' WHERE sex = 'Male'");
        addDog(kennel.db(), {{"name", t.name("Pup")}});
        layout = inbreeding::pedigreeChecks().layout();
    } else if (report.endsWith("Certificate")) {
        layout = pedigree::pedigreeCertificate(kennel.db(), t.name("Pup"), report.left(1).toInt(),
                                               QDate(2026, 12, 8));
    } else if (report == "Inbreeding of Every Dog") {
        layout = inbreeding::everyDogsInbreeding().layout();
    } else {
        const int generations = report.left(1).toInt();
        pedigree::buildpedigree(t.name("Pup"), generations);
        const pedigree::PedigreeRecord &record = pedigree::currentPedigree();
        layout =
            pedigree::pedigreeChart(record, generations, pedigree::inbreedingText(record, ", "));
    }
    genetics::KennelGenetics::forget();
    QVERIFY(!layout.pages.isEmpty());
    const QStringList overlapping = overlaps(layout);
    QVERIFY2(overlapping.isEmpty(), qPrintable(overlapping.join("\n")));
    const QList<int> empty = emptyPages(layout);
    QVERIFY2(empty.isEmpty(), qPrintable(QString("empty pages of %1").arg(layout.pages.size())));
}

void ReportsTest::aPdfThatCannotBeWrittenLeavesTheOldOne()
{
    TinyDisk disk(16);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    Kennel kennel;
    for (int i = 0; i < 400; ++i)
        exec(kennel.db(), "INSERT INTO contacts (last, city, address) VALUES (?, ?, ?)",
             {QStringLiteral("Owner %1").arg(i), "Bendigo", "14 Mill Lane"});
    const QString pdf = disk.path() + "/contacts.pdf";
    {
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("%PDF-1.4 the old one");
    }
    const QString problem = report::writePdf(contacts::contactList().layout(), pdf);
    QCOMPARE(problem, "The file " + pdf + " could not be written.");
    QFile after(pdf);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), QByteArray("%PDF-1.4 the old one"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"contacts.pdf"});
}

QTEST_MAIN(ReportsTest)
#include "tst_reports.moc"
