#include "population/MatingMatrixScreen.h"

#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "genetics/Population.h"
#include "ui/FieldGrid.h"
#include "ui/SaveCsv.h"

#include <algorithm>
#include <cmath>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace population {
namespace {

genetics::KennelGenetics &kennelGenetics()
{
    return genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
}

// Green for an outcross, through yellow, to red at a COI of a quarter (full siblings).
QColor coiColour(double coi)
{
    if (std::isnan(coi))
        return QColor(0xdd, 0xdd, 0xdd);
    const double t = std::clamp(coi / 0.25, 0.0, 1.0);
    return QColor::fromHsvF(float((1.0 - t) / 3.0), 0.4f, 1.0f);
}

QListWidget *dogList(const QString &objectName, const QString &accessibleName)
{
    auto *list = new QListWidget;
    list->setObjectName(objectName);
    list->setAccessibleName(accessibleName);
    list->setUniformItemSizes(true);
    return list;
}

} // namespace

MatingMatrixScreen::MatingMatrixScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Mating Matrix"), parent), m_breed(new QComboBox),
      m_livingOnly(new QCheckBox(QStringLiteral("Living dogs only"))),
      m_ageLimits(new QCheckBox(QStringLiteral("Only dogs aged"))), m_youngest(new QSpinBox),
      m_oldest(new QSpinBox), m_dams(dogList(QStringLiteral("bitches"), QStringLiteral("Bitches"))),
      m_sires(dogList(QStringLiteral("males"), QStringLiteral("Males"))), m_grid(new QTableWidget)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFilter());
    auto *lists = new QHBoxLayout;
    for (const auto &[caption, list] :
         {std::pair{QStringLiteral("&Bitches"), m_dams}, {QStringLiteral("&Males"), m_sires}}) {
        auto *column = new QVBoxLayout;
        auto *label = new QLabel(caption);
        label->setBuddy(list);
        column->addWidget(label);
        column->addWidget(list);
        lists->addLayout(column);
    }
    auto *buttons = new QVBoxLayout;
    QPushButton *show = ui::pushButton(QStringLiteral("Show Matrix"), QStringLiteral("showMatrix"));
    QPushButton *csv = ui::pushButton(QStringLiteral("Save as CSV..."), QStringLiteral("saveCsv"));
    QPushButton *print = ui::pushButton(QStringLiteral("Print..."), QStringLiteral("print"));
    connect(show, &QPushButton::clicked, this, &MatingMatrixScreen::showMatrix);
    connect(csv, &QPushButton::clicked, this, [this] {
        if (m_matrix)
            ui::saveCsv(this, QStringLiteral("mating matrix.csv"), matrixCsv(*m_matrix),
                        QStringLiteral("The matrix"));
    });
    connect(print, &QPushButton::clicked, this, [this] {
        if (m_matrix)
            Q_EMIT printRequested(matrixReport(*m_matrix));
    });
    setMainButton(show);
    for (QPushButton *button : {show, csv, print})
        buttons->addWidget(button);
    buttons->addStretch();
    lists->addLayout(buttons);
    layout->addLayout(lists, 1);
    m_grid->setObjectName(QStringLiteral("matrix"));
    m_grid->setAccessibleName(QStringLiteral("Mating matrix"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(true);
    m_grid->horizontalHeader()->setDefaultSectionSize(130);
    connect(m_grid, &QTableWidget::cellClicked, this, &MatingMatrixScreen::chooseCell);
    connect(m_grid, &QTableWidget::cellActivated, this, &MatingMatrixScreen::chooseCell);
    layout->addWidget(new QLabel(QStringLiteral(
        "Each litter's COI and mean kinship (MK); choose one to open it in Inbreeding and "
        "Trial Matings.")));
    layout->addWidget(m_grid, 2);
    setMinimumSize(820, 640);
}

QWidget *MatingMatrixScreen::buildFilter()
{
    auto *group = new QGroupBox(QStringLiteral("Dogs offered"));
    auto *row = new QHBoxLayout(group);
    m_breed->setObjectName(QStringLiteral("breed"));
    m_livingOnly->setObjectName(QStringLiteral("livingOnly"));
    m_livingOnly->setChecked(true);
    m_ageLimits->setObjectName(QStringLiteral("ageLimits"));
    m_youngest->setObjectName(QStringLiteral("youngestYears"));
    m_youngest->setRange(0, 30);
    m_youngest->setValue(CandidateFilter{}.youngestYears);
    m_oldest->setObjectName(QStringLiteral("oldestYears"));
    m_oldest->setRange(0, 30);
    m_oldest->setValue(CandidateFilter{}.oldestYears);
    m_oldest->setSuffix(QStringLiteral(" years"));
    auto *breedLabel = new QLabel(QStringLiteral("B&reed"));
    breedLabel->setBuddy(m_breed);
    row->addWidget(breedLabel);
    row->addWidget(m_breed, 1);
    row->addWidget(m_livingOnly);
    row->addWidget(m_ageLimits);
    row->addWidget(m_youngest);
    row->addWidget(new QLabel(QStringLiteral("to")));
    row->addWidget(m_oldest);
    connect(m_breed, &QComboBox::currentIndexChanged, this, &MatingMatrixScreen::fillCandidates);
    for (QCheckBox *box : {m_livingOnly, m_ageLimits})
        connect(box, &QCheckBox::toggled, this, &MatingMatrixScreen::fillCandidates);
    for (QSpinBox *box : {m_youngest, m_oldest})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (m_ageLimits->isChecked())
                fillCandidates();
        });
    return group;
}

void MatingMatrixScreen::load()
{
    const QSignalBlocker quiet(m_breed);
    m_breed->addItem(QStringLiteral("All breeds"));
    m_breed->addItems(db::breedNames(db::DatabaseFiles::kennel()));
    fillCandidates();
}

void MatingMatrixScreen::fillCandidates()
{
    if (!isLoaded() && m_breed->count() == 0)
        return;
    // The dogs ticked stay ticked while the filter changes.
    std::unordered_set<qint64> sires, dams;
    for (const Candidate &dog : chosen(m_sires, m_candidates.males))
        sires.insert(dog.id);
    for (const Candidate &dog : chosen(m_dams, m_candidates.females))
        dams.insert(dog.id);
    genetics::KennelGenetics &genetics = kennelGenetics();
    if (!genetics.problem().isEmpty()) {
        core::tell(QStringLiteral("The dogs could not be read: ") + genetics.problem());
        return;
    }
    CandidateFilter filter;
    filter.breed = m_breed->currentIndex() > 0 ? m_breed->currentText() : QString();
    filter.livingOnly = m_livingOnly->isChecked();
    filter.ageLimits = m_ageLimits->isChecked();
    filter.youngestYears = m_youngest->value();
    filter.oldestYears = m_oldest->value();
    m_candidates = matingCandidates(db::DatabaseFiles::kennel(), genetics.graph(), filter,
                                    core::Clock::today());
    if (!m_candidates.problem.isEmpty())
        core::tell(QStringLiteral("The dogs could not be read: ") + m_candidates.problem);
    fillList(m_sires, m_candidates.males, sires);
    fillList(m_dams, m_candidates.females, dams);
}

void MatingMatrixScreen::fillList(QListWidget *list, const std::vector<Candidate> &dogs,
                                  const std::unordered_set<qint64> &chosen)
{
    list->setUpdatesEnabled(false);
    list->clear();
    for (const Candidate &dog : dogs) {
        auto *item = new QListWidgetItem(dog.name, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(chosen.contains(dog.id) ? Qt::Checked : Qt::Unchecked);
    }
    list->setUpdatesEnabled(true);
}

std::vector<Candidate> MatingMatrixScreen::chosen(QListWidget *list,
                                                  const std::vector<Candidate> &dogs) const
{
    std::vector<Candidate> ticked;
    for (int row = 0; row < list->count() && row < int(dogs.size()); ++row) {
        if (list->item(row)->checkState() == Qt::Checked)
            ticked.push_back(dogs[size_t(row)]);
    }
    return ticked;
}

void MatingMatrixScreen::showMatrix()
{
    std::vector<Candidate> sires = chosen(m_sires, m_candidates.males);
    std::vector<Candidate> dams = chosen(m_dams, m_candidates.females);
    if (sires.empty() || dams.empty()) {
        core::tell(QStringLiteral("Tick at least one bitch and one male."));
        (dams.empty() ? m_dams : m_sires)->setFocus();
        return;
    }
    genetics::KennelGenetics &genetics = kennelGenetics();
    const std::vector<double> kinship =
        genetics.meanKinship(genetics::referencePopulation(
                                 genetics.graph(), genetics::defaultReference(core::Clock::today()))
                                 .dogs);
    // The names were taken when the lists were filled; the dogs may have changed since.
    for (std::vector<Candidate> *dogs : {&sires, &dams}) {
        std::erase_if(*dogs, [&](Candidate &dog) {
            dog.dog = genetics.graph().indexOfId(dog.id);
            return dog.dog == genetics::unknown;
        });
    }
    MatingMatrix matrix = matingMatrix(db::DatabaseFiles::kennel(), genetics, std::move(sires),
                                       std::move(dams), kinship);
    if (!matrix.problem.isEmpty()) {
        core::tell(QStringLiteral("The health results could not be read: ") + matrix.problem);
        return;
    }
    m_matrix = std::move(matrix);
    const MatingMatrix &m = *m_matrix;
    m_grid->clear();
    m_grid->setRowCount(int(m.dams.size()));
    m_grid->setColumnCount(int(m.sires.size()));
    QStringList sireNames, damNames;
    for (const Candidate &sire : m.sires)
        sireNames << sire.name;
    for (const Candidate &dam : m.dams)
        damNames << dam.name;
    m_grid->setHorizontalHeaderLabels(sireNames);
    m_grid->setVerticalHeaderLabels(damNames);
    for (size_t d = 0; d < m.dams.size(); ++d) {
        for (size_t s = 0; s < m.sires.size(); ++s) {
            const MatrixCell &cell = m.at(d, s);
            auto *item = new QTableWidgetItem(cellText(cell));
            item->setBackground(coiColour(cell.coi));
            if (!cell.affected.isEmpty()) {
                item->setForeground(QColor(0xa0, 0, 0));
                item->setToolTip(genetics::affectedWarning() + QStringLiteral(": ") +
                                 cell.affected.join(QStringLiteral(", ")));
            }
            m_grid->setItem(int(d), int(s), item);
        }
    }
    m_grid->resizeRowsToContents();
}

void MatingMatrixScreen::chooseCell(int row, int column)
{
    if (!m_matrix || row < 0 || column < 0 || size_t(row) >= m_matrix->dams.size() ||
        size_t(column) >= m_matrix->sires.size())
        return;
    Q_EMIT trialMatingRequested(m_matrix->sires[size_t(column)].name,
                                m_matrix->dams[size_t(row)].name);
}

} // namespace population
