#include "money/ContractsScreen.h"

#include "core/DateText.h"
#include "core/Messages.h"
#include "core/Money.h"
#include "db/DatabaseFiles.h"
#include "money/ContractReport.h"
#include "ui/FieldGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace money {
namespace {

// "{{a}}, {{b}}"
QString fieldList(const QStringList &names)
{
    QStringList written;
    for (const QString &name : names)
        written << QStringLiteral("{{%1}}").arg(name);
    return written.join(QStringLiteral(", "));
}

QString unknownFieldsMessage(const QStringList &unknown)
{
    return QStringLiteral("The template holds fields Houndry does not know: %1. They are shown "
                          "as written.")
        .arg(fieldList(unknown));
}

} // namespace

ContractsScreen::ContractsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Contracts of Sale"), parent),
      m_table(ui::entryTable(QStringLiteral("sales"), QStringLiteral("Sales"),
                             {QStringLiteral("Receipt"), QStringLiteral("Date"),
                              QStringLiteral("Dog"), QStringLiteral("Buyer"),
                              QStringLiteral("Price"), QStringLiteral("Contract")})),
      m_text(new QPlainTextEdit),
      m_issue(ui::pushButton(QStringLiteral("Issue Contract"), QStringLiteral("issue"))),
      m_print(ui::pushButton(QStringLiteral("Print or Save as PDF..."), QStringLiteral("print")))
{
    m_text->setObjectName(QStringLiteral("contractText"));
    m_text->setReadOnly(true);
    auto *textCaption = new QLabel(QStringLiteral("Contract"));
    textCaption->setBuddy(m_text);
    QPushButton *edit =
        ui::pushButton(QStringLiteral("Edit Template..."), QStringLiteral("editTemplate"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    setMainButton(m_issue);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_issue, m_print, edit})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(textCaption);
    layout->addWidget(m_text, 2);
    layout->addLayout(buttons);
    setMinimumSize(760, 600);

    connect(m_table, &QTableWidget::currentCellChanged, this, &ContractsScreen::showChosen);
    connect(m_issue, &QPushButton::clicked, this, &ContractsScreen::issue);
    connect(m_print, &QPushButton::clicked, this, &ContractsScreen::print);
    connect(edit, &QPushButton::clicked, this, &ContractsScreen::templateRequested);
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
}

void ContractsScreen::load()
{
    reloadSales(m_shownSale);
}

void ContractsScreen::showSale(qint64 salesId)
{
    m_shownSale = salesId;
    if (isLoaded())
        reloadSales(salesId);
}

void ContractsScreen::reloadSales(qint64 keepId)
{
    const auto sales = saleRecords(db::DatabaseFiles::kennel());
    if (!sales) {
        core::tell(QStringLiteral("The sales could not be read."));
        return;
    }
    m_sales = *sales;
    std::vector<QStringList> rows;
    int keep = m_sales.empty() ? -1 : 0;
    for (const SaleRecord &s : m_sales) {
        if (s.salesId == keepId)
            keep = int(rows.size());
        rows.push_back({QString::number(s.salesId), core::datetext::shortDate(s.date), s.dog,
                        s.buyer, core::formatMoney(s.cents),
                        s.contractIssued ? QStringLiteral("Issued") : QString()});
    }
    const QSignalBlocker quiet(m_table);
    ui::fillEntryTable(m_table, rows);
    m_table->setCurrentCell(keep, 0);
    m_shownSale = 0;
    showChosen();
}

void ContractsScreen::showChosen()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= int(m_sales.size())) {
        m_text->setPlainText(QStringLiteral("There are no sales yet."));
        m_issue->setEnabled(false);
        m_print->setEnabled(false);
        return;
    }
    const SaleRecord &sale = m_sales[size_t(row)];
    m_shownSale = sale.salesId;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto issued = issuedContract(kennel, sale.salesId);
    if (!issued) {
        m_text->setPlainText(QStringLiteral("The contract could not be read: ") + issued.problem());
        return;
    }
    m_issued = !issued.value().isEmpty();
    m_issue->setEnabled(!m_issued);
    m_print->setEnabled(m_issued);
    if (m_issued) {
        m_text->setPlainText(issued.value());
        return;
    }
    const auto values = contractValues(kennel, sale.salesId, Coi::IfReady);
    m_text->setPlainText(values ? QStringLiteral("Not issued yet. Issued now, it would read:\n\n") +
                                      fillContract(contractTemplate(kennel), values.value())
                                : values.problem());
}

void ContractsScreen::issue()
{
    if (m_shownSale == 0 || m_issued)
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto values = contractValues(kennel, m_shownSale);
    if (!values) {
        core::tellNothingChanged(QStringLiteral("The contract"), values.problem());
        return;
    }
    const QString text = contractTemplate(kennel);
    if (const QString problem = templateProblem(text); !problem.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The contract"), problem);
        return;
    }
    if (const QStringList unknown = unknownFields(text); !unknown.isEmpty())
        core::tell(unknownFieldsMessage(unknown));
    if (const auto issued = issueContract(kennel, m_shownSale, fillContract(text, values.value()));
        !issued) {
        core::tellNothingChanged(QStringLiteral("The contract"), issued.problem());
        return;
    }
    reloadSales(m_shownSale);
    print();
}

void ContractsScreen::print()
{
    const auto issued = issuedContract(db::DatabaseFiles::kennel(), m_shownSale);
    if (!issued || issued.value().isEmpty())
        return;
    Q_EMIT printRequested(contractReport(issued.value()));
}

ContractTemplateScreen::ContractTemplateScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Contract Template"), parent),
      m_text(new QPlainTextEdit)
{
    m_text->setObjectName(QStringLiteral("template"));
    auto *caption = new QLabel(QStringLiteral("&Template"));
    caption->setBuddy(m_text);
    auto *fields = new QLabel(QStringLiteral("Fields: ") + fieldList(contractFields()));
    fields->setObjectName(QStringLiteral("fields"));
    fields->setWordWrap(true);
    fields->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *save = ui::pushButton(QStringLiteral("Save Template"), QStringLiteral("save"));
    QPushButton *shipped =
        ui::pushButton(QStringLiteral("Restore Shipped Template"), QStringLiteral("restore"));
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(shipped);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_text, 1);
    layout->addWidget(fields);
    layout->addLayout(buttons);
    setMinimumSize(700, 560);
    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    connect(shipped, &QPushButton::clicked, this,
            [this] { m_text->setPlainText(shippedTemplate()); });
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
}

void ContractTemplateScreen::load()
{
    m_saved = contractTemplate(db::DatabaseFiles::kennel());
    m_text->setPlainText(m_saved);
}

bool ContractTemplateScreen::settle()
{
    return m_text->toPlainText() == m_saved || save();
}

bool ContractTemplateScreen::save()
{
    const QString text = m_text->toPlainText();
    if (const auto saved = setContractTemplate(db::DatabaseFiles::kennel(), text); !saved) {
        core::tellNothingChanged(QStringLiteral("The template"), saved.problem());
        return false;
    }
    m_saved = text;
    if (const QStringList unknown = unknownFields(text); !unknown.isEmpty())
        core::tell(unknownFieldsMessage(unknown));
    return true;
}

} // namespace money
