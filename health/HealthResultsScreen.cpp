#include "health/HealthResultsScreen.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"
#include "kennel/Changes.h"
#include "kennel/Dogs.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace health {
namespace {

QString scoreText(const std::optional<double> &score)
{
    return score ? QString::number(*score, 'g', 10) : QString();
}

} // namespace

HealthResultsScreen::HealthResultsScreen(QWidget *parent)
    : ui::DogEntriesScreen(screenName(), QStringLiteral("Health Results"), QStringLiteral("Result"),
                           ui::SharedList::SortedDogs, parent),
      m_status(new QLabel), m_date(ui::textBox(QStringLiteral("date"))), m_test(new QComboBox),
      m_result(new QComboBox), m_score(ui::textBox(QStringLiteral("score"))),
      m_examiner(ui::textBox(QStringLiteral("examiner"))),
      m_certificate(ui::textBox(QStringLiteral("certificate"))),
      m_note(ui::textBox(QStringLiteral("note")))
{
    m_status->setObjectName(QStringLiteral("dnaStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_test->setObjectName(QStringLiteral("test"));
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setEditable(true);
    m_date->setPlaceholderText(core::datetext::typingHint());
    m_score->setPlaceholderText(QStringLiteral("a score or grade, such as 8"));

    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("DNA status"), m_status);
    auto *entry = new QFormLayout;
    entry->addRow(QStringLiteral("Date"), m_date);
    entry->addRow(QStringLiteral("Test"), m_test);
    entry->addRow(QStringLiteral("Result"), m_result);
    entry->addRow(QStringLiteral("Number"), m_score);
    entry->addRow(QStringLiteral("Laboratory or Examiner"), m_examiner);
    entry->addRow(QStringLiteral("Certificate Number"), m_certificate);
    entry->addRow(QStringLiteral("Note"), m_note);
    build(QStringLiteral("Name "), top, QStringLiteral("results"),
          {QStringLiteral("Date"), QStringLiteral("Test"), QStringLiteral("Result"),
           QStringLiteral("Number"), QStringLiteral("Laboratory or Examiner"),
           QStringLiteral("Certificate"), QStringLiteral("Note")},
          entry);
    setMinimumSize(760, 560);

    connect(m_test, &QComboBox::currentIndexChanged, this, [this] {
        showTestKind();
        markEdited();
    });
    connect(m_result, &QComboBox::editTextChanged, this, &HealthResultsScreen::markEdited);
    for (QLineEdit *box : {m_date, m_score, m_examiner, m_certificate, m_note})
        connect(box, &QLineEdit::textEdited, this, &HealthResultsScreen::markEdited);
    // The results name the tests as they now are.
    connect(&kennel::Changes::instance(), &kennel::Changes::healthTestsChanged, this,
            &HealthResultsScreen::refresh);
}

void HealthResultsScreen::load()
{
    fillTests(0);
    ui::DogEntriesScreen::load();
}

void HealthResultsScreen::showDog(qint64 dogId)
{
    if (const auto name = kennel::dogName(db::DatabaseFiles::kennel(), dogId))
        ui::DogEntriesScreen::showDog(dogId, *name);
}

void HealthResultsScreen::refresh()
{
    fillTests(0);
    ui::DogEntriesScreen::refresh();
}

void HealthResultsScreen::fillTests(qint64 alsoId)
{
    const auto tests = healthTests(db::DatabaseFiles::kennel());
    if (!tests)
        return;
    m_tests = *tests;
    {
        const QSignalBlocker quiet(m_test);
        const qint64 chosen = m_test->currentData().toLongLong();
        m_test->clear();
        for (const HealthTest &t : m_tests) {
            if (!t.hidden || t.id == alsoId)
                m_test->addItem(t.name, t.id);
        }
        if (const int again = m_test->findData(chosen); again >= 0)
            m_test->setCurrentIndex(again);
    }
    showTestKind();
}

void HealthResultsScreen::showTestKind()
{
    const HealthTest *test = testWithId(m_tests, m_test->currentData().toLongLong());
    const bool dna = test && test->kind == TestKind::Dna;
    const QSignalBlocker quiet(m_result);
    const QString typed = m_result->currentText();
    m_result->clear();
    if (dna) {
        for (const auto g :
             {genetics::Genotype::Clear, genetics::Genotype::Carrier, genetics::Genotype::Affected})
            m_result->addItem(genetics::resultWord(g) + QStringLiteral(" (") +
                                  genetics::genotypeText(g) + QLatin1Char(')'),
                              genetics::resultWord(g));
    }
    m_result->setCurrentIndex(-1);
    m_result->setEditText(typed);
    m_score->setEnabled(!dna);
}

std::optional<HealthResultsScreen::Entries> HealthResultsScreen::readEntries(qint64 dogId)
{
    const auto results = resultsOf(db::DatabaseFiles::kennel(), dogId);
    if (!results)
        return std::nullopt;
    m_results = *results;
    Entries entries;
    for (const HealthResult &r : m_results) {
        const HealthTest *test = testWithId(m_tests, r.testId);
        QString shown = r.result;
        if (const auto g = genetics::genotypeOf(r.result); g && test && test->kind == TestKind::Dna)
            shown += QStringLiteral(" (") + genetics::genotypeText(*g) + QLatin1Char(')');
        entries.rows.push_back({core::datetext::shortDate(r.date), test ? test->name : QString(),
                                shown, scoreText(r.score), r.examiner, r.certificate, r.note});
        entries.ids.push_back(r.id);
    }
    return entries;
}

void HealthResultsScreen::entriesShown()
{
    if (!dogId()) {
        const QString name = dogList()->text();
        m_status->setText(name.isEmpty() || dogList()->showsPrompt()
                              ? QString()
                              : QStringLiteral("There is no dog named \"%1\".").arg(name));
        return;
    }
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const int dog = genetics.graph().indexOfId(*dogId());
    if (!genetics.problem().isEmpty() || dog == genetics::unknown) {
        m_status->setText(genetics::coiNotAvailable());
        return;
    }
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    QStringList lines;
    for (int test = 0; test < int(dna.tests().size()); ++test)
        lines << dna.tests()[size_t(test)].name + QStringLiteral(": ") +
                     genetics::statusWithGenotype(dna.status(test, dog));
    m_status->setText(lines.join(QLatin1Char('\n')));
}

void HealthResultsScreen::fillForm(int row)
{
    if (row < 0) {
        fillTests(0);
        m_date->setText(core::datetext::shortDate(core::Clock::today()));
        m_result->setEditText(QString());
        for (QLineEdit *box : {m_score, m_examiner, m_certificate, m_note})
            box->clear();
        return;
    }
    const HealthResult &r = m_results[size_t(row)];
    fillTests(r.testId);
    m_test->setCurrentIndex(m_test->findData(r.testId));
    showTestKind();
    m_date->setText(core::datetext::shortDate(r.date));
    m_result->setEditText(r.result);
    m_score->setText(scoreText(r.score));
    m_examiner->setText(r.examiner);
    m_certificate->setText(r.certificate);
    m_note->setText(r.note);
}

bool HealthResultsScreen::writeEntry(qint64 id)
{
    HealthResult r;
    r.id = id;
    r.dogId = *dogId();
    r.testId = m_test->currentData().toLongLong();
    const HealthTest *test = testWithId(m_tests, r.testId);
    if (!test) {
        core::tell(QStringLiteral("Choose the test the result is of."));
        m_test->setFocus();
        return false;
    }
    r.date = core::datetext::parse(m_date->text());
    if (!r.date.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), m_date->text()));
        m_date->setFocus();
        return false;
    }
    // A word picked from the list carries the genotype beside it.
    const int picked = m_result->findText(m_result->currentText());
    r.result = picked >= 0 ? m_result->itemData(picked).toString() : m_result->currentText();
    if (const QString typed = m_score->text().trimmed(); !typed.isEmpty()) {
        const std::optional<double> score = core::readDecimal(typed);
        if (!score) {
            core::tell(QStringLiteral("Number must be a number, such as 8 or 1.5, or left empty."));
            m_score->setFocus();
            return false;
        }
        r.score = *score;
    }
    r.examiner = m_examiner->text().trimmed();
    r.certificate = m_certificate->text().trimmed();
    r.note = m_note->text();
    if (const QString problem = settleResult(&r, *test); !problem.isEmpty()) {
        core::tell(problem);
        m_result->setFocus();
        return false;
    }
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QString problem = r.id == 0 ? addResult(kennel, r, dogName()).problem()
                                      : saveResult(kennel, r, dogName()).problem();
    if (!problem.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The health result"), problem);
        return false;
    }
    return true;
}

bool HealthResultsScreen::removeEntry(int row)
{
    if (!core::ask(QStringLiteral("Delete this health result of %1?").arg(dogName())))
        return false;
    if (const auto deleted =
            deleteResult(db::DatabaseFiles::kennel(), m_results[size_t(row)], dogName());
        !deleted) {
        core::tellNothingChanged(QStringLiteral("The health result"), deleted.problem());
        return false;
    }
    return true;
}

// A new result is kept when it has a result, and dropped when it has none.
bool HealthResultsScreen::formHasContent() const
{
    return !m_result->currentText().trimmed().isEmpty();
}

QWidget *HealthResultsScreen::firstBox() const
{
    return m_date;
}

} // namespace health
