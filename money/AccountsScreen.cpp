#include "money/AccountsScreen.h"

#include "breeding/Weights.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "core/Money.h"
#include "db/DatabaseFiles.h"
#include "money/AccountsChart.h"
#include "money/EntryBox.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SaveCsv.h"
#include "ui/SharedNames.h"

#include <cstdio>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTabWidget>
#include <QVBoxLayout>

namespace money {
namespace {

const QString noDog = QStringLiteral("No dog");

} // namespace

AccountsScreen::AccountsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Accounts"), parent),
      m_model(new AccountsModel(this)), m_year(ui::comboBox(QStringLiteral("year"))),
      m_totals(new QLabel), m_tabs(new QTabWidget),
      m_table(ui::sortedTable(QStringLiteral("entries"), QStringLiteral("Entries"), m_model,
                              AccountsModel::Date)),
      m_chart(new QChartView), m_date(ui::textBox(QStringLiteral("date"))),
      m_kind(ui::comboBox(QStringLiteral("kind"))),
      m_category(ui::comboBox(QStringLiteral("category"), true)),
      m_amount(ui::textBox(QStringLiteral("amount"))), m_dog(ui::pickList(QStringLiteral("dog"))),
      m_litter(ui::comboBox(QStringLiteral("litter"))), m_note(ui::textBox(QStringLiteral("note")))
{
    m_totals->setObjectName(QStringLiteral("totals"));
    m_table->setColumnWidth(AccountsModel::Date, 95);
    m_table->setColumnWidth(AccountsModel::Kind, 130);
    m_table->setColumnWidth(AccountsModel::Litter, 180);
    m_table->setColumnWidth(AccountsModel::Note, 240);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setAccessibleName(QStringLiteral("Income and expenses by month"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_tabs->addTab(m_table, QStringLiteral("Entries"));
    m_tabs->addTab(m_chart, QStringLiteral("Chart"));
    m_kind->addItems({incomeWord, expenseWord});
    m_dog->setPrompt(noDog);

    auto *top = new QGridLayout;
    ui::addField(top, 0, 0, QStringLiteral("Year"), m_year);
    top->addWidget(m_totals, 0, 2);
    top->setColumnStretch(2, 1);

    auto *form = new QGridLayout;
    ui::addField(form, 0, 0, QStringLiteral("Date"), m_date);
    form->addWidget(ui::dateHint(), 0, 2);
    ui::addField(form, 1, 0, QStringLiteral("Income or Expense"), m_kind);
    ui::addField(form, 1, 1, QStringLiteral("Category"), m_category);
    ui::addField(form, 2, 0, QStringLiteral("Amount"), m_amount);
    ui::addField(form, 2, 1, QStringLiteral("Dog"), m_dog);
    ui::addField(form, 3, 0, QStringLiteral("Litter"), m_litter, 3);
    ui::addField(form, 4, 0, QStringLiteral("Note"), m_note, 3);
    EntryButtons buttons;
    QGroupBox *entry = entryBox(form, &buttons);
    setMainButton(buttons.save);

    QPushButton *csv = ui::pushButton(QStringLiteral("Save as CSV..."), QStringLiteral("saveCsv"));
    QPushButton *year =
        ui::pushButton(QStringLiteral("Year Accounts"), QStringLiteral("yearAccounts"));
    QPushButton *litters =
        ui::pushButton(QStringLiteral("Litter Accounts"), QStringLiteral("litterAccounts"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    auto *bottom = new QHBoxLayout;
    for (QPushButton *b : {csv, year, litters})
        bottom->addWidget(b);
    bottom->addStretch();
    bottom->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(entry);
    layout->addLayout(bottom);
    setMinimumSize(900, 620);

    connect(m_year, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing && settle())
            reload(0);
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &AccountsScreen::showChosen);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, [this] {
        // Sorted: the entry on view stays the one chosen.
        const QSignalBlocker quiet(m_table->selectionModel());
        const int row = m_model->rowOf(m_shownId);
        if (row >= 0)
            m_table->setCurrentIndex(m_model->index(row, 0));
    });
    connect(m_category, &QComboBox::currentTextChanged, this, [this](const QString &category) {
        if (!m_showing && !builtInCategories().contains(category, Qt::CaseInsensitive))
            return;
        if (!m_showing)
            m_kind->setCurrentText(incomeByDefault(category) ? incomeWord : expenseWord);
    });
    connect(buttons.add, &QPushButton::clicked, this, &AccountsScreen::newEntry);
    connect(buttons.save, &QPushButton::clicked, this, [this] { saveEntry(); });
    connect(buttons.remove, &QPushButton::clicked, this, &AccountsScreen::deleteEntry);
    connect(csv, &QPushButton::clicked, this, &AccountsScreen::saveCsv);
    connect(year, &QPushButton::clicked, this, [this] {
        Q_EMIT yearAccountsRequested(this->year() > 0 ? this->year() : core::Clock::today().year());
    });
    connect(litters, &QPushButton::clicked, this, &AccountsScreen::litterAccountsRequested);
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
}

void AccountsScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_dog->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedDogs));
    fillYears();
    reload(0);
}

int AccountsScreen::year() const
{
    return m_year->currentData().toInt();
}

void AccountsScreen::fillYears()
{
    const auto years = entryYears(db::DatabaseFiles::kennel());
    const int shown = m_year->count() > 0 ? year() : core::Clock::today().year();
    m_showing = true;
    m_year->clear();
    for (const int y : years.value_or(QList<int>{core::Clock::today().year()}))
        m_year->addItem(QString::number(y), y);
    m_year->addItem(QStringLiteral("All years"), 0);
    m_year->setCurrentIndex(std::max(0, m_year->findData(shown)));
    m_showing = false;
}

void AccountsScreen::reload(qint64 keepId)
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    auto names = linkedNames(kennel);
    const auto categoryNames = categories(kennel);
    const auto sums = yearAccounts(kennel, year());
    if (!names || !categoryNames || !sums) {
        core::tell(QStringLiteral("The accounts could not be read."));
        return;
    }
    m_showing = true;
    const QString category = m_category->currentText();
    m_category->clear();
    m_category->addItems(*categoryNames);
    m_category->setCurrentText(category);
    m_litter->clear();
    m_litter->addItem(QStringLiteral("No litter"), qint64(0));
    for (auto it = names->litters.cbegin(); it != names->litters.cend(); ++it)
        m_litter->addItem(it.value(), it.key());
    m_litter->model()->sort(0);
    m_litter->setCurrentIndex(m_litter->findData(qint64(0)));
    m_totals->setText(QStringLiteral("Income %1    Expenses %2    Balance %3")
                          .arg(core::formatMoney(sums.value().incomeTotal),
                               core::formatMoney(sums.value().expenseTotal),
                               core::formatMoney(sums.value().balanceTotal)));
    const bool loaded = m_model->load(kennel, year(), std::move(*names));
    m_showing = false;
    if (!loaded) {
        core::tell(QStringLiteral("The accounts could not be read."));
        return;
    }
    m_shownId = 0;
    // What the form held is saved or dropped by now: the entry is shown as the file has it.
    const int row = m_model->rowOf(keepId);
    if (const AccountEntry *kept = m_model->entry(row)) {
        {
            const QSignalBlocker quiet(m_table->selectionModel());
            m_table->setCurrentIndex(m_model->index(row, 0));
        }
        showEntry(*kept);
    } else {
        newEntry();
    }
    if (year() > 0) {
        showChart(sums.value());
    } else if (const auto thisYear = yearAccounts(kennel, core::Clock::today().year())) {
        showChart(thisYear.value());
    }
}

void AccountsScreen::showChart(const YearAccounts &accounts)
{
    QChart *old = m_chart->chart();
    m_chart->setChart(monthChart(accounts));
    delete old;
}

void AccountsScreen::showChosen()
{
    if (m_showing)
        return;
    const AccountEntry *entry = m_model->entry(m_table->currentIndex().row());
    if (!entry || entry->id == m_shownId)
        return;
    const qint64 id = entry->id;
    if (formTexts() != m_shownForm && !saveEntry()) {
        const QSignalBlocker quiet(m_table->selectionModel());
        const int row = m_model->rowOf(m_shownId);
        if (row >= 0)
            m_table->setCurrentIndex(m_model->index(row, 0));
        else
            m_table->clearSelection();
        return;
    }
    const int row = m_model->rowOf(id);
    const AccountEntry *chosen = m_model->entry(row);
    if (!chosen || id == m_shownId)
        return;
    {
        const QSignalBlocker quiet(m_table->selectionModel());
        m_table->setCurrentIndex(m_model->index(row, 0));
    }
    showEntry(*chosen);
}

QStringList AccountsScreen::formTexts() const
{
    return {m_date->text(),   m_kind->currentText(), m_category->currentText(),
            m_amount->text(), m_dog->text(),         m_litter->currentText(),
            m_note->text()};
}

void AccountsScreen::showEntry(const AccountEntry &entry)
{
    m_showing = true;
    m_shownId = entry.id;
    m_date->setText(core::datetext::shortDate(entry.date));
    m_kind->setCurrentText(entry.income ? incomeWord : expenseWord);
    m_category->setCurrentText(entry.category);
    m_amount->setText(entry.id > 0 ? core::formatMoney(entry.cents) : QString());
    m_dog->setText(entry.dogId > 0 ? m_model->names().dogs.value(entry.dogId) : noDog);
    m_litter->setCurrentIndex(std::max(0, m_litter->findData(entry.litterId)));
    m_note->setText(entry.note);
    const bool typed = entry.source.isEmpty();
    for (QWidget *w : std::initializer_list<QWidget *>{m_date, m_kind, m_category, m_amount})
        w->setEnabled(typed);
    m_showing = false;
    m_shownForm = formTexts();
}

void AccountsScreen::newEntry()
{
    if (m_shownId != 0 && formTexts() != m_shownForm && !saveEntry())
        return;
    AccountEntry entry;
    entry.date = core::Clock::today();
    entry.category = QStringLiteral("Vet");
    m_table->clearSelection();
    showEntry(entry);
    m_date->setFocus();
}

bool AccountsScreen::settle()
{
    // An entry left untouched since it was shown, or a new one never typed into, is nothing to
    // save.
    return formTexts() == m_shownForm || saveEntry();
}

std::optional<AccountEntry> AccountsScreen::typedEntry()
{
    AccountEntry entry;
    if (const AccountEntry *shown = m_model->entry(m_model->rowOf(m_shownId)))
        entry = *shown;
    entry.date = core::datetext::parse(m_date->text());
    if (!entry.date.isValid()) {
        core::tell(core::datetext::invalidDateMessage(QStringLiteral("Date"), m_date->text()));
        m_date->setFocus();
        return std::nullopt;
    }
    const std::optional<qint64> cents = readSignedAmount(m_amount->text());
    if (!cents) {
        core::tell(core::money::invalidAmountMessage(QStringLiteral("The Amount")));
        m_amount->setFocus();
        return std::nullopt;
    }
    entry.cents = *cents;
    entry.income = m_kind->currentText() == incomeWord;
    entry.category = m_category->currentText().trimmed();
    entry.dogId = 0;
    if (!m_dog->showsPrompt() && !m_dog->text().trimmed().isEmpty()) {
        entry.dogId = dogIdNamed(db::DatabaseFiles::kennel(), m_dog->text());
        if (entry.dogId == 0) {
            core::tell(QStringLiteral("There is no dog named %1.").arg(m_dog->text()));
            m_dog->setFocus();
            return std::nullopt;
        }
    }
    entry.litterId = m_litter->currentData().toLongLong();
    entry.note = m_note->text();
    if (const QString problem = entryProblem(entry); !problem.isEmpty()) {
        core::tell(problem);
        return std::nullopt;
    }
    return entry;
}

bool AccountsScreen::saveEntry()
{
    const std::optional<AccountEntry> entry = typedEntry();
    if (!entry)
        return false;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    qint64 id = entry->id;
    if (id == 0) {
        const auto added = addEntry(kennel, *entry);
        if (!added) {
            core::tellNothingChanged(QStringLiteral("The entry"), added.problem());
            return false;
        }
        id = added.value();
    } else if (const auto saved = money::saveEntry(kennel, *entry); !saved) {
        core::tellNothingChanged(QStringLiteral("The entry"), saved.problem());
        return false;
    }
    m_shownForm = formTexts();
    if (entry->date.year() != year() && year() != 0) {
        fillYears();
        m_showing = true;
        m_year->setCurrentIndex(std::max(0, m_year->findData(entry->date.year())));
        m_showing = false;
    }
    reload(id);
    return true;
}

void AccountsScreen::deleteEntry()
{
    const AccountEntry *entry = m_model->entry(m_model->rowOf(m_shownId));
    if (!entry)
        return;
    if (const QString refused = linkedEntryRefusal(*entry); !refused.isEmpty()) {
        core::tell(refused);
        return;
    }
    if (!core::askQuestion(QStringLiteral("Delete the entry %1 of %2 on %3?")
                               .arg(entry->category, core::formatMoney(entry->cents),
                                    core::datetext::shortDate(entry->date))))
        return;
    if (const auto removed = removeEntry(db::DatabaseFiles::kennel(), *entry); !removed) {
        core::tellNothingChanged(QStringLiteral("The entry"), removed.problem());
        return;
    }
    reload(0);
}

void AccountsScreen::saveCsv()
{
    const QString name =
        year() > 0 ? QStringLiteral("accounts-%1.csv").arg(year()) : QStringLiteral("accounts.csv");
    const auto entries = m_model->entriesInOrder();
    if (!entries) {
        core::tell(QStringLiteral("The accounts could not be read."));
        return;
    }
    ui::saveCsv(this, name, accountsCsv(db::DatabaseFiles::kennel(), *entries),
                QStringLiteral("The accounts"));
}

} // namespace money
