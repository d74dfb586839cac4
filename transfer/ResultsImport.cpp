#include "transfer/ResultsImport.h"

#include "core/NumberText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "genetics/DnaInheritance.h"
#include "kennel/DogFinder.h"
#include "kennel/Dogs.h"
#include "transfer/CsvExport.h"

#include <optional>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace transfer {
namespace {

namespace f = resultFields;

struct KennelTest
{
    qint64 id = 0; // 0 for a test the import makes
    bool dna = false;
};

struct Result
{
    qint64 dogId = 0;
    QString test;
    QString result;
    QString date;
    QVariant score;
    QString examiner;
    QString certificate;
    QString note;

    QString key(qint64 testId) const
    {
        return QString::number(dogId) % QLatin1Char('\x1f') % QString::number(testId) %
               QLatin1Char('\x1f') % date % QLatin1Char('\x1f') % result;
    }
};

// Reads the file's rows into results, with what the kennel has to find dogs and tests by.
class ResultReader
{
public:
    ResultReader(const QSqlDatabase &kennel, const QString &file, const ImportSettings &settings)
        : m_settings(settings), m_header(headerOf(file, settings.format)),
          m_dogs(kennel, {db::fields::dogs::id}), m_problem(readKennel(kennel))
    {
    }

    QString problem() const { return m_problem; }

    // The results of a row, or what is wrong with it.
    QString read(const CsvRow &row, qsizetype columns, QList<Result> *results)
    {
        results->clear();
        if (row.fields.size() != columns)
            return QStringLiteral("it has %1 fields, the header %2")
                .arg(row.fields.size())
                .arg(columns);
        QHash<QString, QString> values;
        QList<std::pair<QString, QString>> byHeader; // test, result
        for (qsizetype i = 0; i < columns && i < m_settings.mapping.size(); ++i) {
            const QString &field = m_settings.mapping[i];
            const QString value = unguarded(row.fields[i].trimmed());
            if (field == resultsOfTheHeader) {
                if (!value.isEmpty())
                    byHeader.append({m_header.value(i).trimmed(), value});
            } else if (!field.isEmpty()) {
                values.insert(field, value);
            }
        }
        Result r;
        const QString registration = values.value(f::registration);
        const QString name = values.value(f::dog);
        if (const auto found = m_registrations.constFind(registration.toCaseFolded());
            !registration.isEmpty() && found != m_registrations.cend())
            r.dogId = *found;
        else if (!name.isEmpty() && m_dogs.find(name))
            r.dogId = m_dogs.value(db::fields::dogs::id).toLongLong();
        if (r.dogId == 0) {
            QStringList named{registration, name};
            named.removeAll(QString());
            return named.isEmpty() ? QStringLiteral("it names no dog")
                                   : QStringLiteral("no dog of the kennel is %1")
                                         .arg(named.join(QStringLiteral(" or ")));
        }
        for (const QString &field : {f::registration, f::dog, f::test, f::result, f::date, f::score,
                                     f::examiner, f::certificate}) {
            const QString value = values.value(field);
            if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
                return QStringLiteral("the %1 holds a line break, which only a note may")
                    .arg(healthResultTarget().field(field)->caption);
        }
        const QString typedDate = values.value(f::date);
        if (typedDate.isEmpty())
            return QStringLiteral("it has no date of the test");
        const QDate date = core::datetext::parse(typedDate, m_settings.dates, m_settings.yearsFrom);
        if (!date.isValid())
            return QStringLiteral("\"%1\" in Date is not a date written %2")
                .arg(typedDate, core::datetext::orderName(m_settings.dates));
        r.date = date.toString(Qt::ISODate);
        if (const QString score = values.value(f::score); !score.isEmpty()) {
            const std::optional<double> number = core::readDecimal(score);
            if (!number)
                return QStringLiteral("the number \"%1\" is not a number").arg(score);
            r.score = *number;
        }
        r.examiner = values.value(f::examiner);
        r.certificate = values.value(f::certificate);
        r.note = values.value(f::note);
        if (values.contains(f::test) || values.contains(f::result))
            byHeader.prepend({values.value(f::test), values.value(f::result)});
        if (byHeader.isEmpty())
            return QStringLiteral("it has no result");
        for (const auto &[test, result] : std::as_const(byHeader)) {
            if (test.isEmpty())
                return QStringLiteral("it names no test");
            if (result.isEmpty())
                return QStringLiteral("it has no result of %1").arg(test);
            const auto genotype = genetics::genotypeOf(result);
            const auto known = m_tests.constFind(test.toCaseFolded());
            if (known == m_tests.cend()) {
                if (!m_settings.makeTests)
                    return QStringLiteral("the kennel has no health test named \"%1\"").arg(test);
                auto &made = m_made[test.toCaseFolded()];
                if (made.first.isEmpty()) {
                    made = {test, true};
                    m_madeOrder << test.toCaseFolded();
                }
                made.second = made.second && genotype.has_value();
            } else if (known->dna && !genotype) {
                return QStringLiteral("\"%1\" is not a result of the DNA test %2: Clear, Carrier "
                                      "or Affected")
                    .arg(result, test);
            }
            Result one = r;
            one.test = test;
            one.result = genotype ? genetics::resultWord(*genotype) : result;
            results->append(one);
        }
        return {};
    }

    // The test's id, or 0 for one the import makes.
    qint64 testId(const QString &test) const { return m_tests.value(test.toCaseFolded()).id; }
    bool isNew(const Result &r) const { return !m_existing.contains(r.key(testId(r.test))); }
    void noteAdded(const Result &r) { m_existing.insert(r.key(testId(r.test))); }

    // The tests the file names that the kennel does not have, as the file first writes them,
    // each with whether all its results are DNA results.
    QList<std::pair<QString, bool>> testsToMake() const
    {
        QList<std::pair<QString, bool>> made;
        for (const QString &key : m_madeOrder)
            made << m_made.value(key);
        return made;
    }
    void made(const QString &test, qint64 id, bool dna)
    {
        m_tests.insert(test.toCaseFolded(), {id, dna});
    }

private:
    // What the kennel holds to find dogs, tests and results by; the problem, or empty.
    QString readKennel(const QSqlDatabase &kennel)
    {
        namespace test = db::fields::healthTests;
        namespace result = db::fields::healthResults;
        QString problem = db::scanRows(
            kennel,
            QStringLiteral("SELECT ") % db::quoted(test::id) % QStringLiteral(", ") %
                db::quoted(test::name) % QStringLiteral(", ") % db::quoted(test::kind) %
                QStringLiteral(" FROM ") % db::quoted(db::tables::healthTests),
            [&](const db::RawRow &row) {
                m_tests.insert(row.string(1).trimmed().toCaseFolded(),
                               {row.whole(0), row.string(2) == u"DNA"});
            });
        if (problem.isEmpty() && m_settings.mapping.contains(f::registration))
            problem =
                kennel::scanDogs(kennel, {db::fields::dogs::id, db::fields::dogs::registration},
                                 [&](const db::RawRow &row) {
                                     // The first dog with a number is the one it means.
                                     const QString key = row.string(1).trimmed().toCaseFolded();
                                     if (!key.isEmpty() && !m_registrations.contains(key))
                                         m_registrations.insert(key, row.whole(0));
                                 });
        if (problem.isEmpty())
            problem = db::scanRows(
                kennel,
                QStringLiteral("SELECT ") % db::quoted(result::dogId) % QStringLiteral(", ") %
                    db::quoted(result::testId) % QStringLiteral(", ") % db::quoted(result::date) %
                    QStringLiteral(", ") % db::quoted(result::result) % QStringLiteral(" FROM ") %
                    db::quoted(db::tables::healthResults),
                [&](const db::RawRow &row) {
                    m_existing.insert(QString::number(row.whole(0)) % QLatin1Char('\x1f') %
                                      QString::number(row.whole(1)) % QLatin1Char('\x1f') %
                                      row.string(2) % QLatin1Char('\x1f') % row.string(3));
                });
        return problem;
    }

    const ImportSettings &m_settings;
    QStringList m_header;
    kennel::DogFinder m_dogs;
    QHash<QString, KennelTest> m_tests;
    QHash<QString, qint64> m_registrations;
    QSet<QString> m_existing;
    QString m_problem; // after what it reads into
    QHash<QString, std::pair<QString, bool>> m_made;
    QStringList m_madeOrder;
};

// Reads the whole file as the import would; what it holds, into `reader` and `check`.
void checkInto(ResultReader &reader, const QString &file, const ImportSettings &settings,
               const std::function<bool(qint64)> &progress, ImportCheck &check)
{
    QList<Result> results;
    checkEachRow(file, settings, progress, check, [&](const CsvRow &row, qsizetype columns) {
        if (const QString problem = reader.read(row, columns, &results); !problem.isEmpty()) {
            check.problems.append({row.line, problem});
            return;
        }
        for (const Result &r : std::as_const(results)) {
            if (reader.testId(r.test) != 0 && !reader.isNew(r)) {
                ++check.matching;
            } else {
                ++check.toAdd;
                if (reader.testId(r.test) != 0)
                    reader.noteAdded(r);
            }
        }
    });
    for (const auto &[test, dna] : reader.testsToMake())
        check.newTests << test;
}

} // namespace

ImportCheck checkResults(const QSqlDatabase &kennel, const QString &file,
                         const ImportSettings &settings,
                         const std::function<bool(qint64)> &progress)
{
    ImportCheck check;
    ResultReader reader(kennel, file, settings);
    if (!reader.problem().isEmpty()) {
        check.problem = reader.problem();
        return check;
    }
    checkInto(reader, file, settings, progress, check);
    return check;
}

core::WriteResult<ImportCounts> importResults(QSqlDatabase kennel, const QString &file,
                                              const ImportSettings &settings,
                                              const std::function<bool(qint64)> &progress)
{
    db::Transaction all(kennel);
    // The tests to make are known once the whole file has been read.
    QList<std::pair<QString, bool>> toMake;
    {
        ResultReader first(kennel, file, settings);
        if (!first.problem().isEmpty())
            return core::failure(first.problem());
        ImportCheck check;
        checkInto(first, file, settings, {}, check);
        if (!check.problem.isEmpty())
            return core::failure(check.problem);
        toMake = first.testsToMake();
    }
    namespace test = db::fields::healthTests;
    namespace result = db::fields::healthResults;
    ResultReader reader(kennel, file, settings);
    QSqlQuery makeTest(kennel);
    makeTest.prepare(QStringLiteral("INSERT INTO ") % db::quoted(db::tables::healthTests) %
                     QStringLiteral(" (") % db::quoted(test::name) % QStringLiteral(", ") %
                     db::quoted(test::kind) % QStringLiteral(", ") % db::quoted(test::inheritance) %
                     QStringLiteral(", ") % db::quoted(test::hidden) %
                     QStringLiteral(") VALUES (?, ?, ?, 0)"));
    for (const auto &[name, dna] : std::as_const(toMake)) {
        makeTest.addBindValue(name);
        makeTest.addBindValue(dna ? QStringLiteral("DNA") : QStringLiteral("Examination"));
        makeTest.addBindValue(dna ? QStringLiteral("Recessive") : QString());
        if (!makeTest.exec())
            return core::failure(makeTest.lastError().text());
        reader.made(name, makeTest.lastInsertId().toLongLong(), dna);
    }
    QSqlQuery insert(kennel);
    insert.prepare(QStringLiteral("INSERT INTO ") % db::quoted(db::tables::healthResults) %
                   QStringLiteral(" (") %
                   QStringList{db::quoted(result::dogId), db::quoted(result::testId),
                               db::quoted(result::date), db::quoted(result::result),
                               db::quoted(result::score), db::quoted(result::examiner),
                               db::quoted(result::certificate), db::quoted(result::note)}
                       .join(QStringLiteral(", ")) %
                   QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    ImportCounts counts;
    QList<Result> results;
    return writeEachRow(all, file, settings, progress, counts,
                        [&](const CsvRow &row, qsizetype columns) -> QString {
                            if (!reader.read(row, columns, &results).isEmpty()) {
                                ++counts.refused;
                                return {};
                            }
                            for (const Result &r : std::as_const(results)) {
                                if (!reader.isNew(r)) {
                                    ++counts.skipped;
                                    continue;
                                }
                                for (const QVariant &value :
                                     {QVariant(r.dogId), QVariant(reader.testId(r.test)),
                                      QVariant(r.date), QVariant(r.result), r.score,
                                      QVariant(r.examiner), QVariant(r.certificate),
                                      QVariant(r.note)})
                                    insert.addBindValue(value);
                                if (!insert.exec())
                                    return insert.lastError().text();
                                reader.noteAdded(r);
                                ++counts.added;
                            }
                            return {};
                        });
}

} // namespace transfer
