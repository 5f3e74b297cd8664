#include "gameserviceenvironment.h"

#include "gameservice/catalogue/catalogue.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/network/transport/httptransportloader.h"
#include "servicelocation.h"
#include "servicerouter.h"
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

std::shared_ptr<NetworkServiceBackend> GameServiceEnvironment::networkBackend(
    const QString &dataFolder, const QString &address, NetworkServiceBackend::TransportSource transport)
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
    return std::make_shared<NetworkServiceBackend>(address, accountFileName(dataFolder), catalogue(),
                                                   std::move(transport));
}

GameServiceManager::Environment GameServiceEnvironment::server(const QString &dataFolder, const QString &address,
                                                               NetworkServiceBackend::TransportSource transport)
{
    GameServiceManager::Environment e = withoutFramework(dataFolder);
    e.serviceKit = ServiceKit::create(networkBackend(dataFolder, address, std::move(transport)));
    return e;
}

GameServiceManager::Environment GameServiceEnvironment::at(const QString &dataFolder, const QString &location)
{
    GameServiceManager::Environment e = withoutFramework(dataFolder);
    const std::weak_ptr<KeyValueStore> settings = e.userDefaults;
    auto router = std::make_shared<ServiceRouter>(
        location == ServiceLocation::local ? QString() : location,
        [dataFolder](const QString &address) -> std::shared_ptr<ServiceBackend> {
            if (address.isEmpty())
                return std::make_shared<LocalServiceBackend>(serviceFileName(dataFolder), catalogue());
            return networkBackend(dataFolder, address, {});
        },
        [settings](const QString &address) {
            if (const auto store = settings.lock())
                ServiceLocation::remember(*store, address.isEmpty() ? ServiceLocation::local : address);
        });
    e.serviceKit = ServiceKit::create(std::move(router));
    return e;
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
