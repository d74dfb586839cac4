#pragma once

#include "breeding/Weights.h"
#include "report/ReportLayout.h"
#include "ui/ReadingsScreen.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;

namespace breeding {

class LitterChooser;

// One line per pup of its weights against its days of life, named by collar or name, and the
// litter's mean dashed; in grams, or in ounces where the kennel weighs in pounds and ounces.
QChart *litterWeightsChart(const std::vector<LitterPup> &pups);
// "Litter Weights": the chart, the warnings and every weighing of one litter.
report::Report litterWeightsReport(const Litter &litter, const std::vector<LitterPup> &pups);

// "Litter Weights": a litter's pups weighed, charted and warned about.
class LitterWeightsScreen : public ui::ReadingsScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("LitterWeights"); }
    explicit LitterWeightsScreen(QWidget *parent = nullptr);
    // Shows this litter, adding what was typed for the one on view first.
    void showLitter(qint64 litterId);

Q_SIGNALS:
    void printRequested(const report::Report &report);

protected:
    void load() override;
    std::optional<std::vector<QStringList>> readRows() override;
    bool addReading() override;
    bool removeReading(int row) override;
    bool formHasContent() const override;
    void clearForm() override;
    void readingsShown() override;
    QWidget *firstBox() const override;

private:
    void fillLitters(qint64 chosen);
    void saveCsv();

    std::optional<Litter> m_litter;
    std::vector<LitterPup> m_pups;
    std::vector<std::pair<size_t, size_t>> m_rows; // pup and weighing of each table row
    LitterChooser *m_litterList;
    QChartView *m_chart;
    QLabel *m_warnings;
    QComboBox *m_pup;
    QLineEdit *m_day;
    QLineEdit *m_time;
    QLineEdit *m_weight;
};

} // namespace breeding
