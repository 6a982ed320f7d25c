#include "store/Transaction.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QSqlError>

namespace store {

Transaction::Transaction(const Database& database)
    : m_database(database)
{
    QSqlDatabase db = m_database.connection();
    if (!db.transaction())
        throw StoreError::fromSql(db.lastError(), QStringLiteral("starting a transaction"));
}

Transaction::~Transaction()
{
    if (!m_done)
        m_database.connection().rollback();
}

void Transaction::commit()
{
    QSqlDatabase db = m_database.connection();
    if (!db.commit()) {
        const StoreError error = StoreError::fromSql(db.lastError(), QStringLiteral("committing a transaction"));
        db.rollback();
        m_done = true;
        throw error;
    }
    m_done = true;
}

} // namespace store
