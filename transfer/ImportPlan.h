#pragma once

#include "core/DateText.h"
#include "core/WriteResult.h"
#include "db/Transaction.h"
#include "transfer/CsvReader.h"
#include "transfer/ImportTargets.h"

#include <functional>
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace transfer {

using DateOrder = core::datetext::Order;

enum class Matching { Skip, FillEmpty, AddNew };

struct ImportSettings
{
    CsvFormat format;
    QStringList mapping; // a target field per column of the file, or empty to leave it out
    DateOrder dates = DateOrder::MonthDayYear;
    // Where the hundred years of two-digit years begin: the date boxes' rule unless a file's
    // years need another.
    int yearsFrom = core::datetext::twoDigitYearsFrom;
    Matching matching = Matching::Skip;
    // Health results naming a test the kennel does not have make it.
    bool makeTests = true;
};

// Every row after the header; the problem of the file as a whole, or empty.
QString eachRow(const QString &file, const ImportSettings &settings,
                const std::function<bool(const CsvRow &, qsizetype columns)> &each);

// The file's first row, its column names.
QStringList headerOf(const QString &file, const CsvFormat &format, QString *problem = nullptr);
// A field for every column whose header names one; the rest left out. Health results
// without a test column are a laboratory's: every other column is a test's results.
QStringList guessMapping(const ImportTarget &target, const QStringList &header);
// The only order in which every date of the file's first thousand rows is a date, or else
// month/day/year.
DateOrder guessDateOrder(const ImportTarget &target, const QString &file,
                         const ImportSettings &settings);

// The first rows as they would be stored, one text per mapped field.
QList<QStringList> previewRows(const ImportTarget &target, const QString &file,
                               const ImportSettings &settings, int rows = 10);

// The problem a check or an import answers when it was told to stop.
extern const QString cancelled;

struct LineProblem
{
    int line;
    QString problem;
};

struct ImportCheck
{
    QString problem; // the file cannot be read as a whole
    qint64 toAdd = 0;
    qint64 matching = 0;
    QList<LineProblem> problems;
    QStringList newTests; // health tests the import makes
};

// Runs `each` on every row of the file, with `progress` every thousand rows; the problem of
// the file as a whole, or `cancelled`, goes into `check`.
void checkEachRow(const QString &file, const ImportSettings &settings,
                  const std::function<bool(qint64)> &progress, ImportCheck &check,
                  const std::function<void(const CsvRow &, qsizetype columns)> &each);

// Reads the whole file, as the import would, and writes nothing. `progress(rows)` answers
// false to stop.
ImportCheck checkImport(const ImportTarget &target, const QSqlDatabase &kennel, const QString &file,
                        const ImportSettings &settings,
                        const std::function<bool(qint64)> &progress = {});

struct ImportCounts
{
    qint64 added = 0;
    qint64 updated = 0;
    qint64 skipped = 0;
    qint64 refused = 0;
};

// Runs `write` on every row of the file inside `all` (it answers why the import must stop,
// or empty), with `progress` every thousand rows, then commits: `counts` as `write` left
// them, or, when anything failed or was cancelled, nothing.
core::WriteResult<ImportCounts>
writeEachRow(db::Transaction &all, const QString &file, const ImportSettings &settings,
             const std::function<bool(qint64)> &progress, const ImportCounts &counts,
             const std::function<QString(const CsvRow &, qsizetype columns)> &write);

// Imports the file in one transaction: all of it, or, when cancelled through `progress` or
// when anything fails, nothing.
core::WriteResult<ImportCounts> runImport(const ImportTarget &target, QSqlDatabase kennel,
                                          const QString &file, const ImportSettings &settings,
                                          const std::function<bool(qint64)> &progress = {});

} // namespace transfer
