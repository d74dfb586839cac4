#pragma once

#include "money/AccountsModel.h"
#include "money/AccountTotals.h"
#include "ui/Screen.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTabWidget;

namespace ui {
class PickList;
}

namespace money {

// "Accounts": the kennel's income and expenses of a year, those that sales and deposits
// wrote among them, with a chart of the months.
class AccountsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Accounts"); }
    explicit AccountsScreen(QWidget *parent = nullptr);

    bool settle() override;
    void refresh() override { reload(m_shownId); }
    // The year on view; 0 for every year.
    int year() const;

Q_SIGNALS:
    void yearAccountsRequested(int year);
    void litterAccountsRequested();

protected:
    void load() override;

private:
    void fillYears();
    void reload(qint64 keepId);
    void showChosen();
    void showEntry(const AccountEntry &entry);
    void newEntry();
    bool saveEntry();
    void deleteEntry();
    void saveCsv();
    // The months of the year on view, or of this year when every year is.
    void showChart(const YearAccounts &accounts);
    std::optional<AccountEntry> typedEntry();
    QStringList formTexts() const;

    AccountsModel *m_model;
    QComboBox *m_year;
    QLabel *m_totals;
    QTabWidget *m_tabs;
    QTableView *m_table;
    QChartView *m_chart;
    QLineEdit *m_date;
    QComboBox *m_kind;
    QComboBox *m_category;
    QLineEdit *m_amount;
    ui::PickList *m_dog;
    QComboBox *m_litter;
    QLineEdit *m_note;
    qint64 m_shownId = 0;
    QStringList m_shownForm;
    bool m_showing = false;
};

} // namespace money
