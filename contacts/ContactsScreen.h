#pragma once

#include "ui/RecordScreen.h"

namespace contacts {

// "Contacts": one contact at a time, edits stored as typed when the screen moves or closes.
// Two twins: the browse screen starts at the first contact, the found screen at the first
// contact named exactly as the chosen name.
class ContactsScreen : public ui::RecordScreen
{
    Q_OBJECT
public:
    enum class Start { FirstContact, ChosenName };

    static QString screenName(Start start)
    {
        return start == Start::FirstContact ? QStringLiteral("Form29") : QStringLiteral("Form18");
    }
    // On the first contact named `name` when started from a chosen name.
    explicit ContactsScreen(Start start, const QString &name = {}, QWidget *parent = nullptr);

Q_SIGNALS:
    void deleteRequested(qint64 row);

protected:
    ui::BoundRecord &record() override { return m_record; }
    void load() override;

private:
    // The contact was deleted elsewhere: a screen on it moves to the next (else the one
    // before).
    void contactDeleted(qint64 row);

    Start m_start;
    QString m_name;
    ui::BoundRecord m_record;
};

} // namespace contacts
