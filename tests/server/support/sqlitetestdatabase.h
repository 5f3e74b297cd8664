#pragma once

#include "testdatabase.h"

#include <QTemporaryDir>

#include <string>

namespace kestrune::server::test {

// A SQLite file in a temporary folder of its own.
class SqliteTestDatabase final : public TestDatabase
{
public:
    SqliteTestDatabase();

    std::unique_ptr<Store> open() override;
    std::vector<std::int64_t> appliedMigrations() override;

    std::string path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    std::string m_path;
};

} // namespace kestrune::server::test
