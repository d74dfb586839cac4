#include "kennel/DogRows.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/WriteCount.h"

#include <QStringBuilder>

namespace kennel {
namespace {

namespace dog = db::fields::dogs;

const QStringList &pedigreeFields()
{
    static const QStringList fields{dog::id,  dog::name, dog::sire, dog::dam,
                                    dog::sex, dog::born, dog::died};
    return fields;
}

} // namespace

QString scanPedigrees(const QSqlDatabase &kennel,
                      const std::function<void(const PedigreeRow &)> &each,
                      const std::vector<qint64> *only)
{
    enum Column { Id, Name, Sire, Dam, Sex, Born, Died };
    QString where;
    if (only) {
        QStringList ids;
        for (const qint64 id : *only)
            ids << QString::number(id);
        where = QStringLiteral(" WHERE rowid IN (") % ids.join(QLatin1Char(',')) % QLatin1Char(')');
    }
    return db::scanRows(kennel,
                        db::selectFrom(db::tables::dogs, pedigreeFields()) % where %
                            QStringLiteral(" ORDER BY rowid"),
                        [&](const db::RawRow &row) {
                            each({row.whole(Id), row.text(Name), row.text(Sire), row.text(Dam),
                                  row.text(Sex), row.text(Born), !row.text(Died).empty()});
                        });
}

qint64 highestDogNumber(const QSqlDatabase &kennel)
{
    qint64 highest = 0;
    db::scanRows(kennel, QStringLiteral("SELECT max(rowid) FROM ") % db::quoted(db::tables::dogs),
                 [&](const db::RawRow &row) { highest = row.whole(0); });
    return highest;
}

QString pedigreeVersion(const QSqlDatabase &kennel)
{
    return db::tableVersion(kennel, db::tables::dogs, pedigreeFields());
}

std::optional<std::vector<qint64>> pedigreesWrittenSince(const QSqlDatabase &kennel,
                                                         const QString &version, qsizetype most)
{
    return db::rowsWrittenSince(kennel, db::tables::dogs, version, pedigreeFields(), most);
}

QString dogsVersion(const QSqlDatabase &kennel)
{
    return db::tableVersion(kennel, db::tables::dogs);
}

QString contactsVersion(const QSqlDatabase &kennel)
{
    return db::tableVersion(kennel, db::tables::contacts);
}

QString scanIdentities(const QSqlDatabase &kennel,
                       const std::function<void(const IdentityRow &)> &each)
{
    enum Column { Id, Name, Registration, Microchip };
    return db::scanRows(
        kennel,
        db::selectFrom(db::tables::dogs, {dog::id, dog::name, dog::registration, dog::microchip}),
        [&](const db::RawRow &row) {
            each({row.whole(Id), row.text(Name), row.text(Registration), row.text(Microchip)});
        });
}

std::optional<Tally> tallyOf(const QMap<QString, qint64> &rowsByTable)
{
    if (!rowsByTable.contains(db::tables::dogs))
        return std::nullopt;
    return Tally{rowsByTable.value(db::tables::dogs), rowsByTable.value(db::tables::contacts)};
}

} // namespace kennel
