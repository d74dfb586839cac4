#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db {
namespace {
int nextSavepoint = 0;
}

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db)), m_name(QStringLiteral("unit%1").arg(++nextSavepoint))
{
    QSqlQuery q(m_db);
    m_active = q.exec(QStringLiteral("SAVEPOINT ") + m_name);
}

Transaction::~Transaction()
{
    rollback();
}

core::WriteResult<> Transaction::commit()
{
    if (!m_active)
        return core::failure(QStringLiteral("the transaction could not be started"));
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("RELEASE ") + m_name)) {
        const QString problem = q.lastError().text();
        rollback();
        return core::failure(problem);
    }
    m_active = false;
    return {};
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK TO ") + m_name);
    q.exec(QStringLiteral("RELEASE ") + m_name);
}

} // namespace db
