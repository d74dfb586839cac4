#include "transfer/ImportDialog.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "transfer/ResultsImport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace transfer {
namespace {

constexpr int shownProblems = 1000;

} // namespace

ImportDialog::ImportDialog(const ImportTarget &target, const QString &file, QWidget *parent)
    : QDialog(parent), m_target(target), m_file(file), m_separator(new QComboBox),
      m_encoding(new QComboBox), m_dates(new QComboBox), m_yearsFrom(new QSpinBox),
      m_mapping(new QTableWidget), m_preview(new QTableWidget), m_summary(new QLabel),
      m_problems(new QListWidget), m_matching(new QButtonGroup(this)),
      m_import(new QPushButton(QStringLiteral("Import")))
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(
        QStringLiteral("Import %1 from %2").arg(target.what, QFileInfo(file).fileName()));
    m_settings.format = detectFormat(file);
    m_header = headerOf(file, m_settings.format);
    m_settings.mapping = guessMapping(target, m_header);
    m_settings.dates = guessDateOrder(target, file, m_settings);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFormat());
    auto *middle = new QHBoxLayout;
    middle->addWidget(buildMapping(), 1);
    auto *previewGroup = new QGroupBox(QStringLiteral("The first rows as they would be stored"));
    auto *previewLayout = new QVBoxLayout(previewGroup);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewLayout->addWidget(m_preview);
    middle->addWidget(previewGroup, 2);
    layout->addLayout(middle, 1);
    auto *checkGroup = new QGroupBox(QStringLiteral("Check of the whole file"));
    auto *checkLayout = new QVBoxLayout(checkGroup);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setMaximumHeight(120);
    checkLayout->addWidget(m_summary);
    checkLayout->addWidget(m_problems);
    layout->addWidget(checkGroup);
    layout->addWidget(buildMatching());
    auto *buttons = new QDialogButtonBox;
    m_import->setObjectName(QStringLiteral("import"));
    m_import->setDefault(true);
    buttons->addButton(m_import, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(m_import, &QPushButton::clicked, this, &ImportDialog::import);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(1000, 700);
    recheck();
}

QWidget *ImportDialog::buildFormat()
{
    auto *group = new QGroupBox(QStringLiteral("How the file is written"));
    auto *grid = new QGridLayout(group);
    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->addItem(QStringLiteral("Comma"), QChar(u','));
    m_separator->addItem(QStringLiteral("Semicolon"), QChar(u';'));
    m_separator->addItem(QStringLiteral("Tab"), QChar(u'\t'));
    m_separator->setCurrentIndex(
        m_separator->findData(QChar::fromLatin1(m_settings.format.separator)));
    m_encoding->setObjectName(QStringLiteral("encoding"));
    m_encoding->addItem(QStringLiteral("UTF-8"), int(Encoding::Utf8));
    m_encoding->addItem(QStringLiteral("Windows-1252"), int(Encoding::Windows1252));
    m_encoding->addItem(QStringLiteral("UTF-16"), int(Encoding::Utf16));
    m_encoding->setCurrentIndex(m_encoding->findData(int(m_settings.format.encoding)));
    m_dates->setObjectName(QStringLiteral("dates"));
    for (const DateOrder order :
         {DateOrder::MonthDayYear, DateOrder::DayMonthYear, DateOrder::YearMonthDay})
        m_dates->addItem(core::datetext::orderName(order), int(order));
    m_dates->setCurrentIndex(m_dates->findData(int(m_settings.dates)));
    int column = 0;
    for (const auto &[caption, box] :
         {std::pair{"Separator", m_separator}, std::pair{"Characters", m_encoding},
          std::pair{"Dates", m_dates}}) {
        auto *label = new QLabel(QString::fromLatin1(caption));
        label->setBuddy(box);
        grid->addWidget(label, 0, column++);
        grid->addWidget(box, 0, column++);
        connect(box, &QComboBox::activated, this, [this, box = box] {
            // A new separator or encoding gives new columns, guessed afresh.
            if (box != m_dates) {
                readChoices();
                m_header = headerOf(m_file, m_settings.format);
                m_settings.mapping = guessMapping(m_target, m_header);
                buildMapping();
            }
            recheck();
        });
    }
    // A file of old litters may need "45" read as 1945 rather than 2045.
    m_yearsFrom->setObjectName(QStringLiteral("yearsFrom"));
    m_yearsFrom->setRange(1900, 2000);
    m_yearsFrom->setValue(m_settings.yearsFrom);
    m_yearsFrom->setToolTip(QStringLiteral("Two-digit years are read as the years from this one "
                                           "on: from 1930, \"30\" is 1930 and \"29\" is 2029."));
    auto *yearsLabel = new QLabel(QStringLiteral("Two-digit years from"));
    yearsLabel->setBuddy(m_yearsFrom);
    grid->addWidget(yearsLabel, 0, column++);
    grid->addWidget(m_yearsFrom, 0, column++);
    connect(m_yearsFrom, &QSpinBox::editingFinished, this, &ImportDialog::recheck);
    grid->setColumnStretch(column, 1);
    return group;
}

QWidget *ImportDialog::buildMapping()
{
    m_mapping->setObjectName(QStringLiteral("mapping"));
    m_mapping->clear();
    m_mapping->setColumnCount(2);
    m_mapping->setHorizontalHeaderLabels(
        {QStringLiteral("Column of the file"), QStringLiteral("Field")});
    m_mapping->setRowCount(int(m_header.size()));
    m_mapping->verticalHeader()->hide();
    m_mapping->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < m_header.size(); ++row) {
        auto *name = new QTableWidgetItem(m_header[row]);
        name->setFlags(Qt::ItemIsEnabled);
        m_mapping->setItem(row, 0, name);
        auto *field = new QComboBox;
        field->addItem(QStringLiteral("(leave out)"), QString());
        for (const TargetField &target : m_target.fields)
            field->addItem(target.caption, target.field);
        if (readsResults())
            field->addItem(QStringLiteral("Results of the test named in the column"),
                           resultsOfTheHeader);
        field->setCurrentIndex(std::max(0, field->findData(m_settings.mapping.value(row))));
        connect(field, &QComboBox::activated, this, &ImportDialog::recheck);
        m_mapping->setCellWidget(row, 1, field);
    }
    if (m_mapping->parentWidget())
        return m_mapping;
    auto *group = new QGroupBox(QStringLiteral("Which column fills which field"));
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(m_mapping);
    return group;
}

bool ImportDialog::readsResults() const
{
    return m_target.table == healthResultTarget().table;
}

QWidget *ImportDialog::buildMatching()
{
    if (readsResults()) {
        // A result the kennel has already is never added twice; a new test can be made.
        auto *group = new QGroupBox(QStringLiteral("Tests the kennel does not have"));
        auto *layout = new QHBoxLayout(group);
        m_makeTests =
            new QCheckBox(QStringLiteral("Make the health tests the kennel does not have"));
        m_makeTests->setObjectName(QStringLiteral("makeTests"));
        m_makeTests->setChecked(true);
        connect(m_makeTests, &QCheckBox::toggled, this, &ImportDialog::recheck);
        layout->addWidget(m_makeTests);
        return group;
    }
    auto *group = new QGroupBox(
        QStringLiteral("Rows that match %1 already in the kennel")
            .arg(m_target.what == u"dogs" ? QStringLiteral("a dog") : QStringLiteral("a contact")));
    auto *layout = new QHBoxLayout(group);
    const std::pair<Matching, QString> choices[] = {
        {Matching::Skip, QStringLiteral("Skip them")},
        {Matching::FillEmpty, QStringLiteral("Fill only the fields that are empty in the kennel")},
        {Matching::AddNew, QStringLiteral("Add them as new %1").arg(m_target.what)}};
    for (const auto &[matching, caption] : choices) {
        auto *button = new QRadioButton(caption);
        m_matching->addButton(button, int(matching));
        layout->addWidget(button);
    }
    m_matching->button(int(Matching::Skip))->setChecked(true);
    connect(m_matching, &QButtonGroup::idClicked, this, &ImportDialog::recheck);
    return group;
}

void ImportDialog::readChoices()
{
    m_settings.format.separator = m_separator->currentData().toChar().toLatin1();
    m_settings.format.encoding = Encoding(m_encoding->currentData().toInt());
    m_settings.dates = DateOrder(m_dates->currentData().toInt());
    m_settings.yearsFrom = m_yearsFrom->value();
    m_settings.matching = Matching(std::max(0, m_matching->checkedId()));
    m_settings.makeTests = !m_makeTests || m_makeTests->isChecked();
    m_settings.mapping.clear();
    for (int row = 0; row < m_mapping->rowCount(); ++row) {
        auto *field = qobject_cast<QComboBox *>(m_mapping->cellWidget(row, 1));
        m_settings.mapping << (field ? field->currentData().toString() : QString());
    }
}

bool ImportDialog::recheck()
{
    readChoices();
    showPreview();
    QProgressDialog progress(QStringLiteral("Checking the file"), QStringLiteral("Cancel"), 0, 0,
                             this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const auto shown = [&](qint64 rows) {
        progress.setValue(progress.value() + 1);
        progress.setLabelText(QStringLiteral("Checking the file: %1 rows").arg(rows));
        return !progress.wasCanceled();
    };
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_check = readsResults() ? checkResults(kennel, m_file, m_settings, shown)
                             : checkImport(m_target, kennel, m_file, m_settings, shown);
    showCheck();
    return m_check.problem.isEmpty();
}

void ImportDialog::showPreview()
{
    QStringList captions;
    const QString results = QStringLiteral("Results");
    for (const QString &field : m_settings.mapping) {
        const TargetField *target = m_target.field(field);
        if (target && !captions.contains(target->caption))
            captions << target->caption;
        else if (field == resultsOfTheHeader && !captions.contains(results))
            captions << results;
    }
    const QList<QStringList> rows = previewRows(m_target, m_file, m_settings);
    m_preview->clear();
    m_preview->setColumnCount(int(captions.size()));
    m_preview->setHorizontalHeaderLabels(captions);
    m_preview->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
}

void ImportDialog::showCheck()
{
    const QLocale locale;
    m_problems->clear();
    if (!m_check.problem.isEmpty()) {
        m_summary->setText(
            m_check.problem == cancelled
                ? QStringLiteral("The check was stopped; nothing can be imported "
                                 "until the whole file has been checked.")
                : QStringLiteral("The file cannot be read: %1").arg(m_check.problem));
        m_import->setEnabled(false);
        return;
    }
    if (readsResults())
        m_summary->setText(
            QStringLiteral("%1 results will be added, %2 are in the kennel already, %3 rows have "
                           "problems and will not be imported.")
                .arg(locale.toString(m_check.toAdd), locale.toString(m_check.matching),
                     locale.toString(qsizetype(m_check.problems.size()))) +
            (m_check.newTests.isEmpty() ? QString()
                                        : QStringLiteral(" The import makes these tests: %1.")
                                              .arg(m_check.newTests.join(QStringLiteral(", ")))));
    else
        m_summary->setText(
            QStringLiteral("%1 rows will be added, %2 match %3 already in the kennel, %4 have "
                           "problems and will not be imported.")
                .arg(locale.toString(m_check.toAdd), locale.toString(m_check.matching),
                     m_target.what == QLatin1String("dogs") ? QStringLiteral("a dog")
                                                            : QStringLiteral("a contact"),
                     locale.toString(qsizetype(m_check.problems.size()))));
    for (const LineProblem &problem : m_check.problems.mid(0, shownProblems))
        m_problems->addItem(QStringLiteral("Line %1: %2").arg(problem.line).arg(problem.problem));
    if (m_check.problems.size() > shownProblems)
        m_problems->addItem(
            QStringLiteral("... and %1 more").arg(m_check.problems.size() - shownProblems));
    m_import->setEnabled(m_check.toAdd > 0 || m_check.matching > 0);
}

void ImportDialog::import()
{
    readChoices();
    QProgressDialog progress(
        QStringLiteral("Importing"), QStringLiteral("Cancel"), 0,
        int((m_check.toAdd + m_check.matching + m_check.problems.size()) / 1000), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const auto shown = [&](qint64 rows) {
        progress.setValue(int(rows / 1000));
        return !progress.wasCanceled();
    };
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto counts = readsResults() ? importResults(kennel, m_file, m_settings, shown)
                                       : runImport(m_target, kennel, m_file, m_settings, shown);
    progress.close();
    if (!counts) {
        core::tell(counts.problem() == cancelled
                       ? QStringLiteral("The import was cancelled. Nothing has been changed.")
                       : core::nothingChanged(QStringLiteral("The import"), counts.problem()));
        return;
    }
    const QLocale locale;
    core::tell(
        QStringLiteral("The import is done: %1 added, %2 updated, %3 skipped, %4 refused.")
            .arg(locale.toString(counts.value().added), locale.toString(counts.value().updated),
                 locale.toString(counts.value().skipped), locale.toString(counts.value().refused)));
    accept();
}

} // namespace transfer
