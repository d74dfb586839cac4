#pragma once

#include "ui/Screen.h"

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {
class PickList;
}

namespace health {

// "Notes ": short dated notes about a dog, newest first.
class NotesScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form6"); }
    explicit NotesScreen(QWidget *parent = nullptr);
    bool settle() override;
    QStringList lines() const;
    bool isAdding() const;

protected:
    void load() override;

private:
    void viewNotes();
    void addNote();
    void saveNote();
    // Builds the list of the chosen dog; false (after telling the user) when there is no such dog.
    bool buildList();
    void showEntry(bool shown);

    ui::PickList *m_dog;
    QLineEdit *m_date;
    QLineEdit *m_note;
    QListWidget *m_list;
    QPushButton *m_save;
    QList<QWidget *> m_entry;
    std::optional<qint64> m_dogId;
};

} // namespace health
