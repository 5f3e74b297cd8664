#pragma once

#include "postgrescluster.h"

#include <string>

namespace kestrune::server::test {

// A fresh database on `cluster` as kestrune-server's --database takes it: a
// postgresql:// URL reaching the cluster through its Unix socket.
inline std::string postgresUrl(PostgresCluster &cluster, const std::string &database)
{
    cluster.createDatabase(database);
    return "postgresql://kestrune@/" + database + "?host=" + cluster.folder().string()
           + "&port=" + std::to_string(cluster.port()) + "&connect_timeout=10";
}

} // namespace kestrune::server::test
