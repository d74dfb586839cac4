#include "dogs/DogRecords.h"

#include "genetics/KennelGenetics.h"

#include "core/DateText.h"
#include "core/DogNames.h"
#include "core/NumberText.h"
#include "db/Fields.h"
#include "kennel/NameLinks.h"
#include "kennel/RecordKinds.h"

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
    using namespace db::fields::dogs;
    static const QStringList all{name,   registration, sex,     colour, countryOfBirth,
                                 born,   died,         breeder, breed,  microchip,
                                 tattoo, sire,         dam,     owner};
    return all;
}

QString DogRecords::dateCaption(const QString &field)
{
    if (field == db::fields::dogs::born)
        return QStringLiteral("D.O.B");
    if (field == db::fields::dogs::died)
        return QStringLiteral("D.O.D");
    return {};
}

DogRecords::DogRecords(QSqlDatabase db) : m_record(std::move(db), kennel::records::dogs())
{
    m_record.convert(db::fields::dogs::name,
                     {[](const QVariant &stored) { return stored.toString(); },
                      [](const QString &text, QString *refusal) -> std::optional<QVariant> {
                          if (core::isNotOnRecord(text)) {
                              *refusal = core::notOnRecordRefusal();
                              return std::nullopt;
                          }
                          if (text.trimmed().isEmpty()) {
                              *refusal = QStringLiteral("A dog needs a name.");
                              return std::nullopt;
                          }
                          return text;
                      }});
    m_record.nameChangesBy(db::fields::dogs::name);
    m_record.renamesCarryLinks(db::fields::dogs::name, kennel::dogLinks(), QStringLiteral("dog"));
    for (const QString &field : fields()) {
        const QString caption = dateCaption(field);
        if (caption.isEmpty())
            continue;
        m_record.convert(
            field, {[](const QVariant &stored) { return core::datetext::display(stored); },
                    [caption](const QString &text, QString *refusal) -> std::optional<QVariant> {
                        const QString typed = text.trimmed();
                        if (typed.isEmpty())
                            return QVariant();
                        const QDate date = core::datetext::parse(typed);
                        if (!date.isValid()) {
                            *refusal = core::datetext::invalidDateMessage(caption, typed);
                            return std::nullopt;
                        }
                        return core::datetext::toStored(date);
                    }});
    }
}

QString DogRecords::inbreeding() const
{
    if (!hasDog())
        return {};
    genetics::KennelGenetics &genetics =
        genetics::KennelGenetics::current(m_record.cursor().database());
    if (!genetics.problem().isEmpty())
        return genetics::coiNotAvailable();
    const genetics::DogInbreeding coi = genetics.ofDog(genetics.graph().indexOfId(dogId()));
    if (!coi.loop.isEmpty())
        return genetics::loopMessage(coi.loop);
    return genetics::coiText(coi.all, coi.chosen);
}

QString DogRecords::dnaSummary() const
{
    if (!hasDog())
        return {};
    const QSqlDatabase kennel = m_record.cursor().database();
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const int dog = genetics.graph().indexOfId(dogId());
    if (!genetics.problem().isEmpty() || dog == genetics::unknown)
        return {};
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    if (!dna.problem().isEmpty())
        return QStringLiteral("DNA status not available: the health results could not be read");
    return dna.summary(dog);
}

bool DogRecords::goToName(const QString &name)
{
    db::TableCursor &cursor = m_record.cursor();
    const qint64 from = cursor.rowId();
    const bool wasOnDog = cursor.hasRow();
    if (cursor.findExact(db::fields::dogs::name, name))
        return true;
    if (wasOnDog)
        cursor.moveTo(from);
    return false;
}

} // namespace dogs
