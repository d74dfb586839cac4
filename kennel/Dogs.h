#pragma once

#include <functional>
#include <optional>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace db {
class RawRow;
}

// Which dogs the kennel's lists and filters mean, decided once.
namespace kennel {

// Whether a dog's owner is the kennel itself: no owner, or the kennel's own name as Setup gives
// it, blanks around either left out, compared as the pedigrees compare names (blind to case).
class KennelOwner
{
public:
    explicit KennelOwner(const QSqlDatabase &kennel);
    bool owns(const QString &owner) const;

private:
    std::string m_key;
};

// The males the kennel may use: those the kennel owns. The problem, or empty.
QString kennelMales(const QSqlDatabase &kennel, std::unordered_set<qint64> *ids);
// The dogs of a breed, the names compared blind to case and to blanks around them, as the breed
// lists compare them. The problem, or empty.
QString dogsOfBreed(const QSqlDatabase &kennel, const QString &breed,
                    std::unordered_set<qint64> *ids);
// The name of the dog with this number; nothing when it is not in the kennel.
std::optional<QString> dogName(const QSqlDatabase &kennel, qint64 dogId);
// The dogs whose owner is exactly this text, in stored order.
QStringList dogNamesOwnedBy(const QSqlDatabase &kennel, const QString &owner);
// Whether the kennel holds any dog row at all, named or not.
bool hasDogs(const QSqlDatabase &kennel);
// Who a dog is and whether it lives, as the seasons, calendars and due lists need it.
struct DogLife
{
    QString name;
    QString sex;
    QString bornStored;
    QString diedStored;
    bool living = true; // no date of death recorded, readable or not

    // Read only by those who need them: a list of thousands of dogs rarely does.
    QDate born() const;
    QDate died() const;
};
// The dog with this number; nothing when it is not in the kennel or could not be read.
std::optional<DogLife> lifeOf(const QSqlDatabase &kennel, qint64 dogId);
// The dogs with these numbers that are in the kennel. Nothing when they could not be read.
std::optional<std::unordered_map<qint64, DogLife>> livesOf(const QSqlDatabase &kennel,
                                                           const std::vector<qint64> &dogIds);
// The numbers of each owner's dogs, in stored order, the owner's text matched exactly as the
// listings match it.
QHash<QString, QList<qint64>> dogsOwnedBy(const QSqlDatabase &kennel, const QStringList &owners);
// These fields of the dogs with these numbers, by number, a few thousand to a statement (the
// field names blind to case, as the file's own may be). Nothing when they could not be read.
std::optional<QHash<qint64, QVariantMap>>
dogFields(const QSqlDatabase &kennel, const QList<qint64> &dogIds, const QStringList &fields);

// These fields of every dog in number order, straight from the file; the row's columns are in
// the order of `fields`. The problem, or empty.
QString scanDogs(const QSqlDatabase &kennel, const QStringList &fields,
                 const std::function<void(const db::RawRow &)> &each);
// The dogs whose stored date of birth is in this month, whatever the year, in stored order:
// their name and date of birth as stored. The problem, or empty.
QString eachBirthdayIn(const QSqlDatabase &kennel, int month,
                       const std::function<void(const QString &name, const QString &born)> &each);
// The living dogs with a date of birth, in stored order, as a calendar of birthdays needs them:
// their number, name and date of birth (invalid where the stored one is not a date). The problem,
// or empty.
QString eachLivingBirthday(
    const QSqlDatabase &kennel,
    const std::function<void(qint64 dogId, const QString &name, const QDate &born)> &each);
// How many; 0 when they could not be counted.
int birthdaysIn(const QSqlDatabase &kennel, int month);

// For a feature that sorts its own rows by a dog's name: an SQL expression of the name of the
// dog whose number is the caller's SQL expression `dogId`.
QString dogNameTerm(const QString &dogId);

// Inside the caller's transaction: writes these fields of the dog's record, or deletes the
// record alone (what names it or hangs on it is the caller's). The problem, or empty.
QString writeDogFields(const QSqlDatabase &kennel, qint64 dogId,
                       const QHash<QString, QVariant> &values);
QString deleteDogRecord(const QSqlDatabase &kennel, qint64 dogId);

// How many dog records, and how many contacts, the kennel holds.
qint64 dogCount(const QSqlDatabase &kennel);
qint64 contactCount(const QSqlDatabase &kennel);

} // namespace kennel
