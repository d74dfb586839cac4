#include "showcase/ShowResults.h"

#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace showcase {
namespace {

namespace field = db::fields::showResults;

const QStringList &resultFields()
{
    static const QStringList fields{field::dogId, field::date,      field::show,
                                    field::judge, field::showClass, field::placing,
                                    field::award, field::title,     field::titleShort};
    return fields;
}

} // namespace

std::optional<std::vector<ShowResult>> showResultsOf(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::showResults, QStringList{field::id} + resultFields()) %
              QStringLiteral(" WHERE ") % db::quoted(field::dogId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(field::date) % QStringLiteral(", ") %
              db::quoted(field::id));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<ShowResult> results;
    const db::QueryColumns columns(q);
    while (q.next()) {
        ShowResult r;
        r.id = columns.value(field::id).toLongLong();
        r.dogId = columns.value(field::dogId).toLongLong();
        r.date = core::datetext::fromStored(columns.value(field::date));
        r.show = columns.value(field::show).toString();
        r.judge = columns.value(field::judge).toString();
        r.showClass = columns.value(field::showClass).toString();
        r.placing = columns.value(field::placing).toString();
        r.award = columns.value(field::award).toString();
        r.title = columns.value(field::title).toString();
        r.titleShort = columns.value(field::titleShort).toString();
        results.push_back(r);
    }
    return results;
}

QString showResultProblem(const ShowResult &r)
{
    if (!r.date.isValid())
        return QStringLiteral("A result needs the day of the show.");
    if (r.show.trimmed().isEmpty())
        return QStringLiteral("A result needs the show or trial.");
    if (!r.titleShort.trimmed().isEmpty() && r.title.trimmed().isEmpty())
        return QStringLiteral("Type the title the short form stands for, such as Champion for "
                              "CH.");
    return {};
}

core::WriteResult<qint64> addShowResult(QSqlDatabase kennel, const ShowResult &r,
                                        const QString &dogName)
{
    return db::runLogged(kennel, QStringLiteral("Added a show result of %1").arg(dogName),
                         db::insertInto(db::tables::showResults, resultFields()),
                         {r.dogId, core::datetext::toStored(r.date), r.show.trimmed(),
                          r.judge.trimmed(), r.showClass.trimmed(), r.placing.trimmed(),
                          r.award.trimmed(), r.title.trimmed(), r.titleShort.trimmed()});
}

core::WriteResult<> deleteShowResult(QSqlDatabase kennel, const ShowResult &r,
                                     const QString &dogName)
{
    const auto deleted = db::runLogged(
        kennel, QStringLiteral("Deleted a show result of %1").arg(dogName),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::showResults) %
            QStringLiteral(" WHERE ") % db::quoted(field::id) % QStringLiteral(" = ?"),
        {r.id});
    if (!deleted)
        return core::failure(deleted.problem());
    return {};
}

QStringList titlesOf(const std::vector<ShowResult> &results)
{
    QStringList titles;
    for (const ShowResult &r : results) {
        const QString title = r.titleShort.trimmed();
        if (!title.isEmpty() && !titles.contains(title))
            titles << title;
    }
    return titles;
}

} // namespace showcase
