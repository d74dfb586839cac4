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
std::vector<std::string> readAll(sqlite3 *db, const char *sql)
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
        readAll(db, "PRAGMA quick_check");
        readAll(db, "SELECT name, sql FROM sqlite_master");
        sqlite3_close(db);
    }
}

void BareSqlite::openDogRecords()
{
    sqlite3 *db = openFile("kennelbase.ddx");
    readAll(db, "SELECT rowid, * FROM Dogtable ORDER BY rowid LIMIT 1");
    readAll(db, "SELECT name FROM Dogtable ORDER BY rowid");
    readAll(db, "SELECT last FROM contacts ORDER BY rowid");
    readAll(db, "SELECT Breedname FROM breedlist ORDER BY rowid");
    sqlite3_exec(db,
                 "BEGIN; DELETE FROM mating WHERE dgname1 = '' OR dgname2 = ' ' OR "
                 "dgname2 IS NULL; COMMIT",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

BareSqlite::BareSqlite(const char *table) : m_db(openFile("kennelbase.ddx"))
{
    const std::string sql = std::string("SELECT rowid, * FROM \"") + table +
                            "\" WHERE rowid > ? ORDER BY rowid LIMIT 1";
    sqlite3_prepare_v2(m_db, sql.c_str(), -1, &m_next, nullptr);
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

namespace bench::bare {

void addBlankDogs(int count)
{
    sqlite3 *db = openFile("kennelbase.ddx");
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Dogtable (name) VALUES (?)", -1, &insert, nullptr);
    for (int i = 1; i <= count; ++i) {
        const std::string name = "NEWENTRY " + std::to_string(i);
        sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void sortedNames(const char *table, const char *field)
{
    sqlite3 *db = openFile("kennelbase.ddx");
    const std::string sql = std::string("SELECT \"") + field + "\" FROM \"" + table +
                            "\" WHERE \"" + field + "\" <> '' ORDER BY \"" + field +
                            "\" COLLATE NOCASE";
    readAll(db, sql.c_str());
    sqlite3_close(db);
}

} // namespace bench::bare

namespace bench::bare {

int pedigreeSeeks(const char *subject, int generations)
{
    static sqlite3 *db = openFile("kennelbase.ddx");
    sqlite3_stmt *seek = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT name, breed, sex, dob, colour, sire, dam FROM Dogtable WHERE name = ? "
        "COLLATE NOCASE ORDER BY rowid LIMIT 1",
        -1, &seek, nullptr);
    int seeks = 0;
    std::vector<std::string> generation{subject};
    for (int g = 0; g < generations; ++g) {
        std::vector<std::string> parents;
        for (const std::string &name : generation) {
            std::string sire, dam;
            if (!name.empty() && name != "Not On Record") {
                sqlite3_bind_text(seek, 1, name.c_str(), -1, SQLITE_STATIC);
                ++seeks;
                if (sqlite3_step(seek) == SQLITE_ROW) {
                    const auto *s = sqlite3_column_text(seek, 5);
                    const auto *d = sqlite3_column_text(seek, 6);
                    sire = s ? reinterpret_cast<const char *>(s) : "";
                    dam = d ? reinterpret_cast<const char *>(d) : "";
                }
                sqlite3_reset(seek);
            }
            parents.push_back(sire);
            parents.push_back(dam);
        }
        generation = std::move(parents);
    }
    sqlite3_finalize(seek);
    return seeks;
}

} // namespace bench::bare

namespace bench::bare {

void monthRows(const char *table, const char *dateColumn, bool sameYear)
{
    sqlite3 *db = openFile("kennelbase.ddx");
    const std::string column = std::string("\"") + dateColumn + "\"";
    std::string sql = "SELECT * FROM \"" + std::string(table) + "\" WHERE substr(" + column +
                      ", 6, 2) = strftime('%m', 'now')";
    if (sameYear)
        sql += " AND substr(" + column + ", 1, 4) = strftime('%Y', 'now')";
    readAll(db, (sql + " ORDER BY rowid").c_str());
    sqlite3_close(db);
}

void rowsOf(const char *table, const char *column, const QByteArray &value)
{
    sqlite3 *db = openFile("kennelbase.ddx");
    const std::string sql = "SELECT * FROM \"" + std::string(table) + "\" WHERE \"" + column +
                            "\" = '" + value.toStdString() + "' ORDER BY rowid DESC";
    readAll(db, sql.c_str());
    sqlite3_close(db);
}

} // namespace bench::bare
