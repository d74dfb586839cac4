#pragma once

#include "core/WriteResult.h"

#include <array>
#include <optional>
#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace money {

inline const QString incomeWord = QStringLiteral("Income");
inline const QString expenseWord = QStringLiteral("Expense");
// What wrote an entry that is kept by its record rather than typed.
inline const QString saleSource = QStringLiteral("Sale");
inline const QString depositSource = QStringLiteral("Deposit");
inline const QString refundSource = QStringLiteral("Refund");

// One entry of the income and expenses. Ids are 0 where it belongs to no dog, litter or
// contact; `source` is empty for an entry the breeder typed.
struct AccountEntry
{
    qint64 id = 0;
    QDate date;
    qint64 cents = 0;
    bool income = false;
    QString category;
    QString note;
    qint64 dogId = 0;
    qint64 litterId = 0;
    qint64 contactId = 0;
    QString source;
    qint64 sourceId = 0;
};

// The categories every kennel has, in the order offered.
QStringList builtInCategories();
// Whether an entry of this category is income unless the breeder says otherwise.
bool incomeByDefault(const QString &category);
// The built-in categories, then the breeder's own as used so far, alphabetically.
std::optional<QStringList> categories(const QSqlDatabase &kennel);
// The years that have entries, latest first, with this year among them.
std::optional<QList<int>> entryYears(const QSqlDatabase &kennel);

// The entries of a year (all with 0), in the order they were written; nothing when they could
// not be read.
std::optional<std::vector<AccountEntry>> accountEntries(const QSqlDatabase &kennel, int year);
// " WHERE ..." choosing one year's entries of the accounts (every year's with 0).
QString yearWhere(int year);

// The columns the list of entries sorts by.
enum class EntryOrder { Date, Kind, Category, Amount, Dog, Litter, Note, Source };
// The ids of a year's entries (all with 0) in this order, ties as they were written: a long
// list reads only these at first, and the entries it shows as they come into view.
std::optional<std::vector<qint64>> entryIds(const QSqlDatabase &kennel, int year, EntryOrder order,
                                            bool ascending);
// The entries with these ids, in no particular order.
std::optional<std::vector<AccountEntry>> entriesWithIds(const QSqlDatabase &kennel,
                                                        const std::vector<qint64> &ids);

// What keeps a typed entry from being kept, or empty.
QString entryProblem(const AccountEntry &entry);
// Entries that a sale, a deposit or a refund wrote change only with it.
QString linkedEntryRefusal(const AccountEntry &entry);
core::WriteResult<qint64> addEntry(QSqlDatabase kennel, const AccountEntry &entry);
core::WriteResult<> saveEntry(QSqlDatabase kennel, const AccountEntry &entry);
core::WriteResult<> removeEntry(QSqlDatabase kennel, const AccountEntry &entry);

// Inside the transaction of the record that writes it: adds the entry its source keeps, or
// changes the one it already has. The problem, or empty.
QString bookLinked(const QSqlDatabase &kennel, const AccountEntry &entry);

// The names of the dogs and contacts that entries and the waiting list link to, and the
// labels of every litter, by id.
struct LinkedNames
{
    QHash<qint64, QString> dogs;
    QHash<qint64, QString> litters;
    QHash<qint64, QString> contacts;
    std::vector<std::pair<qint64, QString>> latestLitters; // every litter, latest born first
};
std::optional<LinkedNames> linkedNames(const QSqlDatabase &kennel);

// The dog the name index finds for this name; 0 for none.
qint64 dogIdNamed(const QSqlDatabase &kennel, const QString &name);
// A typed amount of the accounts: as any amount, or less than nothing with a minus sign before
// it, for a correction. Nothing for text that is not one.
std::optional<qint64> readSignedAmount(const QString &typed);

// The entries as CSV for a spreadsheet:
// "date,kind,category,amount,note,dog,litter,source" with amounts as plain numbers.
QByteArray accountsCsv(const QSqlDatabase &kennel, const std::vector<AccountEntry> &entries);

} // namespace money
