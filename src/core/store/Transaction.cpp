#include "store/Transaction.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QSqlError>

namespace store {

Transaction::Transaction(const Database& database)
    : m_database(database)
{
    // One begun inside another joins it: the outer one commits or rolls back the whole.
    if (m_database.m_transactionDepth > 0) {
        ++m_database.m_transactionDepth;
        return;
    }
    QSqlDatabase db = m_database.connection();
    if (!db.transaction())
        throw StoreError::fromSql(db.lastError(), QStringLiteral("starting a transaction"));
    m_database.m_transactionDepth = 1;
    m_database.m_innerFailed = false;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    if (--m_database.m_transactionDepth > 0)
        m_database.m_innerFailed = true; // the outer one must not commit half of it
    else
        m_database.connection().rollback();
}

void Transaction::commit()
{
    if (m_database.m_transactionDepth > 1) {
        --m_database.m_transactionDepth;
        m_done = true;
        return;
    }
    m_database.m_transactionDepth = 0;
    QSqlDatabase db = m_database.connection();
    if (m_database.m_innerFailed) {
        db.rollback();
        m_done = true;
        throw StoreError(code::Error, QStringLiteral("A part of the change failed; nothing was written."),
            QStringLiteral("committing a transaction"));
    }
    if (!db.commit()) {
        const StoreError error = StoreError::fromSql(db.lastError(), QStringLiteral("committing a transaction"));
        db.rollback();
        m_done = true;
        throw error;
    }
    m_done = true;
}

} // namespace store
