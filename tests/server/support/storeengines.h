#pragma once

#include "testdatabase.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrune::server::test {

struct StoreEngine
{
    std::string name;
    std::function<std::unique_ptr<TestDatabase>()> create;
};

// Every engine the store cases run against.
std::vector<StoreEngine> storeEngines();

} // namespace kestrune::server::test
