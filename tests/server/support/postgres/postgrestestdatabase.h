#pragma once

#include "testdatabase.h"

#include <string>

namespace kestrune::server::test {

// A fresh database for one test on the test program's one throwaway
// cluster, which starts with the first such database and stops at exit.
class PostgresTestDatabase final : public TestDatabase
{
public:
    PostgresTestDatabase(); // throws PostgresClusterError

    std::unique_ptr<Store> open() override;
    std::vector<std::int64_t> appliedMigrations() override;

    const std::string &conninfo() const { return m_conninfo; }

private:
    std::string m_conninfo;
};

} // namespace kestrune::server::test
