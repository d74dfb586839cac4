#include "health/HealthTestsScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "genetics/DnaInheritance.h"
#include "kennel/Changes.h"
#include "ui/FieldGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace health {

HealthTestsScreen::HealthTestsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Health Tests"), parent), m_list(new QListWidget),
      m_name(ui::textBox(QStringLiteral("testName"))), m_kind(new QComboBox),
      m_inheritance(new QComboBox), m_frequency(ui::textBox(QStringLiteral("frequency"))),
      m_hidden(new QCheckBox(QStringLiteral("Hidden: no new results"))),
      m_clearGenerations(new QSpinBox), m_coiLimit(new QDoubleSpinBox)
{
    m_list->setObjectName(QStringLiteral("tests"));
    m_list->setAccessibleName(QStringLiteral("Health tests"));
    m_kind->setObjectName(QStringLiteral("kind"));
    m_kind->addItems(kindWords());
    m_inheritance->setObjectName(QStringLiteral("inheritance"));
    m_inheritance->addItems(inheritanceWords());
    m_hidden->setObjectName(QStringLiteral("hidden"));
    m_frequency->setPlaceholderText(QStringLiteral("0 to 1; empty when not known"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Kind"), m_kind);
    form->addRow(QStringLiteral("Inheritance"), m_inheritance);
    form->addRow(QStringLiteral("Frequency of the faulty copy"), m_frequency);
    form->addRow(QString(), m_hidden);

    QPushButton *add = ui::pushButton(QStringLiteral("New Test"), QStringLiteral("newTest"));
    QPushButton *save = ui::pushButton(QStringLiteral("Save Test"), QStringLiteral("saveTest"));
    QPushButton *remove =
        ui::pushButton(QStringLiteral("Delete Test"), QStringLiteral("deleteTest"));
    connect(add, &QPushButton::clicked, this, &HealthTestsScreen::newTest);
    connect(save, &QPushButton::clicked, this, [this] { saveTyped(); });
    connect(remove, &QPushButton::clicked, this, &HealthTestsScreen::deleteTest);
    setMainButton(save);
    auto *testButtons = new QHBoxLayout;
    for (QPushButton *b : {add, save, remove})
        testButtons->addWidget(b);
    testButtons->addStretch();

    auto *details = new QVBoxLayout;
    details->addLayout(form);
    details->addLayout(testButtons);
    details->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(details, 2);

    m_clearGenerations->setObjectName(QStringLiteral("clearGenerations"));
    m_clearGenerations->setRange(0, 9);
    m_clearGenerations->setSuffix(QStringLiteral(" generations"));
    m_coiLimit->setObjectName(QStringLiteral("coiLimit"));
    m_coiLimit->setRange(0.0, 100.0);
    m_coiLimit->setDecimals(2);
    m_coiLimit->setSuffix(QStringLiteral("%"));
    auto *choices = new QGroupBox(QStringLiteral("For every dog and planned litter"));
    auto *choiceForm = new QFormLayout(choices);
    choiceForm->addRow(QStringLiteral("Clear by parentage for at most"), m_clearGenerations);
    choiceForm->addRow(QStringLiteral("Warn of a litter's COI above"), m_coiLimit);

    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(choices);
    layout->addLayout(bottom);
    setMinimumSize(700, 440);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showChosen(); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
        showKind();
        m_edited = m_edited || !m_showing;
    });
    for (QLineEdit *box : {m_name, m_frequency})
        connect(box, &QLineEdit::textEdited, this, [this] { m_edited = true; });
    connect(m_inheritance, &QComboBox::currentIndexChanged, this,
            [this] { m_edited = m_edited || !m_showing; });
    connect(m_hidden, &QCheckBox::toggled, this, [this] { m_edited = m_edited || !m_showing; });
    connect(m_clearGenerations, &QSpinBox::valueChanged, this, [this](int generations) {
        if (m_showing)
            return;
        if (const auto set = setClearGenerations(db::DatabaseFiles::kennel(), generations); !set)
            core::tellNothingChanged(QStringLiteral("The choice"), set.problem());
    });
    connect(m_coiLimit, &QDoubleSpinBox::valueChanged, this, [this](double limit) {
        if (m_showing)
            return;
        if (const auto set = setCoiLimit(db::DatabaseFiles::kennel(), limit / 100.0); !set)
            core::tellNothingChanged(QStringLiteral("The choice"), set.problem());
    });
}

void HealthTestsScreen::load()
{
    fillList(0);
    showChoices();
}

void HealthTestsScreen::refresh()
{
    fillList(m_shownId);
    showChoices();
}

void HealthTestsScreen::showChoices()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_showing = true;
    m_clearGenerations->setValue(genetics::clearGenerations(kennel));
    m_coiLimit->setValue(100.0 * genetics::coiLimit(kennel));
    m_showing = false;
}

void HealthTestsScreen::fillList(qint64 selectedId)
{
    const auto tests = healthTests(db::DatabaseFiles::kennel());
    if (!tests)
        return;
    m_tests = *tests;
    m_showing = true;
    m_list->clear();
    int selected = m_tests.empty() ? -1 : 0;
    for (const HealthTest &t : m_tests) {
        if (t.id == selectedId)
            selected = m_list->count();
        m_list->addItem(t.hidden ? t.name + QStringLiteral(" (hidden)") : t.name);
    }
    m_showing = false;
    m_list->setCurrentRow(selected);
    showChosen();
}

void HealthTestsScreen::showChosen()
{
    if (m_showing)
        return;
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_tests.size())) {
        showTest({});
        return;
    }
    if (m_tests[size_t(row)].id == m_shownId && m_edited)
        return;
    if (m_edited && !saveTyped()) {
        // The typed test stays on view until it is saved or put right.
        m_showing = true;
        for (int i = 0; i < int(m_tests.size()); ++i) {
            if (m_tests[size_t(i)].id == m_shownId)
                m_list->setCurrentRow(i);
        }
        m_showing = false;
        return;
    }
    if (row < int(m_tests.size()))
        showTest(m_tests[size_t(m_list->currentRow())]);
}

void HealthTestsScreen::showTest(const HealthTest &test)
{
    m_showing = true;
    m_shownId = test.id;
    m_name->setText(test.name);
    m_kind->setCurrentIndex(test.kind == TestKind::Dna ? 1 : 0);
    m_inheritance->setCurrentIndex(test.inheritance == genetics::Inheritance::Dominant ? 1 : 0);
    m_frequency->setText(frequencyText(test.frequency));
    m_hidden->setChecked(test.hidden);
    showKind();
    m_edited = false;
    m_showing = false;
}

void HealthTestsScreen::showKind()
{
    const bool dna = m_kind->currentIndex() == 1;
    m_inheritance->setEnabled(dna);
    m_frequency->setEnabled(dna);
}

HealthTest HealthTestsScreen::typedTest() const
{
    HealthTest test;
    test.id = m_shownId;
    test.name = m_name->text().trimmed();
    test.kind = m_kind->currentIndex() == 1 ? TestKind::Dna : TestKind::Examination;
    test.inheritance = m_inheritance->currentIndex() == 1 ? genetics::Inheritance::Dominant
                                                          : genetics::Inheritance::Recessive;
    test.hidden = m_hidden->isChecked();
    return test;
}

bool HealthTestsScreen::saveTyped()
{
    HealthTest test = typedTest();
    QString problem = testProblem(test, m_tests);
    QLineEdit *wrong = m_name;
    if (problem.isEmpty() && test.kind == TestKind::Dna) {
        problem = readFrequency(m_frequency->text(), &test.frequency);
        wrong = m_frequency;
    }
    if (!problem.isEmpty()) {
        core::tell(problem);
        wrong->setFocus();
        return false;
    }
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (test.id == 0) {
        const auto added = addTest(kennel, test);
        if (!added) {
            core::tellNothingChanged(QStringLiteral("The health test"), added.problem());
            return false;
        }
        test.id = added.value();
    } else if (const auto saved = saveTest(kennel, test); !saved) {
        core::tellNothingChanged(QStringLiteral("The health test"), saved.problem());
        return false;
    }
    m_edited = false;
    fillList(test.id);
    Q_EMIT kennel::Changes::instance().healthTestsChanged();
    return true;
}

void HealthTestsScreen::newTest()
{
    if (!settle())
        return;
    m_showing = true;
    m_list->setCurrentRow(-1);
    m_showing = false;
    showTest({});
    m_name->setFocus();
}

void HealthTestsScreen::deleteTest()
{
    const HealthTest *shown = testWithId(m_tests, m_shownId);
    if (!shown)
        return;
    if (const QString refused = deletionRefused(db::DatabaseFiles::kennel(), *shown);
        !refused.isEmpty()) {
        core::tell(refused);
        return;
    }
    if (!core::ask(QStringLiteral("Delete the health test %1?").arg(shown->name)))
        return;
    if (const auto deleted = health::deleteTest(db::DatabaseFiles::kennel(), *shown); !deleted) {
        core::tellNothingChanged(QStringLiteral("The health test"), deleted.problem());
        return;
    }
    m_edited = false;
    fillList(0);
    Q_EMIT kennel::Changes::instance().healthTestsChanged();
}

bool HealthTestsScreen::settle()
{
    return !m_edited || saveTyped();
}

} // namespace health
