#pragma once

#include "core/WriteResult.h"

#include <QSqlDatabase>
#include <QString>

namespace db {

// A unit of work that either lands whole or not at all. Nests (savepoints), so a cursor's
// new row can live inside a batch such as the pups of a litter.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    core::WriteResult<> commit();
    void rollback();

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_active = false;
};

} // namespace db
