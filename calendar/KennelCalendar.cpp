#include "calendar/KennelCalendar.h"

#include "breeding/Progesterone.h"
#include "breeding/Seasons.h"
#include "core/DateText.h"
#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "kennel/Dogs.h"

#include <QStringBuilder>
#include <QUuid>

namespace calendar {
namespace {

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

    // Only the living are reminded of; a vaccination whose dog is gone from the kennel still is.
    auto living = [&](const std::vector<qint64> &dogIds) {
        std::optional<std::unordered_map<qint64, kennel::DogLife>> lives;
        if (problem->isEmpty()) {
            lives = kennel::livesOf(kennel, dogIds);
            if (!lives)
                *problem = QStringLiteral("The dogs could not be read.");
        }
        return lives.value_or(std::unordered_map<qint64, kennel::DogLife>{});
    };

    namespace vaccinations = db::fields::vaccinations;
    struct Vaccination
    {
        qint64 row, dogId;
        QString dog, kind;
        QDate due;
    };
    std::vector<Vaccination> vaccinationsDue;
    scan(QStringLiteral("SELECT rowid, ") % q(vaccinations::dogName) % QStringLiteral(", ") %
             q(vaccinations::kind) % QStringLiteral(", ") % q(vaccinations::due) %
             QStringLiteral(", ") % q(vaccinations::dogId) % QStringLiteral(" FROM ") %
             q(db::tables::vaccinations) % QStringLiteral(" WHERE ") % q(vaccinations::due) %
             QStringLiteral(" >= '") % todayStored % QStringLiteral("'"),
         [&](const db::RawRow &row) {
             vaccinationsDue.push_back({row.whole(0), row.whole(4), row.string(1), row.string(2),
                                        core::datetext::fromStored(row.string(3))});
         });
    std::vector<qint64> vaccinated;
    for (const Vaccination &v : vaccinationsDue)
        vaccinated.push_back(v.dogId);
    const auto vaccinatedLives = living(vaccinated);
    for (const Vaccination &v : vaccinationsDue) {
        const auto dog = vaccinatedLives.find(v.dogId);
        if (dog == vaccinatedLives.end() || dog->second.living)
            events.push_back({uid("vaccination", v.row),
                              QStringLiteral("Vaccination due: ") % v.dog,
                              v.kind.isEmpty() ? QString() : v.kind, v.due, false});
    }

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
    struct Test
    {
        qint64 seasonId, dogId;
        breeding::ProgesteroneTest test;
    };
    std::vector<Test> taken;
    scan(QStringLiteral("SELECT p.") % q(prog::seasonId) % QStringLiteral(", s.") %
             q(seasons::dogId) % QStringLiteral(", p.") % q(prog::taken) % QStringLiteral(", p.") %
             q(prog::value) % QStringLiteral(", p.") % q(prog::unit) % QStringLiteral(" FROM ") %
             q(db::tables::progesterone) % QStringLiteral(" p JOIN ") % q(db::tables::seasons) %
             QStringLiteral(" s ON s.") % q(seasons::id) % QStringLiteral(" = p.") %
             q(prog::seasonId) % QStringLiteral(" ORDER BY p.") % q(prog::seasonId),
         [&](const db::RawRow &row) {
             breeding::ProgesteroneTest t;
             t.taken = core::moments::fromStored(row.string(2));
             t.value = row.real(3);
             t.unit = row.string(4);
             taken.push_back({row.whole(0), row.whole(1), t});
         });
    std::vector<qint64> tested;
    for (const Test &t : taken)
        tested.push_back(t.dogId);
    const auto bitches = living(tested);
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
    for (const Test &t : taken) {
        const auto dog = bitches.find(t.dogId);
        if (dog == bitches.end())
            continue;
        if (t.seasonId != seasonShown && !tests.empty())
            estimateSeason();
        seasonShown = t.seasonId;
        bitch = dog->second.name;
        tests.push_back(t.test);
    }
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

    if (problem->isEmpty())
        *problem = kennel::eachLivingBirthday(
            kennel, [&](qint64 dogId, const QString &name, const QDate &born) {
                if (born.isValid())
                    events.push_back({uid("birthday", dogId), QStringLiteral("Birthday: ") % name,
                                      QString(), born, true});
            });
    if (!problem->isEmpty())
        events.clear();
    return events;
}

} // namespace calendar
