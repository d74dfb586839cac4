#include "showcase/Titles.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QStringBuilder>

namespace showcase {
namespace {

TitlePlace &chosenPlace()
{
    static TitlePlace place = TitlePlace::None;
    return place;
}

// Calls `each(dogid, name, titles)` for every titled dog, in stored order.
void scanTitles(const QSqlDatabase &kennel,
                const std::function<void(qint64, const QString &, const QString &)> &each)
{
    namespace result = db::fields::showResults;
    namespace dog = db::fields::dogs;
    qint64 current = -1;
    QString name;
    QStringList titles;
    auto flush = [&] {
        if (current >= 0 && !titles.isEmpty())
            each(current, name, titles.join(QLatin1Char(' ')));
    };
    db::scanRows(kennel,
                 QStringLiteral("SELECT d.") % db::quoted(dog::id) % QStringLiteral(", d.") %
                     db::quoted(dog::name) % QStringLiteral(", trim(r.") %
                     db::quoted(result::titleShort) % QStringLiteral(") FROM ") %
                     db::quoted(db::tables::showResults) % QStringLiteral(" r JOIN ") %
                     db::quoted(db::tables::dogs) % QStringLiteral(" d ON d.") %
                     db::quoted(dog::id) % QStringLiteral(" = r.") % db::quoted(result::dogId) %
                     QStringLiteral(" WHERE trim(coalesce(r.") % db::quoted(result::titleShort) %
                     QStringLiteral(", '')) <> '' ORDER BY d.rowid, r.") %
                     db::quoted(result::date) % QStringLiteral(", r.") % db::quoted(result::id),
                 [&](const db::RawRow &row) {
                     if (row.whole(0) != current) {
                         flush();
                         current = row.whole(0);
                         const std::string_view stored = row.text(1);
                         name = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
                         titles.clear();
                     }
                     const std::string_view title = row.text(2);
                     const QString text = QString::fromUtf8(title.data(), qsizetype(title.size()));
                     if (!titles.contains(text))
                         titles << text;
                 });
    flush();
}

} // namespace

QStringList titlePlaceNames()
{
    return {QStringLiteral("Not shown"), QStringLiteral("Before the name"),
            QStringLiteral("After the name")};
}

TitlePlace titlePlace()
{
    return chosenPlace();
}

void setTitlePlace(TitlePlace place)
{
    chosenPlace() = place;
}

QHash<qint64, QString> allTitles(const QSqlDatabase &kennel)
{
    QHash<qint64, QString> titles;
    scanTitles(kennel,
               [&](qint64 id, const QString &, const QString &shown) { titles.insert(id, shown); });
    return titles;
}

QHash<qint64, QString> titlesByDog(const QSqlDatabase &kennel)
{
    return titlePlace() == TitlePlace::None ? QHash<qint64, QString>() : allTitles(kennel);
}

QHash<QString, QString> titlesByName(const QSqlDatabase &kennel)
{
    QHash<QString, QString> titles;
    if (titlePlace() != TitlePlace::None)
        scanTitles(kennel, [&](qint64, const QString &name, const QString &shown) {
            if (!titles.contains(name))
                titles.insert(name, shown);
        });
    return titles;
}

QString titled(const QString &name, const QString &titles, TitlePlace place)
{
    if (titles.isEmpty() || name.isEmpty())
        return name;
    switch (place) {
    case TitlePlace::Before:
        return titles % QLatin1Char(' ') % name;
    case TitlePlace::After:
        return name % QLatin1Char(' ') % titles;
    default:
        return name;
    }
}

} // namespace showcase
