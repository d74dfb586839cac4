#include "breeding/Whelping.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/ReadFailure.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlQuery>
#include <QStringBuilder>
#include <set>

namespace breeding {

std::optional<QString> readSex(const QString &typed)
{
    const QString sex = typed.trimmed().toLower();
    if (sex.isEmpty())
        return QString();
    for (const QString &male : {QStringLiteral("m"), QStringLiteral("male"), QStringLiteral("dog")})
        if (sex == male)
            return QStringLiteral("Male");
    for (const QString &female :
         {QStringLiteral("f"), QStringLiteral("female"), QStringLiteral("bitch")})
        if (sex == female)
            return QStringLiteral("Female");
    return std::nullopt;
}

QString whelpingProblem(const QSqlDatabase &kennel, const Litter &litter,
                        const std::vector<kennel::WhelpedPup> &pups)
{
    if (pups.size() > size_t(mostPups))
        return QStringLiteral("A litter of more than %1 pups cannot be recorded.").arg(mostPups);
    std::set<QString> collars;
    const std::vector<core::moments::Moment> born = kennel::birthMoments(litter, pups);
    for (size_t i = 0; i < pups.size(); ++i) {
        const QString collar = pups[i].collar.trimmed().toLower();
        if (!collar.isEmpty() && !collars.insert(collar).second)
            return QStringLiteral("Two pups have the collar \"%1\": a collar tells one pup apart.")
                .arg(pups[i].collar.trimmed());
        if (pups[i].died.isValid() && pups[i].died < born[i].day)
            return QStringLiteral("Pup %1 cannot have died before it was born.").arg(i + 1);
    }
    namespace matings = db::fields::matings;
    QSqlQuery mated(kennel);
    mated.prepare(QStringLiteral("SELECT min(") % db::quoted(matings::mated) %
                  QStringLiteral(") FROM ") % db::quoted(db::tables::matings) %
                  QStringLiteral(" WHERE ") % db::quoted(matings::sire) %
                  QStringLiteral(" = ? AND ") % db::quoted(matings::dam) % QStringLiteral(" = ?"));
    mated.addBindValue(litter.sire);
    mated.addBindValue(litter.dam);
    if (db::execRead(mated) && mated.next()) {
        const QDate first = core::datetext::fromStored(mated.value(0));
        if (first.isValid() && !born.empty() && born.front().day < first)
            return QStringLiteral("The pups cannot be born before the mating (%1).")
                .arg(core::datetext::shortDate(first));
    }
    return {};
}

} // namespace breeding
