#include "showcase/ShowResultsScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "ui/FieldGrid.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace showcase {

ShowResultsScreen::ShowResultsScreen(QWidget *parent)
    : ui::ReadingsScreen(screenName(), QStringLiteral("Shows and Titles"), QStringLiteral("Result"),
                         parent),
      m_heading(new QLabel), m_titles(new QLabel), m_date(ui::textBox(QStringLiteral("date"))),
      m_show(ui::textBox(QStringLiteral("show"))), m_judge(ui::textBox(QStringLiteral("judge"))),
      m_class(ui::textBox(QStringLiteral("showClass"))),
      m_placing(ui::textBox(QStringLiteral("placing"))),
      m_award(ui::textBox(QStringLiteral("award"))), m_title(ui::textBox(QStringLiteral("title"))),
      m_titleShort(ui::textBox(QStringLiteral("titleShort")))
{
    m_heading->setObjectName(QStringLiteral("heading"));
    m_titles->setObjectName(QStringLiteral("titles"));
    m_date->setPlaceholderText(core::datetext::typingHint());
    m_titleShort->setPlaceholderText(QStringLiteral("such as CH, JW, CD"));
    auto *above = new QWidget;
    auto *top = new QVBoxLayout(above);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_heading);
    top->addWidget(m_titles);
    top->addStretch();
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Date"), m_date);
    form->addRow(QStringLiteral("&Show or Trial"), m_show);
    form->addRow(QStringLiteral("&Judge"), m_judge);
    form->addRow(QStringLiteral("C&lass"), m_class);
    form->addRow(QStringLiteral("&Placing"), m_placing);
    form->addRow(QStringLiteral("&Award or Points"), m_award);
    form->addRow(QStringLiteral("&Title Earned"), m_title);
    form->addRow(QStringLiteral("Title's Short &Form"), m_titleShort);
    build(above, QStringLiteral("results"),
          {QStringLiteral("Date"), QStringLiteral("Show or Trial"), QStringLiteral("Judge"),
           QStringLiteral("Class"), QStringLiteral("Placing"), QStringLiteral("Award or Points"),
           QStringLiteral("Title")},
          form);
    setMinimumSize(720, 560);
}

void ShowResultsScreen::showDog(qint64 dogId, const QString &name)
{
    if (dogId == m_dogId || !settle())
        return;
    m_dogId = dogId;
    m_name = name;
    if (isLoaded())
        showReadings();
}

void ShowResultsScreen::load()
{
    showReadings();
    m_date->setFocus();
}

std::optional<std::vector<QStringList>> ShowResultsScreen::readRows()
{
    m_results.clear();
    if (!m_dogId)
        return std::nullopt;
    const auto results = showResultsOf(db::DatabaseFiles::kennel(), m_dogId);
    if (!results) {
        core::tell(QStringLiteral("The show results could not be read."));
        return std::nullopt;
    }
    m_results = *results;
    std::vector<QStringList> rows;
    for (const ShowResult &r : m_results) {
        const QString title =
            r.titleShort.isEmpty() ? r.title : QStringLiteral("%1 (%2)").arg(r.title, r.titleShort);
        rows.push_back({core::datetext::shortDate(r.date), r.show, r.judge, r.showClass, r.placing,
                        r.award, title});
    }
    return rows;
}

void ShowResultsScreen::readingsShown()
{
    m_heading->setText(m_dogId ? QStringLiteral("Shows and titles of %1").arg(m_name)
                               : QStringLiteral("Choose a dog on Dog Records first."));
    const QStringList titles = titlesOf(m_results);
    m_titles->setText(titles.isEmpty()
                          ? QStringLiteral("No titles yet")
                          : QStringLiteral("Titles: ") + titles.join(QLatin1Char(' ')));
}

bool ShowResultsScreen::addReading()
{
    if (!m_dogId) {
        core::tell(QStringLiteral("Choose a dog on Dog Records first."));
        return false;
    }
    ShowResult r;
    r.dogId = m_dogId;
    r.date = core::datetext::parse(m_date->text());
    if (!r.date.isValid() && !m_date->text().trimmed().isEmpty()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), m_date->text()));
        m_date->setFocus();
        return false;
    }
    r.show = m_show->text();
    r.judge = m_judge->text();
    r.showClass = m_class->text();
    r.placing = m_placing->text();
    r.award = m_award->text();
    r.title = m_title->text();
    r.titleShort = m_titleShort->text();
    if (const QString problem = showResultProblem(r); !problem.isEmpty()) {
        core::tell(problem);
        (r.date.isValid() ? (r.show.trimmed().isEmpty() ? m_show : m_title) : m_date)->setFocus();
        return false;
    }
    if (const auto added = addShowResult(db::DatabaseFiles::kennel(), r, m_name); !added) {
        core::tellNothingChanged(QStringLiteral("The result"), added.problem());
        return false;
    }
    return true;
}

bool ShowResultsScreen::removeReading(int row)
{
    const ShowResult &r = m_results[size_t(row)];
    if (!core::ask(QStringLiteral("Delete the result of %1 at %2?").arg(m_name, r.show)))
        return false;
    if (const auto deleted = deleteShowResult(db::DatabaseFiles::kennel(), r, m_name); !deleted) {
        core::tellNothingChanged(QStringLiteral("The result"), deleted.problem());
        return false;
    }
    return true;
}

QWidget *ShowResultsScreen::firstBox() const
{
    return m_date;
}

bool ShowResultsScreen::formHasContent() const
{
    for (const QLineEdit *box :
         {m_show, m_judge, m_class, m_placing, m_award, m_title, m_titleShort}) {
        if (!box->text().trimmed().isEmpty())
            return true;
    }
    return false;
}

// The day stays: a show's results are typed one after another.
void ShowResultsScreen::clearForm()
{
    for (QLineEdit *box : {m_show, m_judge, m_class, m_placing, m_award, m_title, m_titleShort})
        box->clear();
}

} // namespace showcase
