#include "money/DepositsPanel.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Messages.h"
#include "core/Money.h"
#include "db/DatabaseFiles.h"
#include "ui/FieldGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace money {
namespace {

// A typed amount, or nothing after telling the user why it is not one.
std::optional<qint64> typedAmount(QLineEdit *box, const QString &caption)
{
    const std::optional<qint64> cents = core::parseMoney(box->text());
    if (!cents || *cents <= 0) {
        core::tell(core::money::invalidAmountMessage(caption));
        box->setFocus();
        return std::nullopt;
    }
    return cents;
}

// A typed day, or nothing after telling the user why it is not one.
std::optional<QDate> typedDay(QLineEdit *box, const QString &caption)
{
    const QDate day = core::datetext::parse(box->text());
    if (!day.isValid()) {
        core::tell(core::datetext::invalidDateMessage(caption, box->text()));
        box->setFocus();
        return std::nullopt;
    }
    return day;
}

QString outcomeText(const Deposit &d, const QString &litter)
{
    if (d.outcome == refundedOutcome)
        return QStringLiteral("Refunded %1 on %2")
            .arg(core::formatMoney(d.refundCents), core::datetext::shortDate(d.refunded));
    if (d.outcome == appliedOutcome)
        return QStringLiteral("Applied to the sale, receipt %1").arg(d.salesId);
    if (d.outcome == carriedOutcome)
        return QStringLiteral("Carried to %1").arg(litter);
    return d.outcome;
}

} // namespace

DepositsPanel::DepositsPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Deposits"), parent),
      m_table(ui::entryTable(QStringLiteral("deposits"), QStringLiteral("Deposits"),
                             {QStringLiteral("Paid on"), QStringLiteral("Amount"),
                              QStringLiteral("Method"), QStringLiteral("What became of it")})),
      m_amount(ui::textBox(QStringLiteral("depositAmount"))),
      m_paid(ui::textBox(QStringLiteral("depositPaid"))), m_method(new QComboBox),
      m_refundAmount(ui::textBox(QStringLiteral("refundAmount"))),
      m_refunded(ui::textBox(QStringLiteral("refundDate"))), m_carryTo(new QComboBox),
      m_take(ui::pushButton(QStringLiteral("Take Deposit"), QStringLiteral("takeDeposit"))),
      m_refund(ui::pushButton(QStringLiteral("Refund Deposit"), QStringLiteral("refundDeposit"))),
      m_carry(ui::pushButton(QStringLiteral("Carry Deposit"), QStringLiteral("carryDeposit")))
{
    setObjectName(QStringLiteral("depositsPanel"));
    m_method->setObjectName(QStringLiteral("depositMethod"));
    m_method->setEditable(true);
    m_method->addItems(methodWords());
    m_carryTo->setObjectName(QStringLiteral("carryTo"));
    m_table->setMinimumHeight(90);

    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Amount"), m_amount);
    ui::addField(grid, 0, 1, QStringLiteral("Paid on"), m_paid);
    ui::addField(grid, 1, 0, QStringLiteral("Method"), m_method);
    grid->addWidget(m_take, 1, 3);
    ui::addField(grid, 2, 0, QStringLiteral("Refund"), m_refundAmount);
    ui::addField(grid, 2, 1, QStringLiteral("Refunded on"), m_refunded);
    grid->addWidget(m_refund, 3, 3);
    ui::addField(grid, 3, 0, QStringLiteral("Carry to"), m_carryTo, 2);
    grid->addWidget(m_carry, 4, 3);
    grid->addWidget(ui::dateHint(), 4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(grid);

    connect(m_take, &QPushButton::clicked, this, &DepositsPanel::take);
    connect(m_refund, &QPushButton::clicked, this, &DepositsPanel::refund);
    connect(m_carry, &QPushButton::clicked, this, &DepositsPanel::carry);
    connect(m_table, &QTableWidget::currentCellChanged, this, &DepositsPanel::chosenChanged);
    showEntry(nullptr, {}, {});
}

void DepositsPanel::showEntry(const WaitingEntry *entry, const QString &contactName,
                              const std::vector<std::pair<qint64, QString>> &litters)
{
    m_entry = entry ? *entry : WaitingEntry();
    m_contact = contactName;
    m_litters = litters;
    m_carryTo->clear();
    for (const auto &[id, label] : litters) {
        if (id != m_entry.litterId)
            m_carryTo->addItem(label, id);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_amount, m_paid, m_method, m_take})
        w->setEnabled(entry != nullptr);
    m_paid->setText(core::datetext::shortDate(core::Clock::today()));
    m_refunded->setText(core::datetext::shortDate(core::Clock::today()));
    m_amount->clear();
    showDeposits();
}

void DepositsPanel::showDeposits()
{
    m_deposits.clear();
    if (m_entry.id > 0) {
        if (const auto read = depositsOf(db::DatabaseFiles::kennel(), m_entry.id))
            m_deposits = *read;
    }
    std::vector<QStringList> rows;
    for (const Deposit &d : m_deposits) {
        QString litter;
        for (const auto &[id, label] : m_litters) {
            if (id == d.litterId)
                litter = label;
        }
        rows.push_back({core::datetext::shortDate(d.paid), core::formatMoney(d.cents), d.method,
                        outcomeText(d, litter)});
    }
    {
        const QSignalBlocker quiet(m_table);
        ui::fillEntryTable(m_table, rows);
        m_table->setCurrentCell(int(m_deposits.size()) - 1, 0);
    }
    chosenChanged();
}

void DepositsPanel::chosenChanged()
{
    const Deposit *d = chosen();
    const bool held = d && d->held();
    m_refund->setEnabled(held);
    m_carry->setEnabled(held && m_carryTo->count() > 0);
    m_refundAmount->setText(held ? core::formatMoney(d->cents) : QString());
}

const Deposit *DepositsPanel::chosen() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < int(m_deposits.size()) ? &m_deposits[size_t(row)] : nullptr;
}

void DepositsPanel::take()
{
    if (m_entry.id <= 0)
        return;
    const auto cents = typedAmount(m_amount, QStringLiteral("The deposit"));
    if (!cents)
        return;
    const auto day = typedDay(m_paid, QStringLiteral("Paid on"));
    if (!day)
        return;
    const QString method = m_method->currentText();
    // The entry as typed is saved first: the deposit counts for its litter.
    if (m_beforeWriting && !m_beforeWriting())
        return;
    Deposit d;
    d.entryId = m_entry.id;
    d.cents = *cents;
    d.paid = *day;
    d.method = method;
    d.litterId = m_entry.litterId;
    if (const auto taken = takeDeposit(db::DatabaseFiles::kennel(), d, m_contact); !taken) {
        core::tellNothingChanged(QStringLiteral("The deposit"), taken.problem());
        return;
    }
    m_amount->clear();
    showDeposits();
    Q_EMIT depositsChanged();
}

void DepositsPanel::refund()
{
    if (!chosen())
        return;
    const Deposit d = *chosen();
    const auto cents = typedAmount(m_refundAmount, QStringLiteral("The refund"));
    if (!cents)
        return;
    const auto day = typedDay(m_refunded, QStringLiteral("Refunded on"));
    if (!day)
        return;
    if (const QString problem = refundProblem(d, *cents, *day); !problem.isEmpty()) {
        core::tell(problem);
        m_refundAmount->setFocus();
        return;
    }
    if (m_beforeWriting && !m_beforeWriting())
        return;
    if (const auto refunded =
            refundDeposit(db::DatabaseFiles::kennel(), d, *cents, *day, m_contact);
        !refunded) {
        core::tellNothingChanged(QStringLiteral("The refund"), refunded.problem());
        return;
    }
    showDeposits();
    Q_EMIT depositsChanged();
}

void DepositsPanel::carry()
{
    if (!chosen())
        return;
    const Deposit d = *chosen();
    if (m_carryTo->currentIndex() < 0) {
        core::tell(QStringLiteral("There is no other litter to carry the deposit to."));
        return;
    }
    const qint64 litter = m_carryTo->currentData().toLongLong();
    if (m_beforeWriting && !m_beforeWriting())
        return;
    if (const auto carried = carryDeposit(db::DatabaseFiles::kennel(), d, litter, m_contact);
        !carried) {
        core::tellNothingChanged(QStringLiteral("The deposit"), carried.problem());
        return;
    }
    Q_EMIT depositsChanged();
}

} // namespace money
