#pragma once

#include <functional>
#include <QHash>
#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ui {

// Binds a screen's controls to the fields of the record it shows and tells which of them
// the user has changed since the record was shown.
class BoundFields
{
public:
    void bind(const QString &field, QLineEdit *edit);
    void bind(const QString &field, QComboBox *list);
    void bind(const QString &field, QPlainTextEdit *box);

    // Fills every control with the text of its field and remembers it as unchanged.
    void show(const std::function<QString(const QString &field)> &textOf);
    // Field -> text now in its control, for the controls the user changed.
    QHash<QString, QString> changes() const;
    // After the changes were saved: what the controls show now counts as unchanged.
    void acceptChanges();
    // The field's control, found without regard to the case of the field's name.
    QWidget *widget(const QString &field) const;
    // What the screen calls the field: its control's label, else the field's name.
    QString caption(const QString &field) const;
    // The fields in the order they were bound.
    QStringList boundFields() const;
    // Off while there is no record to show, so that nothing typed can be lost.
    void setEnabled(bool enabled);

    // The text any bound kind of control shows, and setting it.
    static QString textOf(const QWidget *widget);
    static void setText(QWidget *widget, const QString &text);

private:
    struct Binding
    {
        QString field;
        QWidget *widget;
        QString shown;
    };
    QList<Binding> m_bindings;
};

} // namespace ui
