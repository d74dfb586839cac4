#pragma once

#include "ui/Screen.h"
#include "ui/SharedNames.h"

#include <optional>
#include <vector>

class QFormLayout;
class QTableWidget;

namespace ui {

class PickList;

// A screen of one dog's entries, such as its health results or a bitch's seasons: the dog
// chosen from a pick list as its name is typed, a table of its entries, a form for one of
// them, and "New …", "Save …" (Enter), "Delete …" and "Close". What was typed is saved when
// another entry or dog is chosen and when the screen closes, and dropped when the form holds
// nothing worth keeping. Subclasses read and write the entries and fill the form.
class DogEntriesScreen : public Screen
{
    Q_OBJECT
public:
    // `entry` names one entry in the buttons' captions, such as "Season".
    DogEntriesScreen(const QString &objectName, const QString &caption, const QString &entry,
                     SharedList dogs, QWidget *parent = nullptr);
    // Shows this dog's entries, saving what was typed first; before loading, the dog it opens
    // on.
    void showDog(qint64 dogId, const QString &name);
    bool settle() override;
    void refresh() override;

protected:
    // Lays the screen out: the pick list captioned `dogCaption` and any rows of `top` under
    // it, the table named `tableName` with these columns, then the `entry` form.
    void build(const QString &dogCaption, QFormLayout *top, const QString &tableName,
               const QStringList &columns, QFormLayout *entry);
    void load() override;

    // The dog's entries, as the table's rows and each one's id; nothing when they could not
    // be read (the user was told).
    struct Entries
    {
        std::vector<QStringList> rows;
        std::vector<qint64> ids;
    };
    virtual std::optional<Entries> readEntries(qint64 dogId) = 0;
    // Fills the form with the entry of this row, or empties it (row -1).
    virtual void fillForm(int row) = 0;
    // Checks what was typed and writes it as entry `id` (0 for a new one): false, after telling
    // the user, when it could not be kept.
    virtual bool writeEntry(qint64 id) = 0;
    virtual bool removeEntry(int row) = 0;
    // Whether a new entry's form holds anything worth keeping.
    virtual bool formHasContent() const = 0;
    // The dog's entries are on view (for what a subclass shows beside them).
    virtual void entriesShown() {}
    // The first box of the form, which "New …" gives the focus.
    virtual QWidget *firstBox() const = 0;

    std::optional<qint64> dogId() const { return m_dogId; }
    const QString &dogName() const { return m_dogName; }
    qint64 shownId() const { return m_shownId; }
    // True while the program fills the form, so that its changes are not the user's.
    bool filling() const { return m_filling; }
    // Connect the form's boxes here: the user changed what is typed.
    void markEdited();
    PickList *dogList() const { return m_dog; }

private:
    void chooseDog();
    void showEntries();
    void showEntry(int row);
    void clearEntry();
    bool saveTyped();
    void newEntry();
    void deleteEntry();

    QString m_entry;
    SharedList m_dogs;
    std::optional<qint64> m_dogId;
    QString m_dogName;
    std::vector<qint64> m_ids;
    qint64 m_shownId = 0;
    bool m_edited = false;
    bool m_filling = false;
    PickList *m_dog;
    QTableWidget *m_table;
};

} // namespace ui
