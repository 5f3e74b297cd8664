#include "gameserviceenvironment.h"

#include "gameservice/catalogue/catalogue.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/network/transport/httptransportloader.h"
#include "servicelocation.h"
#include "platform/backgroundsyncstore.h"
#include "platform/network/systempathmonitor.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QDir>

namespace kestrune {

ServiceCatalogue GameServiceEnvironment::catalogue()
{
    ServiceCatalogue c;
    auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
    for (const catalogue::LeaderboardDefinition &l : catalogue::leaderboards())
        c.leaderboards.push_back({text(l.identifier), text(l.title)});
    for (const catalogue::AchievementDefinition &a : catalogue::achievements())
        c.achievements.push_back({text(a.identifier), text(a.title), text(a.description)});
    return c;
}

QString GameServiceEnvironment::serviceFileName(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("GameService/service.cbor"));
}

GameServiceManager::Environment GameServiceEnvironment::local(const QString &dataFolder)
{
    GameServiceManager::Environment e = withoutFramework(dataFolder);
    e.serviceKit = ServiceKit::create(std::make_shared<LocalServiceBackend>(serviceFileName(dataFolder), catalogue()));
    return e;
}

QString GameServiceEnvironment::accountFileName(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("GameService/account.json"));
}

GameServiceManager::Environment GameServiceEnvironment::server(const QString &dataFolder, const QString &address,
                                                               NetworkServiceBackend::TransportSource transport)
{
    if (!transport) {
        transport = [](QString *error) {
            net::HttpTransportOptions options;
            // Play never waits for these: every call runs on a service thread.
            options.connectTimeoutMs = 5000;
            options.totalTimeoutMs = 10000;
            options.userAgent = "kestrune/" + QCoreApplication::applicationVersion().toStdString();
            return net::HttpTransportLoader::load(options, error);
        };
    }
    GameServiceManager::Environment e = withoutFramework(dataFolder);
    e.serviceKit = ServiceKit::create(std::make_shared<NetworkServiceBackend>(
        address, accountFileName(dataFolder), catalogue(), std::move(transport)));
    return e;
}

GameServiceManager::Environment GameServiceEnvironment::at(const QString &dataFolder, const QString &location)
{
    return location == ServiceLocation::local ? local(dataFolder) : server(dataFolder, location);
}

GameServiceManager::Environment GameServiceEnvironment::withoutFramework(const QString &dataFolder)
{
    GameServiceManager::Environment e;
    // Written from the service's threads: behind, on a thread of its own,
    // so that neither the file nor its lock ever holds up the GUI thread.
    e.userDefaults = std::make_shared<BackgroundSyncStore>([] { return std::make_unique<SettingsStore>(); });
    e.pathMonitor = std::make_shared<SystemPathMonitor>();
    e.homeFolder = dataFolder;
    return e;
}

} // namespace kestrune
