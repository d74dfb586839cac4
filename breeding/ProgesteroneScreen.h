#pragma once

#include "breeding/Progesterone.h"
#include "breeding/Seasons.h"
#include "ui/ReadingsScreen.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;

namespace breeding {

// The chart of a season's progesterone against its days, with the 2 and 5 ng/ml levels that
// mark the LH surge and ovulation.
QChart *progesteroneChart(const std::vector<ProgesteroneTest> &tests, const QDate &firstDay);

// "Progesterone": the tests of one season, charted, with what they let the program estimate.
class ProgesteroneScreen : public ui::ReadingsScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Progesterone"); }
    explicit ProgesteroneScreen(QWidget *parent = nullptr);
    // Shows this season's tests, adding what was typed for the one on view first.
    void showSeason(qint64 seasonId);

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
    std::optional<SeasonOfBitch> m_season;
    std::vector<ProgesteroneTest> m_tests;
    QLabel *m_heading;
    QLabel *m_estimate;
    QChartView *m_chart;
    QLineEdit *m_day;
    QLineEdit *m_time;
    QLineEdit *m_value;
    QComboBox *m_unit;
    QLineEdit *m_laboratory;
};

} // namespace breeding
