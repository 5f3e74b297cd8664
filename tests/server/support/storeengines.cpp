#include "storeengines.h"

#include "postgrestestdatabase.h"
#include "sqlitetestdatabase.h"

namespace kestrune::server::test {

std::vector<StoreEngine> storeEngines()
{
    return {
        StoreEngine{"sqlite", [] { return std::make_unique<SqliteTestDatabase>(); }},
        StoreEngine{"postgresql", [] { return std::make_unique<PostgresTestDatabase>(); }},
    };
}

} // namespace kestrune::server::test
