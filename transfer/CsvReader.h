#pragma once

#include <functional>
#include <QString>
#include <QStringList>

namespace transfer {

enum class Encoding { Utf8, Windows1252, Utf16 };

// How a CSV file is read: its separator and its encoding, found from its first bytes.
struct CsvFormat
{
    char separator = ',';
    Encoding encoding = Encoding::Utf8;
};

// The separator that splits the first lines most evenly (comma, semicolon or tab), and
// UTF-8 unless the bytes are not valid UTF-8; a byte-order mark means UTF-8, or UTF-16 when it
// is UTF-16's.
CsvFormat detectFormat(const QString &file);

struct CsvRow
{
    int line; // where the row starts, counting from 1
    QStringList fields;
};

// Reads a CSV file row by row through libcsv, without holding it in memory: `each` sees every
// row, header included, and answers false to stop. The problem (unbalanced quotes, a file
// that cannot be read, a control character in the text, more columns than any table), or
// empty. A UTF-16 file is read as a whole, being rare (spreadsheets' "Unicode text").
QString readCsv(const QString &file, const CsvFormat &format,
                const std::function<bool(const CsvRow &)> &each);

} // namespace transfer
