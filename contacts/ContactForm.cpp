#include "contacts/ContactForm.h"

#include "ui/BoundFields.h"
#include "ui/Countries.h"
#include "ui/PickList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace contacts {
namespace {

QLineEdit *textBox(const char *field)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(field));
    return edit;
}

// Starts empty: none of the contact pick lists shows a default.
ui::PickList *pickList(const char *field, const QStringList &entries)
{
    auto *list = new ui::PickList;
    list->setObjectName(QString::fromLatin1(field));
    list->setEntries(entries);
    list->setText(QString());
    return list;
}

void addField(QGridLayout *grid, int row, int column, const QString &caption, QWidget *control,
              int span = 1)
{
    auto *label = new QLabel(caption);
    label->setBuddy(control);
    grid->addWidget(label, row, column * 2);
    grid->addWidget(control, row, column * 2 + 1, 1, span);
}

} // namespace

const QStringList &ContactForm::fields()
{
    static const QStringList all{"last",  "Title",      "address", "city",   "state",
                                 "postcode", "country", "phone",   "fax",    "email",
                                 "webaddress", "notes", "breeder", "breederprefix", "breeds"};
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
    ui::PickList *title = pickList("Title", {QStringLiteral("Mr"), QStringLiteral("Mrs"),
                                             QStringLiteral("Miss"), QStringLiteral("Dr.")});
    title->setMinimumContentsLength(6);
    addField(grid, 0, 0, QStringLiteral("Title"), title);
    addField(grid, 0, 1, QStringLiteral("Name"), textBox("last"));
    addField(grid, 1, 0, QStringLiteral("Address"), textBox("address"), 3);
    addField(grid, 2, 0, QStringLiteral("City "), textBox("city"));
    addField(grid, 2, 1, QStringLiteral("State"), textBox("state"));
    addField(grid, 3, 0, QStringLiteral("Country"), pickList("country", ui::contactCountries()));
    addField(grid, 3, 1, QStringLiteral("Postcode/Zip"), textBox("postcode"));
    addField(grid, 4, 0, QStringLiteral("Phone"), textBox("phone"));
    addField(grid, 4, 1, QStringLiteral("Fax"), textBox("fax"));
    addField(grid, 5, 0, QStringLiteral("Email"), textBox("email"), 3);
    addField(grid, 6, 0, QStringLiteral("Website"), textBox("webaddress"), 3);
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
    addField(grid, 0, 0, QStringLiteral("Is Contact a Breeder"),
             pickList("breeder", {QStringLiteral("Yes"), QStringLiteral("No")}));
    addField(grid, 1, 0, QStringLiteral("Breeder Prefix or Kennel Name"), textBox("breederprefix"));
    addField(grid, 2, 0, QStringLiteral("Breeds"), textBox("breeds"));
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
