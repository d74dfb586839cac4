#pragma once

#include <cstdint>
#include <QByteArray>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// The floor: the same work as the program's operations, in bare SQLite statements.
class BareSqlite
{
public:
    // Opens both files, checks them and reads their schema.
    static void startup();
    // Reads the first dog, the names behind the pick lists, and cleans the matings.
    static void openDogRecords();

    explicit BareSqlite(const char *table);
    ~BareSqlite();
    // Reads the row after `rowid`; answers its rowid.
    std::int64_t next(std::int64_t rowid);

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_next = nullptr;
};

} // namespace bench

namespace bench::bare {

// Adds `count` named rows in one transaction.
void addBlankDogs(int count);
// The non-empty values of a column in alphabetical order.
void sortedNames(const char *table, const char *field);

} // namespace bench::bare

namespace bench::bare {

// The seeks of a pedigree build: the subject, then the parents of every known ancestor.
int pedigreeSeeks(const char *subject, int generations);

} // namespace bench::bare

namespace bench::bare {

// The rows whose ISO date column falls in this month (and year).
void monthRows(const char *table, const char *dateColumn, bool sameYear);
// The rows of one dog, newest first.
void rowsOf(const char *table, const char *column, const QByteArray &value);

} // namespace bench::bare
