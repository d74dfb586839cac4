#include "showcase/SiteDogs.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Dogs.h"

#include <QStringBuilder>

namespace showcase {

namespace dog = db::fields::dogs;
using kainjow::mustache::data;
using kainjow::mustache::list;

std::vector<SiteDog> readDogs(const QSqlDatabase &kennel, QString *problem)
{
    enum {
        Id,
        Name,
        Registration,
        Sex,
        Colour,
        Breed,
        Born,
        Died,
        Owner,
        SoldFor,
        Sold,
        Sire,
        Dam
    };
    std::vector<SiteDog> dogs;
    auto textOf = [](const db::RawRow &row, int column) {
        const std::string_view value = row.text(column);
        return QString::fromUtf8(value.data(), qsizetype(value.size()));
    };
    *problem = kennel::scanDogs(kennel,
                                {dog::id, dog::name, dog::registration, dog::sex, dog::colour,
                                 dog::breed, dog::born, dog::died, dog::owner, dog::soldFor,
                                 dog::sold, dog::sire, dog::dam},
                                [&](const db::RawRow &row) {
                                    SiteDog d;
                                    d.id = row.whole(Id);
                                    d.name = textOf(row, Name);
                                    d.registration = textOf(row, Registration);
                                    d.sex = textOf(row, Sex);
                                    d.colour = textOf(row, Colour);
                                    d.breed = textOf(row, Breed);
                                    d.owner = textOf(row, Owner).trimmed();
                                    d.sire = textOf(row, Sire);
                                    d.dam = textOf(row, Dam);
                                    d.born = core::datetext::fromStored(textOf(row, Born));
                                    d.died = !textOf(row, Died).trimmed().isEmpty();
                                    d.sold = !textOf(row, SoldFor).trimmed().isEmpty() ||
                                             !textOf(row, Sold).trimmed().isEmpty();
                                    dogs.push_back(d);
                                });
    return dogs;
}

std::map<qint64, list> healthOf(const QSqlDatabase &kennel, const QSet<qint64> &chosen)
{
    namespace result = db::fields::healthResults;
    namespace test = db::fields::healthTests;
    std::map<qint64, list> health;
    db::scanRows(kennel,
                 QStringLiteral("SELECT r.") % db::quoted(result::dogId) % QStringLiteral(", t.") %
                     db::quoted(test::name) % QStringLiteral(", r.") % db::quoted(result::result) %
                     QStringLiteral(", r.") % db::quoted(result::date) % QStringLiteral(" FROM ") %
                     db::quoted(db::tables::healthResults) % QStringLiteral(" r JOIN ") %
                     db::quoted(db::tables::healthTests) % QStringLiteral(" t ON t.") %
                     db::quoted(test::id) % QStringLiteral(" = r.") % db::quoted(result::testId) %
                     QStringLiteral(" ORDER BY r.") % db::quoted(result::date),
                 [&](const db::RawRow &row) {
                     if (!chosen.contains(row.whole(0)))
                         return;
                     auto value = [&](int column) {
                         const std::string_view v = row.text(column);
                         return QString::fromUtf8(v.data(), qsizetype(v.size()));
                     };
                     data entry;
                     entry.set("test", value(1).toStdString());
                     entry.set("result", value(2).toStdString());
                     entry.set("tested", core::datetext::display(QVariant(value(3))).toStdString());
                     health[row.whole(0)].push_back(entry);
                 });
    return health;
}

} // namespace showcase
