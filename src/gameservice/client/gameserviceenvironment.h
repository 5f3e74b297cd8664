#pragma once

#include "gameservicemanager.h"

#include "gameservice/kit/servicecatalogue.h"
#include "gameservice/network/networkservicebackend.h"

#include <QString>

namespace kestrune {

// Ready-made environments for GameServiceManager.
class GameServiceEnvironment
{
public:
    // The program's: the local service (its file in <dataFolder>/GameService),
    // the application's settings, the system's network monitor, and the cache
    // in <dataFolder>/Library. GUI thread, with a QCoreApplication.
    static GameServiceManager::Environment local(const QString &dataFolder);
    // The same on the Kestrune server at `address` (normalised), the
    // account in <dataFolder>/GameService/account.json; the transport comes
    // from `transport` on the first call, from the HTTP module by default.
    static GameServiceManager::Environment server(const QString &dataFolder, const QString &address,
                                                  NetworkServiceBackend::TransportSource transport = {});
    static std::shared_ptr<NetworkServiceBackend> networkBackend(const QString &dataFolder, const QString &address,
                                                                 NetworkServiceBackend::TransportSource transport);
    // The program's: the place the location names ("local" or an address),
    // which the player may change as they sign in (ServiceRouter).
    static GameServiceManager::Environment at(const QString &dataFolder, const QString &location);
    // The same without the framework: the manager stays unavailable and keeps
    // every score and achievement in its cache.
    static GameServiceManager::Environment withoutFramework(const QString &dataFolder);

    // The leaderboard and the eight achievements the game registers.
    static ServiceCatalogue catalogue();
    static QString serviceFileName(const QString &dataFolder);
    static QString accountFileName(const QString &dataFolder);

    GameServiceEnvironment() = delete;
};

} // namespace kestrune
