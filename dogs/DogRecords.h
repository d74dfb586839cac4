#pragma once

#include "ui/BoundRecord.h"

#include <QDate>
#include <QStringList>

namespace dogs {

// "Age": whole 365-day years, then weeks of the rest, each with a blank in place of the sign
// of a non-negative number; empty when the date of birth is not a date or is still to come.
QString calculateage(const QString &dobText, const QDate &today);

// The dog records screen's logic: one bound record over every dog, its dates shown in the
// breeder's order and stored as dates, with the user's changes saved into the dog being left.
class DogRecords
{
public:
    // The fields the screen shows and edits.
    static const QStringList &fields();
    // The date fields and the captions their messages name.
    static QString dateCaption(const QString &field);

    explicit DogRecords(QSqlDatabase db);

    ui::BoundRecord &record() { return m_record; }
    bool first() { return m_record.cursor().first(); }
    // The first dog in stored order whose name is exactly this one; stays put when none is.
    bool goToName(const QString &name);

    bool hasDog() const { return m_record.cursor().hasRow(); }
    qint64 dogId() const { return m_record.cursor().rowId(); }
    // The current dog's inbreeding as stored, over all generations and over ten, or the
    // loop above it; empty without a dog.
    QString inbreeding() const;
    // The current dog's status for each DNA test it has one for, such as "PRA-prcd Clear,
    // DM Carrier"; empty without a dog or a status.
    QString dnaSummary() const;
    QString text(const QString &field) const { return m_record.text(field); }
    // Writes the changed texts (field -> text) into the current dog, all or nothing.
    ui::BoundRecord::SaveResult save(const QHash<QString, QString> &changes)
    {
        return m_record.save(changes);
    }

private:
    ui::BoundRecord m_record;
};

} // namespace dogs
