#include "health/HealthResultsScreen.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"
#include "health/Health.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace health {
namespace {

enum Column {
    DateColumn,
    TestColumn,
    ResultColumn,
    ScoreColumn,
    ExaminerColumn,
    CertificateColumn,
    NoteColumn,
    Columns
};

QString scoreText(const std::optional<double> &score)
{
    return score ? QString::number(*score, 'g', 10) : QString();
}

} // namespace

HealthResultsScreen::HealthResultsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Health Results"), parent),
      m_dog(ui::pickList(QStringLiteral("dog"))), m_status(new QLabel),
      m_table(new QTableWidget(0, Columns)), m_date(ui::textBox(QStringLiteral("date"))),
      m_test(new QComboBox), m_result(new QComboBox), m_score(ui::textBox(QStringLiteral("score"))),
      m_examiner(ui::textBox(QStringLiteral("examiner"))),
      m_certificate(ui::textBox(QStringLiteral("certificate"))),
      m_note(ui::textBox(QStringLiteral("note")))
{
    m_dog->setPrompt(QStringLiteral("Select a Dog"));
    m_status->setObjectName(QStringLiteral("dnaStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table->setObjectName(QStringLiteral("results"));
    m_table->setAccessibleName(QStringLiteral("Health results"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Test"),
                                        QStringLiteral("Result"), QStringLiteral("Number"),
                                        QStringLiteral("Laboratory or Examiner"),
                                        QStringLiteral("Certificate"), QStringLiteral("Note")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_test->setObjectName(QStringLiteral("test"));
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setEditable(true);
    m_date->setPlaceholderText(core::datetext::typingHint());
    m_score->setPlaceholderText(QStringLiteral("a score or grade, such as 8"));

    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("Name "), m_dog);
    top->addRow(QStringLiteral("DNA status"), m_status);

    auto *entry = new QFormLayout;
    entry->addRow(QStringLiteral("Date"), m_date);
    entry->addRow(QStringLiteral("Test"), m_test);
    entry->addRow(QStringLiteral("Result"), m_result);
    entry->addRow(QStringLiteral("Number"), m_score);
    entry->addRow(QStringLiteral("Laboratory or Examiner"), m_examiner);
    entry->addRow(QStringLiteral("Certificate Number"), m_certificate);
    entry->addRow(QStringLiteral("Note"), m_note);

    QPushButton *add = ui::pushButton(QStringLiteral("New Result"), QStringLiteral("newResult"));
    QPushButton *save = ui::pushButton(QStringLiteral("Save Result"), QStringLiteral("saveResult"));
    QPushButton *remove =
        ui::pushButton(QStringLiteral("Delete Result"), QStringLiteral("deleteResult"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(add, &QPushButton::clicked, this, &HealthResultsScreen::newResult);
    connect(save, &QPushButton::clicked, this, [this] { saveTyped(); });
    connect(remove, &QPushButton::clicked, this, &HealthResultsScreen::deleteResult);
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    setMainButton(save);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, save, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    setMinimumSize(760, 560);

    connect(m_dog, &ui::PickList::textChosen, this, &HealthResultsScreen::chooseDog);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_showing)
            showResult(row);
    });
    connect(m_test, &QComboBox::currentIndexChanged, this, [this] {
        showTestKind();
        m_edited = m_edited || !m_showing;
    });
    connect(m_result, &QComboBox::editTextChanged, this,
            [this] { m_edited = m_edited || !m_showing; });
    for (QLineEdit *box : {m_date, m_score, m_examiner, m_certificate, m_note})
        connect(box, &QLineEdit::textEdited, this, [this] { m_edited = true; });
}

void HealthResultsScreen::load()
{
    m_dog->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
    fillTests(0);
    if (m_dogId) {
        showResults();
        return;
    }
    clearEntry();
    m_dog->setFocus();
}

void HealthResultsScreen::showDog(qint64 dogId)
{
    if (!settle())
        return;
    const auto name = dogNameOf(db::DatabaseFiles::kennel(), dogId);
    if (!name)
        return;
    m_dogId = dogId;
    m_dogName = *name;
    m_dog->setText(*name);
    if (isLoaded())
        showResults();
}

// Follows the name as it is typed: each name that is a dog's shows that dog.
void HealthResultsScreen::chooseDog()
{
    const QString name = m_dog->text();
    const auto id = name.isEmpty() || m_dog->showsPrompt()
                        ? std::nullopt
                        : dogIdOf(db::DatabaseFiles::kennel(), name);
    if (id == m_dogId || !settle())
        return;
    m_dogId = id;
    m_dogName = id ? name : QString();
    if (id) {
        showResults();
        return;
    }
    m_results.clear();
    m_table->setRowCount(0);
    m_status->setText(name.isEmpty() || m_dog->showsPrompt()
                          ? QString()
                          : QStringLiteral("There is no dog named \"%1\".").arg(name));
    clearEntry();
}

void HealthResultsScreen::refresh()
{
    m_edited = false;
    fillTests(0);
    if (m_dogId)
        showResults();
}

void HealthResultsScreen::fillTests(qint64 alsoId)
{
    const auto tests = healthTests(db::DatabaseFiles::kennel());
    if (!tests)
        return;
    m_tests = *tests;
    m_showing = true;
    const qint64 chosen = m_test->currentData().toLongLong();
    m_test->clear();
    for (const HealthTest &t : m_tests) {
        if (!t.hidden || t.id == alsoId)
            m_test->addItem(t.name, t.id);
    }
    if (const int again = m_test->findData(chosen); again >= 0)
        m_test->setCurrentIndex(again);
    m_showing = false;
    showTestKind();
}

void HealthResultsScreen::showTestKind()
{
    const HealthTest *test = testWithId(m_tests, m_test->currentData().toLongLong());
    const bool dna = test && test->kind == TestKind::Dna;
    const bool wasShowing = m_showing;
    m_showing = true;
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
    m_showing = wasShowing;
}

void HealthResultsScreen::showResults()
{
    const auto results = resultsOf(db::DatabaseFiles::kennel(), *m_dogId);
    m_results = results.value_or(std::vector<HealthResult>{});
    m_showing = true;
    m_table->setRowCount(int(m_results.size()));
    for (int row = 0; row < int(m_results.size()); ++row) {
        const HealthResult &r = m_results[size_t(row)];
        const HealthTest *test = testWithId(m_tests, r.testId);
        QString shown = r.result;
        if (const auto g = genetics::genotypeOf(r.result); g && test && test->kind == TestKind::Dna)
            shown += QStringLiteral(" (") + genetics::genotypeText(*g) + QLatin1Char(')');
        const QStringList cells{core::datetext::shortDate(r.date),
                                test ? test->name : QString(),
                                shown,
                                scoreText(r.score),
                                r.examiner,
                                r.certificate,
                                r.note};
        for (int column = 0; column < Columns; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_table->resizeColumnsToContents();
    m_showing = false;
    showStatus();
    clearEntry();
}

void HealthResultsScreen::showStatus()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const int dog = genetics.graph().indexOfId(*m_dogId);
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

void HealthResultsScreen::clearEntry()
{
    m_showing = true;
    m_shownId = 0;
    m_table->setCurrentCell(-1, -1);
    m_date->setText(core::datetext::shortDate(core::Clock::today()));
    m_result->setEditText(QString());
    for (QLineEdit *box : {m_score, m_examiner, m_certificate, m_note})
        box->clear();
    m_showing = false;
    m_edited = false;
}

void HealthResultsScreen::showResult(int row)
{
    if (row < 0 || row >= int(m_results.size()))
        return;
    if (m_edited && m_results[size_t(row)].id != m_shownId && !saveTyped())
        return;
    const HealthResult r = m_results[size_t(std::min(row, int(m_results.size()) - 1))];
    m_showing = true;
    fillTests(r.testId);
    m_test->setCurrentIndex(m_test->findData(r.testId));
    showTestKind();
    m_shownId = r.id;
    m_date->setText(core::datetext::shortDate(r.date));
    m_result->setEditText(r.result);
    m_score->setText(scoreText(r.score));
    m_examiner->setText(r.examiner);
    m_certificate->setText(r.certificate);
    m_note->setText(r.note);
    m_showing = false;
    m_edited = false;
}

std::optional<HealthResult> HealthResultsScreen::typedResult()
{
    HealthResult r;
    r.id = m_shownId;
    r.dogId = *m_dogId;
    r.testId = m_test->currentData().toLongLong();
    const HealthTest *test = testWithId(m_tests, r.testId);
    if (!test) {
        core::tell(QStringLiteral("Choose the test the result is of."));
        m_test->setFocus();
        return std::nullopt;
    }
    r.date = core::datetext::parse(m_date->text());
    if (!r.date.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), m_date->text()));
        m_date->setFocus();
        return std::nullopt;
    }
    // A word picked from the list carries the genotype beside it.
    const int picked = m_result->findText(m_result->currentText());
    r.result = picked >= 0 ? m_result->itemData(picked).toString() : m_result->currentText();
    if (const QString typed = m_score->text().trimmed(); !typed.isEmpty()) {
        bool ok = false;
        const double score =
            QString(typed).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok) {
            core::tell(QStringLiteral("Number must be a number, such as 8 or 1.5, or left empty."));
            m_score->setFocus();
            return std::nullopt;
        }
        r.score = score;
    }
    r.examiner = m_examiner->text().trimmed();
    r.certificate = m_certificate->text().trimmed();
    r.note = m_note->text();
    if (const QString problem = settleResult(&r, *test); !problem.isEmpty()) {
        core::tell(problem);
        m_result->setFocus();
        return std::nullopt;
    }
    return r;
}

bool HealthResultsScreen::saveTyped()
{
    if (!m_dogId) {
        core::tell(QStringLiteral(" Please Select a Dog From the List"));
        return false;
    }
    const auto typed = typedResult();
    if (!typed)
        return false;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto written = typed->id == 0 ? addResult(kennel, *typed, m_dogName).problem()
                                        : saveResult(kennel, *typed, m_dogName).problem();
    if (!written.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The health result"), written);
        return false;
    }
    m_edited = false;
    showResults();
    return true;
}

void HealthResultsScreen::newResult()
{
    if (!m_dogId) {
        core::tell(QStringLiteral(" Please Select a Dog From the List"));
        return;
    }
    if (!settle())
        return;
    fillTests(0);
    clearEntry();
    m_date->setFocus();
    m_date->selectAll();
}

void HealthResultsScreen::deleteResult()
{
    const auto shown = std::find_if(m_results.begin(), m_results.end(),
                                    [&](const HealthResult &r) { return r.id == m_shownId; });
    if (shown == m_results.end())
        return;
    if (!core::ask(QStringLiteral("Delete this health result of %1?").arg(m_dogName)))
        return;
    if (const auto deleted = health::deleteResult(db::DatabaseFiles::kennel(), *shown, m_dogName);
        !deleted) {
        core::tellNothingChanged(QStringLiteral("The health result"), deleted.problem());
        return;
    }
    showResults();
}

// What was typed is kept when it has a result, and dropped when it has none.
bool HealthResultsScreen::settle()
{
    if (!m_edited || !m_dogId)
        return true;
    if (m_shownId == 0 && m_result->currentText().trimmed().isEmpty()) {
        m_edited = false;
        return true;
    }
    return saveTyped();
}

} // namespace health
