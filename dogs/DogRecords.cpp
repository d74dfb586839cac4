#include "dogs/DogRecords.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/Tables.h"

#include <QStringBuilder>

namespace dogs {

QString calculateage(const QString &dobText, const QDate &today)
{
    const QDate born = core::datetext::parse(dobText);
    if (!born.isValid())
        return {};
    const qint64 days = born.daysTo(today);
    // A birth still to come has no age yet.
    if (days < 0)
        return {};
    const qint64 years = days / 365;
    const qint64 weeks = (days % 365) / 7;
    return core::signedText(years) % QStringLiteral(" Yrs ") % core::signedText(weeks) %
           QStringLiteral(" Weeks ");
}

const QStringList &DogRecords::fields()
{
    static const QStringList all{
        QStringLiteral("name"),      QStringLiteral("registration"), QStringLiteral("sex"),
        QStringLiteral("colour"),    QStringLiteral("cob"),          QStringLiteral("dob"),
        QStringLiteral("dod"),       QStringLiteral("breeder"),      QStringLiteral("breed"),
        QStringLiteral("Microchip"), QStringLiteral("Tattoo"),       QStringLiteral("sire"),
        QStringLiteral("dam"),       QStringLiteral("ownerid")};
    return all;
}

QString DogRecords::dateCaption(const QString &field)
{
    if (field == QLatin1String("dob"))
        return QStringLiteral("D.O.B");
    if (field == QLatin1String("dod"))
        return QStringLiteral("D.O.D");
    return {};
}

DogRecords::DogRecords(QSqlDatabase db) : m_cursor(std::move(db), db::tables::dogs) {}

bool DogRecords::goToName(const QString &name)
{
    const qint64 from = m_cursor.rowId();
    const bool wasOnDog = m_cursor.hasRow();
    if (m_cursor.findExact(QStringLiteral("name"), name))
        return true;
    if (wasOnDog)
        m_cursor.moveTo(from);
    return false;
}

QString DogRecords::text(const QString &field) const
{
    if (!m_cursor.hasRow())
        return {};
    const QVariant value = m_cursor.value(field);
    if (!dateCaption(field).isEmpty())
        return core::datetext::display(value);
    return value.toString();
}

DogRecords::SaveResult DogRecords::save(const QHash<QString, QString> &changes)
{
    if (changes.isEmpty() || !m_cursor.hasRow())
        return {};
    for (const QString &field : fields()) {
        const auto change = changes.constFind(field);
        if (change == changes.constEnd())
            continue;
        if (dateCaption(field).isEmpty()) {
            // A cleared box stores empty text, which is not the same as no value.
            m_cursor.setValue(field, change.value().isNull() ? QStringLiteral("") : change.value());
            continue;
        }
        const QString typed = change.value().trimmed();
        if (typed.isEmpty()) {
            m_cursor.setValue(field, QVariant());
            continue;
        }
        const QDate date = core::datetext::parse(typed);
        if (!date.isValid()) {
            m_cursor.cancelUpdate();
            return {core::datetext::invalidDateMessage(dateCaption(field), typed), field};
        }
        m_cursor.setValue(field, core::datetext::toStored(date));
    }
    if (!m_cursor.update())
        return {QStringLiteral("The changes to this dog could not be saved: ") %
                    m_cursor.lastError(),
                {}};
    return {};
}

} // namespace dogs
