#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace breeding {

struct Season
{
    qint64 id = 0;
    qint64 dogId = 0;
    QDate firstDay;
    QDate lastDay; // invalid where not known
    bool mated = false;
    QString note;
};

// When a bitch's next season is likely, from the first days of her recorded seasons: the
// mean interval between them, and the shortest and longest seen as the earliest and latest
// likely day. With fewer than two intervals, the usual six months.
struct SeasonForecast
{
    QDate next;
    QDate earliest;
    QDate latest;
    int meanDays = 0;
    bool fromUsualInterval = false;

    bool known() const { return next.isValid(); }
};

// Nothing from no season; the same first day twice counts once, in any order.
SeasonForecast forecastSeason(QList<QDate> firstDays);
// "3/4/2027 (2/20/2027 to 3/15/2027), every 182 days" or "… from the usual interval".
QString forecastText(const SeasonForecast &forecast);

// A bitch's seasons, latest first; nothing when they could not be read (the user was told).
std::optional<std::vector<Season>> seasonsOf(const QSqlDatabase &kennel, qint64 dogId);

// One season with the name of its bitch; nothing when it is gone or could not be read.
struct SeasonOfBitch
{
    Season season;
    QString name;
};
std::optional<SeasonOfBitch> seasonWithId(const QSqlDatabase &kennel, qint64 seasonId);
// When the litter of a mating in this season is due, as "Enter a Mating " worked it out; the
// latest mating from its first day to its last (or five weeks on where the last is not known).
// Invalid where she was not mated.
QDate litterDueOf(const QSqlDatabase &kennel, const QString &bitch, const Season &season);

// What keeps a season from being kept, or empty: no first day, a last day before the first,
// a first day before the bitch's birth or after her death, a first day she already has.
QString seasonProblem(const QSqlDatabase &kennel, const Season &season);
core::WriteResult<qint64> addSeason(QSqlDatabase kennel, const Season &season,
                                    const QString &dogName);
core::WriteResult<> saveSeason(QSqlDatabase kennel, const Season &season, const QString &dogName);
core::WriteResult<> deleteSeason(QSqlDatabase kennel, const Season &season, const QString &dogName);

// Every living bitch's next season, soonest first.
struct ExpectedSeason
{
    qint64 dogId;
    QString name;
    QDate lastSeason;
    SeasonForecast forecast;
};
// Nothing, with the problem, when the seasons could not be read.
std::vector<ExpectedSeason> seasonsExpected(const QSqlDatabase &kennel, QString *problem);
// How many of them are expected in the month of `day`.
int seasonsExpectedInMonth(const QSqlDatabase &kennel, const QDate &day);

} // namespace breeding
