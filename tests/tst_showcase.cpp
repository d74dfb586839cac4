#include "app/SetupScreen.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/DogRemoval.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PedigreeChart.h"
#include "showcase/Photos.h"
#include "showcase/PhotosScreen.h"
#include "showcase/PhotoStore.h"
#include "showcase/PublishWebsiteScreen.h"
#include "showcase/ShowResultsScreen.h"
#include "showcase/Titles.h"
#include "showcase/Website.h"
#include "tests/ProgramWindow.h"
#include "ui/TableScreen.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>

using namespace testing;
using showcase::PhotoStore;

namespace {

QByteArray imageBytes(const QSize &size, const char *format,
                      QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    // A corner of its own colour, to tell which way up it was read.
    for (int y = 0; y < size.height() / 4; ++y)
        for (int x = 0; x < size.width() / 4; ++x)
            image.setPixelColor(x, y, Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(turn);
    writer.write(image);
    return buffer.data();
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header claims a picture of width x height: refused from its header alone.
QByteArray hugePngHeader(quint32 width, quint32 height)
{
    QByteArray png = imageBytes(QSize(4, 4), "png");
    QByteArray ihdr = png.mid(12, 17); // "IHDR" and its 13 bytes
    for (int i = 0; i < 4; ++i) {
        ihdr[4 + i] = char(width >> (24 - 8 * i));
        ihdr[8 + i] = char(height >> (24 - 8 * i));
    }
    const quint32 crc = crc32(ihdr);
    png.replace(12, 17, ihdr);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = char(crc >> (24 - 8 * i));
    return png;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

} // namespace

class ShowcaseTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void photosAreCheckedBeforeTheyAreKept_data();
    void photosAreCheckedBeforeTheyAreKept();
    void aPhotoIsKeptOnceAndReadUpright();
    void photosAreAddedFromTheDogsScreen();
    void aPhotoFileRemovedByHandIsSaidSo();
    void photosGoWithTheirDog();
    void showResultsAreTypedFromTheDogsScreen();
    void titlesStandWithNamesWhereTheBreederChooses();
    void websiteIsWholeEscapedAndValid();
    void websiteRefusesWhatItWouldHarm();
    void websiteOfTickedDogsFromTheScreen();
    void aKillWhilePublishingLeavesOneWholeSite();
};

void ShowcaseTest::photosAreCheckedBeforeTheyAreKept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    const QByteArray jpeg = imageBytes(QSize(64, 48), "jpeg");
    QTest::newRow("jpeg") << jpeg << "";
    QTest::newRow("png") << imageBytes(QSize(64, 48), "png") << "";
    QTest::newRow("text") << QByteArray("Pedigree of Rex\n")
                          << "It is not a picture Houndry can read.";
    QTest::newRow("empty") << QByteArray() << "It is not a picture Houndry can read.";
    QTest::newRow("jpeg cut short")
        << jpeg.left(jpeg.size() * 2 / 3) << "The picture in it is cut short: the file is damaged.";
    QTest::newRow("100 megapixels") << hugePngHeader(10000, 10000)
                                    << "It has 100 megapixels; Houndry keeps photos of up to 80.";
}

void ShowcaseTest::photosAreCheckedBeforeTheyAreKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    WorkingFolder folder;
    const PhotoStore::Added added = PhotoStore().addBytes(bytes);
    QCOMPARE(added.problem, problem);
    QCOMPARE(added.file.isEmpty(), !problem.isEmpty());
    // Nothing of a refused file is kept.
    const QStringList kept = QDir(db::DatabaseFiles::photosFolder()).entryList(QDir::Files);
    QCOMPARE(kept.size(), problem.isEmpty() ? 1 : 0);
}

void ShowcaseTest::aPhotoIsKeptOnceAndReadUpright()
{
    WorkingFolder folder;
    const PhotoStore store;
    // Written sideways with the camera's note to turn it: read upright, taller than wide.
    const QByteArray sideways =
        imageBytes(QSize(80, 40), "jpeg", QImageIOHandler::TransformationRotate90);
    const PhotoStore::Added first = store.addBytes(sideways);
    const PhotoStore::Added again = store.addBytes(sideways);
    QCOMPARE(first.problem, QString());
    QCOMPARE(again.file, first.file);
    QCOMPARE(first.file, PhotoStore::hashOf(sideways) + ".jpg");
    QCOMPARE(QDir(db::DatabaseFiles::photosFolder()).entryList(QDir::Files).size(), 1);
    const QImage upright = store.image(first.file, QSize(1000, 1000));
    QCOMPARE(upright.size(), QSize(40, 80));
    QVERIFY(store.intact(first.file));
    QCOMPARE(store.thumbnail(first.file).height(), 80);
    // A file changed by hand no longer matches its name.
    writeFile(store.pathOf(first.file), imageBytes(QSize(10, 10), "jpeg"));
    QVERIFY(!store.intact(first.file));
}

void ShowcaseTest::photosAreAddedFromTheDogsScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella \"Ærø\" O'Neil"}, {"sex", "Female"}});
    const QString good =
        writeFile(kennel.path() + "/garden.jpg", imageBytes(QSize(300, 200), "jpeg"));
    const QString bad = writeFile(kennel.path() + "/notes.txt", "not a photo");
    Window w;
    w.choose("dogsMenu", "Browse / Update Dogs");
    auto *records = w.shown<dogs::DogRecordsScreen>(dogs::DogRecordsScreen::screenName());
    records->showDogNamed("Bella \"Ærø\" O'Neil");
    auto *mainPhoto = records->findChild<QLabel *>("mainPhoto");
    QTRY_COMPARE(mainPhoto->text(), "No photo");
    focusOn(records->findChild<QPushButton *>("photosButton"));
    pressKey(Qt::Key_Space);
    auto *photos = w.shown<showcase::PhotosScreen>(showcase::PhotosScreen::screenName());
    QCOMPARE(photos->findChild<QLabel *>("heading")->text(), "Photos of Bella \"Ærø\" O'Neil");
    photos->addFiles({good, bad});
    QCOMPARE(messages.texts.value(0),
             "These files were not added:\nnotes.txt: It is not a picture Houndry can read.");
    QCOMPARE(photos->findChild<QListWidget *>("photoList")->count(), 1);
    // The dog's screen shows its first photo as its main one.
    QTRY_VERIFY(!mainPhoto->pixmap().isNull());
    // A caption and a day typed, Enter saves them.
    focusOn(photos->findChild<QLineEdit *>("caption"));
    typeKeys("In the garden, \"best\" side");
    focusOn(photos->findChild<QLineEdit *>("taken"));
    typeKeys("31/02/2026");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM photos WHERE caption <> ''").toInt(), 0);
    focusOn(photos->findChild<QLineEdit *>("taken"));
    photos->findChild<QLineEdit *>("taken")->clear();
    pressKey(Qt::Key_Return);
    QCOMPARE(scalar(kennel.db(), "SELECT dogid || ':' || caption || ':' || mainphoto FROM photos")
                 .toString(),
             QString::number(bella) + ":In the garden, \"best\" side:1");
    // The same photo on a second dog is kept once on disk.
    photos->showDog(
        scalar(kennel.db(), "SELECT dogid FROM Dogtable WHERE name = 'Rex'").toLongLong(), "Rex");
    photos->addFiles({good});
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM photos").toInt(), 2);
    QCOMPARE(QDir(kennel.path() + "/photos").entryList(QDir::Files).size(), 1);
    // Dropped from the file manager: added like chosen ones.
    const QString other =
        writeFile(kennel.path() + "/other.png", imageBytes(QSize(120, 90), "png"));
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(photos, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(photos, &drop);
    QCOMPARE(photos->findChild<QListWidget *>("photoList")->count(), 2);
    // Taken off again once asked: the file stays for Undo.
    messages.answers = {true};
    QTest::mouseClick(photos->findChild<QPushButton *>("removePhoto"), Qt::LeftButton);
    QCOMPARE(messages.texts.last(),
             "Take this photo off Rex? The file stays in the photos folder.");
    QCOMPARE(photos->findChild<QListWidget *>("photoList")->count(), 1);
    QCOMPARE(QDir(kennel.path() + "/photos").entryList(QDir::Files).size(), 2);
    // The same photo twice on one dog is refused.
    photos->addFiles({good});
    QCOMPARE(messages.texts.last(),
             "These files were not added:\ngarden.jpg: Rex has this photo already");

    // All Dogs can show each dog's main photo small, in a column hidden until asked for.
    w.choose("dogsMenu", "All Dogs");
    auto *all = w.shown<ui::TableScreen>("AllDogs");
    auto *table = all->findChild<QTableView *>("table");
    int photo = -1;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        if (table->model()->headerData(c, Qt::Horizontal).toString() == "Photo")
            photo = c;
    }
    QVERIFY(photo > 0 && table->isColumnHidden(photo));
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        const QModelIndex cell = table->model()->index(row, photo);
        const QPixmap small = cell.data(Qt::DecorationRole).value<QPixmap>();
        QVERIFY(!small.isNull());
        QVERIFY(small.width() <= 32 && small.height() <= 32);
    }
}

void ShowcaseTest::aPhotoFileRemovedByHandIsSaidSo()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const PhotoStore::Added stored = PhotoStore().addBytes(imageBytes(QSize(50, 50), "png"));
    QVERIFY(showcase::addPhoto(kennel.db(), rex, stored.file, "Rex").ok());
    // Its small copy stays behind.
    QVERIFY(QFile::remove(PhotoStore().pathOf(stored.file)));
    Window w;
    w.choose("dogsMenu", "Browse / Update Dogs");
    auto *records = w.shown<dogs::DogRecordsScreen>(dogs::DogRecordsScreen::screenName());
    auto *mainPhoto = records->findChild<QLabel *>("mainPhoto");
    QTRY_VERIFY(mainPhoto->text().startsWith("The photo file "));
    focusOn(records->findChild<QPushButton *>("photosButton"));
    pressKey(Qt::Key_Space);
    auto *photos = w.shown<showcase::PhotosScreen>(showcase::PhotosScreen::screenName());
    QVERIFY(photos->findChild<QLabel *>("photoPreview")->text().contains(stored.file));
    // The check of the kennel after start lists it.
    QTRY_COMPARE(messages.texts.size(), 1);
    QCOMPARE(messages.texts[0],
             "These photos are missing from the photos folder:\nRex: " + stored.file +
                 "\n\nPut them back from a backup, or take them off their "
                 "dogs on the Photos screen.");
}

void ShowcaseTest::photosGoWithTheirDog()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 max = addDog(kennel.db(), {{"name", "Max"}, {"sex", "Male"}});
    const PhotoStore store;
    const QString first = store.addBytes(imageBytes(QSize(50, 50), "png")).file;
    const QString second = store.addBytes(imageBytes(QSize(60, 50), "png")).file;
    QVERIFY(showcase::addPhoto(kennel.db(), rex, first, "Rex").ok());
    QVERIFY(showcase::addPhoto(kennel.db(), max, second, "Max").ok());
    // Merged, Rex keeps his main photo and gains Max's.
    QVERIFY(dogs::mergeDogs(kennel.db(), rex, max, {}).ok());
    const auto photos = showcase::photosOf(kennel.db(), rex);
    QCOMPARE(photos->size(), size_t(2));
    QCOMPARE(photos->front().file, first);
    QVERIFY(!photos->back().main);
    // Deleted, the dog's photos go with it and their files stay for Undo.
    const auto removal = dogs::plannedRemoval(kennel.db(), rex);
    QVERIFY(
        dogs::removalQuestion(removal.value()).endsWith(" Its photos (2) are deleted with it."));
    QVERIFY(dogs::removeDog(kennel.db(), removal.value(), false).ok());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM photos").toInt(), 0);
    QVERIFY(store.holds(first) && store.holds(second));
}

void ShowcaseTest::showResultsAreTypedFromTheDogsScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    Window w;
    w.choose("dogsMenu", "Browse / Update Dogs");
    auto *records = w.shown<dogs::DogRecordsScreen>(dogs::DogRecordsScreen::screenName());
    focusOn(records->findChild<QPushButton *>("showsButton"));
    pressKey(Qt::Key_Space);
    auto *shows = w.shown<showcase::ShowResultsScreen>(showcase::ShowResultsScreen::screenName());
    QCOMPARE(shows->findChild<QLabel *>("titles")->text(), "No titles yet");
    // Field after field by Tab, Enter adds; a short form without its title is refused first.
    auto type = [&](const QStringList &values) {
        focusOn(shows->findChild<QLineEdit *>("date"));
        for (const QString &value : values) {
            QApplication::focusWidget()->setProperty("text", QString());
            typeKeys(value);
            pressKey(Qt::Key_Tab);
        }
        pressKey(Qt::Key_Return);
    };
    type({"6/14/2025", "Summer \"Open\" Show", "Mrs Ærø", "Open", "1st", "CC", "", "CH"});
    QCOMPARE(messages.texts.value(0),
             "Type the title the short form stands for, such as Champion for CH.");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM showresults").toInt(), 0);
    type({"6/14/2025", "Summer \"Open\" Show", "Mrs Ærø", "Open", "1st", "CC", "Champion", "CH"});
    type({"2/30/2026", "Trial", "", "", "", "", "", ""});
    QCOMPARE(messages.texts.value(1), core::datetext::invalidDateMessage("Date", "2/30/2026"));
    type({"3/1/2026", "Obedience Trial", "", "", "Pass", "", "Companion Dog", "CD"});
    QCOMPARE(scalar(kennel.db(),
                    "SELECT group_concat(showname || '|' || judge || '|' || "
                    "titleshort, ';') FROM showresults WHERE dogid = ?",
                    {rex})
                 .toString(),
             "Summer \"Open\" Show|Mrs Ærø|CH;Obedience Trial||CD");
    QCOMPARE(shows->findChild<QLabel *>("titles")->text(), "Titles: CH CD");
    QCOMPARE(messages.texts.size(), 2);
}

void ShowcaseTest::titlesStandWithNamesWhereTheBreederChooses()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    const qint64 pup =
        addDog(kennel.db(), {{"name", "Pup"}, {"sex", "Male"}, {"sire", "Rex"}, {"dam", "Bella"}});
    // Earned in this order, typed in another; a title won twice counts once.
    for (const auto &[dog, day, title] :
         {std::tuple{rex, "2024-05-01", "JW"}, std::tuple{rex, "2023-01-01", "CH"},
          std::tuple{rex, "2025-01-01", "JW"}, std::tuple{pup, "2026-01-01", "CD"}})
        exec(kennel.db(),
             "INSERT INTO showresults (dogid, showdate, showname, title, titleshort) "
             "VALUES (?, ?, 'Show', 'Title', ?)",
             {dog, day, title});
    auto certificate = [&] {
        return pedigree::pedigreeCertificate(kennel.db(), "Pup", 3, QDate(2026, 12, 10)).texts(0);
    };
    // Not shown until chosen: the certificate reads as it always has.
    QVERIFY(certificate().contains("Rex"));
    QVERIFY(certificate().contains("Pup"));
    Window w;
    w.choose("fileMenu", "Setup");
    auto *setup = w.shown<app::SetupScreen>(app::SetupScreen::screenName());
    auto *place = setup->findChild<QComboBox *>("titlePlace");
    QCOMPARE(place->currentText(), "Not shown");
    focusOn(place);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    QCOMPARE(place->currentText(), "After the name");
    QCOMPARE(
        scalar(kennel.db(), "SELECT value FROM preferences WHERE name = 'title place'").toString(),
        "After the name");
    QVERIFY(certificate().contains("Rex CH JW"));
    QVERIFY(certificate().contains("Pup CD"));
    focusOn(place);
    pressKey(Qt::Key_Up);
    pedigree::PedigreeRecord record;
    record.subject = record.dogname = "Pup";
    record.slots.insert(pedigree::slotOfDog(1, 1), "Rex");
    const report::Layout chart =
        pedigree::pedigreeChart(record, 5, {}, {}, {}, showcase::titlesByName(kennel.db()));
    QVERIFY(chart.find(0, "CH JW Rex"));
    focusOn(place);
    pressKey(Qt::Key_Up);
    QCOMPARE(showcase::titlePlace(), showcase::TitlePlace::None);
}

namespace {

// Every page of the site, by its path inside the site.
QMap<QString, QString> sitePages(const QString &site)
{
    QMap<QString, QString> pages;
    QDirIterator files(site, {"*.html"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        pages.insert(QDir(site).relativeFilePath(path), QString::fromUtf8(fileBytes(path)));
    }
    return pages;
}

} // namespace

void ShowcaseTest::websiteIsWholeEscapedAndValid()
{
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "UPDATE setup SET Kennelname = 'Ærø \"Dogs\" & Co', Name = 'Me', "
                      "phone = '555 0100'");
    const qint64 rex =
        addDog(kennel.db(),
               {{"name", "<script>alert(1)</script>"}, {"sex", "Male"}, {"dob", "2020-01-01"}});
    const qint64 bella = addDog(
        kennel.db(), {{"name", "Bella / O'Neil Ærø"}, {"sex", "Female"}, {"dob", "2020-02-02"}});
    const qint64 pup = addDog(kennel.db(), {{"name", "Pup"},
                                            {"sex", "Male"},
                                            {"dob", QDate(2026, 11, 1).toString(Qt::ISODate)},
                                            {"sire", "<script>alert(1)</script>"},
                                            {"dam", "Bella / O'Neil Ærø"}});
    addDog(
        kennel.db(),
        {{"name", "Sold Pup"}, {"sex", "Female"}, {"dob", "2026-11-01"}, {"ownerid", "A Buyer"}});
    exec(kennel.db(), "INSERT INTO litters (sire, dam, littersize, dateoflitter) VALUES "
                      "('<script>alert(1)</script>', 'Bella / O''Neil Ærø', 1, '2026-11-01')");
    exec(kennel.db(),
         "INSERT INTO showresults (dogid, showdate, showname, title, titleshort) "
         "VALUES (?, '2023-01-01', 'Show <b>', 'Champion', 'CH')",
         {rex});
    const PhotoStore store;
    const QString photo = store.addBytes(imageBytes(QSize(300, 200), "jpeg")).file;
    QVERIFY(showcase::addPhoto(kennel.db(), bella, photo, "Bella").ok());
    QVERIFY(showcase::addPhoto(kennel.db(), pup, photo, "Pup").ok());
    core::Clock::setToday(QDate(2026, 12, 10));
    const QString site = kennel.path() + "/../site-" + QString::number(rex);
    showcase::WebsiteChoice choice;
    choice.folder = site;
    const showcase::Published published =
        showcase::publishWebsite(kennel.db(), choice, kennel.path());
    QCOMPARE(published.problem, QString());
    const QMap<QString, QString> pages = sitePages(site);
    // The kennel's own living dogs: the sold pup's owner is someone else.
    QCOMPARE(published.pages, pages.size());
    QCOMPARE(pages.size(), 6);
    QVERIFY(pages.contains(QString("dogs/%1-bella-oneil-r.html").arg(bella)));
    for (auto page = pages.begin(); page != pages.end(); ++page) {
        // The kennel's texts are text, never markup.
        QVERIFY2(!page.value().contains("<script>") && !page.value().contains("Show <b>"),
                 qPrintable(page.key()));
        QVERIFY(!page.value().contains("555 0100"));
        QVERIFY(page.value().contains("Ærø &quot;Dogs&quot; &amp; Co"));
        // Every link and image is there.
        static const QRegularExpression link(R"re((?:href|src)="([^"]+)")re");
        for (auto found = link.globalMatch(page.value()); found.hasNext();) {
            const QString target = found.next().captured(1);
            QVERIFY2(QFile::exists(QFileInfo(site + "/" + page.key()).dir().filePath(target)),
                     qPrintable(page.key() + " links " + target));
        }
    }
    QVERIFY(pages["index.html"].contains("&lt;script&gt;alert(1)&lt;/script&gt; CH"));
    QVERIFY(pages["puppies.html"].contains(">Pup</a>"));
    QVERIFY(!pages["puppies.html"].contains("Sold Pup"));
    QVERIFY(pages[QString("dogs/%1-pup.html").arg(pup)].contains("Bella / O&apos;Neil Ærø"));
    // Loaded in a real browser: each page becomes a document, the odd name stays text.
    const QString browser = QStandardPaths::findExecutable("chromium");
    QTemporaryDir profile;
    for (auto page = pages.begin(); !browser.isEmpty() && page != pages.end(); ++page) {
        QProcess chromium;
        chromium.start(browser, {"--headless", "--no-sandbox", "--disable-gpu",
                                 "--user-data-dir=" + profile.path(), "--dump-dom",
                                 QUrl::fromLocalFile(site + "/" + page.key()).toString()});
        QVERIFY(chromium.waitForFinished(60000));
        const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
        QVERIFY2(dom.contains("Ærø \"Dogs\" &amp; Co") && dom.trimmed().endsWith("</html>"),
                 qPrintable(page.key()));
        QVERIFY(!dom.contains("<script"));
        if (page.key() == "index.html")
            QVERIFY(dom.contains("&lt;script&gt;alert(1)&lt;/script&gt; CH"));
    }
    // Valid to an HTML checker: warnings are let be, errors are not.
    if (browser.isEmpty() || QStandardPaths::findExecutable("tidy").isEmpty())
        QSKIP("chromium or tidy is not installed");
    for (auto page = pages.begin(); page != pages.end(); ++page) {
        QProcess tidy;
        tidy.start("tidy", {"-q", "-e", site + "/" + page.key()});
        QVERIFY(tidy.waitForFinished());
        QVERIFY2(tidy.exitCode() < 2, qPrintable(page.key() + ": " + tidy.readAllStandardError()));
    }
}

void ShowcaseTest::websiteRefusesWhatItWouldHarm()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    showcase::WebsiteChoice choice;
    auto publish = [&](const QString &folder) {
        choice.folder = folder;
        return showcase::publishWebsite(kennel.db(), choice, kennel.path()).problem;
    };
    QCOMPARE(publish(kennel.path()), "The website cannot go in the kennel's own folder, nor in a "
                                     "folder that holds it.");
    QCOMPARE(publish(kennel.path() + "/.."), "The website cannot go in the kennel's own folder, "
                                             "nor in a folder that holds it.");
    // A place that cannot hold a folder: below a file.
    QTemporaryDir elsewhere;
    writeFile(elsewhere.filePath("plain-file"), "not a folder");
    QCOMPARE(publish(elsewhere.filePath("plain-file/site")),
             QString("The folder %1 cannot be written to.").arg(elsewhere.filePath("plain-file")));
    QTemporaryDir other;
    writeFile(other.filePath("letter.txt"), "mine");
    QVERIFY(publish(other.path()).startsWith("The folder "));
    QVERIFY(QFile::exists(other.filePath("letter.txt")));
    // A site published before is replaced whole; a broken template leaves it as it was.
    QTemporaryDir sites;
    const QString site = sites.filePath("site");
    QCOMPARE(publish(site), QString());
    const QByteArray before = fileBytes(site + "/index.html");
    QTemporaryDir own;
    writeFile(own.filePath("index.mustache"), "<p>{{#dogs}}unclosed</p>");
    choice.templates = own.path();
    QVERIFY(publish(site).startsWith("The template index.mustache cannot be used: "));
    QCOMPARE(fileBytes(site + "/index.html"), before);
    // A template of the breeder's own is used in place of the shipped one.
    writeFile(own.filePath("index.mustache"),
              "<p>{{kennel}}: {{#dogs}}{{titledName}}{{/dogs}}</p>");
    QCOMPARE(publish(site), QString());
    QVERIFY(fileBytes(site + "/index.html").endsWith(": Rex</p>"));
    QVERIFY(!QDir(site + ".publishing").exists());
    // The shipped templates copied beside the breeder's own, which stays.
    QCOMPARE(showcase::writeShippedTemplates(own.path()), QString());
    QVERIFY(fileBytes(own.filePath("index.mustache")).endsWith("{{/dogs}}</p>"));
    QVERIFY(fileBytes(own.filePath("dog.mustache")).contains("{{titledName}}"));
    QVERIFY(QFile::exists(own.filePath("style.css")));
}

void ShowcaseTest::websiteOfTickedDogsFromTheScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    QTemporaryDir sites;
    Window w;
    w.choose("fileMenu", "Publish Website...");
    auto *screen =
        w.shown<showcase::PublishWebsiteScreen>(showcase::PublishWebsiteScreen::screenName());
    auto *folder = screen->findChild<QLineEdit *>("websiteFolder");
    focusOn(folder);
    folder->selectAll();
    typeKeys(sites.filePath("site"));
    // Space chooses the hand-picked set; Enter, from a box, publishes.
    focusOn(screen->findChild<QRadioButton *>("pickedDogs"));
    pressKey(Qt::Key_Space);
    focusOn(folder);
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.value(0), "Tick the dogs the website shows.");
    auto *picks = screen->findChild<QListWidget *>("picks");
    QCOMPARE(picks->count(), 2);
    picks->setCurrentRow(0);
    pressKey(Qt::Key_Space);
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.value(1),
             QDir::toNativeSeparators(QStringLiteral("The website is written in %1: 4 pages. Open "
                                                     "index.html in it to look at it."))
                 .arg(sites.filePath("site")));
    QVERIFY(QFile::exists(sites.filePath(QString("site/dogs/%1-bella.html").arg(bella))));
    QCOMPARE(QDir(sites.filePath("site/dogs")).count() - 2, 1u);
}

void ShowcaseTest::aKillWhilePublishingLeavesOneWholeSite()
{
    Kennel kennel;
    for (int i = 0; i < 40; ++i)
        addDog(kennel.db(), {{"name", QString("Dog %1").arg(i)}, {"sex", "Male"}});
    const PhotoStore store;
    const QString photo = store.addBytes(imageBytes(QSize(900, 600), "jpeg")).file;
    QVERIFY(showcase::addPhoto(kennel.db(), 1, photo, "Dog 0").ok());
    QTemporaryDir sites;
    const QString site = sites.filePath("site");
    showcase::WebsiteChoice choice;
    choice.folder = site;
    choice.dogs = showcase::WebsiteChoice::Dogs::All;
    QCOMPARE(showcase::publishWebsite(kennel.db(), choice, kennel.path()).problem, QString());
    const QMap<QString, QString> whole = sitePages(site);
    QRandomGenerator random(7);
    for (int round = 0; round < 6; ++round) {
        QProcess publisher;
        publisher.start(SITE_PUBLISHER, {site});
        QVERIFY(publisher.waitForStarted());
        QVERIFY(publisher.waitForReadyRead(30000));
        QTest::qWait(int(random.bounded(200)));
        publisher.kill();
        QVERIFY(publisher.waitForFinished());
        // Whatever the moment, the folder holds a whole site.
        QCOMPARE(sitePages(site), whole);
        QVERIFY(QFile::exists(site + "/style.css"));
    }
    // The next publishing clears what the kill left beside it.
    QCOMPARE(showcase::publishWebsite(kennel.db(), choice, kennel.path()).problem, QString());
    QVERIFY(!QDir(site + ".publishing").exists());
}

QTEST_MAIN(ShowcaseTest)
#include "tst_showcase.moc"
