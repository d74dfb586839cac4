#include "pedigree/HealthLines.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"

#include <QSet>
#include <QStringBuilder>

namespace pedigree {

QStringList healthLines(const QSqlDatabase &kennel, qint64 dogId)
{
    QStringList lines;
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const int dog = genetics.graph().indexOfId(dogId);
    if (genetics.problem().isEmpty() && dog != genetics::unknown) {
        const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
        for (int test = 0; test < int(dna.tests().size()); ++test) {
            const genetics::DnaStatus status = dna.status(test, dog);
            if (status.basis == genetics::DnaBasis::Tested ||
                status.basis == genetics::DnaBasis::ClearByParentage ||
                status.basis == genetics::DnaBasis::CarrierAtLeast)
                lines << dna.tests()[size_t(test)].name + QStringLiteral(": ") +
                             genetics::statusWithGenotype(status);
        }
    }
    namespace test = db::fields::healthTests;
    namespace result = db::fields::healthResults;
    auto t = [](const QString &f) -> QString { return QStringLiteral("t.") + db::quoted(f); };
    auto r = [](const QString &f) -> QString { return QStringLiteral("r.") + db::quoted(f); };
    QSet<qint64> shown;
    QStringList examinations;
    // Newest first: the first of each test is its latest.
    db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % t(test::id) % QStringLiteral(", ") % t(test::name) %
            QStringLiteral(", ") % r(result::result) % QStringLiteral(", ") % r(result::score) %
            QStringLiteral(", ") % r(result::date) % QStringLiteral(" FROM ") %
            db::quoted(db::tables::healthResults) % QStringLiteral(" r JOIN ") %
            db::quoted(db::tables::healthTests) % QStringLiteral(" t ON ") % t(test::id) %
            QStringLiteral(" = ") % r(result::testId) % QStringLiteral(" WHERE ") %
            r(result::dogId) % QStringLiteral(" = ") % QString::number(dogId) %
            QStringLiteral(" AND ") % t(test::kind) % QStringLiteral(" <> 'DNA' ORDER BY ") %
            r(result::date) % QStringLiteral(" DESC, ") % r(result::id) % QStringLiteral(" DESC"),
        [&](const db::RawRow &row) {
            if (shown.contains(row.whole(0)))
                return;
            shown.insert(row.whole(0));
            QStringList said{row.string(2).trimmed()};
            if (!row.text(3).empty())
                said << QString::number(row.real(3), 'g', 10);
            said.removeAll(QString());
            QString line = row.string(1) + QStringLiteral(": ") + said.join(QStringLiteral(", "));
            if (const QString date = core::datetext::display(row.string(4)); !date.isEmpty())
                line += QStringLiteral(" (") + date + QLatin1Char(')');
            examinations << line;
        });
    return lines + examinations;
}

QStringList dnaTestNames(const QSqlDatabase &kennel)
{
    genetics::DnaStatuses dna;
    QStringList names;
    if (dna.readTests(kennel).isEmpty()) {
        for (const genetics::DnaTest &test : dna.tests())
            names << test.name;
    }
    return names;
}

QString dnaMarksLegend(const QString &test)
{
    return QStringLiteral("In brackets, %1 where known: N/N clear, N/m carrier, m/m affected; "
                          "P clear by parentage, + a carrier at least")
        .arg(test);
}

QHash<QString, QString> dnaMarks(const QSqlDatabase &kennel, const PedigreeRecord &record,
                                 const QString &test)
{
    QHash<QString, QString> marks;
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    if (!genetics.problem().isEmpty())
        return marks;
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    const auto &tests = dna.tests();
    const auto found = std::find_if(tests.begin(), tests.end(),
                                    [&](const genetics::DnaTest &t) { return t.name == test; });
    if (found == tests.end())
        return marks;
    QStringList names = record.slots.values();
    names << (record.dogname.isEmpty() ? record.subject : record.dogname);
    for (const QString &name : std::as_const(names)) {
        const int dog = genetics.graph().find(name);
        if (dog == genetics::unknown)
            continue;
        const genetics::DnaStatus status = dna.status(int(found - tests.begin()), dog);
        // Short, for the narrow columns of a deep chart; the legend explains them.
        if (status.basis == genetics::DnaBasis::Tested)
            marks.insert(name, genetics::genotypeText(status.tested));
        else if (status.basis == genetics::DnaBasis::ClearByParentage)
            marks.insert(name, QStringLiteral("N/N P"));
        else if (status.basis == genetics::DnaBasis::CarrierAtLeast)
            marks.insert(name, QStringLiteral("N/m+"));
    }
    return marks;
}

} // namespace pedigree
