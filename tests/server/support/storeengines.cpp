#include "storeengines.h"

#include "sqlitetestdatabase.h"

namespace kestrune::server::test {

std::vector<StoreEngine> storeEngines()
{
    return {
        StoreEngine{"sqlite", [] { return std::make_unique<SqliteTestDatabase>(); }},
    };
}

} // namespace kestrune::server::test
