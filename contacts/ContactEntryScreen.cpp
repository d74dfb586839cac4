#include "contacts/ContactEntryScreen.h"

#include "contacts/ContactBook.h"
#include "contacts/ContactForm.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"

#include <QVBoxLayout>

namespace contacts {

ContactEntryScreen::ContactEntryScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Enter a New Contact"), parent),
      m_form(new ContactForm)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    addButtonRow(layout, QStringLiteral("Save"), QStringLiteral("save"), [this] { save(); });
}

void ContactEntryScreen::save()
{
    QHash<QString, QString> texts;
    for (const QString &field : ContactForm::fields())
        texts.insert(field, m_form->text(field));
    if (const auto written = addContact(db::DatabaseFiles::kennel(), texts); !written) {
        core::tellNothingChanged(QStringLiteral("The contact"), written.problem());
        return;
    }
    core::tell(QStringLiteral(" Your record has been written"));
    // The next contact inherits the pick lists' choices.
    for (const QString &field : ContactForm::textBoxFields())
        m_form->setText(field, QString());
}

} // namespace contacts
