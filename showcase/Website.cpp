#include "showcase/Website.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SingleRows.h"
#include "db/SqlText.h"
#include "genetics/KennelGenetics.h"
#include "kennel/Ancestry.h"
#include "kennel/DogFinder.h"
#include "kennel/Dogs.h"
#include "kennel/Litters.h"
#include "showcase/Photos.h"
#include "showcase/PhotoStore.h"
#include "showcase/ShowResults.h"
#include "showcase/SiteDogs.h"
#include "showcase/Titles.h"
#include "showcase/WebsiteTemplates.h"

#include <cstdio>
#include <fcntl.h>
#include <kainjow/mustache.hpp>
#include <map>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringBuilder>

namespace showcase {
namespace {

namespace dog = db::fields::dogs;
using kainjow::mustache::data;
using kainjow::mustache::list;
using kainjow::mustache::mustache;

const QString marker = QStringLiteral(".houndry-site");
constexpr int pedigreeGenerations = 4;
constexpr int webPhoto = 1200;

std::string text(const QString &value)
{
    return value.toStdString();
}

// A page's file name: the dogid keeps it unique, the name makes it readable; only letters and
// digits a web server and any file system take as they are.
QString pageOf(qint64 id, const QString &name)
{
    QString slug;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            slug += c.toLower();
        else if ((c.isSpace() || c == QLatin1Char('-')) && !slug.endsWith(QLatin1Char('-')))
            slug += QLatin1Char('-');
    }
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return QStringLiteral("dogs/%1-%2.html")
        .arg(id)
        .arg(slug.left(60).isEmpty() ? QStringLiteral("dog") : slug.left(60));
}

} // namespace

QString websiteFolderProblem(const QString &folder, const QString &dataFolder)
{
    if (folder.trimmed().isEmpty())
        return QStringLiteral("Choose a folder for the website.");
    const QString target = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString data = QDir::cleanPath(QFileInfo(dataFolder).absoluteFilePath());
    if (target == data || target.startsWith(data + QLatin1Char('/')) ||
        data.startsWith(target + QLatin1Char('/')))
        return QStringLiteral("The website cannot go in the kennel's own folder, nor in a folder "
                              "that holds it.");
    const QDir dir(target);
    if (dir.exists() && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) &&
        !QFile::exists(dir.filePath(marker)))
        return QStringLiteral("The folder %1 holds other files. Choose an empty folder, or one "
                              "Houndry published a website to before.")
            .arg(QDir::toNativeSeparators(target));
    const QFileInfo parent(QFileInfo(target).absolutePath());
    if (!parent.isDir() || !parent.isWritable())
        return QStringLiteral("The folder %1 cannot be written to.")
            .arg(QDir::toNativeSeparators(parent.absoluteFilePath()));
    return {};
}

Published publishWebsite(const QSqlDatabase &kennel, const WebsiteChoice &choice,
                         const QString &dataFolder)
{
    Published published;
    if (published.problem = websiteFolderProblem(choice.folder, dataFolder);
        !published.problem.isEmpty())
        return published;
    Templates templates;
    if (published.problem = readTemplates(choice.templates, &templates);
        !published.problem.isEmpty())
        return published;
    QString problem;
    const std::vector<SiteDog> dogs = readDogs(kennel, &problem);
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    if (!problem.isEmpty() || !genetics.problem().isEmpty()) {
        published.problem = QStringLiteral("The dogs could not be read.");
        return published;
    }
    const QVariantMap setup = db::setupRow(kennel);
    auto setupText = [&](const QString &field) { return setup.value(field).toString().trimmed(); };
    const QString ownName = setupText(db::fields::setup::name);
    const kennel::KennelOwner kennelOwner(kennel);
    auto own = [&](const SiteDog &d) { return kennelOwner.owns(d.owner); };
    QSet<qint64> chosen;
    std::map<qint64, QString> pages;
    const QSet<qint64> picked(choice.chosen.begin(), choice.chosen.end());
    for (const SiteDog &d : dogs) {
        const bool wanted = choice.dogs == WebsiteChoice::Dogs::All ||
                            (choice.dogs == WebsiteChoice::Dogs::Chosen ? picked.contains(d.id)
                                                                        : own(d) && !d.died);
        if (wanted) {
            chosen.insert(d.id);
            pages[d.id] = pageOf(d.id, d.name);
        }
    }
    const QHash<qint64, QString> titles = allTitles(kennel);
    auto titledName = [&](qint64 id, const QString &name) {
        return titled(name, titles.value(id), TitlePlace::After);
    };
    auto pageFor = [&](qint64 id) {
        const auto found = pages.find(id);
        return found == pages.end() ? QString() : found->second;
    };

    const QFileInfo target(QDir::cleanPath(QFileInfo(choice.folder).absoluteFilePath()));
    const QDir staging(target.absoluteFilePath() + QStringLiteral(".publishing"));
    QDir(staging.path()).removeRecursively();
    if (!QDir().mkpath(staging.filePath(QStringLiteral("dogs"))) ||
        !QDir().mkpath(staging.filePath(QStringLiteral("photos")))) {
        published.problem = QStringLiteral("The folder %1 cannot be written to.")
                                .arg(QDir::toNativeSeparators(target.absolutePath()));
        return published;
    }
    bool written = writeFile(staging.filePath(marker), QByteArray()) &&
                   writeFile(staging.filePath(QStringLiteral("style.css")), templates.style);
    auto render = [&](mustache &page, const data &values, const QString &name) {
        written = written &&
                  writeFile(staging.filePath(name), QByteArray::fromStdString(page.render(values)));
        ++published.pages;
    };

    data site;
    site.set("kennel", text(setupText(db::fields::setup::kennel)));
    if (choice.contactDetails) {
        data contact;
        contact.set("name", text(ownName));
        QStringList address;
        for (const QString &field :
             {db::fields::setup::address, db::fields::setup::city, db::fields::setup::state,
              db::fields::setup::postcode, db::fields::setup::country}) {
            if (!setupText(field).isEmpty())
                address << setupText(field);
        }
        contact.set("address", text(address.join(QStringLiteral(", "))));
        contact.set("phone", text(setupText(db::fields::setup::phone)));
        contact.set("email", text(setupText(db::fields::setup::email)));
        contact.set("web", text(setupText(db::fields::setup::web)));
        site.set("contact", contact);
    }

    // Each dog's offspring, from the pedigrees as the program reads them.
    const genetics::KennelGraph &graph = genetics.graph();
    const genetics::Pedigree &p = graph.pedigree();
    std::map<qint64, std::vector<int>> offspring;
    for (int d = 0; d < graph.size(); ++d) {
        for (const int parent : {p.sire[size_t(d)], p.dam[size_t(d)]}) {
            if (p.known(parent) && chosen.contains(graph.id(parent)))
                offspring[graph.id(parent)].push_back(d);
        }
    }
    std::map<qint64, list> health = healthOf(kennel, chosen);
    const PhotoStore store;
    QSet<QString> copied;
    // A photo scaled for the web, and its small copy; empty when its file is gone.
    auto webPhotoOf = [&](const Photo &photo) -> std::pair<QString, QString> {
        const QString hash = photo.file.section(QLatin1Char('.'), 0, 0);
        const QString large = QStringLiteral("photos/") + hash + QStringLiteral(".jpg");
        const QString small = QStringLiteral("photos/small-") + hash + QStringLiteral(".jpg");
        if (!copied.contains(hash)) {
            const QImage image = store.image(photo.file, QSize(webPhoto, webPhoto));
            if (image.isNull())
                return {};
            written = written && image.save(staging.filePath(large), "JPEG", 85) &&
                      store.thumbnail(photo.file).save(staging.filePath(small), "JPEG", 85);
            copied.insert(hash);
        }
        return {large, small};
    };

    kennel::AncestryWalk ancestors(kennel, {dog::id, dog::name});
    list index;
    list puppies;
    const QDate yearAgo = core::Clock::today().addYears(-1);
    for (const SiteDog &d : dogs) {
        if (!chosen.contains(d.id))
            continue;
        data entry;
        entry.set("page", text(pages[d.id]));
        entry.set("titledName", text(titledName(d.id, d.name)));
        entry.set("born", text(core::datetext::shortDate(d.born)));
        entry.set("sex", text(d.sex));
        index.push_back(entry);
        if (own(d) && !d.died && !d.sold && d.born.isValid() && d.born >= yearAgo)
            puppies.push_back(entry);

        data page = site;
        page.set("titledName", text(titledName(d.id, d.name)));
        list details;
        const int at = graph.indexOfId(d.id);
        QString coi = QStringLiteral("not known");
        if (at != genetics::unknown && !graph.looped(at))
            coi = genetics::percent(genetics.ofDog(at).all);
        for (const auto &[label, value] :
             {std::pair{"Registration", d.registration}, std::pair{"Sex", d.sex},
              std::pair{"Breed", d.breed}, std::pair{"Colour", d.colour},
              std::pair{"Born", core::datetext::shortDate(d.born)}, std::pair{"COI", coi}}) {
            if (value.trimmed().isEmpty())
                continue;
            data row;
            row.set("label", label);
            row.set("value", text(value));
            details.push_back(row);
        }
        page.set("details", details);
        list &results = health[d.id];
        page.set("hasHealth", !results.empty());
        page.set("health", results);
        list shows;
        for (const ShowResult &r :
             showResultsOf(kennel, d.id).value_or(std::vector<ShowResult>())) {
            data row;
            row.set("date", text(core::datetext::shortDate(r.date)));
            row.set("show", text(r.show));
            row.set("judge", text(r.judge));
            row.set("showClass", text(r.showClass));
            row.set("placing", text(r.placing));
            row.set("award", text(r.award));
            row.set("title", text(r.titleShort.isEmpty()
                                      ? r.title
                                      : QStringLiteral("%1 (%2)").arg(r.title, r.titleShort)));
            shows.push_back(row);
        }
        page.set("hasShows", !shows.empty());
        page.set("shows", shows);
        // Four generations as the certificate shows them, a name without a record of its own
        // included: sires above dams, each place spanning the rows of its ancestors.
        const auto generations = ancestors.from({d.sire, d.dam}, pedigreeGenerations - 1);
        list rows(size_t(1) << pedigreeGenerations);
        for (int g = 1; g <= pedigreeGenerations; ++g) {
            const QList<kennel::AncestorPlace> &places = generations[g - 1];
            const int span = 1 << (pedigreeGenerations - g);
            for (qsizetype n = 0; n < places.size(); ++n) {
                const kennel::AncestorPlace &place = places[n];
                data cell;
                cell.set("rows", std::to_string(span));
                if (place.found) {
                    const qint64 id = place.fields[0].toLongLong();
                    cell.set("name", text(titledName(id, place.fields[1].toString())));
                    if (!pageFor(id).isEmpty())
                        cell.set("page", text(pageFor(id)));
                } else if (kennel::namesADog(place.name)) {
                    cell.set("name", text(place.name));
                }
                data &row = rows[size_t(n) * size_t(span)];
                if (!row.get("cells"))
                    row.set("cells", list());
                list cells = row.get("cells")->list_value();
                cells.push_back(cell);
                row.set("cells", cells);
            }
        }
        page.set("pedigree", rows);
        list children;
        for (const int child : offspring[d.id]) {
            data row;
            const qint64 id = graph.id(child);
            row.set("name", text(titledName(id, graph.name(child))));
            if (!pageFor(id).isEmpty())
                row.set("page", text(pageFor(id)));
            if (graph.born(child))
                row.set("born",
                        text(core::datetext::shortDate(QDate::fromJulianDay(graph.born(child)))));
            children.push_back(row);
        }
        page.set("hasOffspring", !children.empty());
        page.set("offspring", children);
        list gallery;
        bool mainShown = false;
        for (const Photo &photo : photosOf(kennel, d.id).value_or(std::vector<Photo>())) {
            const auto [large, small] = webPhotoOf(photo);
            if (large.isEmpty())
                continue;
            data picture;
            picture.set("file", text(large));
            picture.set("small", text(small));
            picture.set("caption", text(photo.caption.isEmpty() ? d.name : photo.caption));
            if (!mainShown) {
                page.set("mainPhoto", picture);
                mainShown = true;
            }
            gallery.push_back(picture);
        }
        page.set("hasGallery", gallery.size() > 1);
        page.set("gallery", gallery);
        render(templates.dog, page, pages[d.id]);
    }
    data front = site;
    front.set("dogs", index);
    render(templates.index, front, QStringLiteral("index.html"));
    data puppiesPage = site;
    puppiesPage.set("hasPuppies", !puppies.empty());
    puppiesPage.set("puppies", puppies);
    render(templates.puppies, puppiesPage, QStringLiteral("puppies.html"));

    list litters;
    kennel::eachStoredLitter(kennel, [&](const kennel::StoredLitter &stored) {
        const int sire = graph.find(stored.sire);
        const int dam = graph.find(stored.dam);
        const qint64 sireId = sire == genetics::unknown ? -1 : graph.id(sire);
        const qint64 damId = dam == genetics::unknown ? -1 : graph.id(dam);
        if (!chosen.contains(sireId) && !chosen.contains(damId))
            return;
        data entry;
        entry.set("born", text(core::datetext::display(QVariant(stored.born))));
        entry.set("sire", text(titledName(sireId, stored.sire)));
        entry.set("dam", text(titledName(damId, stored.dam)));
        if (!pageFor(sireId).isEmpty())
            entry.set("sirePage", text(pageFor(sireId)));
        if (!pageFor(damId).isEmpty())
            entry.set("damPage", text(pageFor(damId)));
        entry.set("size", text(stored.size));
        litters.push_back(entry);
    });
    data littersPage = site;
    littersPage.set("hasLitters", !litters.empty());
    littersPage.set("litters", litters);
    render(templates.litters, littersPage, QStringLiteral("litters.html"));

    if (!written) {
        QDir(staging.path()).removeRecursively();
        published.problem = QStringLiteral("The website could not be written in %1.")
                                .arg(QDir::toNativeSeparators(target.absolutePath()));
        published.pages = 0;
        return published;
    }
    // The new site takes the earlier one's place in one step of the file system: a kill at any
    // moment leaves one whole site or the other in the folder, never a mix or none.
    const QByteArray from = QFile::encodeName(staging.path());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    const bool hadSite = target.exists();
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                    hadSite ? RENAME_EXCHANGE : RENAME_NOREPLACE) != 0) {
        QDir(staging.path()).removeRecursively();
        published.problem = QStringLiteral("The new website could not be put in place of %1.")
                                .arg(QDir::toNativeSeparators(target.absoluteFilePath()));
        published.pages = 0;
        return published;
    }
    // What stands beside it now is the earlier site.
    QDir(staging.path()).removeRecursively();
    return published;
}

} // namespace showcase
