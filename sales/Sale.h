#pragma once

#include "core/WriteResult.h"
#include "pedigree/PedigreeRecord.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>

namespace sales {

// What the "Sell Dog" screen shows of a sale, after blank details became "Unknown".
struct SaleDetails
{
    QString seller; // the kennel's own name
    QString prefix; // the kennel name
    QString dog;
    QString buyer;
    QString breed;
    QString colour;
    QString dob;
    QString reg;
    QString sex;
    qint64 cents = 0;
    QDate date;
    // The receipt number of the sale this one takes the place of: the same dog sold again
    // before the screen closed.
    qint64 replaces = 0;
};

enum class Receipt { Small, WithPedigree };

// Fills the receipt's scratch row for a sale already recorded under this receipt number.
core::WriteResult<> writeReceipt(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                                 const pedigree::PedigreeRecord &ancestors, qint64 receiptNumber);

// Records a sale in one transaction over both files: the sales row, the receipt's scratch row
// (with its number, and for the receipt with pedigree the dog's ancestors) and the dog's new
// owner. Answers the receipt number.
core::WriteResult<qint64> recordSale(QSqlDatabase kennel, const SaleDetails &sale, Receipt receipt,
                                     const pedigree::PedigreeRecord &ancestors);

// What the sale screen shows of the dog the name index finds; nothing when there is none.
struct DogOnSale
{
    QString breed;
    QString reg;
    QString colour;
    QString sex;
    QString dob;
};
std::optional<DogOnSale> dogOnSale(const QSqlDatabase &kennel, const QString &name);

struct SetupDetails
{
    QVariant name;
    QVariant kennelname;
};
SetupDetails setupDetails(const QSqlDatabase &kennel);

} // namespace sales
