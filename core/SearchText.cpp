#include "core/SearchText.h"

#include <algorithm>

namespace core {
namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

QString searchFolded(QStringView text)
{
    if (isAscii(text))
        return text.toString().toLower();
    // Compatibility decomposition parts a letter from its accents, which are then left out.
    const QString parts = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(parts.size());
    for (const QChar c : parts) {
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_Enclosing)
            bare.append(c);
    }
    return bare.toCaseFolded();
}

QByteArray searchFoldedUtf8(QByteArrayView text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return quint8(c) < 0x80; })) {
        QByteArray lowered(text.data(), text.size());
        for (char &c : lowered) {
            if (c >= 'A' && c <= 'Z')
                c = char(c + ('a' - 'A'));
        }
        return lowered;
    }
    return searchFolded(QString::fromUtf8(text)).toUtf8();
}

qsizetype searchPosition(QStringView text, const QString &foldedNeedle)
{
    if (isAscii(text))
        return text.indexOf(foldedNeedle, 0, Qt::CaseInsensitive);
    return searchFolded(text).indexOf(foldedNeedle);
}

qsizetype searchPositionUtf8(QByteArrayView text, QByteArrayView foldedNeedle)
{
    if (!std::all_of(text.begin(), text.end(), [](char c) { return quint8(c) < 0x80; }))
        return QByteArrayView(searchFoldedUtf8(text)).indexOf(foldedNeedle);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; };
    const auto found =
        std::search(text.begin(), text.end(), foldedNeedle.begin(), foldedNeedle.end(),
                    [&](char t, char n) { return lower(t) == n; });
    return found == text.end() && !foldedNeedle.isEmpty() ? -1 : found - text.begin();
}

} // namespace core
