#pragma once

#include "report/ReportLayout.h"
#include "ui/Screen.h"

class QListWidget;

namespace ui {
class PickList;
}

namespace contacts {

// "Dog Owners Listing": every contact with the dogs it owns.
report::Report ownersListing();
// "Contact List": every contact's address and numbers.
report::Report contactList();

// "List of Dogs Owned": the dogs of one contact.
class DogsOwnedScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form7"); }
    explicit DogsOwnedScreen(QWidget *parent = nullptr);
    ui::PickList *owners() const { return m_owners; }
    QStringList dogs() const;

protected:
    void load() override;

private:
    void showDogs();

    ui::PickList *m_owners;
    QListWidget *m_dogs;
};

} // namespace contacts
