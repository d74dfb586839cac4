#include "breeding/LitterWeightsScreen.h"

#include "breeding/LitterChooser.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "core/Units.h"
#include "db/DatabaseFiles.h"
#include "kennel/Changes.h"
#include "ui/ChartPicture.h"
#include "ui/FieldGrid.h"
#include "ui/SaveCsv.h"

#include <cmath>
#include <map>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace breeding {
namespace {

constexpr size_t birthWeight = size_t(-1);

double shownWeight(double grams)
{
    return core::units::weight() == core::units::Weight::Metric
               ? grams
               : grams / core::units::gramsPerOunce;
}

} // namespace

QChart *litterWeightsChart(const std::vector<LitterPup> &pups)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignRight);
    double lastDay = 14;
    double heaviest = 0;
    std::map<int, std::pair<double, int>> byDay; // day of life: sum of weights, pups weighed
    for (const LitterPup &pup : pups) {
        auto *line = new QLineSeries;
        line->setName(pup.label());
        for (const Weighing &w : pup.series()) {
            const double day = w.at.daysSince(pup.born.day) - pup.born.daysSince(pup.born.day);
            const double shown = shownWeight(w.grams);
            line->append(day, shown);
            lastDay = std::max(lastDay, day);
            heaviest = std::max(heaviest, shown);
            auto &[sum, count] = byDay[int(std::lround(day))];
            sum += shown;
            ++count;
        }
        chart->addSeries(line);
    }
    auto *mean = new QLineSeries;
    mean->setName(QStringLiteral("Mean"));
    QPen dashed(Qt::black, 2, Qt::DashLine);
    mean->setPen(dashed);
    for (const auto &[day, total] : byDay)
        mean->append(day, total.first / total.second);
    chart->addSeries(mean);
    auto *days = new QValueAxis;
    days->setTitleText(QStringLiteral("Days of life"));
    days->setRange(0, std::ceil(lastDay));
    days->setLabelFormat(QStringLiteral("%d"));
    auto *weights = new QValueAxis;
    weights->setTitleText(core::units::weight() == core::units::Weight::Metric
                              ? QStringLiteral("grams")
                              : QStringLiteral("ounces"));
    weights->setRange(0, std::max(heaviest * 1.1, 1.0));
    weights->applyNiceNumbers();
    weights->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(weights, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(days);
        series->attachAxis(weights);
    }
    return chart;
}

report::Report litterWeightsReport(const Litter &litter, const std::vector<LitterPup> &pups)
{
    using report::caption;
    using report::field;
    using report::SectionKind;
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    QList<report::Element> header = report::titleAndDate(QStringLiteral("Litter Weights"));
    header << caption(litter.label(), 4800, 480, 4560);
    const QList<report::Section> sections{
        {SectionKind::ReportHeader, 900, 0, header},
        {SectionKind::Detail,
         6600,
         0,
         {report::picture(QStringLiteral("chart"), 0, 0, 9360, 5600),
          field(QStringLiteral("warnings"), 0, 5650, 9360, 500),
          report::withFont(caption(QStringLiteral("Pup"), 0, 6200, 3000), bold),
          report::withFont(caption(QStringLiteral("Weighed"), 3080, 6200, 2200), bold),
          report::withFont(caption(QStringLiteral("Weight"), 5360, 6200, 2000), bold),
          report::withFont(caption(QStringLiteral("Gain per Day"), 7440, 6200, 1920), bold),
          report::line(0, 6530, 9360)}},
        {SectionKind::Detail,
         285,
         1,
         {field(QStringLiteral("pup"), 0, 0, 3000), field(QStringLiteral("weighed"), 3080, 0, 2200),
          field(QStringLiteral("weight"), 5360, 0, 2000),
          field(QStringLiteral("gain"), 7440, 0, 1920)}},
    };
    report::ReportDefinition definition =
        report::arialReport(QStringLiteral("LitterWeightsReport"), QStringLiteral("Litter Weights"),
                            QMargins(1440, 1440, 1440, 1440), sections, 9);
    // Drawn now, so that the report holds the chart as it was when it was asked for.
    std::unique_ptr<QChart> chart(litterWeightsChart(pups));
    core::DataRow top{{{QStringLiteral("chart"), ui::chartPicture(chart.get(), QSize(800, 480))},
                       {QStringLiteral("warnings"), weightWarnings(pups).join(QLatin1Char(' '))}}};
    for (const LitterPup &pup : pups) {
        const std::vector<Weighing> series = pup.series();
        for (size_t i = 0; i < series.size(); ++i) {
            const std::optional<double> gain =
                i == 0 ? std::nullopt : gainPerDay(series[i - 1], series[i]);
            top.children << core::DataRow{
                {{QStringLiteral("pup"), pup.label()},
                 {QStringLiteral("weighed"), core::moments::shortMoment(series[i].at)},
                 {QStringLiteral("weight"), core::units::weightText(series[i].grams)},
                 {QStringLiteral("gain"),
                  gain ? QLocale().toString(*gain, 'f', 1) + QStringLiteral(" % a day")
                       : QString()}}};
        }
    }
    return {definition, [top] { return core::DataSet{top}; }};
}

LitterWeightsScreen::LitterWeightsScreen(QWidget *parent)
    : ui::ReadingsScreen(screenName(), QStringLiteral("Litter Weights"), QStringLiteral("Weight"),
                         parent),
      m_litterList(new LitterChooser), m_chart(new QChartView), m_warnings(new QLabel),
      m_pup(new QComboBox), m_day(ui::textBox(QStringLiteral("day"))),
      m_time(ui::textBox(QStringLiteral("time"))), m_weight(ui::textBox(QStringLiteral("weight")))
{
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(240);
    m_warnings->setObjectName(QStringLiteral("warnings"));
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: #a00000"));
    m_pup->setObjectName(QStringLiteral("pup"));
    m_day->setPlaceholderText(core::datetext::typingHint());
    m_time->setPlaceholderText(QStringLiteral("HH:MM"));
    m_weight->setPlaceholderText(core::units::weightHint());

    QPushButton *print = ui::pushButton(QStringLiteral("Print..."), QStringLiteral("print"));
    QPushButton *csv = ui::pushButton(QStringLiteral("Save as CSV..."), QStringLiteral("saveCsv"));
    connect(print, &QPushButton::clicked, this, [this] {
        if (m_litter)
            Q_EMIT printRequested(litterWeightsReport(*m_litter, m_pups));
    });
    connect(csv, &QPushButton::clicked, this, &LitterWeightsScreen::saveCsv);
    auto *choose = new QHBoxLayout;
    choose->addWidget(new QLabel(QStringLiteral("Litter")));
    choose->addWidget(m_litterList, 1);
    choose->addWidget(print);
    choose->addWidget(csv);
    auto *above = new QWidget;
    auto *top = new QVBoxLayout(above);
    top->setContentsMargins(0, 0, 0, 0);
    top->addLayout(choose);
    top->addWidget(m_chart, 1);
    top->addWidget(m_warnings);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Pup"), m_pup);
    form->addRow(QStringLiteral("Date"), m_day);
    form->addRow(QStringLiteral("Time"), m_time);
    form->addRow(QStringLiteral("Weight"), m_weight);
    build(above, QStringLiteral("weights"),
          {QStringLiteral("Pup"), QStringLiteral("Date and Time"), QStringLiteral("Weight"),
           QStringLiteral("Gain per Day")},
          form);
    setMinimumSize(720, 680);
    connect(m_litterList, &LitterChooser::litterChosen, this, &LitterWeightsScreen::showLitter);
    // The pups as the whelping now names and weighs them.
    connect(&kennel::Changes::instance(), &kennel::Changes::whelpingRecorded, this,
            &LitterWeightsScreen::refresh);
}

void LitterWeightsScreen::showLitter(qint64 litterId)
{
    if (!settle())
        return;
    m_litter = kennel::litterWithId(db::DatabaseFiles::kennel(), litterId);
    if (isLoaded())
        fillLitters(litterId);
}

void LitterWeightsScreen::load()
{
    fillLitters(m_litter ? m_litter->id : 0);
    m_day->setFocus();
}

void LitterWeightsScreen::fillLitters(qint64 chosen)
{
    m_litter = m_litterList->fill(chosen);
    showReadings();
}

std::optional<std::vector<QStringList>> LitterWeightsScreen::readRows()
{
    m_pups.clear();
    m_rows.clear();
    if (!m_litter)
        return std::nullopt;
    const auto pups = litterPups(db::DatabaseFiles::kennel(), *m_litter);
    if (!pups)
        return std::nullopt;
    m_pups = *pups;
    std::vector<QStringList> rows;
    const QLocale locale;
    for (size_t p = 0; p < m_pups.size(); ++p) {
        const LitterPup &pup = m_pups[p];
        const std::vector<Weighing> series = pup.series();
        const bool hasBirth = pup.birthGrams > 0;
        for (size_t i = 0; i < series.size(); ++i) {
            const std::optional<double> gain =
                i == 0 ? std::nullopt : gainPerDay(series[i - 1], series[i]);
            const bool birth = hasBirth && i == 0;
            rows.push_back(
                {pup.label(),
                 core::moments::shortMoment(series[i].at) +
                     (birth ? QStringLiteral(" (birth)") : QString()),
                 core::units::weightText(series[i].grams),
                 gain ? locale.toString(*gain, 'f', 1) + QStringLiteral(" %") : QString()});
            m_rows.emplace_back(p, birth ? birthWeight : i - (hasBirth ? 1 : 0));
        }
    }
    return rows;
}

void LitterWeightsScreen::readingsShown()
{
    const QString chosen = m_pup->currentText();
    m_pup->clear();
    for (const LitterPup &pup : m_pups)
        m_pup->addItem(pup.collar.isEmpty() ? pup.name
                                            : QStringLiteral("%1 (%2)").arg(pup.collar, pup.name));
    m_pup->setCurrentIndex(std::max(0, m_pup->findText(chosen)));
    const QStringList warnings = weightWarnings(m_pups);
    m_warnings->setText(warnings.join(QLatin1Char('\n')));
    m_warnings->setVisible(!warnings.isEmpty());
    QChart *old = m_chart->chart();
    m_chart->setChart(litterWeightsChart(m_pups));
    delete old;
}

bool LitterWeightsScreen::addReading()
{
    const int pupIndex = m_pup->currentIndex();
    if (!m_litter || pupIndex < 0 || pupIndex >= int(m_pups.size())) {
        core::tell(QStringLiteral("Choose a litter with pups first."));
        return false;
    }
    const LitterPup &pup = m_pups[size_t(pupIndex)];
    Weighing w;
    w.dogId = pup.dogId;
    const auto taken = typedMoment(m_day, m_time);
    if (!taken)
        return false;
    w.at = *taken;
    QString problem;
    const auto grams = readWeighing(m_weight->text(), &problem);
    if (!grams) {
        core::tell(problem);
        m_weight->setFocus();
        return false;
    }
    w.grams = *grams;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    problem = weighingProblem(kennel, w);
    if (!problem.isEmpty()) {
        core::tell(problem);
        m_day->setFocus();
        return false;
    }
    if (const auto added = addWeighing(kennel, w, pup.name); !added) {
        core::tellNothingChanged(QStringLiteral("The weight"), added.problem());
        return false;
    }
    return true;
}

bool LitterWeightsScreen::removeReading(int row)
{
    const auto [p, i] = m_rows[size_t(row)];
    const LitterPup &pup = m_pups[p];
    if (i == birthWeight) {
        core::tell(QStringLiteral("The birth weight is kept on the Whelping screen."));
        return false;
    }
    const Weighing &w = pup.weighings[i];
    if (!core::ask(QStringLiteral("Delete the weighing of %1 at %2?")
                       .arg(pup.name, core::moments::shortMoment(w.at))))
        return false;
    if (const auto deleted = deleteWeighing(db::DatabaseFiles::kennel(), w, pup.name); !deleted) {
        core::tellNothingChanged(QStringLiteral("The weight"), deleted.problem());
        return false;
    }
    return true;
}

bool LitterWeightsScreen::formHasContent() const
{
    return !m_weight->text().trimmed().isEmpty();
}

// The day and time stay: a litter is weighed pup after pup.
void LitterWeightsScreen::clearForm()
{
    m_weight->clear();
    m_pup->setCurrentIndex(std::min(m_pup->currentIndex() + 1, m_pup->count() - 1));
}

QWidget *LitterWeightsScreen::firstBox() const
{
    return m_weight;
}

void LitterWeightsScreen::saveCsv()
{
    if (!m_litter)
        return;
    ui::saveCsv(this, QStringLiteral("litter weights.csv"), weightsCsv(m_pups),
                QStringLiteral("The weights"));
}

} // namespace breeding
