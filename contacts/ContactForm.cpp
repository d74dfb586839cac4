#include "contacts/ContactForm.h"

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
namespace {

// Starts empty: none of the contact pick lists shows a default.
ui::PickList *startingEmpty(const char *field, const QStringList &entries)
{
    ui::PickList *list = ui::pickList(QString::fromLatin1(field));
    list->setEntries(entries);
    list->setText(QString());
    return list;
}

} // namespace

const QStringList &ContactForm::fields()
{
    static const QStringList all{"last",       "Title",   "address", "city",          "state",
                                 "postcode",   "country", "phone",   "fax",           "email",
                                 "webaddress", "notes",   "breeder", "breederprefix", "breeds"};
    return all;
}

const QStringList &ContactForm::textBoxFields()
{
    static const QStringList boxes = [] {
        QStringList all = fields();
        for (const char *list : {"Title", "country", "breeder"})
            all.removeAll(QString::fromLatin1(list));
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
    ui::PickList *title = startingEmpty("Title", {QStringLiteral("Mr"), QStringLiteral("Mrs"),
                                                  QStringLiteral("Miss"), QStringLiteral("Dr.")});
    title->setMinimumContentsLength(6);
    ui::addField(grid, 0, 0, QStringLiteral("Title"), title);
    ui::addField(grid, 0, 1, QStringLiteral("Name"), ui::textBox(QStringLiteral("last")));
    ui::addField(grid, 1, 0, QStringLiteral("Address"), ui::textBox(QStringLiteral("address")), 3);
    ui::addField(grid, 2, 0, QStringLiteral("City "), ui::textBox(QStringLiteral("city")));
    ui::addField(grid, 2, 1, QStringLiteral("State"), ui::textBox(QStringLiteral("state")));
    ui::addField(grid, 3, 0, QStringLiteral("Country"),
                 startingEmpty("country", ui::contactCountries()));
    ui::addField(grid, 3, 1, QStringLiteral("Postcode/Zip"),
                 ui::textBox(QStringLiteral("postcode")));
    ui::addField(grid, 4, 0, QStringLiteral("Phone"), ui::textBox(QStringLiteral("phone")));
    ui::addField(grid, 4, 1, QStringLiteral("Fax"), ui::textBox(QStringLiteral("fax")));
    ui::addField(grid, 5, 0, QStringLiteral("Email"), ui::textBox(QStringLiteral("email")), 3);
    ui::addField(grid, 6, 0, QStringLiteral("Website"), ui::textBox(QStringLiteral("webaddress")),
                 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 3);
    return group;
}

QWidget *ContactForm::notes()
{
    auto *group = new QGroupBox(QStringLiteral("Notes"));
    auto *box = new QPlainTextEdit;
    box->setObjectName(QStringLiteral("notes"));
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
                 startingEmpty("breeder", {QStringLiteral("Yes"), QStringLiteral("No")}));
    ui::addField(grid, 1, 0, QStringLiteral("Breeder Prefix or Kennel Name"),
                 ui::textBox(QStringLiteral("breederprefix")));
    ui::addField(grid, 2, 0, QStringLiteral("Breeds"), ui::textBox(QStringLiteral("breeds")));
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
