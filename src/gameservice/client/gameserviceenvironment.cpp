#include "gameserviceenvironment.h"

#include "gameservice/kit/servicekit.h"
#include "gameservice/local/localservicebackend.h"
#include "platform/backgroundsyncstore.h"
#include "platform/network/systempathmonitor.h"
#include "platform/settingsstore.h"

#include <QDir>

namespace kestrune {

ServiceCatalogue GameServiceEnvironment::catalogue()
{
    ServiceCatalogue c;
    c.leaderboards = {{QStringLiteral("sp_leaderboard"), QStringLiteral("Single player")}};
    auto add = [&c](const char *id, const char *title, const char *description) {
        c.achievements.push_back({QString::fromUtf8(id), QString::fromUtf8(title), QString::fromUtf8(description)});
    };
    add("1won", "First Break", "Break your first code in a single-player game.");
    add("50won", "Codebreaker", "Win 50 single-player games.");
    add("100won", "Cipher Centurion", "Win 100 single-player games.");
    add("50games", "Regular", "Play 50 single-player games, won or lost.");
    add("100games", "Devoted", "Play 100 single-player games, won or lost.");
    add("lucky_beggar", "Blind Luck", "Break the code with your very first shot.");
    add("really_fast", "Quick Thinker", "Break a code within 20 seconds of your first shot.");
    add("really_stubborn", "Stubborn Streak", "Fire the same shot twice in a row.");
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
