#pragma once

#include <kainjow/mustache.hpp>
#include <map>
#include <QDate>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace showcase {

// A dog as the website shows it.
struct SiteDog
{
    qint64 id;
    QString name, registration, sex, colour, breed, owner, sire, dam;
    QDate born;
    bool died = false;
    bool sold = false;
};

// Every dog, in stored order; the problem, if any, into `problem`.
std::vector<SiteDog> readDogs(const QSqlDatabase &kennel, QString *problem);
// Each chosen dog's health results: test, result and day, oldest first.
std::map<qint64, kainjow::mustache::list> healthOf(const QSqlDatabase &kennel,
                                                   const QSet<qint64> &chosen);

} // namespace showcase
