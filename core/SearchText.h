#pragma once

#include <QByteArray>
#include <QString>

namespace core {

// Text as a search compares it: case folded and without accents, so that "jurgen" finds
// "Jürgen" and "eclair" finds "Éclair".
QString searchFolded(QStringView text);
// The same for UTF-8 text, answered as UTF-8; plain ASCII is only lowered, without a copy
// through UTF-16.
QByteArray searchFoldedUtf8(QByteArrayView text);

// Where a needle, already folded, first stands in the text searched as above; -1 when it
// does not. A place counts in the folded text, so only 0 ("starts with") is meaningful
// beside "found".
qsizetype searchPosition(QStringView text, const QString &foldedNeedle);
// The same for UTF-8 text and a needle folded to UTF-8.
qsizetype searchPositionUtf8(QByteArrayView text, QByteArrayView foldedNeedle);

} // namespace core
