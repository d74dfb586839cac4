#include "money/Accounts.h"

#include "breeding/Weights.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Contacts.h"
#include "kennel/DogFinder.h"
#include "kennel/Dogs.h"
#include "kennel/Litters.h"
#include "transfer/CsvExport.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringBuilder>

namespace money {
namespace {

namespace field = db::fields::accounts;

const QStringList &entryFields()
{
    static const QStringList fields{
        field::date,  field::amount,   field::kind,      field::category, field::note,
        field::dogId, field::litterId, field::contactId, field::source,   field::sourceId};
    return fields;
}

QVariantList valuesOf(const AccountEntry &e)
{
    return {core::datetext::toStored(e.date),
            e.cents,
            e.income ? incomeWord : expenseWord,
            e.category.trimmed(),
            e.note,
            db::idOrNone(e.dogId),
            db::idOrNone(e.litterId),
            db::idOrNone(e.contactId),
            e.source.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(e.source),
            db::idOrNone(e.sourceId)};
}

// A day stored as YYYY-MM-DD, read without the cost of a general date parser.
QDate storedDay(std::string_view text)
{
    auto number = [&](size_t from, size_t length) {
        int n = 0;
        for (size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return {};
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

QString described(const AccountEntry &e)
{
    return QStringLiteral("%1 of %2 on %3")
        .arg(e.category, core::formatMoney(e.cents), core::datetext::shortDate(e.date));
}

} // namespace

// The year is a number, written into the SQL. The table is read in its own order, not through
// the dates' index: a year is most of a busy kennel's entries, which that index would fetch one
// at a time, out of order.
QString yearWhere(int year)
{
    if (year <= 0)
        return {};
    const QString date = QStringLiteral("+") % db::quoted(field::date);
    return QStringLiteral(" WHERE %1 >= '%2-01-01' AND %1 < '%3-01-01'")
        .arg(date)
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(year + 1, 4, 10, QLatin1Char('0'));
}

QStringList builtInCategories()
{
    return {QStringLiteral("Sale"),      QStringLiteral("Deposit"),
            QStringLiteral("Refund"),    QStringLiteral("Stud fee"),
            QStringLiteral("Vet"),       QStringLiteral("Health tests"),
            QStringLiteral("Food"),      QStringLiteral("Registration"),
            QStringLiteral("Travel"),    QStringLiteral("Advertising"),
            QStringLiteral("Equipment"), QStringLiteral("Other")};
}

bool incomeByDefault(const QString &category)
{
    return category.compare(QLatin1String("Sale"), Qt::CaseInsensitive) == 0 ||
           category.compare(QLatin1String("Deposit"), Qt::CaseInsensitive) == 0;
}

std::optional<QStringList> categories(const QSqlDatabase &kennel)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    if (!db::execRead(q, QStringLiteral("SELECT DISTINCT ") % db::quoted(field::category) %
                             QStringLiteral(" FROM ") % db::quoted(db::tables::accounts) %
                             QStringLiteral(" ORDER BY 1 COLLATE NOCASE")))
        return std::nullopt;
    QStringList all = builtInCategories();
    while (q.next()) {
        const QString category = q.value(0).toString().trimmed();
        if (!category.isEmpty() && !all.contains(category, Qt::CaseInsensitive))
            all << category;
    }
    return all;
}

std::optional<QList<int>> entryYears(const QSqlDatabase &kennel)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    if (!db::execRead(q, QStringLiteral("SELECT DISTINCT substr(") % db::quoted(field::date) %
                             QStringLiteral(", 1, 4) FROM ") % db::quoted(db::tables::accounts) %
                             QStringLiteral(" ORDER BY 1 DESC")))
        return std::nullopt;
    QList<int> years;
    while (q.next()) {
        bool ok = false;
        const int year = q.value(0).toInt(&ok);
        if (ok && year > 0)
            years << year;
    }
    const int now = core::Clock::today().year();
    if (!years.contains(now)) {
        years << now;
        std::sort(years.begin(), years.end(), std::greater<>());
    }
    return years;
}

namespace {

// The entries a select of the id and the entry's fields gives, in its order.
std::optional<std::vector<AccountEntry>> readEntries(const QSqlDatabase &kennel, const QString &sql,
                                                     size_t expected)
{
    std::vector<AccountEntry> entries;
    entries.reserve(expected);
    // The few categories and sources, made into text once each rather than once a row.
    std::vector<std::pair<std::string, QString>> words;
    auto word = [&](std::string_view raw) -> QString {
        for (const auto &[bytes, text] : words) {
            if (bytes == raw)
                return text;
        }
        words.emplace_back(std::string(raw), QString::fromUtf8(raw.data(), qsizetype(raw.size())));
        return words.back().second;
    };
    const QString problem = db::scanRows(kennel, sql, [&](const db::RawRow &row) {
        AccountEntry e;
        e.id = row.whole(0);
        e.date = storedDay(row.text(1));
        e.cents = row.whole(2);
        e.income = row.text(3) == "Income";
        e.category = word(row.text(4));
        e.note = row.string(5);
        e.dogId = row.whole(6);
        e.litterId = row.whole(7);
        e.contactId = row.whole(8);
        e.source = word(row.text(9));
        e.sourceId = row.whole(10);
        entries.push_back(std::move(e));
    });
    if (!problem.isEmpty())
        return std::nullopt;
    return entries;
}

} // namespace

std::optional<std::vector<AccountEntry>> accountEntries(const QSqlDatabase &kennel, int year)
{
    return readEntries(
        kennel,
        db::selectFrom(db::tables::accounts, QStringList{field::id} + entryFields()) %
            yearWhere(year),
        0);
}

std::optional<std::vector<qint64>> entryIds(const QSqlDatabase &kennel, int year, EntryOrder order,
                                            bool ascending)
{
    const QString a = QStringLiteral("a.");
    QString key;
    switch (order) {
    case EntryOrder::Date:
        key = a % db::quoted(field::date);
        break;
    case EntryOrder::Kind:
        key = a % db::quoted(field::kind);
        break;
    case EntryOrder::Category:
        key = a % db::quoted(field::category) % QStringLiteral(" COLLATE NOCASE");
        break;
    case EntryOrder::Amount:
        key = a % db::quoted(field::amount);
        break;
    case EntryOrder::Dog:
        key = kennel::dogNameTerm(a % db::quoted(field::dogId)) % QStringLiteral(" COLLATE NOCASE");
        break;
    case EntryOrder::Litter:
        key = kennel::litterParentsTerm(a % db::quoted(field::litterId)) %
              QStringLiteral(" COLLATE NOCASE");
        break;
    case EntryOrder::Note:
        key = a % db::quoted(field::note) % QStringLiteral(" COLLATE NOCASE");
        break;
    case EntryOrder::Source:
        key = a % db::quoted(field::source);
        break;
    }
    // By day through the dates' index, which holds the ids too: nothing else is read.
    QString where = yearWhere(year);
    if (order == EntryOrder::Date)
        where.remove(QLatin1Char('+'));
    const QString direction = ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    const QString sql = QStringLiteral("SELECT a.") % db::quoted(field::id) %
                        QStringLiteral(" FROM ") % db::quoted(db::tables::accounts) %
                        QStringLiteral(" a") %
                        where.replace(db::quoted(field::date), a % db::quoted(field::date)) %
                        QStringLiteral(" ORDER BY ") % key % direction % QStringLiteral(", a.") %
                        db::quoted(field::id) % direction;
    std::vector<qint64> ids;
    const QString problem =
        db::scanRows(kennel, sql, [&](const db::RawRow &row) { ids.push_back(row.whole(0)); });
    if (!problem.isEmpty())
        return std::nullopt;
    return ids;
}

std::optional<std::vector<AccountEntry>> entriesWithIds(const QSqlDatabase &kennel,
                                                        const std::vector<qint64> &ids)
{
    if (ids.empty())
        return std::vector<AccountEntry>();
    QStringList numbers;
    numbers.reserve(qsizetype(ids.size()));
    for (const qint64 id : ids)
        numbers << QString::number(id);
    return readEntries(
        kennel,
        db::selectFrom(db::tables::accounts, QStringList{field::id} + entryFields()) %
            QStringLiteral(" WHERE ") % db::quoted(field::id) % QStringLiteral(" IN (") %
            numbers.join(QLatin1Char(',')) % QLatin1Char(')'),
        ids.size());
}

QString entryProblem(const AccountEntry &entry)
{
    if (!entry.date.isValid())
        return QStringLiteral("An entry needs its date.");
    if (entry.category.trimmed().isEmpty())
        return QStringLiteral("An entry needs its category, such as Vet or Food.");
    return {};
}

QString linkedEntryRefusal(const AccountEntry &entry)
{
    if (entry.source == saleSource)
        return QStringLiteral("This entry is the sale's: it stays as the sale recorded it.");
    if (entry.source == depositSource || entry.source == refundSource)
        return QStringLiteral("This entry is the deposit's: change the deposit on the Waiting "
                              "List instead.");
    return {};
}

core::WriteResult<qint64> addEntry(QSqlDatabase kennel, const AccountEntry &entry)
{
    return db::runLogged(kennel, QStringLiteral("Added %1").arg(described(entry)),
                         db::insertInto(db::tables::accounts, entryFields()), valuesOf(entry));
}

core::WriteResult<> saveEntry(QSqlDatabase kennel, const AccountEntry &entry)
{
    const auto saved =
        db::runLogged(kennel, QStringLiteral("Changed %1").arg(described(entry)),
                      db::updateWhere(db::tables::accounts, entryFields(), field::id),
                      valuesOf(entry) << entry.id);
    if (!saved)
        return core::failure(saved.problem());
    return {};
}

core::WriteResult<> removeEntry(QSqlDatabase kennel, const AccountEntry &entry)
{
    const auto removed = db::runLogged(
        kennel, QStringLiteral("Deleted %1").arg(described(entry)),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::accounts) %
            QStringLiteral(" WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
        {entry.id});
    if (!removed)
        return core::failure(removed.problem());
    return {};
}

QString bookLinked(const QSqlDatabase &kennel, const AccountEntry &entry)
{
    qint64 existing = 0;
    if (const QString problem = db::runStatement(
            kennel,
            QStringLiteral("SELECT ") % db::quoted(field::id) % QStringLiteral(" FROM ") %
                db::quoted(db::tables::accounts) % QStringLiteral(" WHERE ") %
                db::quoted(field::source) % QStringLiteral(" = ? AND ") %
                db::quoted(field::sourceId) % QStringLiteral(" = ?"),
            {entry.source, entry.sourceId}, &existing);
        !problem.isEmpty())
        return problem;
    if (existing == 0)
        return db::runStatement(kennel, db::insertInto(db::tables::accounts, entryFields()),
                                valuesOf(entry));
    return db::runStatement(kennel, db::updateWhere(db::tables::accounts, entryFields(), field::id),
                            valuesOf(entry) << existing);
}

std::optional<LinkedNames> linkedNames(const QSqlDatabase &kennel)
{
    LinkedNames names;
    // Through the indexes of the links, which leave out the entries that link nothing.
    auto linked = [&](const QString &link, std::vector<qint64> *ids) {
        const QString sql = QStringLiteral("SELECT %1 FROM ") % db::quoted(db::tables::accounts) %
                            QStringLiteral(" WHERE %1 IS NOT NULL UNION SELECT %1 FROM ") %
                            db::quoted(db::tables::waitingList) %
                            QStringLiteral(" WHERE %1 IS NOT NULL");
        return db::scanRows(kennel, sql.arg(link),
                            [&](const db::RawRow &row) { ids->push_back(row.whole(0)); })
            .isEmpty();
    };
    std::vector<qint64> dogIds, contactIds;
    if (!linked(db::quoted(field::dogId), &dogIds) ||
        !linked(db::quoted(field::contactId), &contactIds))
        return std::nullopt;
    const auto dogs = kennel::livesOf(kennel, dogIds);
    const auto contacts = kennel::contactNames(kennel, contactIds);
    if (!dogs || !contacts)
        return std::nullopt;
    for (const auto &[id, dog] : *dogs)
        names.dogs.insert(id, dog.name);
    names.contacts = *contacts;
    const auto litters = kennel::allLitters(kennel);
    if (!litters)
        return std::nullopt;
    for (const kennel::Litter &litter : *litters) {
        names.litters.insert(litter.id, litter.label());
        names.latestLitters.emplace_back(litter.id, litter.label());
    }
    return names;
}

qint64 dogIdNamed(const QSqlDatabase &kennel, const QString &name)
{
    kennel::DogFinder dog(kennel, {db::fields::rowid});
    return dog.find(name) ? dog.value(db::fields::rowid).toLongLong() : 0;
}

std::optional<qint64> readSignedAmount(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QChar(0x2212));
    const std::optional<qint64> cents = core::parseMoney(negative ? trimmed.mid(1) : trimmed);
    if (!cents)
        return std::nullopt;
    return negative ? -*cents : *cents;
}

QByteArray accountsCsv(const QSqlDatabase &kennel, const std::vector<AccountEntry> &entries)
{
    const LinkedNames names = linkedNames(kennel).value_or(LinkedNames());
    QByteArray csv("date,kind,category,amount,note,dog,litter,source\n");
    for (const AccountEntry &e : entries) {
        auto text = [](const QString &value) {
            return transfer::csvField(transfer::guarded(value));
        };
        csv += core::datetext::toStored(e.date).toLatin1() + ',' +
               (e.income ? incomeWord : expenseWord).toLatin1() + ',' + text(e.category) + ',' +
               core::plainAmount(e.cents).toLatin1() + ',' + text(e.note) + ',' +
               text(names.dogs.value(e.dogId)) + ',' + text(names.litters.value(e.litterId)) + ',' +
               e.source.toLatin1() + '\n';
    }
    return csv;
}

} // namespace money
