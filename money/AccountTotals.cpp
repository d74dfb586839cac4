#include "money/AccountTotals.h"

#include "breeding/Weights.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Litters.h"
#include "money/Accounts.h"

#include <limits>
#include <map>
#include <QStringBuilder>

namespace money {

namespace field = db::fields::accounts;

qint64 Total::value() const
{
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    constexpr qint64 least = std::numeric_limits<qint64>::min();
    return m_sum > most ? most : m_sum < least ? least : qint64(m_sum);
}

namespace {

// A year's sums by month, kind and category, of the amounts themselves, so that none is held
// at the largest amount before the end.
class YearSums
{
public:
    void add(int month, bool income, const QString &category, const Total &cents)
    {
        if (month < 1 || month > 12)
            return;
        const size_t m = size_t(month - 1);
        Sums &s = m_sums[{!income, category.trimmed().toLower()}];
        if (s.category.isEmpty())
            s.category = category.trimmed();
        s.months[m].add(cents);
        s.total.add(cents);
        (income ? m_income : m_expenses)[m].add(cents);
        (income ? m_incomeTotal : m_expenseTotal).add(cents);
        m_balance[m].add(income ? cents : cents.negated());
        m_balanceTotal.add(income ? cents : cents.negated());
    }

    YearAccounts result(int year) const
    {
        YearAccounts accounts;
        accounts.year = year;
        for (const auto &[key, s] : m_sums) {
            YearAccounts::Row row;
            row.category = s.category;
            row.income = !key.first;
            for (size_t m = 0; m < 12; ++m)
                row.months[m] = s.months[m].value();
            row.total = s.total.value();
            accounts.rows.push_back(row);
        }
        for (size_t m = 0; m < 12; ++m) {
            accounts.income[m] = m_income[m].value();
            accounts.expenses[m] = m_expenses[m].value();
            accounts.balance[m] = m_balance[m].value();
        }
        accounts.incomeTotal = m_incomeTotal.value();
        accounts.expenseTotal = m_expenseTotal.value();
        accounts.balanceTotal = m_balanceTotal.value();
        return accounts;
    }

private:
    struct Sums
    {
        QString category;
        std::array<Total, 12> months;
        Total total;
    };
    std::map<std::pair<bool, QString>, Sums> m_sums; // income first, then by category
    std::array<Total, 12> m_income, m_expenses, m_balance;
    Total m_incomeTotal, m_expenseTotal, m_balanceTotal;
};

} // namespace

core::WriteResult<YearAccounts> yearAccounts(const QSqlDatabase &kennel, int year)
{
    const QString sql = QStringLiteral("SELECT ") %
                        db::columnList({field::date, field::kind, field::category, field::amount}) %
                        QStringLiteral(" FROM ") % db::quoted(db::tables::accounts) %
                        yearWhere(year);
    // The sums of each month, kind and category as written, added up at the end: a handful of
    // groups, found by their bytes without making text of each row.
    struct Group
    {
        int month;
        bool income;
        std::string category;
        Total cents;
    };
    std::vector<Group> groups;
    const QString problem = db::scanRows(kennel, sql, [&](const db::RawRow &row) {
        const std::string_view day = row.text(0);
        if (day.size() < 7)
            return;
        const int month = (day[5] - '0') * 10 + (day[6] - '0');
        const bool income = row.text(1) == "Income";
        const std::string_view category = row.text(2);
        for (Group &g : groups) {
            if (g.month == month && g.income == income && g.category == category) {
                g.cents.add(row.whole(3));
                return;
            }
        }
        groups.push_back({month, income, std::string(category), {}});
        groups.back().cents.add(row.whole(3));
    });
    if (!problem.isEmpty())
        return core::failure(problem);
    YearSums sums;
    for (const Group &g : groups)
        sums.add(g.month, g.income,
                 QString::fromUtf8(g.category.data(), qsizetype(g.category.size())), g.cents);
    return sums.result(year);
}

core::WriteResult<std::vector<LitterAccount>> litterAccounts(const QSqlDatabase &kennel)
{
    const auto litters = kennel::allLitters(kennel);
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
    for (const kennel::Litter &litter : *litters) {
        const auto found = sums.find(litter.id);
        if (found == sums.end())
            continue;
        accounts.push_back({litter.id, litter.label(), found->second.income.value(),
                            found->second.expenses.value(), found->second.balance.value()});
    }
    return accounts;
}

} // namespace money
