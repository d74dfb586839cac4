#include "showcase/Titles.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Dogs.h"

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
    qint64 current = -1;
    QString name;
    QStringList titles;
    auto flush = [&] {
        if (current >= 0 && !titles.isEmpty())
            each(current, name, titles.join(QLatin1Char(' ')));
    };
    struct Title
    {
        qint64 dogId;
        QString text;
    };
    std::vector<Title> earned;
    db::scanRows(kennel,
                 QStringLiteral("SELECT ") % db::quoted(result::dogId) % QStringLiteral(", trim(") %
                     db::quoted(result::titleShort) % QStringLiteral(") FROM ") %
                     db::quoted(db::tables::showResults) % QStringLiteral(" WHERE trim(coalesce(") %
                     db::quoted(result::titleShort) % QStringLiteral(", '')) <> '' ORDER BY ") %
                     db::quoted(result::dogId) % QStringLiteral(", ") % db::quoted(result::date) %
                     QStringLiteral(", ") % db::quoted(result::id),
                 [&](const db::RawRow &row) {
                     earned.push_back({row.whole(0), row.string(1)});
                 });
    std::vector<qint64> titled;
    for (const Title &title : earned)
        titled.push_back(title.dogId);
    const auto dogs = kennel::livesOf(kennel, titled);
    if (!dogs)
        return;
    for (const Title &title : earned) {
        const auto dog = dogs->find(title.dogId);
        if (dog == dogs->end())
            continue;
        if (title.dogId != current) {
            flush();
            current = title.dogId;
            name = dog->second.name;
            titles.clear();
        }
        if (!titles.contains(title.text))
            titles << title.text;
    }
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
