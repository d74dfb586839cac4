#include "population/PopulationScreen.h"

#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "population/PopulationCharts.h"
#include "population/PopulationRanking.h"
#include "population/PopulationReport.h"
#include "report/PagePainter.h"
#include "ui/FieldGrid.h"
#include "ui/SaveCsv.h"

#include <atomic>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace population {
namespace {

// Founders listed on screen, largest share first; the report and the figures count them all.
constexpr int listedFounders = 500;
constexpr int listedAncestors = 20;

genetics::KennelGenetics &kennelGenetics()
{
    return genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
}

QTableWidget *smallTable(const QString &objectName, const QStringList &captions)
{
    auto *table = new QTableWidget(0, int(captions.size()));
    table->setObjectName(objectName);
    table->setHorizontalHeaderLabels(captions);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    return table;
}

void setRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment((column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

QSpinBox *yearBox(const QString &objectName, int year)
{
    auto *box = new QSpinBox;
    box->setObjectName(objectName);
    box->setRange(1800, 2999);
    box->setValue(year);
    return box;
}

QChartView *chartView(const QString &objectName)
{
    auto *view = new QChartView;
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    return view;
}

void showChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

struct PopulationScreen::AncestorWork
{
    genetics::AncestorGraph graph;
    std::atomic<bool> stop = false;
    genetics::EffectiveAncestors result;
};

PopulationScreen::PopulationScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Population Genetics"), parent),
      m_firstYear(yearBox(QStringLiteral("firstYear"), 0)),
      m_lastYear(yearBox(QStringLiteral("lastYear"), 0)),
      m_livingOnly(new QCheckBox(QStringLiteral("Living dogs only"))), m_reference(new QLabel),
      m_loop(new QLabel), m_paths(new QLabel), m_ranking(new PopulationRanking(this)),
      m_ranked(new QTableView),
      m_founders(smallTable(QStringLiteral("founders"),
                            {QStringLiteral("Founder"), QStringLiteral("Counts as"),
                             QStringLiteral("Share of the genes")})),
      m_topAncestors(smallTable(QStringLiteral("topAncestors"),
                                {QStringLiteral("Ancestor"), QStringLiteral("Contribution"),
                                 QStringLiteral("Marginal contribution")})),
      m_diversityChart(chartView(QStringLiteral("diversityChart"))),
      m_bornChart(chartView(QStringLiteral("bornChart")))
{
    const genetics::ReferenceChoice usual = genetics::defaultReference(core::Clock::today());
    m_firstYear->setValue(usual.firstYear);
    m_lastYear->setValue(usual.lastYear);
    m_livingOnly->setChecked(usual.livingOnly);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildChoice());
    auto *columns = new QHBoxLayout;
    columns->addWidget(buildFigures(), 2);
    columns->addWidget(buildLists(), 3);
    layout->addLayout(columns, 1);
    setMinimumSize(900, 640);
}

PopulationScreen::~PopulationScreen()
{
    stopAncestors();
}

QWidget *PopulationScreen::buildChoice()
{
    auto *group = new QGroupBox(QStringLiteral("Reference population"));
    auto *grid = new QGridLayout(group);
    ui::addField(grid, 0, 0, QStringLiteral("Born from"), m_firstYear);
    ui::addField(grid, 0, 1, QStringLiteral("to"), m_lastYear);
    m_livingOnly->setObjectName(QStringLiteral("livingOnly"));
    grid->addWidget(m_livingOnly, 0, 4);
    QPushButton *workOutButton =
        ui::pushButton(QStringLiteral("Work Out"), QStringLiteral("workOut"));
    connect(workOutButton, &QPushButton::clicked, this, &PopulationScreen::workOut);
    setMainButton(workOutButton);
    grid->addWidget(workOutButton, 0, 5);
    grid->setColumnStretch(6, 1);
    for (QPushButton *button :
         {ui::pushButton(QStringLiteral("Save as CSV..."), QStringLiteral("saveCsv")),
          ui::pushButton(QStringLiteral("Print..."), QStringLiteral("print")),
          ui::pushButton(QStringLiteral("Save as PDF..."), QStringLiteral("savePdf"))})
        grid->addWidget(button, 0, grid->columnCount());
    connect(group->findChild<QPushButton *>(QStringLiteral("saveCsv")), &QPushButton::clicked, this,
            [this] {
                if (m_study)
                    ui::saveCsv(this, QStringLiteral("mean kinship.csv"),
                                rankedCsv(m_ranking->dogs()), QStringLiteral("The list"));
            });
    connect(group->findChild<QPushButton *>(QStringLiteral("print")), &QPushButton::clicked, this,
            [this] {
                if (m_study)
                    Q_EMIT printRequested(
                        populationReport(*m_study, m_ancestors ? &*m_ancestors : nullptr));
            });
    connect(group->findChild<QPushButton *>(QStringLiteral("savePdf")), &QPushButton::clicked, this,
            &PopulationScreen::savePdf);
    m_reference->setObjectName(QStringLiteral("referenceLine"));
    m_loop->setObjectName(QStringLiteral("loopLine"));
    m_loop->setWordWrap(true);
    m_loop->setStyleSheet(QStringLiteral("color: #a00000"));
    m_loop->hide();
    grid->addWidget(m_reference, 1, 0, 1, grid->columnCount());
    grid->addWidget(m_loop, 2, 0, 1, grid->columnCount());
    return group;
}

QWidget *PopulationScreen::buildFigures()
{
    auto *group = new QGroupBox(QStringLiteral("Figures"));
    auto *grid = new QGridLayout(group);
    static const char *const names[] = {"referenceSize",      "meanCoi",
                                        "meanKinship",        "founders",
                                        "founderEquivalents", "effectiveAncestors",
                                        "founderGenomes",     "meanGenerations",
                                        "effectiveSize",      "generationInterval"};
    for (int figure = 0; figure < Figures; ++figure) {
        QLineEdit *box = ui::textBox(QString::fromLatin1(names[figure]));
        box->setReadOnly(true);
        ui::addField(grid, figure, 0, figureCaptions()[figure], box);
        m_figures << box;
    }
    m_paths->setObjectName(QStringLiteral("intervalPaths"));
    m_paths->setWordWrap(true);
    grid->addWidget(m_paths, Figures, 0, 1, 2);
    grid->setRowStretch(Figures + 1, 1);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *PopulationScreen::buildLists()
{
    auto *tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("lists"));
    m_ranked->setObjectName(QStringLiteral("rankedDogs"));
    m_ranked->setAccessibleName(QStringLiteral("Living dogs by mean kinship"));
    m_ranked->setModel(m_ranking);
    m_ranked->setSortingEnabled(true);
    m_ranked->horizontalHeader()->setSortIndicator(PopulationRanking::MeanKinship,
                                                   Qt::AscendingOrder);
    m_ranked->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ranked->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ranked->verticalHeader()->hide();
    m_ranked->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_ranked->horizontalHeader()->setStretchLastSection(true);
    m_ranked->setColumnWidth(PopulationRanking::Name, 220);
    auto *ranked = new QWidget;
    auto *rankedLayout = new QVBoxLayout(ranked);
    rankedLayout->addWidget(
        new QLabel(QStringLiteral("Living dogs, lowest mean kinship (rarest lines) first; "
                                  "green is the lowest quarter, red the highest.")));
    rankedLayout->addWidget(m_ranked);
    tabs->addTab(ranked, QStringLiteral("Ranked Dogs"));
    auto *ancestry = new QWidget;
    auto *ancestryLayout = new QVBoxLayout(ancestry);
    m_founders->setAccessibleName(QStringLiteral("Founders"));
    m_topAncestors->setAccessibleName(QStringLiteral("Top ancestors"));
    ancestryLayout->addWidget(m_founders, 3);
    ancestryLayout->addWidget(m_topAncestors, 2);
    tabs->addTab(ancestry, QStringLiteral("Founders and Ancestors"));
    auto *charts = new QWidget;
    auto *chartsLayout = new QVBoxLayout(charts);
    chartsLayout->addWidget(m_diversityChart);
    chartsLayout->addWidget(m_bornChart);
    tabs->addTab(charts, QStringLiteral("Charts"));
    return tabs;
}

void PopulationScreen::load()
{
    workOut();
}

void PopulationScreen::workOut()
{
    stopAncestors();
    m_study.reset();
    m_ancestors.reset();
    genetics::KennelGenetics &genetics = kennelGenetics();
    if (!genetics.problem().isEmpty()) {
        core::tell(QStringLiteral("The dogs could not be read: ") + genetics.problem());
        return;
    }
    genetics::ReferenceChoice choice{m_firstYear->value(), m_lastYear->value(),
                                     m_livingOnly->isChecked()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_study = studyPopulation(genetics, choice);
    QApplication::restoreOverrideCursor();
    // Years typed backwards are shown the right way round.
    m_firstYear->setValue(m_study->choice.firstYear);
    m_lastYear->setValue(m_study->choice.lastYear);
    m_ranking->setDogs(m_study->ranked);
    m_ranked->horizontalHeader()->setSortIndicator(PopulationRanking::MeanKinship,
                                                   Qt::AscendingOrder);
    showFigures();
    showFounders();
    showAncestors();
    showCharts();
    startAncestors();
}

void PopulationScreen::showFigures()
{
    const QStringList texts = figureTexts(*m_study, m_ancestors ? &*m_ancestors : nullptr);
    for (int figure = 0; figure < Figures; ++figure) {
        m_figures[figure]->setText(texts[figure]);
        m_figures[figure]->setCursorPosition(0);
    }
    m_paths->setText(pathsLine(m_study->figures.intervals));
    m_reference->setText(referenceText(*m_study));
    m_loop->setText(loopText(*m_study));
    m_loop->setVisible(!m_loop->text().isEmpty());
}

void PopulationScreen::showFounders()
{
    const std::vector<NamedFounder> &founders = m_study->founders;
    const int shown = int(std::min(founders.size(), size_t(listedFounders)));
    m_founders->setRowCount(shown);
    const QLocale locale;
    for (int row = 0; row < shown; ++row) {
        const NamedFounder &founder = founders[size_t(row)];
        setRow(
            m_founders, row,
            {founder.name,
             founder.weight < 1.0 ? QStringLiteral("half a founder") : QStringLiteral("a founder"),
             genetics::percent(founder.share)});
    }
}

void PopulationScreen::showAncestors()
{
    m_topAncestors->setRowCount(0);
    if (!m_ancestors)
        return;
    const genetics::KennelGraph &graph = kennelGenetics().graph();
    const int shown = int(std::min(m_ancestors->taken.size(), size_t(listedAncestors)));
    m_topAncestors->setRowCount(shown);
    for (int row = 0; row < shown; ++row) {
        const genetics::Ancestor &ancestor = m_ancestors->taken[size_t(row)];
        const int dog = graph.indexOfId(ancestor.id);
        setRow(
            m_topAncestors, row,
            {dog == genetics::unknown ? QStringLiteral("(no longer on record)") : graph.name(dog),
             genetics::percent(ancestor.contribution), genetics::percent(ancestor.marginal)});
    }
}

void PopulationScreen::showCharts()
{
    showChart(m_diversityChart, diversityByYearChart(m_study->years));
    showChart(m_bornChart, bornPerYearChart(m_study->years));
}

void PopulationScreen::startAncestors()
{
    auto work = std::make_shared<AncestorWork>();
    work->graph = std::move(m_study->ancestors);
    m_study->ancestors = {};
    m_work = work;
    m_ancestorsTask = new core::BackgroundTask(
        [work] { work->result = genetics::effectiveAncestors(work->graph, &work->stop); }, this);
    connect(m_ancestorsTask, &core::BackgroundTask::finished, this, [this, work] {
        if (work != m_work)
            return;
        m_ancestors = std::move(work->result);
        m_ancestorsTask->deleteLater();
        m_ancestorsTask = nullptr;
        m_work.reset();
        showFigures();
        showAncestors();
    });
}

void PopulationScreen::stopAncestors()
{
    if (!m_ancestorsTask)
        return;
    m_work->stop = true;
    m_work.reset();
    delete m_ancestorsTask.data();
}

void PopulationScreen::waitForAncestors()
{
    if (m_ancestorsTask)
        m_ancestorsTask->wait();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void PopulationScreen::savePdf()
{
    if (!m_study)
        return;
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"),
                                     QDir::home().filePath(QStringLiteral("Population Report.pdf")),
                                     QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    report::PagedLayout pages =
        populationReport(*m_study, m_ancestors ? &*m_ancestors : nullptr).pages();
    const QString problem = report::writePdf(pages, file);
    QApplication::restoreOverrideCursor();
    if (!problem.isEmpty())
        core::tell(problem);
}

} // namespace population
