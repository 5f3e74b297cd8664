#pragma once

#include "gameservice/server/store/store.h"

#include <string>

namespace kestrune::server {

// A failed statement, with the SQLSTATE the server gave so that callers can
// tell a lost race (retry) from a real failure.
class PostgresError : public StoreError
{
public:
    PostgresError(const std::string &message, std::string sqlState, std::string constraint = {})
        : StoreError(message)
        , m_sqlState(std::move(sqlState))
        , m_constraint(std::move(constraint))
    {
    }

    const std::string &sqlState() const { return m_sqlState; }
    const std::string &constraint() const { return m_constraint; }
    // Deadlock or serialization failure: running the transaction again helps.
    bool retryable() const { return m_sqlState == "40P01" || m_sqlState == "40001"; }
    bool uniqueViolation() const { return m_sqlState == "23505"; }
    bool foreignKeyViolation() const { return m_sqlState == "23503"; }

private:
    std::string m_sqlState;
    std::string m_constraint;
};

} // namespace kestrune::server
