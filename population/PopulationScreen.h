#pragma once

#include "core/BackgroundTask.h"
#include "population/PopulationStudy.h"
#include "report/ReportLayout.h"
#include "ui/Screen.h"

#include <memory>
#include <optional>
#include <QPointer>

class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace population {

class PopulationRanking;

// "Population Genetics": how much diversity the breed has left in a reference population the
// user chooses, which living dogs carry the rarest lines, and how that came about by year.
class PopulationScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("PopulationGenetics"); }
    explicit PopulationScreen(QWidget *parent = nullptr);
    ~PopulationScreen() override;

    // Works the figures out again for the reference population chosen.
    void workOut();
    // Whether the effective ancestors are still being worked out.
    bool workingOutAncestors() const { return m_ancestorsTask != nullptr; }
    // Waits for the effective ancestors, as tests and the bench do.
    void waitForAncestors();

Q_SIGNALS:
    void printRequested(const report::Report &report);

protected:
    void load() override;
    void refresh() override { workOut(); }

private:
    QWidget *buildChoice();
    QWidget *buildFigures();
    QWidget *buildLists();
    void showFigures();
    void showFounders();
    void showAncestors();
    void showCharts();
    void startAncestors();
    void stopAncestors();
    void savePdf();

    struct AncestorWork;
    std::optional<PopulationStudy> m_study;
    std::optional<genetics::EffectiveAncestors> m_ancestors;
    std::shared_ptr<AncestorWork> m_work;
    QPointer<core::BackgroundTask> m_ancestorsTask;
    QSpinBox *m_firstYear;
    QSpinBox *m_lastYear;
    QCheckBox *m_livingOnly;
    QLabel *m_reference;
    QLabel *m_loop;
    QList<QLineEdit *> m_figures;
    QLabel *m_paths;
    PopulationRanking *m_ranking;
    QTableView *m_ranked;
    QTableWidget *m_founders;
    QTableWidget *m_topAncestors;
    QChartView *m_diversityChart;
    QChartView *m_bornChart;
};

} // namespace population
