#include "inbreeding/GeneticsScreen.h"

#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "genetics/KennelGenetics.h"
#include "genetics/Population.h"
#include "inbreeding/SireFilter.h"
#include "inbreeding/SireRanking.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QCheckBox>
#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace inbreeding {
namespace {

genetics::KennelGenetics &kennelGenetics()
{
    return genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

GeneticsScreen::GeneticsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Inbreeding and Trial Matings"), parent),
      m_sire(ui::pickList(QStringLiteral("sire"))), m_dam(ui::pickList(QStringLiteral("dam"))),
      m_generations(new QSpinBox), m_loop(new QLabel), m_common(new QTableWidget(0, 4)),
      m_health(new QTableWidget(0, HealthColumns)),
      m_leaveOutAffected(
          new QCheckBox(QStringLiteral("Leave out sires that can produce affected pups"))),
      m_ownOnly(new QCheckBox(QStringLiteral("Own males only"))),
      m_ageLimits(new QCheckBox(QStringLiteral("Leave out males younger than"))),
      m_youngest(new QSpinBox), m_oldest(new QSpinBox), m_ranking(new SireRanking(this)),
      m_sorted(new QSortFilterProxyModel(this)), m_sires(new QTableView)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildChoice());
    m_loop->setObjectName(QStringLiteral("loop"));
    m_loop->setWordWrap(true);
    m_loop->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    m_loop->hide();
    layout->addWidget(m_loop);
    auto *columns = new QHBoxLayout;
    columns->addWidget(buildResults(), 1);
    columns->addWidget(buildBestSires(), 1);
    layout->addLayout(columns, 2);
    layout->addWidget(buildLitterHealth(), 1);
}

QWidget *GeneticsScreen::buildChoice()
{
    auto *group = new QGroupBox(QStringLiteral("Trial Mating"));
    auto *grid = new QGridLayout(group);
    m_sire->setPrompt(QStringLiteral("Select the Sire"));
    m_dam->setPrompt(QStringLiteral("Select the Dam"));
    m_generations->setObjectName(QStringLiteral("generations"));
    m_generations->setRange(1, 60);
    m_generations->setValue(genetics::defaultGenerations);
    ui::addField(grid, 0, 0, QStringLiteral("Sire"), m_sire);
    ui::addField(grid, 0, 2, QStringLiteral("Dam"), m_dam);
    ui::addField(grid, 1, 0, QStringLiteral("Generations"), m_generations);
    auto *calculateButton =
        ui::pushButton(QStringLiteral("Calculate"), QStringLiteral("calculate"));
    auto *best =
        ui::pushButton(QStringLiteral("Best Sires for this Dam"), QStringLiteral("bestSires"));
    connect(calculateButton, &QPushButton::clicked, this, &GeneticsScreen::calculate);
    connect(best, &QPushButton::clicked, this, &GeneticsScreen::showBestSires);
    setMainButton(calculateButton);
    grid->addWidget(calculateButton, 1, 2);
    grid->addWidget(best, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *GeneticsScreen::buildResults()
{
    auto *group = new QGroupBox(QStringLiteral("Results"));
    auto *grid = new QGridLayout(group);
    const std::pair<const char *, const char *> results[] = {
        {"COI (all generations)", "coiAll"},
        {"COI (chosen generations)", "coiChosen"},
        {"Relationship of sire and dam", "relationship"},
        {"Ancestor loss (5 generations)", "ancestorLoss"},
        {"Complete generations", "completeGenerations"},
        {"Deepest generation", "deepestGeneration"},
        {"Mean kinship of the sire", "sireMeanKinship"},
        {"Mean kinship of the dam", "damMeanKinship"},
        {"Mean kinship of the litter", "litterMeanKinship"},
    };
    int row = 0;
    for (const auto &[caption, name] : results) {
        QLineEdit *box = ui::textBox(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        ui::addField(grid, row++, 0, QString::fromLatin1(caption), box);
        m_results << box;
    }
    auto *commonCaption = new QLabel(QStringLiteral("Common ancestors"));
    commonCaption->setBuddy(m_common);
    m_common->setObjectName(QStringLiteral("commonAncestors"));
    m_common->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Sire's side"),
                                         QStringLiteral("Dam's side"),
                                         QStringLiteral("Contribution")});
    m_common->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_common->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_common->verticalHeader()->hide();
    m_common->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_common->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->addWidget(commonCaption, row++, 0, 1, 2);
    grid->addWidget(m_common, row, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return group;
}

QWidget *GeneticsScreen::buildLitterHealth()
{
    auto *group = new QGroupBox(QStringLiteral("Health of the litter"));
    auto *layout = new QVBoxLayout(group);
    m_health->setObjectName(QStringLiteral("litterHealth"));
    m_health->setAccessibleName(QStringLiteral("Health of the litter"));
    m_health->setHorizontalHeaderLabels({QStringLiteral("Test"), QStringLiteral("Sire"),
                                         QStringLiteral("Dam"), QStringLiteral("Clear"),
                                         QStringLiteral("Carrier"), QStringLiteral("Affected"),
                                         QStringLiteral("What can be said")});
    m_health->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_health->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_health->verticalHeader()->hide();
    m_health->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_health->horizontalHeader()->setStretchLastSection(true);
    m_health->setWordWrap(true);
    layout->addWidget(m_health);
    return group;
}

QWidget *GeneticsScreen::buildBestSires()
{
    auto *group = new QGroupBox(QStringLiteral("Best Sires for this Dam"));
    auto *layout = new QVBoxLayout(group);
    m_sorted->setSourceModel(m_ranking);
    m_sorted->setSortRole(SireRanking::sortRole);
    m_sires->setObjectName(QStringLiteral("bestSiresTable"));
    m_sires->setModel(m_sorted);
    m_sires->setSortingEnabled(true);
    m_sires->sortByColumn(SireRanking::LitterInbreeding, Qt::AscendingOrder);
    m_sires->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sires->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sires->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sires->verticalHeader()->hide();
    m_sires->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_sires->horizontalHeader()->setSectionResizeMode(SireRanking::Sire, QHeaderView::Stretch);
    connect(m_sires, &QTableView::clicked, this, &GeneticsScreen::chooseSire);
    connect(m_sires, &QTableView::activated, this, &GeneticsScreen::chooseSire);
    m_leaveOutAffected->setObjectName(QStringLiteral("leaveOutAffected"));
    m_ownOnly->setObjectName(QStringLiteral("ownMalesOnly"));
    m_ageLimits->setObjectName(QStringLiteral("ageLimits"));
    m_youngest->setObjectName(QStringLiteral("youngestMonths"));
    m_youngest->setRange(0, 240);
    m_youngest->setValue(SireFilter{}.youngestMonths);
    m_youngest->setSuffix(QStringLiteral(" months"));
    m_oldest->setObjectName(QStringLiteral("oldestYears"));
    m_oldest->setRange(1, 30);
    m_oldest->setValue(SireFilter{}.oldestYears);
    m_oldest->setSuffix(QStringLiteral(" years"));
    auto *ages = new QHBoxLayout;
    ages->addWidget(m_ageLimits);
    ages->addWidget(m_youngest);
    ages->addWidget(new QLabel(QStringLiteral("or older than")));
    ages->addWidget(m_oldest);
    ages->addStretch();
    // A changed choice shows the list again for the dam it was shown for.
    auto again = [this] {
        if (m_ranking->rowCount() > 0 || m_bestSiresShown)
            showBestSires();
    };
    for (QCheckBox *box : {m_leaveOutAffected, m_ownOnly, m_ageLimits})
        connect(box, &QCheckBox::toggled, this, again);
    for (QSpinBox *box : {m_youngest, m_oldest})
        connect(box, &QSpinBox::valueChanged, this, [this, again] {
            if (m_ageLimits->isChecked())
                again();
        });
    layout->addWidget(m_leaveOutAffected);
    layout->addWidget(m_ownOnly);
    layout->addLayout(ages);
    layout->addWidget(new QLabel(QStringLiteral("Choose a row to make him the Sire.")));
    layout->addWidget(m_sires);
    return group;
}

void GeneticsScreen::load()
{
    // Rows changed by another program since the last look are read afresh.
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_sire->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedMales));
    m_dam->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedFemales));
}

std::optional<int> GeneticsScreen::chosenDog(ui::PickList *list, const QString &role)
{
    const QString name = list->text();
    if (name.isEmpty() || list->showsPrompt()) {
        core::tell(QStringLiteral("Please Select the ") + role);
        list->setFocus();
        return std::nullopt;
    }
    const int dog = kennelGenetics().graph().find(name);
    if (dog == genetics::unknown) {
        core::tell(QStringLiteral("There is no dog named \"%1\".").arg(name));
        list->setFocus();
        return std::nullopt;
    }
    return dog;
}

void GeneticsScreen::clearResults()
{
    for (QLineEdit *box : std::as_const(m_results))
        box->clear();
    m_common->setRowCount(0);
    m_health->setRowCount(0);
    m_loop->hide();
}

void GeneticsScreen::calculate()
{
    clearResults();
    genetics::KennelGenetics &genetics = kennelGenetics();
    if (!genetics.problem().isEmpty()) {
        core::tell(QStringLiteral("The dogs could not be read: ") + genetics.problem());
        return;
    }
    const std::optional<int> sire = chosenDog(m_sire, QStringLiteral("Sire"));
    if (!sire)
        return;
    const std::optional<int> dam = chosenDog(m_dam, QStringLiteral("Dam"));
    if (!dam)
        return;
    if (const QStringList loop = genetics.loopAbove(*sire, *dam); !loop.isEmpty()) {
        m_loop->setText(genetics::loopMessage(loop));
        m_loop->show();
        return;
    }
    const genetics::MatingFigures figures = genetics.mating(*sire, *dam, m_generations->value());
    const std::vector<double> kinship =
        genetics.meanKinship(genetics::referencePopulation(
                                 genetics.graph(), genetics::defaultReference(core::Clock::today()))
                                 .dogs);
    const double sireKinship = kinship[size_t(*sire)];
    const double damKinship = kinship[size_t(*dam)];
    const QStringList texts{genetics::percent(figures.inbreeding),
                            genetics::percent(figures.inbreedingChosen),
                            genetics::percent(figures.relationship),
                            genetics::percent(figures.ancestorLoss / 100.0),
                            QString::number(figures.completeGenerations),
                            QString::number(figures.deepestGeneration),
                            genetics::percent(sireKinship),
                            genetics::percent(damKinship),
                            genetics::percent((sireKinship + damKinship) / 2.0)};
    for (qsizetype i = 0; i < texts.size(); ++i)
        m_results[i]->setText(texts[i]);
    m_common->setRowCount(int(figures.common.size()));
    int row = 0;
    for (const genetics::CommonAncestor &ancestor : figures.common) {
        const Qt::Alignment right = Qt::AlignRight;
        m_common->setItem(row, 0, cell(genetics.graph().name(ancestor.dog)));
        m_common->setItem(row, 1, cell(QString::number(ancestor.sireSide), right));
        m_common->setItem(row, 2, cell(QString::number(ancestor.damSide), right));
        m_common->setItem(row, 3, cell(genetics::percent(ancestor.part), right));
        ++row;
    }
    showLitterHealth(*sire, *dam);
}

void GeneticsScreen::showLitterHealth(int sire, int dam)
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const genetics::DnaStatuses &dna = kennelGenetics().dnaStatuses(kennel);
    if (!dna.problem().isEmpty()) {
        core::tell(QStringLiteral("The health results could not be read: ") + dna.problem());
        return;
    }
    m_health->setRowCount(int(dna.tests().size()));
    for (int test = 0; test < int(dna.tests().size()); ++test) {
        const genetics::LitterHealth litter = dna.litter(test, sire, dam);
        QStringList cells{dna.tests()[size_t(test)].name, genetics::statusText(litter.sire),
                          genetics::statusText(litter.dam)};
        if (litter.shares) {
            for (const double share :
                 {litter.shares->clear, litter.shares->carrier, litter.shares->affected})
                cells << genetics::litterPercent(share, litter.exact);
        } else {
            cells << QString() << QString() << QString();
        }
        QStringList said;
        if (!litter.words.isEmpty())
            said << litter.words;
        if (litter.shares && !litter.exact)
            said << QStringLiteral("estimated");
        if (litter.canProduceAffected)
            said << genetics::affectedWarning();
        cells << said.join(QStringLiteral("; "));
        for (int column = 0; column < HealthColumns; ++column) {
            QTableWidgetItem *item =
                cell(cells[column], column >= 3 && column < 6 ? Qt::AlignRight : Qt::AlignLeft);
            if (litter.canProduceAffected)
                item->setForeground(QColor(0xa0, 0, 0));
            m_health->setItem(test, column, item);
        }
    }
    m_health->resizeRowsToContents();
}

void GeneticsScreen::showBestSires()
{
    genetics::KennelGenetics &genetics = kennelGenetics();
    const std::optional<int> dam = chosenDog(m_dam, QStringLiteral("Dam"));
    if (!dam)
        return;
    if (const QStringList loop = genetics.loopAbove(genetics::unknown, *dam); !loop.isEmpty()) {
        m_loop->setText(genetics::loopMessage(loop));
        m_loop->show();
        return;
    }
    SireFilter filter;
    filter.noAffectedRisk = m_leaveOutAffected->isChecked();
    filter.ownOnly = m_ownOnly->isChecked();
    filter.ageLimits = m_ageLimits->isChecked();
    filter.youngestMonths = m_youngest->value();
    filter.oldestYears = m_oldest->value();
    RankedSires ranked =
        rankedSires(db::DatabaseFiles::kennel(), genetics, *dam, filter, core::Clock::today());
    if (!ranked.problem.isEmpty()) {
        core::tell(QStringLiteral("The dogs could not be read: ") + ranked.problem);
        return;
    }
    m_bestSiresShown = true;
    m_ranking->setChoices(std::move(ranked.choices), genetics.graph());
    m_sires->sortByColumn(SireRanking::LitterInbreeding, Qt::AscendingOrder);
}

void GeneticsScreen::showMating(const QString &sire, const QString &dam)
{
    m_sire->setText(sire);
    m_dam->setText(dam);
    // Before its first showing the screen calculates once it has loaded its lists.
    if (isLoaded())
        calculate();
    else
        connect(this, &ui::Screen::loaded, this, &GeneticsScreen::calculate,
                Qt::SingleShotConnection);
}

void GeneticsScreen::chooseSire(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_sire->setText(m_ranking->sireName(m_sorted->mapToSource(index).row()));
    calculate();
}

} // namespace inbreeding
