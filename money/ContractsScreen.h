#pragma once

#include "money/Contracts.h"
#include "ui/Screen.h"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace report {
struct Report;
}

namespace money {

// "Contracts of Sale": every sale with its contract, issued from the kennel's template once and
// kept as it was issued; printed or saved as PDF from the report preview.
class ContractsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Contracts"); }
    explicit ContractsScreen(QWidget *parent = nullptr);
    void refresh() override { reloadSales(m_shownSale); }
    // Puts this sale on view, as the sale screen asks.
    void showSale(qint64 salesId);

Q_SIGNALS:
    void printRequested(const report::Report &report);
    void templateRequested();

protected:
    void load() override;

private:
    void reloadSales(qint64 keepId);
    void showChosen();
    void issue();
    void print();

    std::vector<SaleRecord> m_sales;
    QTableWidget *m_table;
    QPlainTextEdit *m_text;
    QPushButton *m_issue;
    QPushButton *m_print;
    qint64 m_shownSale = 0;
    bool m_issued = false;
};

// "Contract Template": the template contracts are issued from, with the fields it can hold.
class ContractTemplateScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("ContractTemplate"); }
    explicit ContractTemplateScreen(QWidget *parent = nullptr);
    bool settle() override;

protected:
    void load() override;

private:
    bool save();

    QPlainTextEdit *m_text;
    QString m_saved;
};

} // namespace money
