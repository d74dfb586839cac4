#pragma once

#include "money/WaitingListModel.h"
#include "ui/Screen.h"

#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;

namespace ui {
class PickList;
}

namespace money {

class DepositsPanel;

// "Waiting List": the buyers waiting for a pup, in each litter's pick order, with what they
// want, how far they got, the pup matched to them and their deposits.
class WaitingListScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("WaitingList"); }
    explicit WaitingListScreen(QWidget *parent = nullptr);

    bool settle() override;
    void refresh() override { reload(m_shownId); }

protected:
    void load() override;

private:
    void reload(qint64 keepId);
    void filterChanged();
    void showChosen();
    void showEntry(const WaitingEntry &entry);
    void fillPups(qint64 litterId, qint64 dogId);
    void showPickOrder();
    void movePick(int by);
    void pickOrderDropped();
    void newEntry();
    bool saveEntry();
    void deleteEntry();
    // What the form holds; nothing after telling the user what is wrong with it.
    std::optional<WaitingEntry> typedEntry();
    bool formEdited() const;
    std::optional<qint64> chosenLitterFilter() const;

    WaitingListModel *m_model;
    WaitingListFilter *m_filter;
    QComboBox *m_statusFilter;
    QComboBox *m_litterFilter;
    QTableView *m_table;
    QLabel *m_pickCaption;
    QListWidget *m_picks;
    ui::PickList *m_contact;
    QLineEdit *m_enquired;
    QComboBox *m_sex;
    QLineEdit *m_colour;
    QLineEdit *m_breed;
    QComboBox *m_litter;
    QComboBox *m_status;
    QComboBox *m_pup;
    QLineEdit *m_note;
    DepositsPanel *m_deposits;
    std::vector<std::pair<qint64, QString>> m_litters; // "next litter" first
    qint64 m_shownId = 0;
    qint64 m_pickLitter = -1;
    QStringList m_shownForm;
    bool m_showing = false;
};

} // namespace money
