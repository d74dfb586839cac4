#include "breeding/LitterScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "db/DatabaseFiles.h"
#include "kennel/Litters.h"
#include "ui/FieldGrid.h"

#include <algorithm>
#include <limits>
#include <QAbstractListModel>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace breeding {
namespace {

QLabel *display(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(240);
    return label;
}

// The matings a litter can come from, each line read when it comes into view.
class MatingLinesModel : public QAbstractListModel
{
public:
    MatingLinesModel(const QSqlDatabase &db, std::vector<qint64> rows, QObject *parent)
        : QAbstractListModel(parent), m_rows(std::move(rows)), m_lines(db)
    {
    }

    qint64 mating(int line) const { return m_rows[size_t(line)]; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() ||
            (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return m_lines.line(m_rows[size_t(index.row())]);
    }
    // Typing in the list looks for the next line that starts with what was typed: asked of
    // the file, instead of reading every line.
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits,
                          Qt::MatchFlags flags) const override
    {
        const Qt::MatchFlags typed = Qt::MatchStartsWith | Qt::MatchWrap;
        if (role != Qt::DisplayRole || hits != 1 || flags != typed || !start.isValid())
            return QAbstractListModel::match(start, role, value, hits, flags);
        const QString text = value.toString();
        std::optional<qint64> found = m_lines.firstStartingWith(text, m_rows[size_t(start.row())]);
        if (!found)
            found = m_lines.firstStartingWith(text, std::numeric_limits<qint64>::min());
        if (!found)
            return {};
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), *found);
        return {index(int(at - m_rows.begin()))};
    }

private:
    std::vector<qint64> m_rows;
    mutable MatingLineReader m_lines;
};

} // namespace

LitterScreen::LitterScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Select Litter from Mating"), parent),
      m_matings(new QComboBox), m_sire(display("sire")), m_dam(display("dam")),
      m_breed(display("breed")), m_born(ui::textBox(QStringLiteral("dateoflitter"))),
      m_pups(ui::textBox(QStringLiteral("littersize")))
{
    m_matings->setObjectName(QStringLiteral("matings"));
    m_matings->setPlaceholderText(QStringLiteral("Matings"));
    m_matings->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_matings->setMinimumContentsLength(32);
    auto *choose = new QLabel(QStringLiteral("Select the Dam that has been mated Below"));
    choose->setBuddy(m_matings);
    QPushButton *viewButton = ui::pushButton(QStringLiteral("View"), QStringLiteral("view"));
    connect(viewButton, &QPushButton::clicked, this, &LitterScreen::view);

    auto *frame = new QGroupBox(QStringLiteral("Litter Information"));
    auto *grid = new QGridLayout(frame);
    ui::addField(grid, 0, 0, QStringLiteral("Sire"), m_sire);
    ui::addField(grid, 1, 0, QStringLiteral("Dam"), m_dam);
    ui::addField(grid, 2, 0, QStringLiteral("Breed of Pups"), m_breed);
    m_born->setText(core::datetext::typingHint());
    ui::selectAllOnFocus(m_born);
    ui::addField(grid, 3, 0, QStringLiteral("Enter Date of Birth"), m_born);
    ui::addField(grid, 4, 0, QStringLiteral("Number of Pups in Litter"), m_pups);
    grid->setColumnStretch(1, 1);

    auto *chooser = new QHBoxLayout;
    chooser->addWidget(m_matings, 1);
    chooser->addWidget(viewButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(choose);
    layout->addLayout(chooser);
    layout->addWidget(frame);
    addButtonRow(layout, QStringLiteral("Add Litter and Pups"), QStringLiteral("add"),
                 [this] { addLitterAndPups(); });
}

void LitterScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    // The combo box deletes the list it had, which it owns.
    m_matings->setModel(new MatingLinesModel(kennel, matingRows(kennel), m_matings));
    m_matings->setCurrentIndex(-1);
}

void LitterScreen::view()
{
    const int line = m_matings->currentIndex();
    if (line < 0 || line >= m_matings->count())
        return;
    const Mating mating =
        viewMating(db::DatabaseFiles::kennel(),
                   static_cast<const MatingLinesModel *>(m_matings->model())->mating(line));
    m_sire->setText(mating.sire);
    m_dam->setText(mating.dam);
    m_breed->setText(mating.damBreed);
}

void LitterScreen::addLitterAndPups()
{
    const QString pupsText = m_pups->text();
    const QString bornText = m_born->text();
    if (m_sire->text().isEmpty() && m_dam->text().isEmpty()) {
        core::tell(QStringLiteral(" Please Select a Mating First"));
        return;
    }
    const QString askForPups =
        QStringLiteral("Please Enter the Number of Puppies Born in the Litter");
    if (pupsText.isEmpty()) {
        core::tell(askForPups);
        return;
    }
    if (bornText.isEmpty()) {
        core::tell(QStringLiteral("Please Enter the Date of Birth of the Litter"));
        return;
    }
    // A count that is not a number, is negative or is too large is asked for again.
    const std::optional<int> typed = core::typedWholeNumber(pupsText);
    const int pups = typed.value_or(-1);
    if (pups < 0) {
        core::tell(askForPups);
        m_pups->setFocus();
        return;
    }
    const QDate born = core::datetext::parse(bornText);
    if (!born.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date of Birth"), bornText));
        m_born->setFocus();
        return;
    }
    if (pups > 0) {
        const kennel::NewLitter litter{m_sire->text(), m_dam->text(), m_breed->text(), pups, born};
        if (const auto written = kennel::addLitter(db::DatabaseFiles::kennel(), litter); !written) {
            core::tellNothingChanged(QStringLiteral("The litter"), written.problem());
            return;
        }
    }
    core::tell(core::signedText(pups) +
               QStringLiteral(" Pups have been added to the Dogs Records You will need to update "
                              "the Information. "));
    closeScreen();
}

} // namespace breeding
