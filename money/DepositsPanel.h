#pragma once

#include "money/Deposits.h"
#include "money/WaitingList.h"

#include <functional>
#include <QGroupBox>
#include <utility>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace money {

// The deposits of one waiting-list entry: taking one, and refunding or carrying one to
// another litter.
class DepositsPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit DepositsPanel(QWidget *parent = nullptr);
    // Shows the entry's deposits; nothing for no entry. `litters` are offered to carry to.
    void showEntry(const WaitingEntry *entry, const QString &contactName,
                   const std::vector<std::pair<qint64, QString>> &litters);

    // Runs before a deposit is taken, refunded or carried; false stops it.
    void setBeforeWriting(std::function<bool()> ready) { m_beforeWriting = std::move(ready); }

Q_SIGNALS:
    void depositsChanged();

private:
    void showDeposits();
    const Deposit *chosen() const;
    // The refund and the carry are for a deposit still held.
    void chosenChanged();
    void take();
    void refund();
    void carry();

    std::function<bool()> m_beforeWriting;
    // Every litter by id, to name where a deposit was carried.
    std::vector<std::pair<qint64, QString>> m_litters;
    WaitingEntry m_entry;
    QString m_contact;
    std::vector<Deposit> m_deposits;
    QTableWidget *m_table;
    QLineEdit *m_amount;
    QLineEdit *m_paid;
    QComboBox *m_method;
    QLineEdit *m_refundAmount;
    QLineEdit *m_refunded;
    QComboBox *m_carryTo;
    QPushButton *m_take;
    QPushButton *m_refund;
    QPushButton *m_carry;
};

} // namespace money
