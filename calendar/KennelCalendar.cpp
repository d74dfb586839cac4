#include "calendar/KennelCalendar.h"

#include "breeding/Progesterone.h"
#include "breeding/Seasons.h"
#include "core/DateText.h"
#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"

#include <QStringBuilder>
#include <QUuid>

namespace calendar {
namespace {

namespace dogs = db::fields::dogs;

const QString keyPreference = QStringLiteral("calendar key");

QString q(const QString &field)
{
    return db::quoted(field);
}

} // namespace

QString calendarKey(QSqlDatabase kennel)
{
    QString key = db::preference(kennel, keyPreference);
    if (!key.isEmpty())
        return key;
    key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    // A kennel opened read-only keeps no key: its UIDs then follow its file instead.
    if (!db::setPreference(kennel, keyPreference, key))
        key = QUuid::createUuidV5(QUuid(), kennel.databaseName()).toString(QUuid::WithoutBraces);
    return key;
}

std::vector<CalendarEvent> comingEvents(const QSqlDatabase &kennel, const QDate &today,
                                        const QString &kennelKey, QString *problem)
{
    std::vector<CalendarEvent> events;
    const QString todayStored = core::datetext::toStored(today);
    auto uid = [&](const char *kind, qint64 id) -> QString {
        return QLatin1String(kind) % QLatin1Char('-') % QString::number(id) % QLatin1Char('@') %
               kennelKey;
    };
    auto scan = [&](const QString &select, const std::function<void(const db::RawRow &)> &each) {
        if (problem->isEmpty())
            *problem = db::scanRows(kennel, select, each);
    };
    problem->clear();

    namespace vaccinations = db::fields::vaccinations;
    scan(QStringLiteral("SELECT v.rowid, v.") % q(vaccinations::dogName) % QStringLiteral(", v.") %
             q(vaccinations::kind) % QStringLiteral(", v.") % q(vaccinations::due) %
             QStringLiteral(" FROM ") % q(db::tables::vaccinations) %
             QStringLiteral(" v LEFT JOIN ") % q(db::tables::dogs) % QStringLiteral(" d ON d.") %
             q(dogs::id) % QStringLiteral(" = v.") % q(vaccinations::dogId) %
             QStringLiteral(" WHERE v.") % q(vaccinations::due) % QStringLiteral(" >= '") %
             todayStored % QStringLiteral("' AND coalesce(d.") % q(dogs::died) %
             QStringLiteral(", '') = ''"),
         [&](const db::RawRow &row) {
             const QString kind = row.string(2);
             events.push_back({uid("vaccination", row.whole(0)),
                               QStringLiteral("Vaccination due: ") % row.string(1),
                               kind.isEmpty() ? QString() : kind,
                               core::datetext::fromStored(row.string(3)), false});
         });

    namespace matings = db::fields::matings;
    scan(QStringLiteral("SELECT rowid, ") % q(matings::dam) % QStringLiteral(", ") %
             q(matings::sire) % QStringLiteral(", ") % q(matings::due) % QStringLiteral(" FROM ") %
             q(db::tables::matings) % QStringLiteral(" WHERE ") % q(matings::due) %
             QStringLiteral(" >= '") % todayStored % QStringLiteral("'"),
         [&](const db::RawRow &row) {
             events.push_back(
                 {uid("litter", row.whole(0)),
                  QStringLiteral("Litter due: %1 x %2").arg(row.string(1), row.string(2)),
                  QStringLiteral("Due as worked out from the mating"),
                  core::datetext::fromStored(row.string(3)), false});
         });

    // The tests of each season in one pass, in season order.
    namespace prog = db::fields::progesterone;
    namespace seasons = db::fields::seasons;
    qint64 seasonShown = 0;
    QString bitch;
    std::vector<breeding::ProgesteroneTest> tests;
    auto estimateSeason = [&] {
        const breeding::OvulationEstimate estimate = breeding::estimateOvulation(tests);
        if (estimate.known() && estimate.whelping >= today)
            events.push_back({uid("whelping", seasonShown),
                              QStringLiteral("Whelping estimated: ") % bitch,
                              QStringLiteral("63 days after the ovulation estimated from "
                                             "progesterone, a day either way"),
                              estimate.whelping, false});
        tests.clear();
    };
    scan(QStringLiteral("SELECT p.") % q(prog::seasonId) % QStringLiteral(", d.") % q(dogs::name) %
             QStringLiteral(", p.") % q(prog::taken) % QStringLiteral(", p.") % q(prog::value) %
             QStringLiteral(", p.") % q(prog::unit) % QStringLiteral(" FROM ") %
             q(db::tables::progesterone) % QStringLiteral(" p JOIN ") % q(db::tables::seasons) %
             QStringLiteral(" s ON s.") % q(seasons::id) % QStringLiteral(" = p.") %
             q(prog::seasonId) % QStringLiteral(" JOIN ") % q(db::tables::dogs) %
             QStringLiteral(" d ON d.") % q(dogs::id) % QStringLiteral(" = s.") %
             q(seasons::dogId) % QStringLiteral(" ORDER BY p.") % q(prog::seasonId),
         [&](const db::RawRow &row) {
             if (row.whole(0) != seasonShown && !tests.empty())
                 estimateSeason();
             seasonShown = row.whole(0);
             bitch = row.string(1);
             breeding::ProgesteroneTest t;
             t.taken = core::moments::fromStored(row.string(2));
             t.value = row.real(3);
             t.unit = row.string(4);
             tests.push_back(t);
         });
    if (!tests.empty())
        estimateSeason();

    if (problem->isEmpty()) {
        for (const breeding::ExpectedSeason &e : breeding::seasonsExpected(kennel, problem)) {
            if (e.forecast.next < today)
                continue;
            events.push_back({uid("season", e.dogId), QStringLiteral("Season expected: ") % e.name,
                              e.forecast.fromUsualInterval
                                  ? QStringLiteral("From the usual interval of six months")
                                  : QStringLiteral("Likely between %1 and %2")
                                        .arg(core::datetext::shortDate(e.forecast.earliest),
                                             core::datetext::shortDate(e.forecast.latest)),
                              e.forecast.next, false});
        }
    }

    scan(QStringLiteral("SELECT ") % q(dogs::id) % QStringLiteral(", ") % q(dogs::name) %
             QStringLiteral(", ") % q(dogs::born) % QStringLiteral(" FROM ") % q(db::tables::dogs) %
             QStringLiteral(" WHERE coalesce(") % q(dogs::died) %
             QStringLiteral(", '') = '' AND coalesce(") % q(dogs::born) %
             QStringLiteral(", '') <> ''"),
         [&](const db::RawRow &row) {
             const QDate born = core::datetext::fromStored(row.string(2));
             if (born.isValid())
                 events.push_back({uid("birthday", row.whole(0)),
                                   QStringLiteral("Birthday: ") % row.string(1), QString(), born,
                                   true});
         });
    if (!problem->isEmpty())
        events.clear();
    return events;
}

} // namespace calendar
