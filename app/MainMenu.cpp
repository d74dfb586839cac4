#include "app/MainMenu.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

const QList<MainMenu::Group> &MainMenu::groups()
{
    static const QList<Group> all{
        {QStringLiteral("Dog Section"),
         {{MenuItem::AddDogRecords, QStringLiteral("Add Dog Records")},
          {MenuItem::ViewPedigree, QStringLiteral("View a Pedigree")},
          {MenuItem::EnterMating, QStringLiteral("Enter a Mating")},
          {MenuItem::PossibleMating, QStringLiteral("View Possible Mating")},
          {MenuItem::BrowseDogs, QStringLiteral("Browse / Update Dogs")},
          {MenuItem::FindDog, QStringLiteral("Find / Update Dog ")},
          {MenuItem::EnterLitter, QStringLiteral("Enter a Litter")},
          {MenuItem::EnterVaccination, QStringLiteral("Enter a Vaccination")},
          {MenuItem::VaccinationHistory, QStringLiteral("View Vaccination History")},
          {MenuItem::SellDog, QStringLiteral("Sell a Dog")},
          {MenuItem::DogNotes, QStringLiteral("Enter Dog Notes")}}},
        {QStringLiteral("Lists"),
         {{MenuItem::Birthdays, QStringLiteral("List Birthdays ")},
          {MenuItem::LittersDue, QStringLiteral("List Litters Due")},
          {MenuItem::VaccinationsDue, QStringLiteral("List Due Vaccinations")},
          {MenuItem::AllDue, QStringLiteral("List All Above")},
          {MenuItem::Matings, QStringLiteral("List Matings")}}},
        {QStringLiteral("Reports"),
         {{MenuItem::DogOwnerReport, QStringLiteral("Dog Owner Report")},
          {MenuItem::LitterHistories, QStringLiteral("Litter Histories")},
          {MenuItem::SalesReport, QStringLiteral("Sales Report")},
          {MenuItem::ContactList, QStringLiteral("Contact List")}}},
        {QStringLiteral("Contacts"),
         {{MenuItem::AddContact, QStringLiteral("Add a Contact")},
          {MenuItem::DogsOwned, QStringLiteral("List Dogs Owned")},
          {MenuItem::ViewContacts, QStringLiteral("View / Edit Contacts")},
          {MenuItem::BrowseContacts, QStringLiteral("Browse / Edit Contacts")}}},
        {QStringLiteral("System"),
         {{MenuItem::Help, QStringLiteral("Help")},
          {MenuItem::About, QStringLiteral("About ")},
          {MenuItem::Setup, QStringLiteral("Setup")},
          {MenuItem::Exit, QStringLiteral("Exit")}}},
    };
    return all;
}

QString MainMenu::captionOf(MenuItem item)
{
    for (const Group &group : groups()) {
        for (const Button &button : group.buttons) {
            if (button.item == item)
                return button.caption;
        }
    }
    return {};
}

std::optional<MenuItem> MainMenu::itemOf(const QString &caption)
{
    for (const Group &group : groups()) {
        for (const Button &button : group.buttons) {
            if (button.caption == caption)
                return button.item;
        }
    }
    return std::nullopt;
}

MainMenu::MainMenu(QWidget *parent) : QWidget(parent)
{
    setObjectName(screenName());
    setWindowTitle(QStringLiteral("Main Menu"));

    // Dog Section fills the first column; the shorter groups stack in pairs beside it.
    const int columnOf[] = {0, 1, 1, 2, 2};
    QVBoxLayout *columns[3];
    auto *grid = new QGridLayout(this);
    for (int c = 0; c < 3; ++c) {
        columns[c] = new QVBoxLayout;
        grid->addLayout(columns[c], 0, c);
    }
    for (int g = 0; g < groups().size(); ++g) {
        const Group &group = groups()[g];
        auto *box = new QGroupBox(group.caption);
        auto *buttons = new QVBoxLayout(box);
        for (const auto &[item, caption] : group.buttons) {
            auto *button = new QPushButton(caption);
            // Enter on the focused button presses it, as Space does.
            button->setAutoDefault(true);
            button->setMinimumWidth(190);
            connect(button, &QPushButton::clicked, this,
                    [this, item = item] { Q_EMIT chosen(item); });
            buttons->addWidget(button);
        }
        columns[columnOf[g]]->addWidget(box);
    }
    for (QVBoxLayout *column : columns)
        column->addStretch();
}

QPushButton *MainMenu::button(const QString &caption) const
{
    for (QPushButton *b : findChildren<QPushButton *>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    if (m_mayClose)
        event->accept();
    else
        event->ignore();
}

} // namespace app
