#pragma once

#include "sales/Sale.h"
#include "ui/Screen.h"

class QLabel;
class QLineEdit;
class QProgressBar;

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
    QString detail(const QString &name) const;

Q_SIGNALS:
    // The sale is recorded; its receipt is ready to be shown.
    void receiptReady(sales::Receipt receipt);

protected:
    void load() override;

private:
    void showDog();
    void sell(Receipt receipt);
    void timeout();

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
};

} // namespace sales
