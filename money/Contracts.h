#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace money {

// The fields a contract template can hold, as {{name}}, in the order the template screen
// lists them.
QStringList contractFields();
// The template that ships with the program.
QString shippedTemplate();
// The kennel's template: its own where it has one, else the shipped one.
QString contractTemplate(const QSqlDatabase &kennel);
core::WriteResult<> setContractTemplate(QSqlDatabase kennel, const QString &text);
// The {{fields}} of a template that are none of the contract's, each once.
QStringList unknownFields(const QString &text);

// Why the mustache library cannot read the template (a section opened and not closed), as
// the reason a save or an issue names; empty when it can.
QString templateProblem(const QString &text);
// The template with each known field replaced by its value, as plain text (nothing escaped);
// an unknown field stays as written. A template with a problem is answered as written.
QString fillContract(const QString &text, const QHash<QString, QString> &values);

// A recorded sale, as the contracts list shows it.
struct SaleRecord
{
    qint64 salesId = 0;
    QDate date;
    QString dog;
    QString buyer;
    qint64 cents = 0;
    bool contractIssued = false;
};
// Every sale, latest first; nothing when they could not be read.
std::optional<std::vector<SaleRecord>> saleRecords(const QSqlDatabase &kennel);

// What the fields hold for this sale: the kennel, the buyer, the pup with its parents, health
// results and COI, the price, the deposits applied and the balance. A preview leaves the COI
// to be worked out on issuing where the kennel's genetics are not ready: on a large kennel
// they take a while.
enum class Coi { WorkedOut, IfReady };
core::WriteResult<QHash<QString, QString>> contractValues(const QSqlDatabase &kennel,
                                                          qint64 salesId, Coi coi = Coi::WorkedOut);

// The contract issued for a sale, as it was issued; empty when none was.
core::WriteResult<QString> issuedContract(const QSqlDatabase &kennel, qint64 salesId);
// Keeps the text as the sale's contract; a sale has one contract.
core::WriteResult<> issueContract(QSqlDatabase kennel, qint64 salesId, const QString &text);

} // namespace money
