#include "kennel/NameLinks.h"

#include "db/Fields.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

namespace kennel {
namespace {

using db::quoted;
namespace tables = db::tables;

QString reportTable(const QString &table)
{
    return QStringLiteral("report.") % quoted(table);
}

QString tableSql(const QString &table)
{
    return table.startsWith(QLatin1String("report.")) ? table : quoted(table);
}

} // namespace

const QList<NameLink> &dogLinks()
{
    using namespace db::fields;
    static const QList<NameLink> links{
        {tables::dogs, dogs::sire, QStringLiteral("offspring"), QStringLiteral("offspring")},
        {tables::dogs, dogs::dam, QStringLiteral("offspring"), QStringLiteral("offspring")},
        {tables::matings, matings::sire, QStringLiteral("mating"), QStringLiteral("matings")},
        {tables::matings, matings::dam, QStringLiteral("mating"), QStringLiteral("matings")},
        {tables::litters, litters::sire, QStringLiteral("litter"), QStringLiteral("litters")},
        {tables::litters, litters::dam, QStringLiteral("litter"), QStringLiteral("litters")},
        {tables::vaccinations, vaccinations::dogName, QStringLiteral("vaccination"),
         QStringLiteral("vaccinations")},
        {reportTable(tables::sales), sales::dog, QStringLiteral("sale"), QStringLiteral("sales")},
    };
    return links;
}

const QList<NameLink> &contactLinks()
{
    using namespace db::fields;
    static const QList<NameLink> links{
        {tables::dogs, dogs::owner, QStringLiteral("dog owned"), QStringLiteral("dogs owned")},
        {tables::dogs, dogs::breeder, QStringLiteral("dog bred"), QStringLiteral("dogs bred")},
        {reportTable(tables::sales), sales::seller, QStringLiteral("sale"),
         QStringLiteral("sales")},
        {reportTable(tables::sales), sales::buyer, QStringLiteral("sale"), QStringLiteral("sales")},
    };
    return links;
}

bool inDogRecords(const NameLink &link)
{
    return link.table == tables::dogs;
}

bool dogsNamed(const QSqlDatabase &kennel, const QString &name, qint64 exceptRow,
               QList<qint64> *rows, QString *error)
{
    return othersNamed(kennel, tables::dogs, db::fields::dogs::name, name, exceptRow, rows, error);
}

bool contactsNamed(const QSqlDatabase &kennel, const QString &name, qint64 exceptRow,
                   QList<qint64> *rows, QString *error)
{
    return othersNamed(kennel, tables::contacts, db::fields::contacts::name, name, exceptRow, rows,
                       error);
}

bool othersNamed(const QSqlDatabase &kennel, const QString &table, const QString &field,
                 const QString &name, qint64 exceptRow, QList<qint64> *rows, QString *error)
{
    // NOCASE folds A to Z and finds the rows quickly; the full folding decides, as the
    // pedigrees' seek does for every letter.
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT rowid, ") % quoted(field) % QStringLiteral(" FROM ") %
              tableSql(table) % QStringLiteral(" WHERE ") % quoted(field) %
              QStringLiteral(" = ? COLLATE NOCASE AND rowid <> ?"));
    q.addBindValue(name);
    q.addBindValue(exceptRow);
    if (!q.exec()) {
        *error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        if (q.value(1).toString().compare(name, Qt::CaseInsensitive) == 0)
            *rows << q.value(0).toLongLong();
    }
    return true;
}

bool findNaming(const QSqlDatabase &kennel, const QList<NameLink> &links, const QString &name,
                QList<Naming> *found, QString *error)
{
    found->clear();
    if (name.trimmed().isEmpty())
        return true;
    for (const NameLink &link : links) {
        Naming naming{link, {}};
        if (!othersNamed(kennel, link.table, link.field, name, -1, &naming.rows, error))
            return false;
        if (!naming.rows.isEmpty())
            *found << naming;
    }
    return true;
}

qsizetype countOf(const QList<Naming> &naming)
{
    qsizetype count = 0;
    for (const Naming &n : naming)
        count += n.rows.size();
    return count;
}

QString describeNaming(const QList<Naming> &naming)
{
    // Links of one kind (a sire and a dam) are counted together, in the order listed.
    QStringList kinds;
    QList<qsizetype> counts;
    QList<const NameLink *> shown;
    for (const Naming &n : naming) {
        const qsizetype at = kinds.indexOf(n.link.many);
        if (at < 0) {
            kinds << n.link.many;
            counts << n.rows.size();
            shown << &n.link;
        } else {
            counts[at] += n.rows.size();
        }
    }
    QStringList parts;
    for (qsizetype i = 0; i < kinds.size(); ++i)
        parts << QStringLiteral("%L1 %2").arg(counts[i]).arg(counts[i] == 1 ? shown[i]->one
                                                                            : shown[i]->many);
    return parts.join(QStringLiteral(", "));
}

QString renameNaming(const QSqlDatabase &kennel, const QList<Naming> &naming, const QString &to)
{
    for (const Naming &n : naming) {
        QSqlQuery q(kennel);
        q.prepare(QStringLiteral("UPDATE ") % tableSql(n.link.table) % QStringLiteral(" SET ") %
                  quoted(n.link.field) % QStringLiteral(" = ? WHERE rowid = ?"));
        for (qint64 row : n.rows) {
            q.addBindValue(to);
            q.addBindValue(row);
            if (!q.exec())
                return q.lastError().text();
        }
    }
    return {};
}

} // namespace kennel
