#include "breeding/SeasonsScreen.h"

#include "breeding/Progesterone.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "kennel/Changes.h"
#include "ui/FieldGrid.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace breeding {

SeasonsScreen::SeasonsScreen(QWidget *parent)
    : ui::DogEntriesScreen(screenName(), QStringLiteral("Seasons"), QStringLiteral("Season"),
                           ui::SharedList::SortedFemales, parent),
      m_forecast(new QLabel), m_firstDay(ui::textBox(QStringLiteral("firstDay"))),
      m_lastDay(ui::textBox(QStringLiteral("lastDay"))),
      m_mated(new QCheckBox(QStringLiteral("Mated in this season"))),
      m_note(ui::textBox(QStringLiteral("note"))), m_estimate(new QLabel), m_litterDue(new QLabel)
{
    m_estimate->setObjectName(QStringLiteral("estimate"));
    m_estimate->setWordWrap(true);
    m_litterDue->setObjectName(QStringLiteral("litterDue"));
    for (QLabel *label : {m_estimate, m_litterDue})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *progesterone =
        ui::pushButton(QStringLiteral("Progesterone..."), QStringLiteral("progesterone"));
    connect(progesterone, &QPushButton::clicked, this, [this] {
        if (!settle())
            return;
        if (shownId() == 0) {
            core::tell(QStringLiteral("Choose the season in the list first."));
            return;
        }
        Q_EMIT progesteroneRequested(shownId());
    });
    m_forecast->setObjectName(QStringLiteral("nextSeason"));
    m_forecast->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mated->setObjectName(QStringLiteral("mated"));
    for (QLineEdit *date : {m_firstDay, m_lastDay})
        date->setPlaceholderText(core::datetext::typingHint());
    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("Next season expected"), m_forecast);
    auto *entry = new QFormLayout;
    entry->addRow(QStringLiteral("First Day"), m_firstDay);
    entry->addRow(QStringLiteral("Last Day"), m_lastDay);
    entry->addRow(QString(), m_mated);
    entry->addRow(QStringLiteral("Note"), m_note);
    entry->addRow(QStringLiteral("Progesterone"), m_estimate);
    auto *progesteroneRow = new QHBoxLayout;
    progesteroneRow->addWidget(progesterone);
    progesteroneRow->addStretch();
    entry->addRow(QString(), progesteroneRow);
    entry->addRow(QStringLiteral("Litter due (mating)"), m_litterDue);
    build(QStringLiteral("Bitch"), top, QStringLiteral("seasons"),
          {QStringLiteral("First Day"), QStringLiteral("Last Day"), QStringLiteral("Mated"),
           QStringLiteral("Note")},
          entry);
    setMinimumSize(640, 480);

    connect(m_mated, &QCheckBox::toggled, this, &SeasonsScreen::markEdited);
    for (QLineEdit *box : {m_firstDay, m_lastDay, m_note})
        connect(box, &QLineEdit::textEdited, this, &SeasonsScreen::markEdited);
    connect(&kennel::Changes::instance(), &kennel::Changes::seasonTestsChanged, this,
            &SeasonsScreen::refresh);
}

std::optional<SeasonsScreen::Entries> SeasonsScreen::readEntries(qint64 dogId)
{
    const auto seasons = seasonsOf(db::DatabaseFiles::kennel(), dogId);
    if (!seasons)
        return std::nullopt;
    m_seasons = *seasons;
    Entries entries;
    for (const Season &s : m_seasons) {
        entries.rows.push_back({core::datetext::shortDate(s.firstDay),
                                core::datetext::shortDate(s.lastDay),
                                s.mated ? QStringLiteral("Yes") : QString(), s.note});
        entries.ids.push_back(s.id);
    }
    return entries;
}

void SeasonsScreen::entriesShown()
{
    if (!dogId()) {
        m_forecast->clear();
        return;
    }
    QList<QDate> firstDays;
    for (const Season &s : m_seasons)
        firstDays << s.firstDay;
    m_forecast->setText(forecastText(forecastSeason(firstDays)));
}

void SeasonsScreen::fillForm(int row)
{
    const Season s = row < 0 ? Season{} : m_seasons[size_t(row)];
    m_firstDay->setText(core::datetext::shortDate(s.firstDay));
    m_lastDay->setText(core::datetext::shortDate(s.lastDay));
    m_mated->setChecked(s.mated);
    m_note->setText(s.note);
    if (row < 0) {
        m_estimate->clear();
        m_litterDue->clear();
        return;
    }
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto tests = progesteroneOf(kennel, s.id);
    m_estimate->setText(!tests || tests->empty() ? QStringLiteral("No tests recorded")
                                                 : estimateText(estimateOvulation(*tests)));
    const QDate due = litterDueOf(kennel, dogName(), s);
    m_litterDue->setText(due.isValid() ? core::datetext::shortDate(due)
                                       : QStringLiteral("No mating recorded in this season"));
}

bool SeasonsScreen::writeEntry(qint64 id)
{
    Season s;
    s.id = id;
    s.dogId = *dogId();
    for (const auto &[box, day, caption] :
         {std::tuple{m_firstDay, &s.firstDay, QStringLiteral("First Day")},
          std::tuple{m_lastDay, &s.lastDay, QStringLiteral("Last Day")}}) {
        if (box->text().trimmed().isEmpty())
            continue;
        *day = core::datetext::parse(box->text());
        if (!day->isValid()) {
            core::tell(core::datetext::invalidDateMessage(caption, box->text()));
            box->setFocus();
            return false;
        }
    }
    s.mated = m_mated->isChecked();
    s.note = m_note->text();
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (const QString problem = seasonProblem(kennel, s); !problem.isEmpty()) {
        core::tell(problem);
        m_firstDay->setFocus();
        return false;
    }
    const QString problem = s.id == 0 ? addSeason(kennel, s, dogName()).problem()
                                      : saveSeason(kennel, s, dogName()).problem();
    if (!problem.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The season"), problem);
        return false;
    }
    return true;
}

bool SeasonsScreen::removeEntry(int row)
{
    const Season &s = m_seasons[size_t(row)];
    if (!core::ask(QStringLiteral("Delete the season of %1 that began on %2?")
                       .arg(dogName(), core::datetext::shortDate(s.firstDay))))
        return false;
    if (const auto deleted = deleteSeason(db::DatabaseFiles::kennel(), s, dogName()); !deleted) {
        core::tellNothingChanged(QStringLiteral("The season"), deleted.problem());
        return false;
    }
    return true;
}

// A new season is kept when it has a first day, and dropped when it has none.
bool SeasonsScreen::formHasContent() const
{
    return !m_firstDay->text().trimmed().isEmpty();
}

QWidget *SeasonsScreen::firstBox() const
{
    return m_firstDay;
}

} // namespace breeding
