#pragma once

namespace store {

class Database;

// All or nothing: rolls back on destruction unless committed. Throws StoreError when the
// transaction cannot start or commit.
class Transaction
{
public:
    explicit Transaction(const Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    const Database& m_database;
    bool m_done = false;
};

} // namespace store
