#pragma once

#include "core/WriteResult.h"

#include <array>
#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace money {

// Sums of cents that hold at the largest or smallest amount instead of wrapping round.
class Total
{
public:
    __extension__ using Wide = __int128;
    void add(Wide cents) { m_sum += cents; }
    void add(const Total &other) { m_sum += other.m_sum; }
    qint64 value() const;
    Total negated() const
    {
        Total t;
        t.m_sum = -m_sum;
        return t;
    }

private:
    Wide m_sum = 0;
};

// A year's income and expenses by category and month, with the totals.
struct YearAccounts
{
    struct Row
    {
        QString category;
        bool income = false;
        std::array<qint64, 12> months{};
        qint64 total = 0;
    };
    int year = 0;
    std::vector<Row> rows; // income first, then expenses; by category
    std::array<qint64, 12> income{};
    std::array<qint64, 12> expenses{};
    std::array<qint64, 12> balance{};
    qint64 incomeTotal = 0;
    qint64 expenseTotal = 0;
    qint64 balanceTotal = 0;
};
core::WriteResult<YearAccounts> yearAccounts(const QSqlDatabase &kennel, int year);
// With year 0, every year's entries by the month they fall in.

// Each litter that has entries, latest born first.
struct LitterAccount
{
    qint64 litterId = 0;
    QString litter;
    qint64 income = 0;
    qint64 expenses = 0;
    qint64 balance = 0;
};
core::WriteResult<std::vector<LitterAccount>> litterAccounts(const QSqlDatabase &kennel);

} // namespace money
