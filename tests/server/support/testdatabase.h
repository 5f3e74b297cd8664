#pragma once

#include "gameservice/server/store/store.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kestrune::server::test {

// One engine's database for one test: empty when made, gone when destroyed.
class TestDatabase
{
public:
    virtual ~TestDatabase() = default;

    // A store on this database. Called again, another store on the same data,
    // as a restarted server would open it.
    virtual std::unique_ptr<Store> open() = 0;
    // The schema versions recorded in the database, oldest first.
    virtual std::vector<std::int64_t> appliedMigrations() = 0;
};

} // namespace kestrune::server::test
