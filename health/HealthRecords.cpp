#include "health/HealthRecords.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace health {
namespace {

namespace test = db::fields::healthTests;
namespace result = db::fields::healthResults;

QVariant orNull(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

QVariantList testValues(const HealthTest &t)
{
    const bool dna = t.kind == TestKind::Dna;
    return {t.name.trimmed(), kindWord(t.kind),
            dna ? genetics::inheritanceWord(t.inheritance) : QString(),
            dna ? orNull(t.frequency) : orNull({}), int(t.hidden)};
}

const QStringList &testFields()
{
    static const QStringList fields{test::name, test::kind, test::inheritance, test::frequency,
                                    test::hidden};
    return fields;
}

QVariantList resultValues(const HealthResult &r)
{
    return {r.dogId,       r.testId,        core::datetext::toStored(r.date),
            r.result,      orNull(r.score), r.examiner,
            r.certificate, r.note};
}

const QStringList &resultFields()
{
    static const QStringList fields{result::dogId,       result::testId, result::date,
                                    result::result,      result::score,  result::examiner,
                                    result::certificate, result::note};
    return fields;
}

} // namespace

QString kindWord(TestKind kind)
{
    return kind == TestKind::Dna ? QStringLiteral("DNA") : QStringLiteral("Examination");
}

QStringList kindWords()
{
    return {kindWord(TestKind::Examination), kindWord(TestKind::Dna)};
}

QStringList inheritanceWords()
{
    return {genetics::inheritanceWord(genetics::Inheritance::Recessive),
            genetics::inheritanceWord(genetics::Inheritance::Dominant)};
}

std::optional<std::vector<HealthTest>> healthTests(const QSqlDatabase &kennel)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    if (!db::execRead(
            q, db::selectFrom(db::tables::healthTests, QStringList{test::id} + testFields()) %
                   QStringLiteral(" ORDER BY ") % db::quoted(test::id)))
        return std::nullopt;
    std::vector<HealthTest> tests;
    const db::QueryColumns columns(q);
    while (q.next()) {
        HealthTest t;
        t.id = columns.value(test::id).toLongLong();
        t.name = columns.value(test::name).toString();
        t.kind = columns.value(test::kind)
                             .toString()
                             .compare(QStringLiteral("DNA"), Qt::CaseInsensitive) == 0
                     ? TestKind::Dna
                     : TestKind::Examination;
        t.inheritance = genetics::inheritanceOf(columns.value(test::inheritance).toString())
                            .value_or(genetics::Inheritance::Recessive);
        const QVariant frequency = columns.value(test::frequency);
        if (!frequency.isNull())
            t.frequency = frequency.toDouble();
        t.hidden = columns.value(test::hidden).toInt() != 0;
        tests.push_back(t);
    }
    if (!db::readToEnd(q))
        return std::nullopt;
    return tests;
}

const HealthTest *testWithId(const std::vector<HealthTest> &tests, qint64 id)
{
    for (const HealthTest &t : tests) {
        if (t.id == id)
            return &t;
    }
    return nullptr;
}

QString readFrequency(const QString &typed, std::optional<double> *frequency)
{
    if (typed.trimmed().isEmpty()) {
        frequency->reset();
        return {};
    }
    const std::optional<double> value = core::readDecimal(typed);
    if (!value || !(*value >= 0.0 && *value <= 1.0))
        return QStringLiteral("The frequency of the faulty copy must be a number from 0 to 1, "
                              "such as 0.15, or left empty when it is not known.");
    *frequency = *value;
    return {};
}

QString frequencyText(const std::optional<double> &frequency)
{
    return frequency ? QString::number(*frequency, 'g', 6) : QString();
}

QString testProblem(const HealthTest &t, const std::vector<HealthTest> &others)
{
    const QString name = t.name.trimmed();
    if (name.isEmpty())
        return QStringLiteral("A health test needs a name.");
    for (const HealthTest &other : others) {
        if (other.id != t.id && other.name.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("There is already a health test named \"%1\".").arg(name);
    }
    return {};
}

core::WriteResult<qint64> addTest(QSqlDatabase kennel, const HealthTest &t)
{
    return db::runLogged(kennel, QStringLiteral("Added the health test %1").arg(t.name.trimmed()),
                         db::insertInto(db::tables::healthTests, testFields()), testValues(t));
}

core::WriteResult<> saveTest(QSqlDatabase kennel, const HealthTest &t)
{
    if (t.kind == TestKind::Dna) {
        // Results written as an examination's would no longer be read.
        qint64 other = 0;
        if (const QString problem = db::runStatement(
                kennel,
                QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::healthResults) %
                    QStringLiteral(" WHERE ") % db::quoted(result::testId) %
                    QStringLiteral(" = ? AND lower(trim(") % db::quoted(result::result) %
                    QStringLiteral(")) NOT IN ('clear', 'carrier', 'affected')"),
                {t.id}, &other);
            !problem.isEmpty())
            return core::failure(problem);
        if (other > 0)
            return core::failure(
                QStringLiteral("%1 has results other than Clear, Carrier or Affected, so it "
                               "cannot be a DNA test")
                    .arg(t.name.trimmed()));
    }
    const auto saved = db::runLogged(
        kennel, QStringLiteral("Changed the health test %1").arg(t.name.trimmed()),
        db::updateWhere(db::tables::healthTests, testFields(), test::id), testValues(t) << t.id);
    if (!saved)
        return core::failure(saved.problem());
    return {};
}

QString deletionRefused(const QSqlDatabase &kennel, const HealthTest &t)
{
    qint64 results = 0;
    if (const QString problem = db::runStatement(
            kennel,
            QStringLiteral("SELECT count(*) FROM ") % db::quoted(db::tables::healthResults) %
                QStringLiteral(" WHERE ") % db::quoted(result::testId) % QStringLiteral(" = ?"),
            {t.id}, &results);
        !problem.isEmpty())
        return QStringLiteral("The results of %1 could not be read (%2).").arg(t.name, problem);
    if (results > 0)
        return QStringLiteral("%1 has results and cannot be deleted. Hide it instead: its "
                              "results stay and no new ones are offered.")
            .arg(t.name);
    return {};
}

core::WriteResult<> deleteTest(QSqlDatabase kennel, const HealthTest &t)
{
    if (const QString refused = deletionRefused(kennel, t); !refused.isEmpty())
        return core::failure(refused);
    const auto deleted =
        db::runLogged(kennel, QStringLiteral("Deleted the health test %1").arg(t.name),
                      QStringLiteral("DELETE FROM ") % db::quoted(db::tables::healthTests) %
                          QStringLiteral(" WHERE ") % db::quoted(test::id) % QStringLiteral(" = ?"),
                      {t.id});
    if (!deleted)
        return core::failure(deleted.problem());
    return {};
}

std::optional<std::vector<HealthResult>> resultsOf(const QSqlDatabase &kennel, qint64 dogId)
{
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::healthResults, QStringList{result::id} + resultFields()) %
              QStringLiteral(" WHERE ") % db::quoted(result::dogId) %
              QStringLiteral(" = ? ORDER BY ") % db::quoted(result::date) %
              QStringLiteral(" DESC, ") % db::quoted(result::id) % QStringLiteral(" DESC"));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return std::nullopt;
    std::vector<HealthResult> results;
    const db::QueryColumns columns(q);
    while (q.next()) {
        HealthResult r;
        r.id = columns.value(result::id).toLongLong();
        r.dogId = columns.value(result::dogId).toLongLong();
        r.testId = columns.value(result::testId).toLongLong();
        r.date = core::datetext::fromStored(columns.value(result::date).toString());
        r.result = columns.value(result::result).toString();
        if (const QVariant score = columns.value(result::score); !score.isNull())
            r.score = score.toDouble();
        r.examiner = columns.value(result::examiner).toString();
        r.certificate = columns.value(result::certificate).toString();
        r.note = columns.value(result::note).toString();
        results.push_back(r);
    }
    if (!db::readToEnd(q))
        return std::nullopt;
    return results;
}

QString settleResult(HealthResult *r, const HealthTest &t)
{
    if (!r->date.isValid())
        return QStringLiteral("A health result needs the date of the test.");
    if (t.kind == TestKind::Dna) {
        const auto genotype = genetics::genotypeOf(r->result);
        if (!genotype)
            return QStringLiteral("The result of a DNA test is Clear, Carrier or Affected.");
        r->result = genetics::resultWord(*genotype);
        r->score.reset();
    } else {
        r->result = r->result.trimmed();
    }
    return {};
}

core::WriteResult<qint64> addResult(QSqlDatabase kennel, const HealthResult &r,
                                    const QString &dogName)
{
    return db::runLogged(kennel, QStringLiteral("Added a health result of %1").arg(dogName),
                         db::insertInto(db::tables::healthResults, resultFields()),
                         resultValues(r));
}

core::WriteResult<> saveResult(QSqlDatabase kennel, const HealthResult &r, const QString &dogName)
{
    const auto saved =
        db::runLogged(kennel, QStringLiteral("Changed a health result of %1").arg(dogName),
                      db::updateWhere(db::tables::healthResults, resultFields(), result::id),
                      resultValues(r) << r.id);
    if (!saved)
        return core::failure(saved.problem());
    return {};
}

core::WriteResult<> deleteResult(QSqlDatabase kennel, const HealthResult &r, const QString &dogName)
{
    const auto deleted = db::runLogged(
        kennel, QStringLiteral("Deleted a health result of %1").arg(dogName),
        QStringLiteral("DELETE FROM ") % db::quoted(db::tables::healthResults) %
            QStringLiteral(" WHERE ") % db::quoted(result::id) % QStringLiteral(" = ?"),
        {r.id});
    if (!deleted)
        return core::failure(deleted.problem());
    return {};
}

core::WriteResult<> setClearGenerations(QSqlDatabase kennel, int generations)
{
    return db::setPreference(kennel, genetics::clearGenerationsPreference(),
                             QString::number(generations));
}

core::WriteResult<> setCoiLimit(QSqlDatabase kennel, double limit)
{
    return db::setPreference(kennel, genetics::coiLimitPreference(), QString::number(limit));
}

} // namespace health
