#include "transfer/CsvReader.h"

#include <algorithm>

#include <csv.h>
#include <QBuffer>
#include <QFile>
#include <QStringDecoder>

namespace transfer {
namespace {

constexpr qint64 sampleSize = 1 << 20;
// Far more than any table of dogs or contacts has: a wider file is refused at once rather
// than read into memory a line at a time.
constexpr int mostColumns = 1000;

// The characters Windows-1252 puts at 0x80 to 0x9F, where Latin-1 has control codes; the
// five unused places stand for themselves.
const char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode(const char *bytes, size_t size, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes, qsizetype(size));
    QString text(qsizetype(size), Qt::Uninitialized);
    for (size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[qsizetype(i)] = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252High[byte - 0x80])
                                                         : QChar(char16_t(byte));
    }
    return text;
}

struct Parsing
{
    Encoding encoding;
    const std::function<bool(const CsvRow &)> *each;
    CsvRow row;
    int line = 0;
    bool rowStarted = false;
    bool stopped = false;
    QString refusal;
};

// NUL and the other control codes have no place in a name or a note; tab and line breaks do.
int controlCode(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            return c.unicode();
    }
    return -1;
}

void onField(void *bytes, size_t size, void *data)
{
    auto *parsing = static_cast<Parsing *>(data);
    if (!parsing->rowStarted) {
        parsing->rowStarted = true;
        // The row starts where its first field does, before any line break quoted in it.
        parsing->row.line =
            parsing->line - int(std::count(static_cast<const char *>(bytes),
                                           static_cast<const char *>(bytes) + size, '\n'));
        parsing->row.fields.clear();
    }
    if (parsing->stopped)
        return;
    if (parsing->row.fields.size() >= mostColumns) {
        parsing->refusal = QStringLiteral("line %1: more than %L2 columns, far more than any table "
                                          "of dogs or contacts")
                               .arg(parsing->line)
                               .arg(mostColumns);
        parsing->stopped = true;
        return;
    }
    QString field = decode(static_cast<const char *>(bytes), size, parsing->encoding);
    if (const int code = controlCode(field); code >= 0) {
        parsing->refusal = QStringLiteral("line %1: the text holds a control character (code %2)")
                               .arg(parsing->line)
                               .arg(code);
        parsing->stopped = true;
        return;
    }
    parsing->row.fields << std::move(field);
}

void onRow(int, void *data)
{
    auto *parsing = static_cast<Parsing *>(data);
    if (!parsing->rowStarted || parsing->stopped)
        return;
    parsing->rowStarted = false;
    if (!(*parsing->each)(parsing->row))
        parsing->stopped = true;
}

} // namespace

CsvFormat detectFormat(const QString &file)
{
    CsvFormat format;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return format;
    QByteArray sample = in.read(sampleSize);
    const bool bom = sample.startsWith("\xEF\xBB\xBF");
    if (sample.startsWith("\xFF\xFE") || sample.startsWith("\xFE\xFF")) {
        format.encoding = Encoding::Utf16;
        QStringDecoder utf16(QStringDecoder::Utf16);
        sample = QString(utf16(sample)).toUtf8();
    } else if (!bom) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        // A character cut at the end of the sample is not an error.
        QByteArray whole = sample;
        while (!whole.isEmpty() && (uchar(whole.back()) & 0xC0) == 0x80)
            whole.chop(1);
        if (!whole.isEmpty() && uchar(whole.back()) >= 0xC0)
            whole.chop(1);
        const QString decoded = utf8(whole);
        if (utf8.hasError())
            format.encoding = Encoding::Windows1252;
    }
    // Outside quotes, the separator appears equally often on each of the first lines.
    QList<QByteArray> lines = sample.split('\n').mid(0, 20);
    if (lines.size() > 1 && in.size() > sampleSize)
        lines.removeLast();
    int best = -1;
    for (const char separator : {',', ';', '\t'}) {
        int lowest = -1;
        for (const QByteArray &line : std::as_const(lines)) {
            if (line.trimmed().isEmpty())
                continue;
            int count = 0;
            bool quoted = false;
            for (const char c : line) {
                if (c == '"')
                    quoted = !quoted;
                else if (c == separator && !quoted)
                    ++count;
            }
            lowest = lowest < 0 ? count : std::min(lowest, count);
        }
        if (lowest > best) {
            best = lowest;
            format.separator = separator;
        }
    }
    return format;
}

QString readCsv(const QString &file, const CsvFormat &format,
                const std::function<bool(const CsvRow &)> &each)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    QBuffer converted;
    QIODevice &in =
        format.encoding == Encoding::Utf16 ? converted : static_cast<QIODevice &>(source);
    if (format.encoding == Encoding::Utf16) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        converted.setData(QString(utf16(source.readAll())).toUtf8());
        if (utf16.hasError())
            return QStringLiteral("the file is not readable UTF-16 text");
        converted.open(QIODevice::ReadOnly);
    }
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL) != 0)
        return QStringLiteral("out of memory");
    csv_set_delim(&parser, static_cast<unsigned char>(format.separator));
    Parsing parsing{format.encoding == Encoding::Windows1252 ? Encoding::Windows1252
                                                             : Encoding::Utf8,
                    &each,
                    {},
                    0,
                    false,
                    false,
                    {}};
    QString problem;
    bool first = true;
    // Line by line, so that each row knows the line it starts on.
    while (!in.atEnd() && !parsing.stopped) {
        QByteArray line = in.readLine();
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        first = false;
        ++parsing.line;
        if (csv_parse(&parser, line.constData(), size_t(line.size()), onField, onRow, &parsing) !=
            size_t(line.size())) {
            problem = csv_error(&parser) == CSV_EPARSE
                          ? QStringLiteral("line %1: a quote stands where no field can have one")
                                .arg(parsing.line)
                          : QStringLiteral("line %1: %2")
                                .arg(parsing.line)
                                .arg(QString::fromUtf8(csv_strerror(csv_error(&parser))));
            break;
        }
    }
    if (problem.isEmpty() && !parsing.stopped && csv_fini(&parser, onField, onRow, &parsing) != 0)
        problem = QStringLiteral("line %1: a quoted field is not closed").arg(parsing.line);
    csv_free(&parser);
    return problem.isEmpty() ? parsing.refusal : problem;
}

} // namespace transfer
