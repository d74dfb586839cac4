#pragma once

#include "core/WriteResult.h"

#include <QSqlDatabase>
#include <QString>

namespace db {

// A choice the program keeps in the kennel itself, so that it travels with the files.
QString preference(const QSqlDatabase &kennel, const QString &name);
core::WriteResult<> setPreference(QSqlDatabase kennel, const QString &name, const QString &value);

} // namespace db
