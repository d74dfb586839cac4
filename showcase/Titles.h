#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QStringList>

namespace showcase {

// Where the certificate and the pedigree chart show a dog's titles: nowhere, so that they
// read as they always have, unless the breeder chooses otherwise in Setup.
enum class TitlePlace { None, Before, After };
QStringList titlePlaceNames();
TitlePlace titlePlace();
void setTitlePlace(TitlePlace place);

// Every titled dog's titles, short forms in the order earned ("CH JW"), by dogid and by name
// (the first dog of a name); empty where titles are not shown or cannot be read.
QHash<qint64, QString> titlesByDog(const QSqlDatabase &kennel);
// The same whatever the choice, for the website, which always shows them.
QHash<qint64, QString> allTitles(const QSqlDatabase &kennel);
QHash<QString, QString> titlesByName(const QSqlDatabase &kennel);

// The name with its titles where they are shown.
QString titled(const QString &name, const QString &titles, TitlePlace place = titlePlace());

} // namespace showcase
