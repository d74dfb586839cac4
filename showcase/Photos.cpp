#include "showcase/Photos.h"

#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Dogs.h"
#include "showcase/PhotoStore.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace showcase {
namespace {

namespace photo = db::fields::photos;

QString whereId()
{
    return QStringLiteral(" WHERE ") % db::quoted(photo::id) % QStringLiteral(" = ?");
}

} // namespace

std::optional<std::vector<Photo>> photosOf(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::photos,
                             {photo::id, photo::file, photo::caption, photo::taken, photo::main}) %
              QStringLiteral(" WHERE ") % db::quoted(photo::dogId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(photo::main) %
              QStringLiteral(" DESC, ") % db::quoted(photo::id));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<Photo> photos;
    bool mainSeen = false;
    while (q.next()) {
        Photo p;
        p.id = q.value(0).toLongLong();
        p.dogId = dogId;
        p.file = q.value(1).toString();
        p.caption = q.value(2).toString();
        p.taken = core::datetext::fromStored(q.value(3));
        // Two dogs merged may each bring a main photo: the first stays main.
        p.main = q.value(4).toInt() != 0 && !mainSeen;
        mainSeen = mainSeen || p.main;
        photos.push_back(p);
    }
    if (!photos.empty())
        photos.front().main = true;
    return photos;
}

std::optional<Photo> mainPhotoOf(const QSqlDatabase &kennel, qint64 dogId)
{
    const auto photos = photosOf(kennel, dogId);
    if (!photos || photos->empty())
        return std::nullopt;
    return photos->front();
}

core::WriteResult<qint64> addPhoto(QSqlDatabase kennel, qint64 dogId, const QString &file,
                                   const QString &dogName)
{
    QSqlQuery held(kennel);
    held.prepare(QStringLiteral("SELECT count(*), sum(") % db::quoted(photo::file) %
                 QStringLiteral(" = ?) FROM ") % db::quoted(db::tables::photos) %
                 QStringLiteral(" WHERE ") % db::quoted(photo::dogId) % QStringLiteral(" = ?"));
    held.addBindValue(file);
    held.addBindValue(dogId);
    if (!db::execRead(held) || !held.next())
        return core::failure(QStringLiteral("the dog's photos could not be read"));
    if (held.value(1).toInt() > 0)
        return core::failure(QStringLiteral("%1 has this photo already").arg(dogName));
    return db::runLogged(kennel, QStringLiteral("Added a photo of %1").arg(dogName),
                         db::insertInto(db::tables::photos,
                                        {photo::dogId, photo::file, photo::caption, photo::main}),
                         {dogId, file, QString(), held.value(0).toInt() == 0 ? 1 : 0});
}

core::WriteResult<> savePhoto(QSqlDatabase kennel, const Photo &p, const QString &dogName)
{
    const auto saved = db::runLogged(
        kennel, QStringLiteral("Changed a photo of %1").arg(dogName),
        db::updateWhere(db::tables::photos, {photo::caption, photo::taken}, photo::id),
        {p.caption, p.taken.isValid() ? QVariant(core::datetext::toStored(p.taken)) : QVariant(),
         p.id});
    if (!saved)
        return core::failure(saved.problem());
    return {};
}

core::WriteResult<> makeMainPhoto(QSqlDatabase kennel, const Photo &p, const QString &dogName)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Chose the main photo of %1").arg(dogName));
    QString problem = db::runStatement(
        kennel,
        QStringLiteral("UPDATE ") % db::quoted(db::tables::photos) % QStringLiteral(" SET ") %
            db::quoted(photo::main) % QStringLiteral(" = (") % db::quoted(photo::id) %
            QStringLiteral(" = ?) WHERE ") % db::quoted(photo::dogId) % QStringLiteral(" = ?"),
        {p.id, p.dogId});
    return logged.land(transaction, problem);
}

core::WriteResult<> removePhoto(QSqlDatabase kennel, const Photo &p, const QString &dogName)
{
    const auto removed = db::runLogged(
        kennel, QStringLiteral("Took a photo off %1").arg(dogName),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::photos) % whereId(), {p.id});
    if (!removed)
        return core::failure(removed.problem());
    return {};
}

std::optional<QStringList> missingPhotos(const QSqlDatabase &kennel, const QString &folder)
{
    const PhotoStore store{QDir(folder)};
    QStringList missing;
    struct Stored
    {
        qint64 dogId, id;
        QString file;
    };
    std::vector<Stored> photos;
    const QString problem =
        db::scanRows(kennel,
                     db::selectFrom(db::tables::photos, {photo::dogId, photo::id, photo::file}) %
                         QStringLiteral(" ORDER BY ") % db::quoted(photo::id),
                     [&](const db::RawRow &row) {
                         if (!store.holds(row.string(2)))
                             photos.push_back({row.whole(0), row.whole(1), row.string(2)});
                     });
    std::vector<qint64> dogIds;
    for (const Stored &p : photos)
        dogIds.push_back(p.dogId);
    const auto dogs = kennel::livesOf(kennel, dogIds);
    if (!dogs)
        return std::nullopt;
    std::erase_if(photos, [&](const Stored &p) { return !dogs->contains(p.dogId); });
    // By the dog's name as stored, byte for byte, then in the order they were added.
    auto nameOf = [&](const Stored &p) { return dogs->at(p.dogId).name.toUtf8(); };
    std::stable_sort(photos.begin(), photos.end(),
                     [&](const Stored &a, const Stored &b) { return nameOf(a) < nameOf(b); });
    for (const Stored &p : photos)
        missing << dogs->at(p.dogId).name + QStringLiteral(": ") + p.file;
    if (!problem.isEmpty())
        return std::nullopt;
    return missing;
}

} // namespace showcase
