#include "breeding/ProgesteroneScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "kennel/Changes.h"
#include "ui/FieldGrid.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace breeding {
namespace {

QString numberText(double value)
{
    return QLocale().toString(value, 'f', 2);
}

} // namespace

QChart *progesteroneChart(const std::vector<ProgesteroneTest> &tests, const QDate &firstDay)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *values = new QLineSeries;
    values->setName(QStringLiteral("Progesterone (ng/ml)"));
    auto *points = new QScatterSeries;
    points->setMarkerSize(8);
    double lastDay = 21;
    double highest = 10;
    for (const ProgesteroneTest &t : tests) {
        const double day = t.taken.daysSince(firstDay) + 1;
        values->append(day, t.ngPerMl());
        points->append(day, t.ngPerMl());
        lastDay = std::max(lastDay, day + 1);
        highest = std::max(highest, t.ngPerMl() * 1.1);
    }
    chart->addSeries(values);
    chart->addSeries(points);
    chart->legend()->markers(points).constFirst()->setVisible(false);
    for (const auto &[level, name] : {std::pair{2.0, QStringLiteral("LH surge (2 ng/ml)")},
                                      std::pair{5.0, QStringLiteral("Ovulation (5 ng/ml)")}}) {
        auto *line = new QLineSeries;
        line->setName(name);
        line->append(1, level);
        line->append(lastDay, level);
        QPen pen(level < 3 ? Qt::darkYellow : Qt::darkRed);
        pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        chart->addSeries(line);
    }
    auto *days = new QValueAxis;
    days->setTitleText(QStringLiteral("Day of the season"));
    days->setRange(1, lastDay);
    days->setLabelFormat(QStringLiteral("%d"));
    auto *ng = new QValueAxis;
    ng->setTitleText(QStringLiteral("ng/ml"));
    ng->setRange(0, highest);
    ng->applyNiceNumbers();
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(ng, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(days);
        series->attachAxis(ng);
    }
    return chart;
}

ProgesteroneScreen::ProgesteroneScreen(QWidget *parent)
    : ui::ReadingsScreen(screenName(), QStringLiteral("Progesterone"), QStringLiteral("Test"),
                         parent),
      m_heading(new QLabel), m_estimate(new QLabel), m_chart(new QChartView),
      m_day(ui::textBox(QStringLiteral("day"))), m_time(ui::textBox(QStringLiteral("time"))),
      m_value(ui::textBox(QStringLiteral("value"))), m_unit(new QComboBox),
      m_laboratory(ui::textBox(QStringLiteral("laboratory")))
{
    m_heading->setObjectName(QStringLiteral("season"));
    m_estimate->setObjectName(QStringLiteral("estimate"));
    m_estimate->setWordWrap(true);
    m_estimate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(220);
    m_unit->setObjectName(QStringLiteral("unit"));
    m_unit->addItems(progesteroneUnits());
    m_day->setPlaceholderText(core::datetext::typingHint());
    m_time->setPlaceholderText(QStringLiteral("HH:MM"));
    auto *above = new QWidget;
    auto *top = new QVBoxLayout(above);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_heading);
    top->addWidget(m_estimate);
    top->addWidget(m_chart, 1);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Date"), m_day);
    form->addRow(QStringLiteral("Time"), m_time);
    form->addRow(QStringLiteral("Value"), m_value);
    form->addRow(QStringLiteral("Unit"), m_unit);
    form->addRow(QStringLiteral("Laboratory"), m_laboratory);
    build(above, QStringLiteral("tests"),
          {QStringLiteral("Date and Time"), QStringLiteral("Value"), QStringLiteral("Unit"),
           QStringLiteral("ng/ml"), QStringLiteral("Laboratory")},
          form);
    setMinimumSize(640, 640);
    // The season on view shows what the tests now let the program estimate.
    connect(this, &ReadingsScreen::readingsChanged, &kennel::Changes::instance(),
            &kennel::Changes::seasonTestsChanged);
}

void ProgesteroneScreen::showSeason(qint64 seasonId)
{
    if (!settle())
        return;
    m_season = seasonWithId(db::DatabaseFiles::kennel(), seasonId);
    if (isLoaded())
        showReadings();
}

void ProgesteroneScreen::load()
{
    showReadings();
    m_day->setFocus();
}

std::optional<std::vector<QStringList>> ProgesteroneScreen::readRows()
{
    m_tests.clear();
    // The season may have gone with an undo or a deleted bitch.
    if (m_season)
        m_season = seasonWithId(db::DatabaseFiles::kennel(), m_season->season.id);
    if (!m_season)
        return std::nullopt;
    const auto tests = progesteroneOf(db::DatabaseFiles::kennel(), m_season->season.id);
    if (!tests)
        return std::nullopt;
    m_tests = *tests;
    std::vector<QStringList> rows;
    for (const ProgesteroneTest &t : m_tests)
        rows.push_back({core::moments::shortMoment(t.taken), numberText(t.value), t.unit,
                        numberText(t.ngPerMl()), t.laboratory});
    return rows;
}

void ProgesteroneScreen::readingsShown()
{
    if (!m_season) {
        m_heading->setText(QStringLiteral("The season is no longer recorded."));
        m_estimate->clear();
    } else {
        m_heading->setText(
            QStringLiteral("%1, season from %2")
                .arg(m_season->name, core::datetext::shortDate(m_season->season.firstDay)));
        m_estimate->setText(estimateText(estimateOvulation(m_tests)));
    }
    QChart *old = m_chart->chart();
    m_chart->setChart(progesteroneChart(m_tests, m_season ? m_season->season.firstDay : QDate()));
    delete old;
}

bool ProgesteroneScreen::addReading()
{
    if (!m_season) {
        core::tell(QStringLiteral("The season is no longer recorded."));
        return false;
    }
    ProgesteroneTest t;
    t.seasonId = m_season->season.id;
    const auto taken = typedMoment(m_day, m_time);
    if (!taken)
        return false;
    t.taken = *taken;
    t.unit = m_unit->currentText();
    QString problem;
    const auto value = readProgesterone(m_value->text(), t.unit, &problem);
    if (!value) {
        core::tell(problem);
        m_value->setFocus();
        return false;
    }
    t.value = *value;
    t.laboratory = m_laboratory->text();
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    problem = progesteroneProblem(kennel, t, m_season->season.firstDay);
    if (!problem.isEmpty()) {
        core::tell(problem);
        m_day->setFocus();
        return false;
    }
    if (const auto added = addProgesterone(kennel, t, m_season->name); !added) {
        core::tellNothingChanged(QStringLiteral("The test"), added.problem());
        return false;
    }
    return true;
}

bool ProgesteroneScreen::removeReading(int row)
{
    const ProgesteroneTest &t = m_tests[size_t(row)];
    if (!core::ask(QStringLiteral("Delete the progesterone test of %1 taken at %2?")
                       .arg(m_season->name, core::moments::shortMoment(t.taken))))
        return false;
    if (const auto deleted = deleteProgesterone(db::DatabaseFiles::kennel(), t, m_season->name);
        !deleted) {
        core::tellNothingChanged(QStringLiteral("The test"), deleted.problem());
        return false;
    }
    return true;
}

bool ProgesteroneScreen::formHasContent() const
{
    return !m_value->text().trimmed().isEmpty();
}

// The unit and laboratory stay: a season's tests usually come from one laboratory.
void ProgesteroneScreen::clearForm()
{
    m_day->clear();
    m_time->clear();
    m_value->clear();
}

QWidget *ProgesteroneScreen::firstBox() const
{
    return m_day;
}

} // namespace breeding
