#pragma once

#include "db/Fields.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

// What the change log's writing and its reading share; within the db library only.
namespace db::changelog {

namespace log = fields::changeLog;
namespace sets = fields::changeSets;

// Holds the id of the change that is open on the connection; empty when none is.
const QString openChange = QStringLiteral("houndry_changeset");

const QString editKind = QStringLiteral("edit");
const QString addKind = QStringLiteral("add");
const QString removeKind = QStringLiteral("remove");

struct Run
{
    QSqlQuery q;
    QString error;
    explicit Run(const QSqlDatabase &db) : q(db) {}
    bool operator()(const QString &sql, const QVariantList &values = {})
    {
        q.prepare(sql);
        for (const QVariant &value : values)
            q.addBindValue(value);
        if (q.exec())
            return true;
        error = q.lastError().text();
        return false;
    }
};

inline QString setsWhere(const QString &condition)
{
    return QStringLiteral("SELECT ") % quoted(sets::id) % QStringLiteral(", ") %
           quoted(sets::time) % QStringLiteral(", ") % quoted(sets::what) %
           QStringLiteral(" FROM ") % quoted(tables::changeSets) % condition;
}

inline QDateTime timeOf(const QVariant &stored)
{
    return QDateTime::fromString(stored.toString(), Qt::ISODate);
}

} // namespace db::changelog
