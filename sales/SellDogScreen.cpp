#include "sales/SellDogScreen.h"

#include "core/Clock.h"
#include "core/Messages.h"
#include "core/Money.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "money/SaleDeposits.h"
#include "pedigree/PedigreeBuild.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace sales {
namespace {

QLabel *detailLabel(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(200);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

// The dog's three generations for the receipt that shows them; nothing for the small one.
pedigree::PedigreeRecord ancestorsFor(Receipt receipt, const QString &dog)
{
    if (receipt != Receipt::WithPedigree)
        return {};
    pedigree::buildpedigree3(dog);
    pedigree::fillpedigreeblanks();
    return pedigree::currentPedigree();
}

bool isBlankName(const QVariant &name)
{
    return name.isNull() || name.toString().isEmpty() || name.toString() == QLatin1String(" ");
}

} // namespace

SellDogScreen::SellDogScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Sell Dog"), parent),
      m_dogs(ui::pickList(QStringLiteral("dogs"))),
      m_buyers(ui::pickList(QStringLiteral("buyers"))),
      m_amount(ui::textBox(QStringLiteral("amount"))), m_owner(detailLabel("owner")),
      m_kennel(detailLabel("kennel")), m_breed(detailLabel("breed")),
      m_colour(detailLabel("colour")), m_dob(detailLabel("dob")), m_sex(detailLabel("sex")),
      m_reg(detailLabel("reg")), m_status(new QLabel), m_progress(new QProgressBar),
      m_deposit(detailLabel("deposit")),
      m_contract(ui::pushButton(QStringLiteral("Contract..."), QStringLiteral("contract")))
{
    m_dogs->setPrompt(QStringLiteral("Select a Dog to Sell"));
    m_buyers->setPrompt(QStringLiteral("Select the Buyer"));
    m_dogs->setAccessibleName(QStringLiteral("Dog to sell"));
    m_kennel->setFrameShape(QFrame::NoFrame);
    QFont kennelFont = m_kennel->font();
    kennelFont.setBold(true);
    kennelFont.setPointSizeF(kennelFont.pointSizeF() * 1.3);
    m_kennel->setFont(kennelFont);
    m_kennel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->setObjectName(QStringLiteral("status"));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 10000);
    m_status->hide();
    m_progress->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_dogs, 1);
    top->addWidget(m_kennel, 1);
    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Current Owner"), m_owner);
    ui::addField(grid, 0, 1, QStringLiteral("Reg Number"), m_reg);
    ui::addField(grid, 1, 0, QStringLiteral("Breed"), m_breed);
    ui::addField(grid, 1, 1, QStringLiteral("Sell Amount"), m_amount);
    ui::addField(grid, 2, 0, QStringLiteral("Colour"), m_colour);
    ui::addField(grid, 2, 1, QStringLiteral("Sell To "), m_buyers);
    ui::addField(grid, 3, 0, QStringLiteral("Date of Birth"), m_dob);
    ui::addField(grid, 4, 0, QStringLiteral("Sex"), m_sex);
    // Beside the details, where the right column has room.
    ui::addField(grid, 3, 1, QStringLiteral("Deposit"), m_deposit);
    m_deposit->setFrameShape(QFrame::NoFrame);
    m_deposit->setWordWrap(true);
    m_contract->setEnabled(false);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    QPushButton *ok = ui::pushButton(QStringLiteral("Ok"), QStringLiteral("ok"));
    setMainButton(ok);
    QPushButton *cancel = ui::pushButton(QStringLiteral("Cancel"), QStringLiteral("cancel"));
    QPushButton *large = ui::pushButton(QStringLiteral("3 Page Pedigree Recipet"),
                                        QStringLiteral("pedigreeReceipt"));
    QPushButton *small =
        ui::pushButton(QStringLiteral("Small Reciept"), QStringLiteral("smallReceipt"));
    connect(ok, &QPushButton::clicked, this, &SellDogScreen::showDog);
    connect(m_dogs, &ui::PickList::textChosen, this, &SellDogScreen::dogChosen);
    connect(cancel, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    connect(large, &QPushButton::clicked, this, [this] { sell(Receipt::WithPedigree); });
    connect(small, &QPushButton::clicked, this, [this] { sell(Receipt::Small); });
    connect(m_contract, &QPushButton::clicked, this, [this] {
        if (m_recorded)
            Q_EMIT contractRequested(m_recorded->receiptNumber);
    });
    connect(m_buyers, &ui::PickList::textChosen, this, &SellDogScreen::showDeposit);
    connect(m_amount, &QLineEdit::textChanged, this, &SellDogScreen::showDeposit);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {ok, cancel, m_contract})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(large);
    buttons->addWidget(small);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
}

SellDogScreen::~SellDogScreen()
{
    // The dog list, losing the focus as the window goes, may still report a choice.
    disconnect(m_dogs, nullptr, this, nullptr);
}

void SellDogScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const SetupDetails setup = setupDetails(kennel);
    if (isBlankName(setup.name)) {
        core::tell(QStringLiteral(" Please Enter you Name in the System Setup"));
        closeScreen();
        return;
    }
    const QString owner = setup.name.toString();
    m_owner->setText(owner);
    m_kennel->setText(setup.kennelname.isNull() ? QStringLiteral("label2")
                                                : setup.kennelname.toString());
    m_dogs->setSharedEntries(ui::sharedNamesOwnedBy(kennel, owner));
    m_buyers->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::StoredContacts));
}

void SellDogScreen::showDog()
{
    if (m_dogs->showsPrompt()) {
        core::tell(QStringLiteral(" Please Select a Dog "));
        return;
    }
    showDetails(dogOnSale(db::DatabaseFiles::kennel(), m_dogs->text()).value_or(DogOnSale()));
}

void SellDogScreen::showDetails(const DogOnSale &dog)
{
    m_breed->setText(dog.breed);
    m_reg->setText(dog.reg);
    m_colour->setText(dog.colour);
    m_sex->setText(dog.sex);
    m_dob->setText(dog.dob);
}

void SellDogScreen::dogChosen(const QString &name)
{
    const bool listed = !m_dogs->showsPrompt() &&
                        m_dogs->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    // Details left from another dog would otherwise be recorded with this one.
    showDetails(listed ? dogOnSale(db::DatabaseFiles::kennel(), name).value_or(DogOnSale())
                       : DogOnSale());
    showDeposit();
}

void SellDogScreen::showDeposit()
{
    m_deposit->clear();
    if (m_dogs->showsPrompt() || m_buyers->showsPrompt())
        return;
    const auto held =
        money::heldForSaleOf(db::DatabaseFiles::kennel(), m_dogs->text(), m_buyers->text());
    if (!held || held->cents == 0)
        return;
    QString text = QStringLiteral("%1 paid").arg(core::formatMoney(held->cents));
    if (const std::optional<qint64> price = core::parseMoney(m_amount->text()))
        text += QStringLiteral(", %1 due").arg(core::formatMoney(*price - held->cents));
    m_deposit->setText(text);
}

void SellDogScreen::sell(Receipt receipt)
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (m_dogs->showsPrompt() || !dogOnSale(kennel, m_dogs->text())) {
        core::tell(QStringLiteral(" Please Select a Dog "));
        return;
    }
    for (QLabel *detail : {m_breed, m_colour, m_dob, m_reg, m_kennel}) {
        if (detail->text().isEmpty())
            detail->setText(QStringLiteral("Unknown"));
    }
    if (m_amount->text().isEmpty()) {
        core::tell(QStringLiteral("Please Enter the sales amount"));
        return;
    }
    const std::optional<qint64> cents = core::parseMoney(m_amount->text());
    if (!cents) {
        core::tell(core::money::invalidAmountMessage(QStringLiteral("The Sell Amount")));
        m_amount->setFocus();
        return;
    }
    if (m_buyers->showsPrompt()) {
        core::tell(receipt == Receipt::Small
                       ? QStringLiteral("Please Select the Name You are selling to ")
                       : QStringLiteral("Please Select the Buyers Name "));
        return;
    }
    const SaleDetails sale{m_owner->text(), m_kennel->text(), m_dogs->text(),      m_buyers->text(),
                           m_breed->text(), m_colour->text(), m_dob->text(),       m_reg->text(),
                           m_sex->text(),   *cents,           core::Clock::today()};
    if (m_recorded && m_recorded->sale.dog == sale.dog && m_recorded->sale.buyer == sale.buyer &&
        m_recorded->sale.cents == sale.cents) {
        // The sale on show, once more on the other receipt: the same sale, the same number.
        printReceipt(receipt, m_recorded->sale, m_recorded->receiptNumber);
        return;
    }
    if (const auto held = money::heldForSaleOf(kennel, sale.dog, sale.buyer)) {
        if (const QString beyond = money::depositBeyondPrice(held->cents, sale.cents);
            !beyond.isEmpty()) {
            core::tell(beyond);
            m_amount->setFocus();
            return;
        }
    }
    if (!mayRecord(sale))
        return;
    SaleDetails again = sale;
    if (m_recorded && m_recorded->sale.dog == sale.dog)
        again.replaces = m_recorded->receiptNumber;
    const auto written = recordSale(kennel, again, receipt, ancestorsFor(receipt, sale.dog));
    if (!written) {
        core::tellNothingChanged(QStringLiteral("The sale"), written.problem());
        return;
    }
    m_recorded = Recorded{sale, written.value()};
    m_contract->setEnabled(true);
    timeout();
    Q_EMIT receiptReady(receipt);
}

bool SellDogScreen::mayRecord(const SaleDetails &sale) const
{
    if (!m_recorded || m_recorded->sale.dog != sale.dog)
        return true;
    return core::askQuestion(QStringLiteral("%1 was just sold to %2. Sell it again to %3?")
                                 .arg(sale.dog, m_recorded->sale.buyer, sale.buyer));
}

void SellDogScreen::printReceipt(Receipt receipt, const SaleDetails &sale, qint64 receiptNumber)
{
    if (const auto written = writeReceipt(db::DatabaseFiles::kennel(), sale, receipt,
                                          ancestorsFor(receipt, sale.dog), receiptNumber);
        !written) {
        core::tellNothingChanged(QStringLiteral("The receipt"), written.problem());
        return;
    }
    timeout();
    Q_EMIT receiptReady(receipt);
}

void SellDogScreen::timeout()
{
    m_status->setText(QStringLiteral("Generating Reciept Please Wait"));
    m_status->show();
    m_status->repaint();
    m_progress->setValue(0);
    m_progress->show();
    // Counted as before, but the window is let breathe now and then instead of freezing.
    for (int value = 1; value <= 10000; ++value) {
        m_progress->setValue(value);
        if (value % 1000 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_progress->hide();
    m_status->hide();
}

QString SellDogScreen::detail(const QString &name) const
{
    auto *label = findChild<QLabel *>(name);
    return label ? label->text() : QString();
}

} // namespace sales
