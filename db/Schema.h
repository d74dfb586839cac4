#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace db {

enum class ColumnKind {
    AutoId, // assigned by the database when a row is started
    Text,
    Whole,
    Date,   // stored as ISO YYYY-MM-DD text
    Amount, // stored as whole cents
    Real,   // a number with a fraction
    Value,  // whatever another field held, as it held it: no declared type
};

struct Column
{
    QString name;
    ColumnKind kind;
    QString check = {}; // optional CHECK expression

    QString definition() const;
};

struct Table
{
    QString name;
    std::vector<Column> columns;

    const Column *column(const QString &name) const;
    QString createStatement() const;
};

struct Index
{
    QString name;
    QString table;
    QString column;
    // When set, the index is on this expression of the column instead: SQL text of ours.
    QString expression = {};
    QString createStatement() const;
};

// The month and the year of a date stored as YYYY-MM-DD, as SQL: what the month lists look
// for.
QString monthOf(const QString &dateColumn);
QString yearOf(const QString &dateColumn);

struct Schema
{
    std::vector<Table> tables;
    std::vector<Index> indexes;

    const Table &table(const QString &name) const;
};

const Schema &kennelSchema();
// The indexes on the fields that name a dog, and the change log's tables and indexes, which
// later layouts of the kennel file added.
const std::vector<Index> &linkIndexes();
const Table &changeSetTable();
const Table &changeLogTable();
const Index &dogOwnersIndex();
// The dates due by month and year, for the lists of what falls due this month; the
// birthdays by month, with what the list shows of each dog.
const Index &birthMonthsIndex();
const Index &vaccinationMonthsIndex();
const Index &litterMonthsIndex();
const Index &changesOfSetIndex();
const Index &changesOfRecordIndex();
// The health tests and their results, with the indexes that find a dog's or a test's results.
const Table &healthTestTable();
const Table &healthResultTable();
const std::vector<Index> &healthResultIndexes();
// The bitches' seasons, found by dog.
const Table &seasonTable();
const Index &seasonDogsIndex();
// The progesterone tests, found by season.
const Table &progesteroneTable();
const Index &progesteroneSeasonsIndex();
// The weighings, found by dog, and the pups as they were born, found by litter and by dog.
const Table &weightTable();
const Table &whelpingTable();
const std::vector<Index> &weightAndWhelpingIndexes();

const Table &photoTable();
const Table &showResultTable();
const std::vector<Index> &photoAndShowIndexes();
// The waiting list with its deposits, the kennel's accounts and the contracts as issued, with
// the indexes that find them by contact, litter, dog, date and what wrote them.
const Table &waitingListTable();
const Table &depositTable();
const Table &accountTable();
const Table &contractTable();
const std::vector<Index> &moneyIndexes();
// The deposit and the balance left to pay, on both receipts.
const std::vector<Column> &receiptDeposit();
const Schema &reportSchema();

// The named indexes that table cursors can seek through; case-insensitive.
const Index *findIndex(const QString &indexName);
const Index *indexOn(const QString &table, const QString &column);

// The fourteen ancestor slots of generations 1 to 3 as report tables keep them.
QStringList pedigreeSlotColumns();

QString quoted(const QString &identifier);

} // namespace db
