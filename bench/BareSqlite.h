#pragma once

#include <cstdint>

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

    BareSqlite();
    ~BareSqlite();
    // Reads the dog after `rowid`; answers its rowid.
    std::int64_t next(std::int64_t rowid);

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_next = nullptr;
};

} // namespace bench
