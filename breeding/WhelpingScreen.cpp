#include "breeding/WhelpingScreen.h"

#include "breeding/LitterChooser.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "core/Units.h"
#include "db/DatabaseFiles.h"
#include "kennel/Changes.h"
#include "ui/FieldGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace breeding {
namespace {

enum Column { Pup, Time, Sex, Colour, Markings, Collar, Weight, Alive, Died, Columns };

QString cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

} // namespace

WhelpingScreen::WhelpingScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Whelping"), parent), m_litterList(new LitterChooser),
      m_heading(new QLabel),
      m_pups(ui::entryTable(
          QStringLiteral("pups"), QStringLiteral("Whelping"),
          {QStringLiteral("Pup"), QStringLiteral("Time of Birth"), QStringLiteral("Sex"),
           QStringLiteral("Colour"), QStringLiteral("Markings"), QStringLiteral("Collar"),
           QStringLiteral("Birth Weight"), QStringLiteral("Born Alive"), QStringLiteral("Died")}))
{
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setWordWrap(true);
    m_pups->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_pups->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_pups->horizontalHeader()->setStretchLastSection(false);
    QPushButton *add = ui::pushButton(QStringLiteral("Add Pup"), QStringLiteral("addPup"));
    QPushButton *save = ui::pushButton(QStringLiteral("Save Whelping"), QStringLiteral("save"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(add, &QPushButton::clicked, this, [this] {
        if (!m_litter)
            return;
        if (m_pups->rowCount() >= mostPups) {
            core::tell(
                QStringLiteral("A litter of more than %1 pups cannot be recorded.").arg(mostPups));
            return;
        }
        addRow(kennel::WhelpedPup{});
        m_edited = true;
        m_pups->setCurrentCell(m_pups->rowCount() - 1, Time);
        m_pups->setFocus();
    });
    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    connect(close, &QPushButton::clicked, this, &Screen::closeScreen);
    setMainButton(save);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Litter")));
    top->addWidget(m_litterList, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_heading);
    layout->addWidget(m_pups, 1);
    layout->addLayout(buttons);
    setMinimumSize(860, 420);
    connect(m_pups, &QTableWidget::itemChanged, this,
            [this] { m_edited = m_edited || !m_filling; });
    connect(m_litterList, &LitterChooser::litterChosen, this, &WhelpingScreen::showLitter);
}

void WhelpingScreen::showLitter(qint64 litterId)
{
    if (!settle())
        return;
    m_litter = kennel::litterWithId(db::DatabaseFiles::kennel(), litterId);
    if (isLoaded())
        fillLitters(litterId);
}

void WhelpingScreen::load()
{
    fillLitters(m_litter ? m_litter->id : 0);
    m_pups->setFocus();
}

void WhelpingScreen::refresh()
{
    m_edited = false;
    fillLitters(m_litter ? m_litter->id : 0);
}

void WhelpingScreen::fillLitters(qint64 chosen)
{
    m_litter = m_litterList->fill(chosen);
    showPups();
}

void WhelpingScreen::showPups()
{
    m_filling = true;
    m_pups->setRowCount(0);
    m_dogIds.clear();
    if (m_litter) {
        m_heading->setText(QStringLiteral("Born %1 to %2 and %3. Type each pup in the order of "
                                          "birth; weights in %4.")
                               .arg(core::datetext::shortDate(kennel::pupsBirthday(m_litter->born)),
                                    m_litter->dam, m_litter->sire, core::units::weightHint()));
        for (const kennel::WhelpedPup &pup :
             kennel::whelpingOf(db::DatabaseFiles::kennel(), *m_litter)
                 .value_or(std::vector<kennel::WhelpedPup>{}))
            addRow(pup);
    } else {
        m_heading->setText(
            QStringLiteral("No litter is recorded yet: add one with Enter a Litter."));
    }
    m_pups->resizeColumnsToContents();
    m_filling = false;
    m_edited = false;
}

void WhelpingScreen::addRow(const kennel::WhelpedPup &pup)
{
    const bool filling = std::exchange(m_filling, true);
    const int row = m_pups->rowCount();
    m_pups->insertRow(row);
    m_dogIds.push_back(pup.dogId);
    auto *name = new QTableWidgetItem(pup.dogId == 0 ? QStringLiteral("(new)") : pup.name);
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    m_pups->setItem(row, Pup, name);
    const QStringList texts{core::moments::shortTime(pup.time),
                            pup.sex,
                            pup.colour,
                            pup.markings,
                            pup.collar,
                            pup.birthGrams > 0 ? core::units::weightText(pup.birthGrams)
                                               : QString()};
    for (int column = Time; column <= Weight; ++column)
        m_pups->setItem(row, column, new QTableWidgetItem(texts[column - Time]));
    auto *alive = new QTableWidgetItem;
    alive->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    alive->setCheckState(pup.alive ? Qt::Checked : Qt::Unchecked);
    m_pups->setItem(row, Alive, alive);
    m_pups->setItem(row, Died, new QTableWidgetItem(core::datetext::shortDate(pup.died)));
    m_filling = filling;
}

std::optional<std::vector<kennel::WhelpedPup>> WhelpingScreen::typedPups()
{
    std::vector<kennel::WhelpedPup> pups;
    auto refuse = [this](int row, int column, const QString &problem) {
        core::tell(problem);
        m_pups->setCurrentCell(row, column);
        m_pups->setFocus();
        return std::nullopt;
    };
    for (int row = 0; row < m_pups->rowCount(); ++row) {
        kennel::WhelpedPup pup;
        pup.dogId = m_dogIds[size_t(row)];
        const auto time = core::moments::parseTime(cell(m_pups, row, Time));
        if (!time)
            return refuse(row, Time,
                          core::moments::invalidTimeMessage(
                              QStringLiteral("Time of Birth of pup %1").arg(row + 1)));
        pup.time = *time;
        const auto sex = readSex(cell(m_pups, row, Sex));
        if (!sex)
            return refuse(row, Sex,
                          QStringLiteral("The Sex of pup %1 is Male or Female.").arg(row + 1));
        pup.sex = *sex;
        pup.colour = cell(m_pups, row, Colour);
        pup.markings = cell(m_pups, row, Markings);
        pup.collar = cell(m_pups, row, Collar);
        if (const QString weight = cell(m_pups, row, Weight); !weight.isEmpty()) {
            QString problem;
            const auto grams = readWeighing(weight, &problem);
            if (!grams)
                return refuse(row, Weight, problem);
            pup.birthGrams = *grams;
        }
        pup.alive = m_pups->item(row, Alive)->checkState() == Qt::Checked;
        if (const QString died = cell(m_pups, row, Died); !died.isEmpty()) {
            pup.died = core::datetext::parse(died);
            if (!pup.died.isValid())
                return refuse(row, Died,
                              core::datetext::invalidDateMessage(QStringLiteral("Died"), died));
        }
        pups.push_back(pup);
    }
    return pups;
}

bool WhelpingScreen::save()
{
    if (!m_litter)
        return true;
    // A cell being typed in holds its text in the editor until it is committed.
    if (QWidget *editor = m_pups->focusWidget(); editor && editor != m_pups)
        m_pups->setFocus();
    const auto pups = typedPups();
    if (!pups)
        return false;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (const QString problem = whelpingProblem(kennel, *m_litter, *pups); !problem.isEmpty()) {
        core::tell(problem);
        return false;
    }
    if (const auto saved = kennel::saveWhelping(kennel, *m_litter, *pups); !saved) {
        core::tellNothingChanged(QStringLiteral("The whelping"), saved.problem());
        return false;
    }
    fillLitters(m_litter->id);
    Q_EMIT kennel::Changes::instance().whelpingRecorded();
    return true;
}

bool WhelpingScreen::settle()
{
    return !m_edited || save();
}

} // namespace breeding
