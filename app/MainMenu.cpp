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
         {QStringLiteral("Add Dog Records"), QStringLiteral("View a Pedigree"),
          QStringLiteral("Enter a Mating"), QStringLiteral("View Possible Mating"),
          QStringLiteral("Browse / Update Dogs"), QStringLiteral("Find / Update Dog "),
          QStringLiteral("Enter a Litter"), QStringLiteral("Enter a Vaccination"),
          QStringLiteral("View Vaccination History"), QStringLiteral("Sell a Dog"),
          QStringLiteral("Enter Dog Notes")}},
        {QStringLiteral("Lists"),
         {QStringLiteral("List Birthdays "), QStringLiteral("List Litters Due"),
          QStringLiteral("List Due Vaccinations"), QStringLiteral("List All Above"),
          QStringLiteral("List Matings")}},
        {QStringLiteral("Reports"),
         {QStringLiteral("Dog Owner Report"), QStringLiteral("Litter Histories"),
          QStringLiteral("Sales Report"), QStringLiteral("Contact List")}},
        {QStringLiteral("Contacts"),
         {QStringLiteral("Add a Contact"), QStringLiteral("List Dogs Owned"),
          QStringLiteral("View / Edit Contacts"), QStringLiteral("Browse / Edit Contacts")}},
        {QStringLiteral("System"),
         {QStringLiteral("Help"), QStringLiteral("About "), QStringLiteral("Setup"),
          QStringLiteral("Exit")}},
    };
    return all;
}

MainMenu::MainMenu(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MainMenu"));
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
        for (const QString &caption : group.buttons) {
            auto *button = new QPushButton(caption);
            button->setAutoDefault(false);
            button->setMinimumWidth(190);
            connect(button, &QPushButton::clicked, this,
                    [this, caption] { Q_EMIT chosen(caption); });
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
