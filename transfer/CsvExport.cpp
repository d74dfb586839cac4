#include "transfer/CsvExport.h"

#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"

#include <cstdlib>
#include <QDir>
#include <QSaveFile>
#include <QStringBuilder>

namespace transfer {
namespace {

QString shown(const db::Column &column, const db::RawRow &row, int index)
{
    const std::string_view text = row.text(index);
    if (text.empty())
        return {};
    if (column.kind == db::ColumnKind::Amount) {
        const qint64 cents = row.whole(index);
        const qint64 whole = cents / 100;
        const qint64 part = std::abs(cents % 100);
        return (cents < 0 && whole == 0 ? QStringLiteral("-") : QString()) %
               QString::number(whole) % QLatin1Char('.') %
               QStringLiteral("%1").arg(part, 2, 10, QLatin1Char('0'));
    }
    return row.string(index);
}

core::WriteResult<qint64> exportTable(const QSqlDatabase &kennel, const QString &schema,
                                      const db::Table &table, const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return core::failure(out.errorString());
    QStringList header;
    for (const db::Column &column : table.columns)
        header << QString::fromUtf8(csvField(column.name));
    // A write that fails (a full disk) fails the export; the file keeps what it held.
    bool written = true;
    auto write = [&](const QByteArray &bytes) {
        written = written && out.write(bytes) == bytes.size();
    };
    write(header.join(QLatin1Char(',')).toUtf8() + "\r\n");
    QStringList columns;
    for (const db::Column &column : table.columns)
        columns << db::quoted(column.name);
    qint64 rows = 0;
    QByteArray line;
    const QString problem = db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % columns.join(QStringLiteral(", ")) % QStringLiteral(" FROM ") %
            schema % QLatin1Char('.') % db::quoted(table.name) % QStringLiteral(" ORDER BY rowid"),
        [&](const db::RawRow &row) {
            line.clear();
            for (int i = 0; i < int(table.columns.size()); ++i) {
                if (i > 0)
                    line += ',';
                line += csvField(shown(table.columns[size_t(i)], row, i));
            }
            line += "\r\n";
            write(line);
            ++rows;
        });
    if (!problem.isEmpty()) {
        out.cancelWriting();
        return core::failure(problem);
    }
    if (!written || !out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        return core::failure(why);
    }
    if (!out.commit())
        return core::failure(out.errorString());
    return rows;
}

} // namespace

QByteArray csvField(const QString &value)
{
    const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                       value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
                       value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('\t')) ||
                       value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    if (!quote)
        return value.toUtf8();
    QString escaped = value;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + escaped.toUtf8() + '"';
}

QString guarded(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text
                                                                   : text;
}

QString unguarded(const QString &text)
{
    return text.size() > 1 && text.front() == QLatin1Char('\'') &&
                   guarded(text.mid(1)) != text.mid(1)
               ? text.mid(1)
               : text;
}

core::WriteResult<QList<ExportedFile>> exportTables(const QSqlDatabase &kennel,
                                                    const QString &folder)
{
    QList<ExportedFile> files;
    for (const auto &[schema, tables] :
         {std::pair{QStringLiteral("main"), &db::kennelSchema()},
          std::pair{QStringLiteral("report"), &db::reportSchema()}}) {
        for (const db::Table &table : tables->tables) {
            // The undo memory is the program's, not a record of the kennel's.
            if (table.name == db::tables::changeSets || table.name == db::tables::changeLog)
                continue;
            const QString file = QDir(folder).filePath(table.name + QStringLiteral(".csv"));
            const auto rows = exportTable(kennel, schema, table, file);
            if (!rows)
                return core::failure(QStringLiteral("%1: %2").arg(file, rows.problem()));
            files.append({file, rows.value()});
        }
    }
    return files;
}

} // namespace transfer
