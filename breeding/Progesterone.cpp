#include "breeding/Progesterone.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <algorithm>
#include <QSqlQuery>
#include <QStringBuilder>

namespace breeding {
namespace {

namespace prog = db::fields::progesterone;

constexpr double surgeLevel = 2;     // ng/ml
constexpr double ovulationLevel = 5; // ng/ml
constexpr double highestLevel = 100; // ng/ml

const QStringList &testFields()
{
    static const QStringList fields{prog::seasonId, prog::taken, prog::value, prog::unit,
                                    prog::laboratory};
    return fields;
}

} // namespace

QStringList progesteroneUnits()
{
    return {QStringLiteral("ng/ml"), QStringLiteral("nmol/l")};
}

double ProgesteroneTest::ngPerMl() const
{
    return unit == progesteroneUnits().at(1) ? value / nmolPerNg : value;
}

OvulationEstimate estimateOvulation(std::vector<ProgesteroneTest> tests)
{
    std::stable_sort(
        tests.begin(), tests.end(),
        [](const ProgesteroneTest &a, const ProgesteroneTest &b) { return a.taken < b.taken; });
    OvulationEstimate estimate;
    bool below = false;
    for (const ProgesteroneTest &test : tests) {
        const double ng = test.ngPerMl();
        if (ng < surgeLevel) {
            below = true;
            continue;
        }
        if (below) {
            estimate.surge = test.taken.day;
            estimate.ovulation = estimate.surge.addDays(2);
            break;
        }
        if (ng >= ovulationLevel) {
            estimate.ovulation = test.taken.day;
            break;
        }
    }
    if (estimate.ovulation.isValid()) {
        estimate.fertileFrom = estimate.ovulation.addDays(2);
        estimate.fertileTo = estimate.ovulation.addDays(5);
        estimate.whelping = estimate.ovulation.addDays(63);
    }
    return estimate;
}

QString estimateText(const OvulationEstimate &estimate)
{
    using core::datetext::shortDate;
    if (!estimate.known())
        return QStringLiteral("Not yet estimated: no value has reached 2 ng/ml after lower "
                              "ones, nor 5 ng/ml.");
    QString text = QStringLiteral("Estimated: ");
    if (estimate.surge.isValid())
        text += QStringLiteral("LH surge %1, ").arg(shortDate(estimate.surge));
    return text + QStringLiteral("ovulation %1, fertile %2 to %3, whelping %4 (± 1 day)")
                      .arg(shortDate(estimate.ovulation), shortDate(estimate.fertileFrom),
                           shortDate(estimate.fertileTo), shortDate(estimate.whelping));
}

std::optional<double> readProgesterone(const QString &typed, const QString &unit, QString *problem)
{
    const std::optional<double> value = core::readDecimal(typed);
    const double highest =
        unit == progesteroneUnits().at(1) ? highestLevel * nmolPerNg : highestLevel;
    if (!value || *value < 0 || *value > highest) {
        *problem = QStringLiteral("A progesterone value is a number from 0 to 100 ng/ml "
                                  "(318 nmol/l), such as 4.5.");
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<ProgesteroneTest>> progesteroneOf(const QSqlDatabase &kennel,
                                                            qint64 seasonId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::progesterone, QStringList{prog::id} + testFields()) %
              QStringLiteral(" WHERE ") % db::quoted(prog::seasonId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(prog::taken) % QStringLiteral(", ") %
              db::quoted(prog::id));
    q.addBindValue(seasonId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<ProgesteroneTest> tests;
    const db::QueryColumns columns(q);
    while (q.next()) {
        ProgesteroneTest t;
        t.id = columns.value(prog::id).toLongLong();
        t.seasonId = columns.value(prog::seasonId).toLongLong();
        t.taken = core::moments::fromStored(columns.value(prog::taken).toString());
        t.value = columns.value(prog::value).toDouble();
        t.unit = columns.value(prog::unit).toString();
        t.laboratory = columns.value(prog::laboratory).toString();
        tests.push_back(t);
    }
    if (!db::readToEnd(q))
        return std::nullopt;
    return tests;
}

QString progesteroneProblem(const QSqlDatabase &kennel, const ProgesteroneTest &test,
                            const QDate &seasonFirstDay)
{
    if (!test.taken.day.isValid())
        return QStringLiteral("A progesterone test needs the day it was taken.");
    if (seasonFirstDay.isValid() && test.taken.day < seasonFirstDay)
        return QStringLiteral("A progesterone test cannot come before the first day of the "
                              "season (%1).")
            .arg(core::datetext::shortDate(seasonFirstDay));
    QSqlQuery twice(kennel);
    twice.prepare(QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::progesterone) %
                  QStringLiteral(" WHERE ") % db::quoted(prog::seasonId) %
                  QStringLiteral(" = ? AND ") % db::quoted(prog::taken) % QStringLiteral(" = ?"));
    twice.addBindValue(test.seasonId);
    twice.addBindValue(core::moments::toStored(test.taken));
    if (db::execRead(twice) && twice.next() && twice.value(0).toInt() > 0)
        return QStringLiteral("A progesterone test taken at %1 is recorded already.")
            .arg(core::moments::shortMoment(test.taken));
    return {};
}

core::WriteResult<qint64> addProgesterone(QSqlDatabase kennel, const ProgesteroneTest &t,
                                          const QString &dogName)
{
    return db::runLogged(
        kennel, QStringLiteral("Added a progesterone test of %1").arg(dogName),
        db::insertInto(db::tables::progesterone, testFields()),
        {t.seasonId, core::moments::toStored(t.taken), t.value, t.unit, t.laboratory});
}

core::WriteResult<> deleteProgesterone(QSqlDatabase kennel, const ProgesteroneTest &t,
                                       const QString &dogName)
{
    const auto deleted =
        db::runLogged(kennel, QStringLiteral("Deleted a progesterone test of %1").arg(dogName),
                      QStringLiteral("DELETE FROM ") % db::quoted(db::tables::progesterone) %
                          QStringLiteral(" WHERE ") % db::quoted(prog::id) % QStringLiteral(" = ?"),
                      {t.id});
    if (!deleted)
        return core::failure(deleted.problem());
    return {};
}

} // namespace breeding
