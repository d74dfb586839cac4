#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QSize>
#include <QString>

namespace showcase {

// The photos of the kennel as plain files in `photos/` beside the database files, each named
// by the SHA-256 of its bytes: the same photo added twice is kept once, and a file can be
// checked against its name. Small copies for lists are made once, in `photos/thumbnails/`.
class PhotoStore
{
public:
    // The store of the kennel in `folder` (the working folder by default).
    explicit PhotoStore(const QDir &folder = QDir::current());

    // Large enough for the dog's photo on its record on a high-density screen.
    static constexpr int thumbnailSize = 320;
    // The most pixels a photo may have: a 100-megapixel scan is refused, not decoded.
    static constexpr qint64 mostPixels = 80'000'000;

    struct Added
    {
        QString file; // the stored name, "<sha-256>.jpg"; empty when refused
        QString problem;
    };
    // Keeps a copy of the image file at `path`, after checking that it is a whole image that
    // can be shown.
    Added add(const QString &path) const;
    Added addBytes(const QByteArray &bytes) const;

    QString pathOf(const QString &file) const;
    bool holds(const QString &file) const;
    // The photo upright (as its camera recorded it) and scaled to fit `bound`; null when the
    // file is missing or damaged.
    QImage image(const QString &file, const QSize &bound) const;
    // The small copy for lists, made on first use.
    QImage thumbnail(const QString &file) const;
    // Whether the file's bytes still match its name.
    bool intact(const QString &file) const;

    static QString hashOf(const QByteArray &bytes);

private:
    QDir m_folder;
};

} // namespace showcase
