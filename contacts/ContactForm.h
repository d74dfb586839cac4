#pragma once

#include <QStringList>
#include <QWidget>

namespace ui {
class BoundFields;
}

namespace contacts {

// The contact's fields in their three frames, as every contact screen shows them.
class ContactForm : public QWidget
{
    Q_OBJECT
public:
    // The fifteen fields, in the order a new contact is written.
    static const QStringList &fields();
    // The twelve that are text boxes (the rest are pick lists).
    static const QStringList &textBoxFields();

    explicit ContactForm(QWidget *parent = nullptr);

    void bindTo(ui::BoundFields &bound) const;
    QString text(const QString &field) const;
    void setText(const QString &field, const QString &text);
    QWidget *control(const QString &field) const;

private:
    QWidget *contactDetails();
    QWidget *notes();
    QWidget *breederDetails();
};

} // namespace contacts
