#include "breeding/Breeding.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/SingleRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/DogFinder.h"
#include "kennel/Litters.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace breeding {

namespace fields = db::fields;

core::WriteResult<> addMating(QSqlDatabase db, const QString &sire, const QString &dam,
                              const QDate &mated, const QDate &due)
{
    db::Transaction transaction(db);
    db::LoggedChange logged(db, QStringLiteral("Added the mating of %1 and %2").arg(dam, sire));
    db::TableCursor mating(db, db::tables::matings);
    if (!mating.addNew())
        return core::failure(mating.lastError());
    mating.setValue(fields::matings::sire, sire);
    mating.setValue(fields::matings::dam, dam);
    mating.setValue(fields::matings::mated, core::datetext::toStored(mated));
    mating.setValue(fields::matings::due, core::datetext::toStored(due));
    if (!mating.update())
        return core::failure(mating.lastError());
    return logged.land(transaction);
}

std::vector<qint64> matingRows(const QSqlDatabase &db)
{
    std::vector<qint64> rows;
    db::scanRows(db,
                 db::selectFrom(db::tables::matings, {fields::rowid}) % QStringLiteral(" WHERE ") %
                     db::quoted(fields::matings::dam) % QStringLiteral(" <> '' ORDER BY rowid"),
                 [&](const db::RawRow &row) { rows.push_back(row.whole(0)); });
    rows.shrink_to_fit();
    return rows;
}

namespace {

// A mating's line as the litter screen lists it; a mating without a sire still has one.
QString lineOfMating()
{
    return db::quoted(fields::matings::dam) % QStringLiteral(" || ' With ' || ifnull(") %
           db::quoted(fields::matings::sire) % QStringLiteral(", '')");
}

} // namespace

MatingLineReader::MatingLineReader(const QSqlDatabase &db) : m_line(db), m_starting(db)
{
    const QString table = db::quoted(db::tables::matings);
    m_line.prepare(QStringLiteral("SELECT ") % lineOfMating() % QStringLiteral(" FROM ") % table %
                   QStringLiteral(" WHERE rowid = ?"));
    m_starting.prepare(QStringLiteral("SELECT row FROM (SELECT rowid AS row, ") % lineOfMating() %
                       QStringLiteral(" AS line FROM ") % table % QStringLiteral(" WHERE ") %
                       db::quoted(fields::matings::dam) %
                       QStringLiteral(" <> '' AND rowid >= ?) WHERE substr(line, 1, ?) = ? "
                                      "COLLATE NOCASE ORDER BY row LIMIT 1"));
}

QString MatingLineReader::line(qint64 row)
{
    m_line.bindValue(0, row);
    const QString line = m_line.exec() && m_line.next() ? m_line.value(0).toString() : QString();
    m_line.finish();
    return line;
}

std::optional<qint64> MatingLineReader::firstStartingWith(const QString &text, qint64 from)
{
    m_starting.bindValue(0, from);
    m_starting.bindValue(1, text.size());
    m_starting.bindValue(2, text);
    std::optional<qint64> found;
    if (m_starting.exec() && m_starting.next())
        found = m_starting.value(0).toLongLong();
    m_starting.finish();
    return found;
}

Mating viewMating(const QSqlDatabase &db, qint64 row)
{
    Mating mating;
    db::TableCursor matings(db, db::tables::matings);
    if (!matings.moveTo(row))
        return mating;
    mating.sire = matings.value(fields::matings::sire).toString();
    mating.dam = matings.value(fields::matings::dam).toString();
    kennel::DogFinder dam(db, {fields::dogs::breed});
    if (dam.find(mating.dam))
        mating.damBreed = dam.value(fields::dogs::breed).toString();
    return mating;
}

QStringList matingHistory(const QSqlDatabase &db, const QString &dog)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::matings, {fields::matings::sire, fields::matings::dam,
                                                   fields::matings::mated}) %
              QStringLiteral(" WHERE ") % db::quoted(fields::matings::sire) %
              QStringLiteral(" = ? OR ") % db::quoted(fields::matings::dam) %
              QStringLiteral(" = ? ORDER BY rowid"));
    q.addBindValue(dog);
    q.addBindValue(dog);
    if (!db::execRead(q))
        return {};
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        const QString sire = columns.value(fields::matings::sire).toString();
        const QString dam = columns.value(fields::matings::dam).toString();
        const QString line = sire + QStringLiteral(" was Mated With ") + dam +
                             QStringLiteral(" on ") +
                             core::datetext::display(columns.value(fields::matings::mated));
        // A dog mated with itself is listed once as sire and once as dam.
        for (bool matches : {sire == dog, dam == dog}) {
            if (matches)
                lines << line << QStringLiteral(" ");
        }
    }
    // A read that stopped early must not pass for a dog never mated.
    if (db::readToEnd(q) && lines.isEmpty())
        lines << QStringLiteral("This dog has not been Mated according to our Records");
    return lines;
}

} // namespace breeding
