#include "bench/PhotoBench.h"

#include "bench/Timing.h"
#include "bench/WindowDriving.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/SingleRows.h"
#include "dogs/DogRecordsScreen.h"
#include "showcase/Photos.h"
#include "showcase/PhotoStore.h"
#include "showcase/Website.h"

#include <memory>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace bench {
namespace {

// A photo with a camera's detail: gradients and fine lines, so that JPEG has work to do.
QByteArray photoBytes(const QSize &size, int variant)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor::fromHsv((variant * 37) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((variant * 91) % 360, 200, 90));
    painter.fillRect(image.rect(), sky);
    for (int x = 0; x < size.width(); x += 7)
        painter.drawLine(x, 0, x + size.height() / 3, size.height());
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return buffer.data();
}

} // namespace

void benchPhotos()
{
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    const QSize camera = quick() ? QSize(1200, 900) : QSize(4000, 3000);
    const showcase::PhotoStore store;
    QByteArray bytes;
    int variant = 0;
    QString added;
    printLine("add a " + QString::number(camera.width() * camera.height() / 1'000'000) +
                  "-megapixel photo (floor: 300 ms)",
              medianMs(
                  5, [&] { added = store.addBytes(bytes).file; },
                  [&] { bytes = photoBytes(camera, ++variant); }),
              300);

    // The first dogs in stored order, each with a photo of its own among a few.
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    QSqlQuery first(kennel);
    first.exec("SELECT dogid, name FROM Dogtable ORDER BY rowid LIMIT 60");
    std::vector<QString> files;
    for (int i = 0; i < 6; ++i)
        files.push_back(store.addBytes(photoBytes(camera, 100 + i)).file);
    int dogs = 0;
    while (first.next())
        showcase::addPhoto(kennel, first.value(0).toLongLong(), files[size_t(dogs++ % 6)],
                           first.value(1).toString());
    auto screen = std::make_unique<dogs::DogRecordsScreen>();
    screen->show();
    settle([&] { return screen->isLoaded(); });
    QPushButton *next = screen->findChild<QPushButton *>("nextButton");
    auto *photo = screen->findChild<QLabel *>("mainPhoto");
    const auto shown = [photo] { return !photo->pixmap().isNull() || !photo->text().isEmpty(); };
    // A step shows the dog at once; its photo follows when the program is next idle.
    printLine("dog records \"Next\" with photos (floor: 5 ms)",
              medianMs(
                  25, [&] { next->click(); }, [&] { settle(shown); }),
              5);
    printLine("  its photo on view after the step",
              medianMs(25,
                       [&] {
                           next->click();
                           settle(shown);
                       }),
              -1);
    // The screen reads the kennel through its own cursor: it goes before the files close.
    screen.reset();

    // 500 living dogs made the kennel's own for a while, each with a photo, published: the
    // synthetic kennel leaves many dogs' owners empty, which would make them its own too.
    QSqlQuery own(kennel);
    own.exec("SELECT dogid, ownerid FROM Dogtable WHERE coalesce(dod, '') = '' ORDER BY rowid "
             "LIMIT 500");
    std::vector<std::pair<qint64, QVariant>> owners;
    while (own.next())
        owners.emplace_back(own.value(0).toLongLong(), own.value(1));
    own.finish();
    const QString me = db::setupRow(kennel).value(db::fields::setup::name).toString();
    kennel.transaction();
    QSqlQuery mine(kennel);
    mine.prepare("UPDATE Dogtable SET ownerid = ? WHERE dogid = ?");
    for (size_t i = 0; i < owners.size(); ++i) {
        mine.addBindValue(me);
        mine.addBindValue(owners[i].first);
        mine.exec();
        if (i >= size_t(dogs))
            showcase::addPhoto(kennel, owners[i].first, files[i % files.size()], {});
    }
    kennel.commit();
    QTemporaryDir sites;
    showcase::Published published;
    printLine("publish the website of 500 own dogs with photos (floor: 5 s)",
              medianMs(3,
                       [&] {
                           showcase::WebsiteChoice choice;
                           choice.folder = sites.filePath("site");
                           choice.dogs = showcase::WebsiteChoice::Dogs::Chosen;
                           for (const auto &[id, owner] : owners)
                               choice.chosen << id;
                           published =
                               showcase::publishWebsite(kennel, choice, QDir::currentPath());
                       }),
              5000);
    printValue("  pages",
               published.problem.isEmpty() ? QString::number(published.pages) : published.problem);
    kennel.transaction();
    for (const auto &[id, owner] : owners) {
        mine.addBindValue(owner);
        mine.addBindValue(id);
        mine.exec();
    }
    kennel.commit();
    mine.finish();
    QSqlQuery(kennel).exec("DELETE FROM photos");
    first.finish();
    kennel = {};
    db::DatabaseFiles::close();
    // Left behind, the photos would weigh on the next run's backup timings.
    QDir(db::DatabaseFiles::photosFolder()).removeRecursively();
}

} // namespace bench
