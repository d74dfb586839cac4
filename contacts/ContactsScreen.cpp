#include "contacts/ContactsScreen.h"

#include "contacts/ContactForm.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "kennel/Changes.h"
#include "kennel/NameLinks.h"
#include "kennel/RecordKinds.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace contacts {

ContactsScreen::ContactsScreen(Start start, const QString &name, QWidget *parent)
    : ui::RecordScreen(screenName(start), QStringLiteral("Contacts"), parent), m_start(start),
      m_name(name), m_record(db::DatabaseFiles::kennel(), kennel::records::contacts())
{
    auto *form = new ContactForm;
    form->bindTo(m_record.fields());
    m_record.nameChangesBy(db::fields::contacts::name);
    m_record.renamesCarryLinks(db::fields::contacts::name, kennel::contactLinks(),
                               QStringLiteral("contact"));

    auto *buttons = new QHBoxLayout;
    using Move = bool (db::TableCursor::*)();
    const std::tuple<QString, const char *, Move> moves[] = {
        {QStringLiteral("First"), "firstButton", &db::TableCursor::first},
        {QStringLiteral("Previous"), "previousButton", &db::TableCursor::previous},
        {QStringLiteral("Next "), "nextButton", &db::TableCursor::next},
        {QStringLiteral("Last"), "lastButton", &db::TableCursor::last},
    };
    for (const auto &[caption, name, move] : moves) {
        auto *button = new QPushButton(caption);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, move = move] { step(move); });
        buttons->addWidget(button);
    }
    auto *print = new QPushButton(start == Start::FirstContact ? QStringLiteral("Print Record")
                                                               : QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("printButton"));
    connect(print, &QPushButton::clicked, this,
            [] { core::tell(QStringLiteral("Still Under Construction !")); });
    buttons->addStretch();
    buttons->addWidget(print);
    auto *remove = new QPushButton(QStringLiteral("Delete Contact..."));
    remove->setObjectName(QStringLiteral("deleteButton"));
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_record.cursor().hasRow())
            Q_EMIT deleteRequested(m_record.cursor().rowId());
    });
    buttons->addWidget(remove);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(form);
    layout->addLayout(buttons);
    m_record.show();
    connect(&kennel::Changes::instance(), &kennel::Changes::contactDeleted, this,
            &ContactsScreen::contactDeleted);
}

void ContactsScreen::contactDeleted(qint64 row)
{
    db::TableCursor &cursor = m_record.cursor();
    if (!isLoaded() || cursor.rowId() != row)
        return;
    if (!cursor.next() && !cursor.previous())
        cursor.first();
    m_record.show();
}

void ContactsScreen::load()
{
    db::TableCursor &cursor = m_record.cursor();
    if (m_start == Start::ChosenName && !cursor.findExact(db::fields::contacts::name, m_name)) {
        cursor.first();
        if (cursor.hasRow())
            core::tell(
                QStringLiteral("There is no contact named \"%1\"; the first contact is shown.")
                    .arg(m_name));
    } else if (m_start == Start::FirstContact) {
        cursor.first();
    }
    m_record.show();
}

} // namespace contacts
