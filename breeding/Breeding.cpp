#include "breeding/Breeding.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/QueryColumns.h"
#include "db/SingleRows.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace breeding {

core::WriteResult<> addMating(QSqlDatabase db, const QString &sire, const QString &dam,
                              const QDate &mated, const QDate &due)
{
    db::TableCursor mating(std::move(db), db::tables::matings);
    if (!mating.addNew())
        return core::failure(mating.lastError());
    mating.setValue(QStringLiteral("dgname1"), sire);
    mating.setValue(QStringLiteral("dgname2"), dam);
    mating.setValue(QStringLiteral("datemated"), core::datetext::toStored(mated));
    mating.setValue(QStringLiteral("datedue"), core::datetext::toStored(due));
    if (!mating.update())
        return core::failure(mating.lastError());
    return {};
}

MatingLines matingLines(const QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT rowid AS \"rowid\", dgname1, dgname2 FROM ") %
           db::tables::matings %
           QStringLiteral(" WHERE dgname2 "
                          "<> '' ORDER BY rowid"));
    MatingLines result;
    const db::QueryColumns columns(q);
    while (q.next()) {
        result.rows.push_back(columns.value(QStringLiteral("rowid")).toLongLong());
        result.lines << QString(columns.value(QStringLiteral("dgname2")).toString() +
                                QStringLiteral(" With ") +
                                columns.value(QStringLiteral("dgname1")).toString());
    }
    return result;
}

Mating viewMating(const QSqlDatabase &db, qint64 row)
{
    Mating mating;
    db::TableCursor matings(db, db::tables::matings);
    if (!matings.moveTo(row))
        return mating;
    mating.sire = matings.value(QStringLiteral("dgname1")).toString();
    mating.dam = matings.value(QStringLiteral("dgname2")).toString();
    db::TableCursor dogs(db, db::tables::dogs);
    if (dogs.seek(QStringLiteral("name"), mating.dam))
        mating.damBreed = dogs.value(QStringLiteral("breed")).toString();
    return mating;
}

core::WriteResult<qint64> addLitter(QSqlDatabase db, const NewLitter &litter)
{
    db::Transaction batch(db);
    // The kennel's own name breeds and owns the pups; without a setup row they get none.
    const QVariantMap setup = db::setupRow(db);
    const QVariant kennelName = setup.value(QStringLiteral("Name"));
    const QVariant kennelCountry = setup.value(QStringLiteral("country"));
    db::TableCursor litters(db, db::tables::litters);
    if (!litters.addNew())
        return core::failure(litters.lastError());
    const qint64 litterId = litters.rowId();
    litters.setValue(QStringLiteral("sire"), litter.sire);
    litters.setValue(QStringLiteral("dam"), litter.dam);
    litters.setValue(QStringLiteral("littersize"), litter.pups);
    litters.setValue(QStringLiteral("dateoflitter"), core::datetext::toStored(litter.born));
    litters.setValue(QStringLiteral("breedoflitter"), litter.breed);
    if (!litters.update())
        return core::failure(litters.lastError());
    const QDate born = litter.born.year() == 1900
                           ? QDate(2000, litter.born.month(), litter.born.day())
                           : litter.born;
    db::TableCursor dogs(db, db::tables::dogs);
    for (int i = 1; i <= litter.pups; ++i) {
        if (!dogs.addNew())
            return core::failure(dogs.lastError());
        const QString name =
            QStringLiteral("PPLITTER") + core::signedText(litterId) + core::signedText(i);
        dogs.setValue(QStringLiteral("name"), name);
        dogs.setValue(QStringLiteral("dob"), core::datetext::toStored(born));
        dogs.setValue(QStringLiteral("cob"), kennelCountry);
        dogs.setValue(QStringLiteral("breeder"), kennelName);
        dogs.setValue(QStringLiteral("ownerid"), kennelName);
        dogs.setValue(QStringLiteral("breed"), litter.breed);
        dogs.setValue(QStringLiteral("sire"), litter.sire);
        dogs.setValue(QStringLiteral("dam"), litter.dam);
        dogs.setValue(QStringLiteral("dognumber"), dogs.rowId());
        if (!dogs.update())
            return core::failure(dogs.lastError());
    }
    if (const auto committed = batch.commit(); !committed)
        return core::failure(committed.problem());
    return litterId;
}

QStringList matingHistory(const QSqlDatabase &db, const QString &dog)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT dgname1, dgname2, datemated FROM ") % db::tables::matings %
              QStringLiteral(" "
                             "WHERE dgname1 = ? OR dgname2 = ? ORDER BY rowid"));
    q.addBindValue(dog);
    q.addBindValue(dog);
    q.exec();
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        const QString sire = columns.value(QStringLiteral("dgname1")).toString();
        const QString dam = columns.value(QStringLiteral("dgname2")).toString();
        const QString line = sire + QStringLiteral(" was Mated With ") + dam +
                             QStringLiteral(" on ") +
                             core::datetext::display(columns.value(QStringLiteral("datemated")));
        // A dog mated with itself is listed once as sire and once as dam.
        for (bool matches : {sire == dog, dam == dog}) {
            if (matches)
                lines << line << QStringLiteral(" ");
        }
    }
    if (lines.isEmpty())
        lines << QStringLiteral("This dog has not been Mated according to our Records");
    return lines;
}

} // namespace breeding
