#include "dogs/DogRecordsScreen.h"

#include "core/Choices.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "dogs/MatingCleanup.h"
#include "ui/Countries.h"
#include "ui/PickList.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace dogs {
namespace {

QLineEdit *textBox(const QString &field)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(field);
    return edit;
}

ui::PickList *pickList(const QString &field)
{
    auto *list = new ui::PickList;
    list->setObjectName(field);
    return list;
}

// Puts a caption and its control into a grid, the caption announcing the control.
void addField(QGridLayout *grid, int row, int column, const QString &caption, QWidget *control,
              int span = 1)
{
    auto *label = new QLabel(caption);
    label->setBuddy(control);
    grid->addWidget(label, row, column * 2);
    grid->addWidget(control, row, column * 2 + 1, 1, span);
}

} // namespace

DogRecordsScreen::DogRecordsScreen(QWidget *parent)
    : ui::Screen(QStringLiteral("Form4"), QStringLiteral("Pawmark Houndry - Dog Records"), parent),
      m_dogNames(new QStringListModel(this)), m_age(new QLabel), m_dogId(new QLabel)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildDogInformation());
    layout->addWidget(buildParents());
    layout->addWidget(buildOwner());
    layout->addWidget(buildButtons());
    layout->addStretch();
}

DogRecordsScreen::~DogRecordsScreen() = default;

QWidget *DogRecordsScreen::buildDogInformation()
{
    auto *group = new QGroupBox(QStringLiteral("Dog Information"));
    auto *grid = new QGridLayout(group);
    auto bindText = [this](const QString &field) {
        QLineEdit *edit = textBox(field);
        m_fields.bind(field, edit);
        return edit;
    };
    auto bindList = [this](const QString &field) {
        ui::PickList *list = pickList(field);
        m_fields.bind(field, list);
        return list;
    };

    addField(grid, 0, 0, QStringLiteral("Name"), bindText(QStringLiteral("name")), 3);
    addField(grid, 1, 0, QStringLiteral("Reg Number"), bindText(QStringLiteral("registration")));
    ui::PickList *sex = bindList(QStringLiteral("sex"));
    sex->setEntries({QStringLiteral("Male"), QStringLiteral("Female")});
    addField(grid, 1, 1, QStringLiteral("Sex"), sex);
    addField(grid, 2, 0, QStringLiteral("Colour"), bindText(QStringLiteral("colour")));
    ui::PickList *cob = bindList(QStringLiteral("cob"));
    cob->setEntries(ui::dogCountries());
    addField(grid, 2, 1, QStringLiteral("Country of Birth"), cob);
    QLineEdit *dob = bindText(QStringLiteral("dob"));
    QLineEdit *dod = bindText(QStringLiteral("dod"));
    dob->setPlaceholderText(QStringLiteral("MM/DD/YY"));
    dod->setPlaceholderText(QStringLiteral("MM/DD/YY"));
    addField(grid, 3, 0, QStringLiteral("D.O.B"), dob);
    addField(grid, 3, 1, QStringLiteral("D.O.D"), dod);
    addField(grid, 4, 0, QStringLiteral("Breeder"), bindList(QStringLiteral("breeder")));
    addField(grid, 4, 1, QStringLiteral("Breed of Dog"), bindList(QStringLiteral("breed")));
    addField(grid, 5, 0, QStringLiteral("Microchip Number"), bindText(QStringLiteral("Microchip")));
    addField(grid, 5, 1, QStringLiteral("Tattoo"), bindText(QStringLiteral("Tattoo")));

    m_age->setObjectName(QStringLiteral("age"));
    m_dogId->setObjectName(QStringLiteral("dogid"));
    addField(grid, 6, 0, QStringLiteral("Age"), m_age);
    addField(grid, 6, 1, QStringLiteral("Dog ID : KZ"), m_dogId);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *DogRecordsScreen::buildParents()
{
    auto *group = new QGroupBox(QStringLiteral("Parents"));
    auto *grid = new QGridLayout(group);
    for (const auto &[column, field, caption] :
         {std::tuple{0, QStringLiteral("sire"), QStringLiteral("Sire")},
          std::tuple{1, QStringLiteral("dam"), QStringLiteral("Dam")}}) {
        ui::PickList *list = pickList(field);
        m_fields.bind(field, list);
        addField(grid, 0, column, caption, list);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *DogRecordsScreen::buildOwner()
{
    auto *group = new QGroupBox(QStringLiteral("Dogs Owner Record"));
    auto *grid = new QGridLayout(group);
    ui::PickList *owner = pickList(QStringLiteral("ownerid"));
    m_fields.bind(QStringLiteral("ownerid"), owner);
    addField(grid, 0, 0, QStringLiteral("Owners Name"), owner);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *DogRecordsScreen::buildButtons()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    const std::tuple<QString, bool (DogRecords::*)()> moves[] = {
        {QStringLiteral("First"), &DogRecords::first},
        {QStringLiteral("Previous"), &DogRecords::previous},
        {QStringLiteral("Next"), &DogRecords::next},
        {QStringLiteral("Last"), &DogRecords::last},
    };
    for (const auto &[caption, move] : moves) {
        auto *button = new QPushButton(caption);
        button->setObjectName(caption.toLower() + QStringLiteral("Button"));
        connect(button, &QPushButton::clicked, this, [this, move = move] { step(move); });
        buttons->addWidget(button);
    }
    return row;
}

void DogRecordsScreen::fillPickLists()
{
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    m_dogNames->setStringList(
        db::columnValues(db, QStringLiteral("Dogtable"), QStringLiteral("name")));
    for (const char *field : {"sire", "dam"})
        qobject_cast<ui::PickList *>(m_fields.widget(QString::fromLatin1(field)))
            ->setSharedEntries(m_dogNames);
    const QStringList contacts =
        db::columnValues(db, QStringLiteral("contacts"), QStringLiteral("last"));
    for (const char *field : {"breeder", "ownerid"})
        qobject_cast<ui::PickList *>(m_fields.widget(QString::fromLatin1(field)))
            ->setEntries(contacts);
    qobject_cast<ui::PickList *>(m_fields.widget(QStringLiteral("breed")))
        ->setEntries(db::columnValues(db, QStringLiteral("breedlist"), QStringLiteral("Breedname")));
}

void DogRecordsScreen::load()
{
    m_records = std::make_unique<DogRecords>(db::DatabaseFiles::kennel());
    fillPickLists();
    const bool found = core::Choices::dogscreenmode == core::Choices::Find &&
                       m_records->goToName(core::Choices::selectedname);
    if (!found)
        m_records->first();
    showCurrent();
    cleanMatings(db::DatabaseFiles::kennel());
}

void DogRecordsScreen::showDogNamed(const QString &name)
{
    if (!m_records || !commitEdits())
        return;
    m_records->goToName(name);
    showCurrent();
}

void DogRecordsScreen::showCurrent()
{
    m_fields.show([this](const QString &field) { return m_records->text(field); });
    m_fields.setEnabled(m_records->hasDog());
    const auto *dob = qobject_cast<QLineEdit *>(m_fields.widget(QStringLiteral("dob")));
    m_age->setText(calculateage(dob->text(), core::Clock::today()));
    m_dogId->setText(m_records->hasDog() ? QString::number(m_records->dogId()) : QString());
}

bool DogRecordsScreen::commitEdits()
{
    if (!m_records || !m_records->hasDog())
        return true;
    const DogRecords::SaveResult result = m_records->save(m_fields.changes());
    if (result.ok())
        return true;
    core::tell(result.message);
    if (QWidget *control = m_fields.widget(result.field))
        control->setFocus();
    return false;
}

void DogRecordsScreen::step(bool (DogRecords::*move)())
{
    if (!m_records || !commitEdits())
        return;
    (m_records.get()->*move)();
    showCurrent();
}

void DogRecordsScreen::closeEvent(QCloseEvent *event)
{
    if (commitEdits())
        event->accept();
    else
        event->ignore();
}

} // namespace dogs
