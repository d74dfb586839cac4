#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;

namespace app {

// What a main menu button stands for; the shell routes each to its screen or report.
enum class MenuItem {
    AddDogRecords,
    ViewPedigree,
    EnterMating,
    PossibleMating,
    BrowseDogs,
    FindDog,
    EnterLitter,
    EnterVaccination,
    VaccinationHistory,
    SellDog,
    DogNotes,
    Birthdays,
    LittersDue,
    VaccinationsDue,
    AllDue,
    Matings,
    DogOwnerReport,
    LitterHistories,
    SalesReport,
    ContactList,
    AddContact,
    DogsOwned,
    ViewContacts,
    BrowseContacts,
    Help,
    About,
    Setup,
    Exit,
};

// "Main Menu": the buttons that open every screen, in five captioned groups.
class MainMenu : public QWidget
{
    Q_OBJECT
public:
    struct Button
    {
        MenuItem item;
        QString caption;
    };
    struct Group
    {
        QString caption;
        QList<Button> buttons;
    };
    static QString screenName() { return QStringLiteral("MainMenu"); }
    static const QList<Group> &groups();
    // The item of the button with this caption, and the caption of an item.
    static std::optional<MenuItem> itemOf(const QString &caption);
    static QString captionOf(MenuItem item);

    explicit MainMenu(QWidget *parent = nullptr);
    QPushButton *button(const QString &caption) const;
    // Only the end of the program closes the main menu.
    void allowClose() { m_mayClose = true; }

Q_SIGNALS:
    void chosen(app::MenuItem item);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_mayClose = false;
};

} // namespace app
