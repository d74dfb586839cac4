#pragma once

#include "ui/Screen.h"

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace ui {
class PickList;
}

namespace inbreeding {

class SireRanking;

// "Inbreeding and Trial Matings": how inbred a litter of the chosen sire and dam would be,
// what they have in common, and which living male gives the chosen dam the least inbred
// litter.
class GeneticsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Genetics"); }
    explicit GeneticsScreen(QWidget *parent = nullptr);

    void calculate();
    void showBestSires();
    // Shows the litter of this sire and dam, as chosen elsewhere.
    void showMating(const QString &sire, const QString &dam);

protected:
    void load() override;

private:
    QWidget *buildChoice();
    QWidget *buildResults();
    QWidget *buildBestSires();
    QWidget *buildLitterHealth();
    // The dog a pick list names, or none after telling the user why.
    std::optional<int> chosenDog(ui::PickList *list, const QString &role);
    void clearResults();
    void chooseSire(const QModelIndex &index);
    // What the pups can inherit, one row per DNA test.
    void showLitterHealth(int sire, int dam);
    enum { HealthColumns = 7 };

    ui::PickList *m_sire;
    ui::PickList *m_dam;
    QSpinBox *m_generations;
    QLabel *m_loop;
    QList<QLineEdit *> m_results;
    QTableWidget *m_common;
    QTableWidget *m_health;
    QCheckBox *m_leaveOutAffected;
    QCheckBox *m_ownOnly;
    QCheckBox *m_ageLimits;
    QSpinBox *m_youngest;
    QSpinBox *m_oldest;
    bool m_bestSiresShown = false;
    SireRanking *m_ranking;
    QSortFilterProxyModel *m_sorted;
    QTableView *m_sires;
};

} // namespace inbreeding
