#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrune::server::test {

// Why a throwaway cluster could not be had: binaries missing, initdb or the
// start failed. The message says which, with the tail of the tool's log.
class PostgresClusterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A PostgreSQL server of its own for one test program: initialised in a
// temporary folder, reachable only through a Unix socket in that folder, and
// stopped and removed again when the object goes, also when a test fails;
// should the test program die without unwinding (a crash, a kill), a guard
// process it leaves behind stops the server and removes the folder.
// Run as root, the server runs as the unprivileged user nobody, which the
// database refuses to run as root anyway.
class PostgresCluster
{
public:
    // Throws PostgresClusterError.
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    // Creates an empty database (name: lower-case letters, digits and
    // underscores) and returns the libpq connection string for it.
    std::string createDatabase(const std::string &name);
    std::string conninfo(const std::string &database) const;

    const std::filesystem::path &folder() const { return m_folder; }
    int port() const { return m_port; }

private:
    void runTool(const std::string &tool, const std::vector<std::string> &arguments, int timeoutSeconds);
    void stop() noexcept;
    void startGuard();
    void dismissGuard() noexcept;

    std::filesystem::path m_binaries;
    std::filesystem::path m_folder;
    int m_port = 0;
    bool m_dropPrivileges = false;
    bool m_running = false;
    int m_guardSocket = -1;
    int m_guardPid = -1;
};

} // namespace kestrune::server::test
