#pragma once

#include "ui/ChooserScreen.h"

namespace contacts {

// "Find a Contact": picks a contact by name for the second "Contacts" screen.
class FindContactScreen : public ui::ChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form17"); }
    explicit FindContactScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    // The found "Contacts" screen should open on it.
    void contactChosen(const QString &name);

protected:
    void load() override;
    void ok() override;
};

} // namespace contacts
