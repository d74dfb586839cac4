#include "bench/BareSqlite.h"

#include <cstdlib>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace bench {
namespace {

sqlite3 *openFile(const char *name)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(name, &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        std::abort();
    return db;
}

// Steps through a statement, reading every column as text.
std::vector<std::string> column(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    std::vector<std::string> values;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto *text = sqlite3_column_text(stmt, c);
            values.emplace_back(text ? reinterpret_cast<const char *>(text) : "");
        }
    }
    sqlite3_finalize(stmt);
    return values;
}

} // namespace

void BareSqlite::startup()
{
    for (const char *file : {"kennelbase.ddx", "report.ddx"}) {
        sqlite3 *db = openFile(file);
        column(db, "PRAGMA quick_check");
        column(db, "SELECT name, sql FROM sqlite_master");
        sqlite3_close(db);
    }
}

void BareSqlite::openDogRecords()
{
    sqlite3 *db = openFile("kennelbase.ddx");
    column(db, "SELECT rowid, * FROM Dogtable ORDER BY rowid LIMIT 1");
    column(db, "SELECT name FROM Dogtable ORDER BY rowid");
    column(db, "SELECT last FROM contacts ORDER BY rowid");
    column(db, "SELECT Breedname FROM breedlist ORDER BY rowid");
    sqlite3_exec(db, "BEGIN; DELETE FROM mating WHERE dgname1 = '' OR dgname2 = ' ' OR "
                     "dgname2 IS NULL; COMMIT",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

BareSqlite::BareSqlite() : m_db(openFile("kennelbase.ddx"))
{
    sqlite3_prepare_v2(m_db, "SELECT rowid, * FROM Dogtable WHERE rowid > ? ORDER BY rowid LIMIT 1",
                       -1, &m_next, nullptr);
}

BareSqlite::~BareSqlite()
{
    sqlite3_finalize(m_next);
    sqlite3_close(m_db);
}

std::int64_t BareSqlite::next(std::int64_t rowid)
{
    sqlite3_reset(m_next);
    sqlite3_bind_int64(m_next, 1, rowid);
    std::int64_t found = rowid;
    if (sqlite3_step(m_next) == SQLITE_ROW) {
        found = sqlite3_column_int64(m_next, 0);
        std::string row;
        for (int c = 1; c < sqlite3_column_count(m_next); ++c) {
            const auto *text = sqlite3_column_text(m_next, c);
            row += text ? reinterpret_cast<const char *>(text) : "";
        }
    }
    return found;
}

} // namespace bench
