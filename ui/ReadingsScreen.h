#pragma once

#include "core/Moments.h"
#include "ui/Screen.h"

#include <optional>
#include <vector>

class QFormLayout;
class QLineEdit;
class QTableWidget;

namespace ui {

// A screen of readings taken over time for one thing, such as a season's progesterone tests or
// a litter's weighings: what they belong to and a chart above, the table of readings, a form
// for a new one, "Add …" (Enter), "Delete …" and "Close". A reading is a fact of its moment:
// one typed wrongly is deleted and added again. What was typed and not added is added when
// the screen closes, or the screen stays open to say why it cannot be.
class ReadingsScreen : public Screen
{
    Q_OBJECT
public:
    // `entry` names one reading in the buttons' captions, such as "Test".
    ReadingsScreen(const QString &objectName, const QString &caption, const QString &entry,
                   QWidget *parent = nullptr);
    bool settle() override;
    void refresh() override { showReadings(); }

Q_SIGNALS:
    // A reading was added or deleted here.
    void readingsChanged();

protected:
    // Lays the screen out: `above` (a heading and a chart), the table named `tableName` with
    // these columns, then the form.
    void build(QWidget *above, const QString &tableName, const QStringList &columns,
               QFormLayout *form);
    // Reads the readings again and shows them.
    void showReadings();

    // The readings as the table's rows; nothing when they could not be read (the user was told).
    virtual std::optional<std::vector<QStringList>> readRows() = 0;
    // Checks what the form holds and adds it: false, after telling the user, when it could not.
    virtual bool addReading() = 0;
    virtual bool removeReading(int row) = 0;
    // Whether the form holds anything worth adding.
    virtual bool formHasContent() const = 0;
    // Empties the form for the next reading, keeping what stays the same between readings.
    virtual void clearForm() = 0;
    // The readings are on view (for the chart).
    virtual void readingsShown() {}
    virtual QWidget *firstBox() const = 0;

    QTableWidget *table() const { return m_table; }
    // The moment typed in a "Date" and a "Time" box: nothing, after telling the user, where
    // either is not one. A day left empty stays invalid for the caller to refuse.
    static std::optional<core::moments::Moment> typedMoment(QLineEdit *day, QLineEdit *time);

private:
    void add();
    void remove();

    QString m_entry;
    QTableWidget *m_table;
};

} // namespace ui
