#include "bench/DeepKennel.h"

#include "db/DatabaseFiles.h"
#include "db/Transaction.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace bench {
namespace {

constexpr int sires = 30; // per generation: the popular sires
constexpr int pupsPerLitter = 5;

struct Dog
{
    QString name;
    bool male;
};

} // namespace

QString generateDeepKennel(int dogs, int generations, bool loop)
{
    if (QString problem = db::DatabaseFiles::open(); !problem.isEmpty())
        return problem;
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    QRandomGenerator random(20261208);
    db::Transaction write(kennel);
    QSqlQuery insert(kennel);
    insert.prepare("INSERT INTO Dogtable (name, sex, dob, dod, sire, dam, breed) "
                   "VALUES (?,?,?,?,?,?,'Whippet')");
    const int perGeneration = std::max(pupsPerLitter * 2, dogs / generations);
    const QDate first(2026 - 3 * generations, 1, 1);
    std::vector<Dog> previous;
    int written = 0;
    for (int g = 0; g < generations && written < dogs; ++g) {
        std::vector<Dog> males;
        std::vector<Dog> females;
        for (const Dog &dog : previous)
            (dog.male ? males : females).push_back(dog);
        std::vector<Dog> chosenSires;
        for (int i = 0; i < sires && !males.empty(); ++i)
            chosenSires.push_back(males[random.bounded(int(males.size()))]);
        std::vector<Dog> current;
        const QDate born = first.addYears(3 * g);
        const bool dead = born.addYears(14) < QDate(2026, 12, 1);
        for (int pup = 0; pup < perGeneration && written < dogs; ++pup, ++written) {
            const int litter = pup / pupsPerLitter;
            QString sire;
            QString dam;
            if (g > 0 && !chosenSires.empty() && !females.empty()) {
                QRandomGenerator parents(quint32(g * 1000003 + litter));
                sire = chosenSires[parents.bounded(int(chosenSires.size()))].name;
                dam = females[parents.bounded(int(females.size()))].name;
                if (random.bounded(100) == 0)
                    sire = sire.toUpper();
                if (random.bounded(500) == 0)
                    dam = QStringLiteral("Not On Record");
            }
            const Dog dog{QStringLiteral("Deep %1-%2").arg(g).arg(pup), random.bounded(2) == 0};
            insert.addBindValue(dog.name);
            insert.addBindValue(dog.male ? "Male" : "Female");
            insert.addBindValue(born.addDays(litter % 300).toString(Qt::ISODate));
            insert.addBindValue(dead ? born.addYears(12).toString(Qt::ISODate) : QString());
            insert.addBindValue(sire);
            insert.addBindValue(dam);
            if (!insert.exec())
                return insert.lastError().text();
            current.push_back(dog);
        }
        previous = std::move(current);
    }
    if (loop) {
        // A dog of the middle generation becomes the sire of its own grandsire.
        QSqlQuery q(kennel);
        q.prepare("UPDATE Dogtable SET sire = ? WHERE name = (SELECT sire FROM Dogtable WHERE "
                  "name = (SELECT sire FROM Dogtable WHERE name = ?))");
        const QString middle = QStringLiteral("Deep %1-0").arg(generations / 2);
        q.addBindValue(middle);
        q.addBindValue(middle);
        if (!q.exec())
            return q.lastError().text();
    }
    if (const auto committed = write.commit(); !committed)
        return committed.problem();
    return {};
}

} // namespace bench
