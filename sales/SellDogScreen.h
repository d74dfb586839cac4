#pragma once

#include "sales/Sale.h"
#include "ui/Screen.h"

#include <optional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ui {
class PickList;
}

namespace sales {

// "Sell Dog": one of the kennel's own dogs sold to a contact, with a receipt.
class SellDogScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form10"); }
    explicit SellDogScreen(QWidget *parent = nullptr);
    ~SellDogScreen() override;
    QString detail(const QString &name) const;

Q_SIGNALS:
    // The sale is recorded; its receipt is ready to be shown.
    void receiptReady(sales::Receipt receipt);
    // The contract of the sale recorded here is asked for.
    void contractRequested(qint64 salesId);

protected:
    void load() override;

private:
    // A sale this screen recorded, which its receipt buttons print again instead of
    // recording it twice.
    struct Recorded
    {
        SaleDetails sale;
        qint64 receiptNumber = 0;
    };

    void showDog();
    void showDetails(const DogOnSale &dog);
    // Fills the details as soon as a listed dog is chosen; anything else clears them.
    void dogChosen(const QString &name);
    void sell(Receipt receipt);
    // Asks before a dog sold on this screen is sold once more; true to go on.
    bool mayRecord(const SaleDetails &sale) const;
    void printReceipt(Receipt receipt, const SaleDetails &sale, qint64 receiptNumber);
    void timeout();
    // Shows the deposits the buyer paid toward this dog, and what is left to pay.
    void showDeposit();

    ui::PickList *m_dogs;
    ui::PickList *m_buyers;
    QLineEdit *m_amount;
    QLabel *m_owner;
    QLabel *m_kennel;
    QLabel *m_breed;
    QLabel *m_colour;
    QLabel *m_dob;
    QLabel *m_sex;
    QLabel *m_reg;
    QLabel *m_status;
    QProgressBar *m_progress;
    QLabel *m_deposit;
    QPushButton *m_contract;
    std::optional<Recorded> m_recorded;
};

} // namespace sales
