#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrune::server {

// kestrune-server's command line. parse() never exits or prints: main
// shows `error` (one line) and exits 2, or shows usage() / the version.
struct ServerOptions
{
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    std::string error; // set when action is Error

    std::string listenHost = "127.0.0.1"; // without brackets, also for IPv6
    std::uint16_t listenPort = 8080;
    std::string database = "sqlite:kestrune-server.db";
    std::string tlsCertificateFile;
    std::string tlsKeyFile;
    int threads = 2;
    int workers = 8; // threads that run the API's handlers (and wait for the database)
    std::size_t maxConnections = 1024;
    std::chrono::milliseconds readTimeout{10000};
    double rateLimit = 100; // per second per token and per address; 0: no limit
    double rateBurst = 200;

    // `arguments` excludes the program's name.
    static ServerOptions parse(const std::vector<std::string> &arguments);
    static ServerOptions parse(int argc, char **argv);
    static std::string usage();
};

} // namespace kestrune::server
