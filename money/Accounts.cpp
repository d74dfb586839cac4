#include "money/Accounts.h"

#include "breeding/Weights.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/DogFinder.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "transfer/CsvExport.h"

#include <limits>
#include <map>
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

QVariant idOrNone(qint64 id)
{
    return id > 0 ? QVariant(id) : QVariant(QMetaType::fromType<qint64>());
}

QVariantList valuesOf(const AccountEntry &e)
{
    return {core::datetext::toStored(e.date),
            e.cents,
            e.income ? incomeWord : expenseWord,
            e.category.trimmed(),
            e.note,
            idOrNone(e.dogId),
            idOrNone(e.litterId),
            idOrNone(e.contactId),
            e.source.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(e.source),
            idOrNone(e.sourceId)};
}

QString yearRange(int year, QVariantList *values)
{
    if (year <= 0)
        return {};
    *values << QStringLiteral("%1-01-01").arg(year, 4, 10, QLatin1Char('0'))
            << QStringLiteral("%1-01-01").arg(year + 1, 4, 10, QLatin1Char('0'));
    return QStringLiteral(" WHERE ") % db::quoted(field::date) % QStringLiteral(" >= ? AND ") %
           db::quoted(field::date) % QStringLiteral(" < ?");
}

QString described(const AccountEntry &e)
{
    return QStringLiteral("%1 of %2 on %3")
        .arg(e.category, core::formatMoney(e.cents), core::datetext::shortDate(e.date));
}

} // namespace

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

std::optional<std::vector<AccountEntry>> accountEntries(const QSqlDatabase &kennel, int year)
{
    QVariantList range;
    const QString where = yearRange(year, &range);
    QString sql = db::selectFrom(db::tables::accounts, QStringList{field::id} + entryFields()) %
                  where % QStringLiteral(" ORDER BY ") % db::quoted(field::date) %
                  QStringLiteral(", ") % db::quoted(field::id);
    // The years are ours, not typed: read straight from SQLite, a year of a busy kennel at once.
    for (const QVariant &bound : std::as_const(range))
        sql.replace(sql.indexOf(QLatin1Char('?')), 1,
                    QLatin1Char('\'') % bound.toString() % QLatin1Char('\''));
    std::vector<AccountEntry> entries;
    const QString problem = db::scanRows(kennel, sql, [&](const db::RawRow &row) {
        AccountEntry e;
        e.id = row.whole(0);
        e.date = QDate::fromString(row.string(1), Qt::ISODate);
        e.cents = row.whole(2);
        e.income = row.text(3) == "Income";
        e.category = row.string(4);
        e.note = row.string(5);
        e.dogId = row.whole(6);
        e.litterId = row.whole(7);
        e.contactId = row.whole(8);
        e.source = row.string(9);
        e.sourceId = row.whole(10);
        entries.push_back(std::move(e));
    });
    if (!problem.isEmpty())
        return std::nullopt;
    return entries;
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
    auto read = [&](const QString &sql, QHash<qint64, QString> *into) {
        return db::scanRows(
                   kennel, sql,
                   [&](const db::RawRow &row) { into->insert(row.whole(0), row.string(1)); })
            .isEmpty();
    };
    namespace dog = db::fields::dogs;
    namespace contact = db::fields::contacts;
    const QString linkedIds = QStringLiteral(" IN (SELECT %1 FROM ") %
                              db::quoted(db::tables::accounts) %
                              QStringLiteral(" UNION SELECT %1 FROM ") %
                              db::quoted(db::tables::waitingList) % QLatin1Char(')');
    if (!read(QStringLiteral("SELECT ") % db::quoted(dog::id) % QStringLiteral(", ") %
                  db::quoted(dog::name) % QStringLiteral(" FROM ") % db::quoted(db::tables::dogs) %
                  QStringLiteral(" WHERE ") % db::quoted(dog::id) %
                  linkedIds.arg(db::quoted(field::dogId)),
              &names.dogs) ||
        !read(QStringLiteral("SELECT ") % db::quoted(contact::id) % QStringLiteral(", ") %
                  db::quoted(contact::name) % QStringLiteral(" FROM ") %
                  db::quoted(db::tables::contacts) % QStringLiteral(" WHERE ") %
                  db::quoted(contact::id) % linkedIds.arg(db::quoted(field::contactId)),
              &names.contacts))
        return std::nullopt;
    const auto litters = breeding::allLitters(kennel);
    if (!litters)
        return std::nullopt;
    for (const breeding::Litter &litter : *litters)
        names.litters.insert(litter.id, litter.label());
    return names;
}

qint64 dogIdNamed(const QSqlDatabase &kennel, const QString &name)
{
    db::DogFinder dog(kennel, {db::fields::rowid});
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

qint64 Total::value() const
{
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    constexpr qint64 least = std::numeric_limits<qint64>::min();
    return m_sum > most ? most : m_sum < least ? least : qint64(m_sum);
}

core::WriteResult<YearAccounts> yearAccounts(const QSqlDatabase &kennel, int year)
{
    QVariantList range;
    yearRange(year, &range);
    // Read straight from SQLite: a busy kennel's year is a couple of hundred thousand rows.
    QString from = range.value(0).toString();
    QString to = range.value(1).toString();
    const QString sql =
        QStringLiteral("SELECT substr(") % db::quoted(field::date) % QStringLiteral(", 6, 2), ") %
        db::quoted(field::kind) % QStringLiteral(", ") % db::quoted(field::category) %
        QStringLiteral(", ") % db::quoted(field::amount) % QStringLiteral(" FROM ") %
        db::quoted(db::tables::accounts) % QStringLiteral(" WHERE ") % db::quoted(field::date) %
        QStringLiteral(" >= '") % from % QStringLiteral("' AND ") % db::quoted(field::date) %
        QStringLiteral(" < '") % to % QLatin1Char('\'');
    struct Sums
    {
        QString category;
        std::array<Total, 12> months;
        Total total;
    };
    // Every sum is of the amounts themselves, so that none is held at the largest amount
    // before the end.
    std::map<std::pair<bool, QString>, Sums> sums; // income first, then categories
    std::array<Total, 12> income, expenses, balance;
    Total incomeTotal, expenseTotal, balanceTotal;
    const QString problem = db::scanRows(kennel, sql, [&](const db::RawRow &row) {
        const int month = row.string(0).toInt();
        if (month < 1 || month > 12)
            return;
        const size_t m = size_t(month - 1);
        const bool isIncome = row.text(1) == "Income";
        const QString category = row.string(2).trimmed();
        const qint64 cents = row.whole(3);
        Sums &s = sums[{!isIncome, category.toLower()}];
        if (s.category.isEmpty())
            s.category = category;
        s.months[m].add(cents);
        s.total.add(cents);
        (isIncome ? income : expenses)[m].add(cents);
        (isIncome ? incomeTotal : expenseTotal).add(cents);
        balance[m].add(isIncome ? cents : -cents);
        balanceTotal.add(isIncome ? cents : -cents);
    });
    if (!problem.isEmpty())
        return core::failure(problem);
    YearAccounts accounts;
    accounts.year = year;
    for (const auto &[key, s] : sums) {
        YearAccounts::Row row;
        row.category = s.category;
        row.income = !key.first;
        for (size_t m = 0; m < 12; ++m)
            row.months[m] = s.months[m].value();
        row.total = s.total.value();
        accounts.rows.push_back(row);
    }
    for (size_t m = 0; m < 12; ++m) {
        accounts.income[m] = income[m].value();
        accounts.expenses[m] = expenses[m].value();
        accounts.balance[m] = balance[m].value();
    }
    accounts.incomeTotal = incomeTotal.value();
    accounts.expenseTotal = expenseTotal.value();
    accounts.balanceTotal = balanceTotal.value();
    return accounts;
}

core::WriteResult<std::vector<LitterAccount>> litterAccounts(const QSqlDatabase &kennel)
{
    const auto litters = breeding::allLitters(kennel);
    if (!litters)
        return core::failure(QStringLiteral("the litters could not be read"));
    struct Sums
    {
        Total income, expenses, balance;
    };
    std::map<qint64, Sums> sums;
    const QString problem = db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % db::quoted(field::litterId) % QStringLiteral(", ") %
            db::quoted(field::kind) % QStringLiteral(", ") % db::quoted(field::amount) %
            QStringLiteral(" FROM ") % db::quoted(db::tables::accounts) %
            QStringLiteral(" WHERE ") % db::quoted(field::litterId) % QStringLiteral(" > 0"),
        [&](const db::RawRow &row) {
            Sums &s = sums[row.whole(0)];
            const bool income = row.text(1) == "Income";
            (income ? s.income : s.expenses).add(row.whole(2));
            s.balance.add(income ? row.whole(2) : -row.whole(2));
        });
    if (!problem.isEmpty())
        return core::failure(problem);
    std::vector<LitterAccount> accounts;
    for (const breeding::Litter &litter : *litters) {
        const auto found = sums.find(litter.id);
        if (found == sums.end())
            continue;
        accounts.push_back({litter.id, litter.label(), found->second.income.value(),
                            found->second.expenses.value(), found->second.balance.value()});
    }
    return accounts;
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
