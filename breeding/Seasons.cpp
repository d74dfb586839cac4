#include "breeding/Seasons.h"

#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/Dogs.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <QSqlQuery>
#include <QStringBuilder>

namespace breeding {
namespace {

namespace season = db::fields::seasons;

const QStringList &seasonFields()
{
    static const QStringList fields{season::dogId, season::firstDay, season::lastDay, season::mated,
                                    season::note};
    return fields;
}

QVariantList seasonValues(const Season &s)
{
    return {s.dogId, core::datetext::toStored(s.firstDay),
            s.lastDay.isValid() ? QVariant(core::datetext::toStored(s.lastDay)) : QVariant(),
            int(s.mated), s.note};
}

} // namespace

SeasonForecast forecastSeason(QList<QDate> firstDays)
{
    firstDays.removeIf([](const QDate &day) { return !day.isValid(); });
    std::sort(firstDays.begin(), firstDays.end());
    firstDays.erase(std::unique(firstDays.begin(), firstDays.end()), firstDays.end());
    SeasonForecast forecast;
    if (firstDays.isEmpty())
        return forecast;
    const QDate last = firstDays.last();
    std::vector<qint64> intervals;
    for (qsizetype i = 1; i < firstDays.size(); ++i)
        intervals.push_back(firstDays[i - 1].daysTo(firstDays[i]));
    if (intervals.size() < 2) {
        forecast.fromUsualInterval = true;
        forecast.next = forecast.earliest = forecast.latest = last.addMonths(6);
        forecast.meanDays = int(last.daysTo(forecast.next));
        return forecast;
    }
    const qint64 total = std::accumulate(intervals.begin(), intervals.end(), qint64(0));
    forecast.meanDays = int((total + qint64(intervals.size()) / 2) / qint64(intervals.size()));
    forecast.next = last.addDays(forecast.meanDays);
    forecast.earliest = last.addDays(*std::min_element(intervals.begin(), intervals.end()));
    forecast.latest = last.addDays(*std::max_element(intervals.begin(), intervals.end()));
    return forecast;
}

QString forecastText(const SeasonForecast &forecast)
{
    if (!forecast.known())
        return QStringLiteral("No season recorded yet");
    const QString next = core::datetext::shortDate(forecast.next);
    if (forecast.fromUsualInterval)
        return next + QStringLiteral(" from the usual interval");
    return QStringLiteral("%1 (%2 to %3), every %4 days")
        .arg(next, core::datetext::shortDate(forecast.earliest),
             core::datetext::shortDate(forecast.latest))
        .arg(forecast.meanDays);
}

std::optional<std::vector<Season>> seasonsOf(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::seasons, QStringList{season::id} + seasonFields()) %
              QStringLiteral(" WHERE ") % db::quoted(season::dogId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(season::firstDay) %
              QStringLiteral(" DESC, ") % db::quoted(season::id) % QStringLiteral(" DESC"));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<Season> seasons;
    const db::QueryColumns columns(q);
    while (q.next()) {
        Season s;
        s.id = columns.value(season::id).toLongLong();
        s.dogId = columns.value(season::dogId).toLongLong();
        s.firstDay = core::datetext::fromStored(columns.value(season::firstDay));
        s.lastDay = core::datetext::fromStored(columns.value(season::lastDay));
        s.mated = columns.value(season::mated).toInt() != 0;
        s.note = columns.value(season::note).toString();
        seasons.push_back(s);
    }
    if (!db::readToEnd(q))
        return std::nullopt;
    return seasons;
}

std::optional<SeasonOfBitch> seasonWithId(const QSqlDatabase &kennel, qint64 seasonId)
{
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::seasons, seasonFields()) % QStringLiteral(" WHERE ") %
              db::quoted(season::id) % QStringLiteral(" = ?"));
    q.addBindValue(seasonId);
    if (!db::execRead(q) || !q.next())
        return std::nullopt;
    SeasonOfBitch found;
    found.season.id = seasonId;
    found.season.dogId = q.value(season::dogId).toLongLong();
    found.season.firstDay = core::datetext::fromStored(q.value(season::firstDay));
    found.season.lastDay = core::datetext::fromStored(q.value(season::lastDay));
    found.season.mated = q.value(season::mated).toInt() != 0;
    found.season.note = q.value(season::note).toString();
    const auto bitch = kennel::lifeOf(kennel, found.season.dogId);
    if (!bitch)
        return std::nullopt;
    found.name = bitch->name;
    return found;
}

QDate litterDueOf(const QSqlDatabase &kennel, const QString &bitch, const Season &s)
{
    namespace matings = db::fields::matings;
    const QDate until = std::max(s.lastDay, s.firstDay.addDays(35));
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::matings, {matings::due}) % QStringLiteral(" WHERE ") %
              db::quoted(matings::dam) % QStringLiteral(" = ? AND ") % db::quoted(matings::mated) %
              QStringLiteral(" BETWEEN ? AND ? ORDER BY ") % db::quoted(matings::mated) %
              QStringLiteral(" DESC LIMIT 1"));
    q.addBindValue(bitch);
    q.addBindValue(core::datetext::toStored(s.firstDay));
    q.addBindValue(core::datetext::toStored(until));
    if (!db::execRead(q) || !q.next())
        return {};
    return core::datetext::fromStored(q.value(0));
}

QString seasonProblem(const QSqlDatabase &kennel, const Season &s)
{
    if (!s.firstDay.isValid())
        return QStringLiteral("A season needs its first day.");
    if (s.lastDay.isValid() && s.lastDay < s.firstDay)
        return QStringLiteral("The last day of a season cannot come before its first day.");
    const auto bitch = kennel::lifeOf(kennel, s.dogId);
    if (!bitch)
        return QStringLiteral("The bitch is no longer in the kennel.");
    const QDate born = bitch->born();
    const QDate died = bitch->died();
    if (born.isValid() && s.firstDay < born)
        return QStringLiteral("A season cannot begin before the bitch was born (%1).")
            .arg(core::datetext::shortDate(born));
    if (died.isValid() && s.firstDay > died)
        return QStringLiteral("A season cannot begin after the bitch died (%1).")
            .arg(core::datetext::shortDate(died));
    QSqlQuery twice(kennel);
    twice.prepare(QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::seasons) %
                  QStringLiteral(" WHERE ") % db::quoted(season::dogId) %
                  QStringLiteral(" = ? AND ") % db::quoted(season::firstDay) %
                  QStringLiteral(" = ? AND ") % db::quoted(season::id) % QStringLiteral(" <> ?"));
    twice.addBindValue(s.dogId);
    twice.addBindValue(core::datetext::toStored(s.firstDay));
    twice.addBindValue(s.id);
    if (db::execRead(twice) && twice.next() && twice.value(0).toInt() > 0)
        return QStringLiteral("A season beginning on %1 is recorded already.")
            .arg(core::datetext::shortDate(s.firstDay));
    return {};
}

core::WriteResult<qint64> addSeason(QSqlDatabase kennel, const Season &s, const QString &dogName)
{
    return db::runLogged(kennel, QStringLiteral("Added a season of %1").arg(dogName),
                         db::insertInto(db::tables::seasons, seasonFields()), seasonValues(s));
}

core::WriteResult<> saveSeason(QSqlDatabase kennel, const Season &s, const QString &dogName)
{
    const auto saved = db::runLogged(
        kennel, QStringLiteral("Changed a season of %1").arg(dogName),
        db::updateWhere(db::tables::seasons, seasonFields(), season::id), seasonValues(s) << s.id);
    if (!saved)
        return core::failure(saved.problem());
    return {};
}

core::WriteResult<> deleteSeason(QSqlDatabase kennel, const Season &s, const QString &dogName)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Deleted a season of %1").arg(dogName));
    QString problem = db::runStatement(
        kennel,
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::progesterone) %
            QStringLiteral(" WHERE ") % db::quoted(db::fields::progesterone::seasonId) %
            QStringLiteral(" = ?"),
        {s.id});
    if (problem.isEmpty())
        problem = db::runStatement(kennel,
                                   QStringLiteral("DELETE FROM ") %
                                       db::quoted(db::tables::seasons) % QStringLiteral(" WHERE ") %
                                       db::quoted(season::id) % QStringLiteral(" = ?"),
                                   {s.id});
    return logged.land(transaction, problem);
}

std::vector<ExpectedSeason> seasonsExpected(const QSqlDatabase &kennel, QString *problem)
{
    std::map<qint64, QList<QDate>> daysOf;
    *problem =
        db::scanRows(kennel, db::selectFrom(db::tables::seasons, {season::dogId, season::firstDay}),
                     [&](const db::RawRow &row) {
                         daysOf[row.whole(0)] << core::datetext::fromStored(row.string(1));
                     });
    std::map<qint64, std::pair<QString, QList<QDate>>> bitches;
    if (problem->isEmpty()) {
        std::vector<qint64> ids;
        for (const auto &entry : daysOf)
            ids.push_back(entry.first);
        const auto lives = kennel::livesOf(kennel, ids);
        if (!lives)
            *problem = QStringLiteral("The dogs of the seasons could not be read.");
        else {
            for (auto &[id, days] : daysOf) {
                const auto life = lives->find(id);
                if (life != lives->end() && life->second.sex == QLatin1String("Female") &&
                    life->second.living)
                    bitches[id] = {life->second.name, std::move(days)};
            }
        }
    }
    std::vector<ExpectedSeason> expected;
    if (!problem->isEmpty())
        return expected;
    for (const auto &[id, bitch] : bitches) {
        const SeasonForecast forecast = forecastSeason(bitch.second);
        if (forecast.known())
            expected.push_back({id, bitch.first,
                                *std::max_element(bitch.second.begin(), bitch.second.end()),
                                forecast});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const ExpectedSeason &a, const ExpectedSeason &b) {
                         return a.forecast.next < b.forecast.next;
                     });
    return expected;
}

int seasonsExpectedInMonth(const QSqlDatabase &kennel, const QDate &day)
{
    QString problem;
    const auto expected = seasonsExpected(kennel, &problem);
    return int(std::count_if(expected.begin(), expected.end(), [&](const ExpectedSeason &e) {
        return e.forecast.next.year() == day.year() && e.forecast.next.month() == day.month();
    }));
}

} // namespace breeding
