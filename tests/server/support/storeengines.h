#pragma once

#include "gameservice/server/store/store.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
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

struct StoreEngine
{
    std::string name;
    std::function<std::unique_ptr<TestDatabase>()> create;
};

// Every engine the store cases run against.
std::vector<StoreEngine> storeEngines();

} // namespace kestrune::server::test
