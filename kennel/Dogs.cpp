#include "kennel/Dogs.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/NameLists.h"
#include "db/QueryColumns.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/SingleRows.h"
#include "db/SqlRows.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "kennel/DogFinder.h"
#include "kennel/NumberSlices.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {
namespace {

namespace dog = db::fields::dogs;

const QStringList lifeFields{dog::id, dog::name, dog::sex, dog::born, dog::died};

DogLife lifeIn(const db::RawRow &row)
{
    return {row.string(1), row.string(2), row.string(3), row.string(4), row.text(4).empty()};
}

} // namespace

KennelOwner::KennelOwner(const QSqlDatabase &kennel)
    : m_key(dogNameKey(db::setupRow(kennel).value(db::fields::setup::name).toString().trimmed()))
{
}

bool KennelOwner::owns(const QString &owner) const
{
    const QString trimmed = owner.trimmed();
    return trimmed.isEmpty() || dogNameKey(trimmed) == m_key;
}

QString kennelMales(const QSqlDatabase &kennel, std::unordered_set<qint64> *ids)
{
    const KennelOwner own(kennel);
    return db::scanRows(kennel, db::selectFrom(db::tables::dogs, {dog::id, dog::sex, dog::owner}),
                        [&](const db::RawRow &row) {
                            if (row.text(1) == "Male" && own.owns(row.string(2)))
                                ids->insert(row.whole(0));
                        });
}

QString dogsOfBreed(const QSqlDatabase &kennel, const QString &breed,
                    std::unordered_set<qint64> *ids)
{
    const QString wanted = breed.trimmed().toCaseFolded();
    return db::scanRows(kennel, db::selectFrom(db::tables::dogs, {dog::id, dog::breed}),
                        [&](const db::RawRow &row) {
                            if (row.string(1).trimmed().toCaseFolded() == wanted)
                                ids->insert(row.whole(0));
                        });
}

std::optional<QString> dogName(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::dogs, {dog::name}) % QStringLiteral(" WHERE ") %
              db::quoted(dog::id) % QStringLiteral(" = ?"));
    q.addBindValue(dogId);
    if (!db::execRead(q) || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

QDate DogLife::born() const
{
    return core::datetext::fromStored(bornStored);
}

QDate DogLife::died() const
{
    return core::datetext::fromStored(diedStored);
}

std::optional<DogLife> lifeOf(const QSqlDatabase &kennel, qint64 dogId)
{
    const auto lives = livesOf(kennel, {dogId});
    if (!lives || lives->empty())
        return std::nullopt;
    return lives->begin()->second;
}

std::optional<std::unordered_map<qint64, DogLife>> livesOf(const QSqlDatabase &kennel,
                                                           const std::vector<qint64> &dogIds)
{
    std::unordered_map<qint64, DogLife> lives;
    const QString problem = eachSliceOf(dogIds, dog::id, [&](const QString &where) {
        return db::scanRows(
            kennel, db::selectFrom(db::tables::dogs, lifeFields) % where,
            [&](const db::RawRow &row) { lives.emplace(row.whole(0), lifeIn(row)); });
    });
    if (!problem.isEmpty())
        return std::nullopt;
    return lives;
}

QHash<QString, QList<qint64>> dogsOwnedBy(const QSqlDatabase &kennel, const QStringList &owners)
{
    QHash<QString, QList<qint64>> dogs;
    const QHash<QString, core::DataSet> rows = db::rowsHoldingExactly(
        kennel, db::tables::dogs, dog::owner, owners, {db::fields::rowid, dog::owner});
    for (auto owner = rows.begin(); owner != rows.end(); ++owner) {
        for (const core::DataRow &row : *owner)
            dogs[owner.key()].append(row.values.value(db::fields::rowid).toLongLong());
    }
    return dogs;
}

std::optional<QHash<qint64, QVariantMap>>
dogFields(const QSqlDatabase &kennel, const QList<qint64> &dogIds, const QStringList &fields)
{
    QHash<qint64, QVariantMap> dogs;
    for (qsizetype from = 0; from < dogIds.size(); from += 4096) {
        QStringList numbers;
        for (const qint64 rowid : dogIds.mid(from, 4096))
            numbers << QString::number(rowid);
        QSqlQuery q(kennel);
        q.setForwardOnly(true);
        if (!db::execRead(
                q, db::selectFrom(db::tables::dogs, QStringList{db::fields::rowid} + fields) %
                       QStringLiteral(" WHERE rowid IN (") % numbers.join(u',') % u')'))
            return std::nullopt;
        const db::QueryColumns columns(q);
        while (q.next()) {
            QVariantMap &dog = dogs[columns.value(db::fields::rowid).toLongLong()];
            for (const QString &field : fields)
                dog.insert(field, columns.value(field));
        }
        if (!db::readToEnd(q))
            return std::nullopt;
    }
    return dogs;
}

QString scanDogs(const QSqlDatabase &kennel, const QStringList &fields,
                 const std::function<void(const db::RawRow &)> &each)
{
    return db::scanRows(
        kennel, db::selectFrom(db::tables::dogs, fields) % QStringLiteral(" ORDER BY rowid"), each);
}

namespace {

// Dates are stored as YYYY-MM-DD, so the month is a part of the text; the month is a number of
// ours, not typed text.
QString bornIn(int month)
{
    return QStringLiteral(" WHERE %1 = '%2' AND length(%3) = 10")
        .arg(db::monthOf(dog::born))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(db::quoted(dog::born));
}

} // namespace

QString eachBirthdayIn(const QSqlDatabase &kennel, int month,
                       const std::function<void(const QString &name, const QString &born)> &each)
{
    return db::scanRows(kennel,
                        db::selectFrom(db::tables::dogs, {dog::name, dog::born}) % bornIn(month) %
                            QStringLiteral(" ORDER BY rowid"),
                        [&](const db::RawRow &row) { each(row.string(0), row.string(1)); });
}

QString eachLivingBirthday(
    const QSqlDatabase &kennel,
    const std::function<void(qint64 dogId, const QString &name, const QDate &born)> &each)
{
    return db::scanRows(kennel,
                        db::selectFrom(db::tables::dogs, {dog::id, dog::name, dog::born}) %
                            QStringLiteral(" WHERE coalesce(") % db::quoted(dog::died) %
                            QStringLiteral(", '') = '' AND coalesce(") % db::quoted(dog::born) %
                            QStringLiteral(", '') <> ''"),
                        [&](const db::RawRow &row) {
                            each(row.whole(0), row.string(1),
                                 core::datetext::fromStored(row.string(2)));
                        });
}

int birthdaysIn(const QSqlDatabase &kennel, int month)
{
    int count = 0;
    db::scanRows(kennel,
                 QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::dogs) %
                     bornIn(month),
                 [&](const db::RawRow &row) { count = int(row.whole(0)); });
    return count;
}

QString dogNameTerm(const QString &dogId)
{
    return QStringLiteral("(SELECT d.") % db::quoted(dog::name) % QStringLiteral(" FROM ") %
           db::quoted(db::tables::dogs) % QStringLiteral(" d WHERE d.") % db::quoted(dog::id) %
           QStringLiteral(" = ") % dogId % QLatin1Char(')');
}

QString writeDogFields(const QSqlDatabase &kennel, qint64 dogId,
                       const QHash<QString, QVariant> &values)
{
    if (values.isEmpty())
        return {};
    QStringList assignments;
    QVariantList bound;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        assignments << db::quoted(it.key()) % QStringLiteral(" = ?");
        bound << it.value();
    }
    bound << dogId;
    return db::runStatement(kennel,
                            QStringLiteral("UPDATE main.") % db::quoted(db::tables::dogs) %
                                QStringLiteral(" SET ") % assignments.join(QStringLiteral(", ")) %
                                QStringLiteral(" WHERE ") % db::quoted(dog::id) %
                                QStringLiteral(" = ?"),
                            bound);
}

QString deleteDogRecord(const QSqlDatabase &kennel, qint64 dogId)
{
    return db::runStatement(kennel,
                            QStringLiteral("DELETE FROM ") % db::quoted(db::tables::dogs) %
                                QStringLiteral(" WHERE ") % db::quoted(dog::id) %
                                QStringLiteral(" = ?"),
                            {dogId});
}

QStringList dogNamesOwnedBy(const QSqlDatabase &kennel, const QString &owner)
{
    return db::columnValuesWhere(kennel, db::tables::dogs, dog::name, dog::owner, owner);
}

bool hasDogs(const QSqlDatabase &kennel)
{
    return db::TableCursor(kennel, db::tables::dogs).first();
}

qint64 dogCount(const QSqlDatabase &kennel)
{
    return db::rowCount(kennel, db::tables::dogs);
}

qint64 contactCount(const QSqlDatabase &kennel)
{
    return db::rowCount(kennel, db::tables::contacts);
}

} // namespace kennel
