#include "transfer/ImportPlan.h"

#include "core/DateText.h"
#include "core/DogNames.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/RecordKinds.h"
#include "transfer/CsvExport.h"

#include <optional>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace transfer {
namespace {

// Turns a row of the file into the texts to store, or says what is wrong with it.
class RowReader
{
public:
    RowReader(const ImportTarget &target, const ImportSettings &settings, qsizetype columns)
        : m_target(target), m_settings(settings), m_columns(columns)
    {
    }

    QString read(const CsvRow &row, QHash<QString, QString> &values) const
    {
        values.clear();
        if (row.fields.size() != m_columns)
            return QStringLiteral("it has %1 fields, the header %2")
                .arg(row.fields.size())
                .arg(m_columns);
        for (qsizetype i = 0; i < m_columns && i < m_settings.mapping.size(); ++i) {
            const QString &field = m_settings.mapping[i];
            if (field.isEmpty())
                continue;
            QString value = unguarded(row.fields[i].trimmed());
            const TargetField *target = m_target.field(field);
            if (target && !target->lines &&
                (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))))
                return QStringLiteral(
                           "the %1 holds a line break, which only notes and addresses may")
                    .arg(target->caption);
            if (target && target->date && !value.isEmpty()) {
                const QDate parsed =
                    core::datetext::parse(value, m_settings.dates, m_settings.yearsFrom);
                if (!parsed.isValid())
                    return QStringLiteral("\"%1\" in %2 is not a date written %3")
                        .arg(value, target->caption, core::datetext::orderName(m_settings.dates));
                value = parsed.toString(Qt::ISODate);
            }
            if (field == db::fields::dogs::sex && m_target.table == kennel::records::dogs() &&
                !value.isEmpty()) {
                if (value.compare(QLatin1String("male"), Qt::CaseInsensitive) == 0)
                    value = QStringLiteral("Male");
                else if (value.compare(QLatin1String("female"), Qt::CaseInsensitive) == 0)
                    value = QStringLiteral("Female");
                else
                    return QStringLiteral("the sex \"%1\" is not Male, Female or empty").arg(value);
            }
            // A laboratory's columns of results are shown together, the empty ones left out.
            if (field != resultsOfTheHeader)
                values.insert(field, value);
            else if (!value.isEmpty())
                values[field] +=
                    (values[field].isEmpty() ? QString() : QStringLiteral("; ")) + value;
        }
        const bool registered = m_target.table == db::tables::healthResults &&
                                !values.value(resultFields::registration).isEmpty();
        if (values.value(m_target.nameField).isEmpty() && !registered)
            return QStringLiteral("it has no name");
        if (m_target.table == kennel::records::dogs() &&
            core::isNotOnRecord(values.value(m_target.nameField)))
            return core::notOnRecordRefusal();
        return {};
    }

private:
    const ImportTarget &m_target;
    const ImportSettings &m_settings;
    qsizetype m_columns;
};

// The rows a file row may match: by the match field where it has one, else by name.
class Matches
{
public:
    Matches(const ImportTarget &target, const QSqlDatabase &kennel) : m_target(target)
    {
        QSqlQuery q(kennel);
        q.setForwardOnly(true);
        QStringList columns{db::fields::rowid, target.nameField};
        if (!target.matchField.isEmpty())
            columns << target.matchField;
        q.exec(db::selectFrom(target.table, columns) % QStringLiteral(" ORDER BY rowid"));
        while (q.next()) {
            const qint64 row = q.value(db::fields::rowid).toLongLong();
            keep(m_byName, q.value(target.nameField).toString(), row);
            if (!target.matchField.isEmpty())
                keep(m_byKey, q.value(target.matchField).toString(), row);
        }
        m_byKey.remove(QString());
    }

    std::optional<qint64> find(const QHash<QString, QString> &values) const
    {
        if (!m_target.matchField.isEmpty()) {
            const QString key = values.value(m_target.matchField);
            if (!key.isEmpty() && m_byKey.contains(key))
                return m_byKey.value(key);
        }
        const auto named = m_byName.constFind(values.value(m_target.nameField));
        return named == m_byName.constEnd() ? std::nullopt : std::optional(*named);
    }

    void add(const QHash<QString, QString> &values, qint64 row)
    {
        keep(m_byName, values.value(m_target.nameField), row);
        if (!m_target.matchField.isEmpty() && !values.value(m_target.matchField).isEmpty())
            keep(m_byKey, values.value(m_target.matchField), row);
    }

private:
    // The first row with a key is the one matched.
    static void keep(QHash<QString, qint64> &rows, const QString &key, qint64 row)
    {
        if (!rows.contains(key))
            rows.insert(key, row);
    }

    const ImportTarget &m_target;
    QHash<QString, qint64> m_byName;
    QHash<QString, qint64> m_byKey;
};

QStringList mappedFields(const ImportSettings &settings)
{
    QStringList fields;
    for (const QString &field : settings.mapping) {
        if (!field.isEmpty() && !fields.contains(field))
            fields << field;
    }
    return fields;
}

} // namespace

const QString cancelled = QStringLiteral("cancelled");

// Every row after the header; the problem of the file as a whole, or empty.
QString eachRow(const QString &file, const ImportSettings &settings,
                const std::function<bool(const CsvRow &, qsizetype columns)> &each)
{
    qsizetype columns = -1;
    return readCsv(file, settings.format, [&](const CsvRow &row) {
        if (columns < 0) {
            columns = row.fields.size();
            return true;
        }
        return each(row, columns);
    });
}

QStringList headerOf(const QString &file, const CsvFormat &format, QString *problem)
{
    QStringList header;
    const QString failure = readCsv(file, format, [&](const CsvRow &row) {
        header = row.fields;
        return false;
    });
    if (problem)
        *problem = failure;
    return header;
}

QStringList guessMapping(const ImportTarget &target, const QStringList &header)
{
    QStringList mapping;
    for (const QString &column : header) {
        const QString key = column.trimmed().toLower();
        QString chosen;
        for (const TargetField &field : target.fields) {
            if (field.headers.contains(key) && !mapping.contains(field.field)) {
                chosen = field.field;
                break;
            }
        }
        mapping << chosen;
    }
    if (target.table == db::tables::healthResults && !mapping.contains(resultFields::test)) {
        for (qsizetype i = 0; i < mapping.size(); ++i) {
            if (mapping[i].isEmpty() && !header[i].trimmed().isEmpty())
                mapping[i] = resultsOfTheHeader;
        }
    }
    return mapping;
}

DateOrder guessDateOrder(const ImportTarget &target, const QString &file,
                         const ImportSettings &settings)
{
    QList<DateOrder> fitting{DateOrder::MonthDayYear, DateOrder::DayMonthYear,
                             DateOrder::YearMonthDay};
    int rows = 0;
    eachRow(file, settings, [&](const CsvRow &row, qsizetype) {
        for (qsizetype i = 0; i < row.fields.size() && i < settings.mapping.size(); ++i) {
            const TargetField *field = target.field(settings.mapping[i]);
            if (!field || !field->date || row.fields[i].trimmed().isEmpty())
                continue;
            // Every order reads a date written year first, as the file stores dates; such a
            // file is written year-month-day.
            static const QRegularExpression yearFirst(QStringLiteral("^\\s*\\d{4}\\D"));
            const bool writtenYearFirst = yearFirst.match(row.fields[i]).hasMatch();
            fitting.removeIf([&](DateOrder order) {
                return (writtenYearFirst && order != DateOrder::YearMonthDay) ||
                       !core::datetext::parse(row.fields[i], order, settings.yearsFrom).isValid();
            });
        }
        return ++rows < 1000 && fitting.size() > 1;
    });
    // Where the file leaves it open, the order the kennel's own dates are typed in.
    if (fitting.size() == 1 || !fitting.contains(core::datetext::order()))
        return fitting.value(0, core::datetext::order());
    return core::datetext::order();
}

QList<QStringList> previewRows(const ImportTarget &target, const QString &file,
                               const ImportSettings &settings, int rows)
{
    QList<QStringList> preview;
    const QStringList fields = mappedFields(settings);
    QHash<QString, QString> values;
    eachRow(file, settings, [&](const CsvRow &row, qsizetype columns) {
        const QString problem = RowReader(target, settings, columns).read(row, values);
        QStringList shown;
        for (const QString &field : fields)
            shown << (problem.isEmpty() ? values.value(field) : QString());
        if (!problem.isEmpty() && !shown.isEmpty())
            shown[0] = QStringLiteral("(line %1: %2)").arg(row.line).arg(problem);
        preview << shown;
        return preview.size() < rows;
    });
    return preview;
}

ImportCheck checkImport(const ImportTarget &target, const QSqlDatabase &kennel, const QString &file,
                        const ImportSettings &settings, const std::function<bool(qint64)> &progress)
{
    ImportCheck check;
    Matches matches(target, kennel);
    QHash<QString, QString> values;
    checkEachRow(file, settings, progress, check, [&](const CsvRow &row, qsizetype columns) {
        if (const QString problem = RowReader(target, settings, columns).read(row, values);
            !problem.isEmpty())
            check.problems.append({row.line, problem});
        else if (settings.matching != Matching::AddNew && matches.find(values))
            ++check.matching;
        else {
            ++check.toAdd;
            matches.add(values, -1);
        }
    });
    return check;
}

core::WriteResult<ImportCounts> runImport(const ImportTarget &target, QSqlDatabase kennel,
                                          const QString &file, const ImportSettings &settings,
                                          const std::function<bool(qint64)> &progress)
{
    db::Transaction all(kennel);
    Matches matches(target, kennel);
    const QStringList fields = mappedFields(settings);
    QSqlQuery insert(kennel);
    insert.prepare(QStringLiteral("INSERT INTO ") % db::quoted(target.table) %
                   QStringLiteral(" (") % db::columnList(fields) % QStringLiteral(") VALUES (") %
                   QStringList(fields.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
                   QLatin1Char(')'));
    QSqlQuery existing(kennel);
    existing.prepare(db::selectFrom(target.table, fields) % QStringLiteral(" WHERE rowid = ?"));
    ImportCounts counts;
    QString failure;
    QHash<QString, QString> values;
    auto fillEmpty = [&](qint64 row) {
        existing.addBindValue(row);
        if (!existing.exec() || !existing.next()) {
            failure = existing.lastError().text();
            return false;
        }
        QStringList empty;
        for (const QString &field : fields) {
            if (existing.value(field).toString().isEmpty() && !values.value(field).isEmpty())
                empty << field;
        }
        existing.finish();
        if (empty.isEmpty()) {
            ++counts.skipped;
            return true;
        }
        QSqlQuery update(kennel);
        QStringList assignments;
        for (const QString &field : empty)
            assignments << db::quoted(field) + QStringLiteral(" = ?");
        update.prepare(QStringLiteral("UPDATE ") % db::quoted(target.table) %
                       QStringLiteral(" SET ") % assignments.join(QStringLiteral(", ")) %
                       QStringLiteral(" WHERE rowid = ?"));
        for (const QString &field : empty)
            update.addBindValue(values.value(field));
        update.addBindValue(row);
        if (!update.exec()) {
            failure = update.lastError().text();
            return false;
        }
        ++counts.updated;
        return true;
    };
    return writeEachRow(all, file, settings, progress, counts,
                        [&](const CsvRow &row, qsizetype columns) -> QString {
                            if (!RowReader(target, settings, columns).read(row, values).isEmpty()) {
                                ++counts.refused;
                            } else if (const auto match = settings.matching != Matching::AddNew
                                                              ? matches.find(values)
                                                              : std::nullopt) {
                                if (settings.matching == Matching::Skip)
                                    ++counts.skipped;
                                else if (*match >= 0 && !fillEmpty(*match))
                                    return failure.isEmpty()
                                               ? QStringLiteral("a matching row could not be read")
                                               : failure;
                                else if (*match < 0)
                                    ++counts.skipped;
                            } else {
                                for (const QString &field : fields)
                                    insert.addBindValue(values.value(field));
                                if (!insert.exec())
                                    return insert.lastError().text();
                                matches.add(values, insert.lastInsertId().toLongLong());
                                ++counts.added;
                            }
                            return {};
                        });
}

void checkEachRow(const QString &file, const ImportSettings &settings,
                  const std::function<bool(qint64)> &progress, ImportCheck &check,
                  const std::function<void(const CsvRow &, qsizetype columns)> &each)
{
    qint64 rows = 0;
    bool stopped = false;
    check.problem = eachRow(file, settings, [&](const CsvRow &row, qsizetype columns) {
        each(row, columns);
        stopped = progress && ++rows % 1000 == 0 && !progress(rows);
        return !stopped;
    });
    if (stopped)
        check.problem = cancelled;
}

core::WriteResult<ImportCounts>
writeEachRow(db::Transaction &all, const QString &file, const ImportSettings &settings,
             const std::function<bool(qint64)> &progress, const ImportCounts &counts,
             const std::function<QString(const CsvRow &, qsizetype columns)> &write)
{
    QString failure;
    qint64 rows = 0;
    const QString problem = eachRow(file, settings, [&](const CsvRow &row, qsizetype columns) {
        failure = write(row, columns);
        if (failure.isEmpty() && progress && ++rows % 1000 == 0 && !progress(rows))
            failure = cancelled;
        return failure.isEmpty();
    });
    if (!failure.isEmpty())
        return core::failure(failure);
    if (!problem.isEmpty())
        return core::failure(problem);
    if (const auto committed = all.commit(); !committed)
        return core::failure(committed.problem());
    return counts;
}

} // namespace transfer
