#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace showcase {

// A photo of a dog, as the kennel file lists it.
struct Photo
{
    qint64 id = 0;
    qint64 dogId = 0;
    QString file; // in the photos folder
    QString caption;
    QDate taken;
    bool main = false;
};

// The dog's photos, its main photo first, then in the order they were added; none when they
// cannot be read.
std::optional<std::vector<Photo>> photosOf(const QSqlDatabase &kennel, qint64 dogId);
// The photo shown with the dog: the one chosen as main, else its first.
std::optional<Photo> mainPhotoOf(const QSqlDatabase &kennel, qint64 dogId);

// Adds a stored photo to the dog; a dog's first photo is its main one. The same photo twice on
// one dog is refused.
core::WriteResult<qint64> addPhoto(QSqlDatabase kennel, qint64 dogId, const QString &file,
                                   const QString &dogName);
core::WriteResult<> savePhoto(QSqlDatabase kennel, const Photo &photo, const QString &dogName);
// Makes this the dog's main photo, and no other.
core::WriteResult<> makeMainPhoto(QSqlDatabase kennel, const Photo &photo, const QString &dogName);
// Takes the photo off the dog; its file stays, so that Undo can give it back.
core::WriteResult<> removePhoto(QSqlDatabase kennel, const Photo &photo, const QString &dogName);

// "Rex: <file>" for each photo the kennel lists whose file is not in the photos folder of
// `folder`, by dog; nothing when the list cannot be read.
std::optional<QStringList> missingPhotos(const QSqlDatabase &kennel, const QString &folder);

} // namespace showcase
