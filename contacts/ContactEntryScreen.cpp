#include "contacts/ContactEntryScreen.h"

#include "contacts/ContactBook.h"
#include "contacts/ContactForm.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace contacts {

ContactEntryScreen::ContactEntryScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Enter a New Contact"), parent),
      m_form(new ContactForm)
{
    auto *save = new QPushButton(QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("save"));
    setMainButton(save);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(save, &QPushButton::clicked, this, &ContactEntryScreen::save);
    connect(cancel, &QPushButton::clicked, this, &ui::Screen::closeScreen);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    layout->addLayout(buttons);
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
