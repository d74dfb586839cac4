#pragma once

#include "population/MatingMatrix.h"
#include "report/ReportLayout.h"
#include "ui/Screen.h"

#include <optional>
#include <unordered_set>

class QCheckBox;
class QComboBox;
class QListWidget;
class QSpinBox;
class QTableWidget;

namespace population {

// "Mating Matrix": the litters of every chosen bitch with every chosen male side by side, by
// COI, mean kinship and health, to choose among them before looking at one closely.
class MatingMatrixScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("MatingMatrix"); }
    explicit MatingMatrixScreen(QWidget *parent = nullptr);

    void showMatrix();
    const std::optional<MatingMatrix> &matrix() const { return m_matrix; }

Q_SIGNALS:
    void printRequested(const report::Report &report);
    // The user chose a cell: that pair, in "Inbreeding and Trial Matings".
    void trialMatingRequested(const QString &sire, const QString &dam);

protected:
    void load() override;
    void refresh() override { fillCandidates(); }

private:
    QWidget *buildFilter();
    void fillCandidates();
    void fillList(QListWidget *list, const std::vector<Candidate> &dogs,
                  const std::unordered_set<qint64> &chosen);
    std::vector<Candidate> chosen(QListWidget *list, const std::vector<Candidate> &dogs) const;
    void chooseCell(int row, int column);

    Candidates m_candidates;
    std::optional<MatingMatrix> m_matrix;
    QComboBox *m_breed;
    QCheckBox *m_livingOnly;
    QCheckBox *m_ageLimits;
    QSpinBox *m_youngest;
    QSpinBox *m_oldest;
    QListWidget *m_dams;
    QListWidget *m_sires;
    QTableWidget *m_grid;
};

} // namespace population
