#pragma once

#include "ui/ChooserScreen.h"

namespace contacts {

// "Delete Contact": picks the contact to delete; the deletion itself asks before it writes.
class DeleteContactScreen : public ui::ChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("DeleteContact"); }
    explicit DeleteContactScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    void contactChosen(qint64 row);

protected:
    void load() override;
    void ok() override;
};

} // namespace contacts
