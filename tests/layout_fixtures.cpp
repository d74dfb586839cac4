// Writes the file of each layout version that has none yet into tests/layouts/v<version>/:
// run once when a version is released, so that the upgrade test holds a real file of every
// version. A file once written is never written again; the steps it was made by may not change.
//
//   layout_fixtures <tests/layouts>
#include "db/LayoutSteps.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

bool exec(QSqlDatabase &db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    if (q.exec())
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

// Two rows in every table, with the awkward texts real kennels hold, so that an upgrade that
// loses or changes one is seen.
bool addRows(QSqlDatabase &db)
{
    QStringList tables;
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                          "'sqlite%' ORDER BY rowid"));
    while (q.next())
        tables << q.value(0).toString();
    for (const QString &table : std::as_const(tables)) {
        QStringList names;
        QVariantList values[2];
        QSqlQuery columns(db);
        columns.exec(
            QStringLiteral("SELECT name, type, pk FROM pragma_table_info('%1')").arg(table));
        while (columns.next()) {
            if (columns.value(2).toInt() == 1)
                continue;
            const QString name = columns.value(0).toString();
            const QString type = columns.value(1).toString();
            names << QLatin1Char('"') + name + QLatin1Char('"');
            for (int row = 0; row < 2; ++row) {
                if (type == QLatin1String("INTEGER"))
                    values[row] << row + 1;
                else if (type == QLatin1String("REAL"))
                    values[row] << 0.25 * (row + 1);
                else if (row == 0)
                    values[row] << QStringLiteral("Zoë O'Brien \"%1\"").arg(name);
                else
                    values[row] << QVariant(); // no value, which is not empty text
            }
        }
        const QString marks = QStringList(names.size(), QStringLiteral("?")).join(u',');
        for (const QVariantList &row : values) {
            if (!exec(db,
                      QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                          .arg(table, names.join(u','), marks),
                      row))
                return false;
        }
    }
    return true;
}

bool make(const QString &folder, int version)
{
    for (const auto &[file, name] : {std::pair{db::File::Kennel, "kennelbase.ddx"},
                                     std::pair{db::File::Report, "report.ddx"}}) {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(QDir(folder).filePath(QString::fromLatin1(name)));
        if (!db.open())
            return false;
        // The smallest pages keep the files small.
        bool made = exec(db, QStringLiteral("PRAGMA page_size = 512"));
        // The first program kept no version: its layout is the first step's.
        for (int step = 1; made && step <= std::max(version, 1); ++step) {
            const QString problem = db::runLayoutStep(db, file, step);
            if (!problem.isEmpty())
                std::fprintf(stderr, "step %d: %s\n", step, qPrintable(problem));
            made = problem.isEmpty();
        }
        made = made && exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version)) &&
               addRows(db) && exec(db, QStringLiteral("VACUUM"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        if (!made)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "layout_fixtures <tests/layouts>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int version = 0; version <= db::layoutSteps(); ++version) {
        const QString folder = root.filePath(QStringLiteral("v%1").arg(version));
        if (QDir(folder).exists())
            continue;
        if (!QDir().mkpath(folder) || !make(folder, version))
            return 1;
        std::printf("%s\n", qPrintable(folder));
    }
    return 0;
}
