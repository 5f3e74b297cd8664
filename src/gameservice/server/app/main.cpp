// kestrune-server: the game service over HTTP on SQLite or PostgreSQL.
#include "gameservice/catalogue/catalogue.h"
#include "gameservice/server/api/api.h"
#include "gameservice/server/http/httpserver.h"
#include "gameservice/server/http/requestlog.h"
#include "serveroptions.h"
#include "stopsignal.h"
#include "storeopener.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>

using namespace kestrune::server;

namespace {

// Healthy while the database answers a bounded read.
bool storeAnswers(Store &store)
{
    try {
        const auto boards = kestrune::catalogue::leaderboards();
        if (!boards.empty())
            store.entryCount(std::string(boards.front().identifier), Scope::AllTime, 0);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const ServerOptions options = ServerOptions::parse(argc, argv);
    switch (options.action) {
    case ServerOptions::Action::Error:
        std::fprintf(stderr, "kestrune-server: %s\n", options.error.c_str());
        return 2;
    case ServerOptions::Action::Help:
        std::fputs(ServerOptions::usage().c_str(), stdout);
        return 0;
    case ServerOptions::Action::Version:
        std::printf("kestrune-server %s\n", KESTRUNE_VERSION);
        return 0;
    case ServerOptions::Action::Run:
        break;
    }

    // Before any thread starts, so that only the main thread takes them.
    StopSignal::block();
    try {
        const std::unique_ptr<Store> store = StoreOpener::open(options.database);
        Api api(*store);
        // Only SQLite has this process as its one writer; PostgreSQL may have
        // others, whose writes a cache here would not see.
        if (StoreOpener::parse(options.database).engine == StoreOpener::Engine::Sqlite)
            api.cacheTopAnswers();
        RequestLog log(std::cout);

        HttpServerConfig config;
        config.address = options.listenHost;
        config.port = options.listenPort;
        config.ioThreads = options.threads;
        config.workerThreads = options.workers;
        config.maxConnections = options.maxConnections;
        config.readTimeout = options.readTimeout;
        config.tokenRate = config.addressRate = options.rateLimit;
        config.tokenBurst = config.addressBurst = options.rateBurst;
        config.tlsCertificateFile = options.tlsCertificateFile;
        config.tlsKeyFile = options.tlsKeyFile;

        HttpServer server(config, api.handler(), [&store] { return storeAnswers(*store); }, &log);
        server.setShortcut(api.shortcut());
        server.start();
        std::fprintf(stderr, "kestrune-server: listening on %s port %u (%s)\n", options.listenHost.c_str(),
                     unsigned(server.port()), options.tlsCertificateFile.empty() ? "http" : "https");
        const int signal = StopSignal::wait();
        std::fprintf(stderr, "kestrune-server: %s, finishing the requests in flight\n",
                     signal == SIGTERM ? "SIGTERM" : "stopping");
        server.stop();
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "kestrune-server: %s\n", error.what());
        return 1;
    }
}
