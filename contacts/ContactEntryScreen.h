#pragma once

#include "ui/Screen.h"

namespace contacts {

class ContactForm;

// "Enter a New Contact": one contact per "Save"; stays open for the next.
class ContactEntryScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form28"); }
    explicit ContactEntryScreen(QWidget *parent = nullptr);

private:
    void save();

    ContactForm *m_form;
};

} // namespace contacts
