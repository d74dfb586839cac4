#include "contacts/ContactForm.h"

#include "db/Fields.h"
#include "ui/BoundFields.h"
#include "ui/Countries.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace contacts {

namespace contact = db::fields::contacts;

namespace {

// Starts empty: none of the contact pick lists shows a default.
ui::PickList *startingEmpty(const QString &field, const QStringList &entries)
{
    ui::PickList *list = ui::pickList(field);
    list->setEntries(entries);
    list->setText(QString());
    return list;
}

} // namespace

const QStringList &ContactForm::fields()
{
    static const QStringList all{
        contact::name,     contact::title,   contact::address, contact::city,   contact::state,
        contact::postcode, contact::country, contact::phone,   contact::fax,    contact::email,
        contact::web,      contact::notes,   contact::breeder, contact::prefix, contact::breeds};
    return all;
}

const QStringList &ContactForm::textBoxFields()
{
    static const QStringList boxes = [] {
        QStringList all = fields();
        for (const QString &list : {contact::title, contact::country, contact::breeder})
            all.removeAll(list);
        return all;
    }();
    return boxes;
}

ContactForm::ContactForm(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(contactDetails());
    layout->addWidget(notes());
    layout->addWidget(breederDetails());
}

QWidget *ContactForm::contactDetails()
{
    auto *group = new QGroupBox(QStringLiteral("Contact Details "));
    auto *grid = new QGridLayout(group);
    ui::PickList *title =
        startingEmpty(contact::title, {QStringLiteral("Mr"), QStringLiteral("Mrs"),
                                       QStringLiteral("Miss"), QStringLiteral("Dr.")});
    title->setMinimumContentsLength(6);
    ui::addField(grid, 0, 0, QStringLiteral("Title"), title);
    ui::addField(grid, 0, 1, QStringLiteral("Name"), ui::textBox(contact::name));
    ui::addField(grid, 1, 0, QStringLiteral("Address"), ui::textBox(contact::address), 3);
    ui::addField(grid, 2, 0, QStringLiteral("City "), ui::textBox(contact::city));
    ui::addField(grid, 2, 1, QStringLiteral("State"), ui::textBox(contact::state));
    ui::addField(grid, 3, 0, QStringLiteral("Country"),
                 startingEmpty(contact::country, ui::contactCountries()));
    ui::addField(grid, 3, 1, QStringLiteral("Postcode/Zip"), ui::textBox(contact::postcode));
    ui::addField(grid, 4, 0, QStringLiteral("Phone"), ui::textBox(contact::phone));
    ui::addField(grid, 4, 1, QStringLiteral("Fax"), ui::textBox(contact::fax));
    ui::addField(grid, 5, 0, QStringLiteral("Email"), ui::textBox(contact::email), 3);
    ui::addField(grid, 6, 0, QStringLiteral("Website"), ui::textBox(contact::web), 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 3);
    return group;
}

QWidget *ContactForm::notes()
{
    auto *group = new QGroupBox(QStringLiteral("Notes"));
    auto *box = new QPlainTextEdit;
    box->setObjectName(contact::notes);
    box->setAccessibleName(QStringLiteral("Notes"));
    box->setTabChangesFocus(true);
    box->setMinimumHeight(60);
    box->setMaximumHeight(110);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(box);
    return group;
}

QWidget *ContactForm::breederDetails()
{
    auto *group = new QGroupBox(QStringLiteral("Breeder Details"));
    auto *grid = new QGridLayout(group);
    ui::addField(grid, 0, 0, QStringLiteral("Is Contact a Breeder"),
                 startingEmpty(contact::breeder, {QStringLiteral("Yes"), QStringLiteral("No")}));
    ui::addField(grid, 1, 0, QStringLiteral("Breeder Prefix or Kennel Name"),
                 ui::textBox(contact::prefix));
    ui::addField(grid, 2, 0, QStringLiteral("Breeds"), ui::textBox(contact::breeds));
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *ContactForm::control(const QString &field) const
{
    return findChild<QWidget *>(field);
}

QString ContactForm::text(const QString &field) const
{
    return ui::BoundFields::textOf(control(field));
}

void ContactForm::setText(const QString &field, const QString &text)
{
    ui::BoundFields::setText(control(field), text);
}

void ContactForm::bindTo(ui::BoundFields &bound) const
{
    for (const QString &field : fields()) {
        QWidget *c = control(field);
        if (auto *edit = qobject_cast<QLineEdit *>(c))
            bound.bind(field, edit);
        else if (auto *box = qobject_cast<QPlainTextEdit *>(c))
            bound.bind(field, box);
        else
            bound.bind(field, qobject_cast<QComboBox *>(c));
    }
}

} // namespace contacts
