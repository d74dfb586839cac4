#include "ui/BoundFields.h"

#include "ui/PickList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

void BoundFields::bind(const QString &field, QLineEdit *edit)
{
    m_bindings.append({field, edit, QString()});
}

void BoundFields::bind(const QString &field, QComboBox *list)
{
    m_bindings.append({field, list, QString()});
}

void BoundFields::bind(const QString &field, QPlainTextEdit *box)
{
    m_bindings.append({field, box, QString()});
}

QString BoundFields::textOf(const QWidget *widget)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(widget))
        return box->toPlainText();
    return qobject_cast<const QComboBox *>(widget)->currentText();
}

void BoundFields::setText(QWidget *widget, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto *box = qobject_cast<QPlainTextEdit *>(widget)) {
        box->setPlainText(text);
    } else if (auto *pick = qobject_cast<PickList *>(widget)) {
        pick->setText(text);
    } else {
        qobject_cast<QComboBox *>(widget)->setEditText(text);
    }
}

void BoundFields::show(const std::function<QString(const QString &)> &textOfField)
{
    for (Binding &b : m_bindings) {
        b.shown = textOfField(b.field);
        setText(b.widget, b.shown);
    }
}

QHash<QString, QString> BoundFields::changes() const
{
    QHash<QString, QString> changed;
    for (const Binding &b : m_bindings) {
        const QString now = textOf(b.widget);
        if (now != b.shown)
            changed.insert(b.field, now);
    }
    return changed;
}

void BoundFields::acceptChanges()
{
    for (Binding &b : m_bindings)
        b.shown = textOf(b.widget);
}

void BoundFields::setEnabled(bool enabled)
{
    for (const Binding &b : std::as_const(m_bindings))
        b.widget->setEnabled(enabled);
}

QStringList BoundFields::boundFields() const
{
    QStringList fields;
    for (const Binding &b : m_bindings)
        fields << b.field;
    return fields;
}

QWidget *BoundFields::widget(const QString &field) const
{
    for (const Binding &b : m_bindings) {
        if (b.field.compare(field, Qt::CaseInsensitive) == 0)
            return b.widget;
    }
    return nullptr;
}

QString BoundFields::caption(const QString &field) const
{
    const QWidget *control = widget(field);
    if (control && control->parentWidget()) {
        for (const QLabel *label : control->parentWidget()->findChildren<QLabel *>()) {
            if (label->buddy() == control) {
                QString text = label->text().remove(QLatin1Char('&')).trimmed();
                if (text.endsWith(QLatin1Char(':')))
                    text.chop(1);
                return text;
            }
        }
    }
    return field;
}

} // namespace ui
