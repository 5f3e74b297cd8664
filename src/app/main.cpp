#include "commandline.h"
#include "seguemap.h"
#include "singleinstance.h"
#include "quickaction.h"

#include "game/rx/mainscheduler.h"
#include "gameservice/gameserviceenvironment.h"
#include "gameservice/gameservicemanager.h"
#include "platform/apppaths.h"
#include "platform/backgroundanalytics.h"
#include "platform/backgroundsyncstore.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/screensaveridletimer.h"
#include "platform/fileanalytics.h"
#include "platform/resources/resources.h"
#include "platform/servicekit/servicekit.h"
#include "platform/settingsstore.h"
#include "screens/game/gamescreenenvironment.h"
#include "screens/menu/gameservicemenuadapter.h"
#include "screens/menu/menuenvironment.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/gameservice/widgetservicescreenpresenter.h"
#include "screens/navigation/navigationcontroller.h"
#include "views/components/touchareafilter.h"
#include "views/toast/toastalert.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

using namespace kestrune;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRUNE_VERSION));

    std::optional<int> exitCode;
    const CommandLine options = CommandLine::parse(QCoreApplication::arguments(), exitCode);
    if (exitCode)
        return *exitCode;
    // A render starts a game; unless a folder was named, it plays in one that
    // is thrown away, so that the user's statistics and analytics stay as they were.
    std::optional<QTemporaryDir> scratchFolder;
    if (!options.dataFolder.isEmpty()) {
        AppPaths::setDataFolder(options.dataFolder);
    } else if (!options.renderTo.isEmpty()) {
        scratchFolder.emplace(QDir::tempPath() + QStringLiteral("/kestrune-render-XXXXXX"));
        if (!scratchFolder->isValid()) {
            std::fprintf(stderr, "kestrune: cannot create a temporary data folder: %s\n",
                         qPrintable(scratchFolder->errorString()));
            return 1;
        }
        AppPaths::setDataFolder(scratchFolder->path());
    }
    const QString dataFolder = AppPaths::ensureDataFolder();
    if (dataFolder.isEmpty()) {
        std::fprintf(stderr, "kestrune: cannot create the data folder %s\n", qPrintable(AppPaths::dataFolder()));
        return 1;
    }

    // One instance per user (and data folder): a later start hands its quick
    // action to the running one, and the answer becomes its exit status.
    SingleInstance instance(SingleInstance::socketPath(options.dataFolder.isEmpty() ? QString() : dataFolder));
    if (options.renderTo.isEmpty()) {
        switch (instance.start(options.quickAction)) {
        case SingleInstance::Outcome::handedOver:
            return instance.accepted() ? 0 : 1;
        case SingleInstance::Outcome::unavailable:
            std::fprintf(stderr, "kestrune: running as a second instance: %s\n", qPrintable(instance.errorString()));
            break;
        case SingleInstance::Outcome::listening:
            break;
        }
    }

    DeviceProfile::setCurrent(*DeviceProfile::fromName(options.device));
    QApplication::setPalette(Resources::palette());

    // Events and statistics reach the disk off the GUI thread; both flush
    // when they go at the end of main().
    BackgroundAnalytics analytics(std::make_unique<FileAnalytics>());
    analytics.configure();
    BackgroundSyncStore store(std::make_unique<SettingsStore>());

    GameServiceManager::setSharedEnvironment(options.noGameService
                                                 ? GameServiceEnvironment::withoutFramework(dataFolder)
                                                 : GameServiceEnvironment::local(dataFolder));
    GameServiceManager &service = GameServiceManager::sharedManager();
    if (auto kit = service.serviceKit())
        kit->setScreenPresenter(std::make_shared<WidgetServiceScreenPresenter>());
    service.setupManager();
    service.syncGameService();

    ScreenSaverIdleTimer idleTimer;
    GameScreenEnvironment environment;
    environment.game.analytics = &analytics;
    environment.game.store = &store;
    environment.game.gameService = &service;
    environment.idleTimer = &idleTimer;

    NavigationController window;
    window.setWindowTitle(QStringLiteral("Kestrune"));
    SegueMap::install(window, environment);
    // The menu presents the service's sign-in screen when the service asks,
    // except in user-interface test runs.
    GameServiceMenuAdapter menuService(service);
    MenuEnvironment menu;
    menu.store = &store;
    menu.idleTimer = &idleTimer;
    menu.gameService = options.noGameService ? nullptr : &menuService;
    menu.uiTest = options.uiTest;
    window.pushViewController(new MenuViewController(menu), false);
    window.resize(DeviceProfile::current().size().toSize());
    new TouchAreaFilter(&window);
    ToastAlert::shared().setHost(&window);

    instance.setHandler([&window](const QString &action, std::function<void(bool)> reply) {
        window.showNormal();
        window.raise();
        window.activateWindow();
        if (action.isEmpty())
            reply(true);
        else
            QuickAction::perform(action, &window, rx::MainScheduler::instance(), reply);
    });
    int quickActionStatus = 0;
    if (!options.quickAction.isEmpty()) {
        QuickAction::perform(options.quickAction, &window, rx::MainScheduler::instance(),
                             [&quickActionStatus](bool done) { quickActionStatus = done ? 0 : 1; });
    }

    if (!options.renderTo.isEmpty()) {
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        QCoreApplication::processEvents();
        if (!window.grab().save(options.renderTo)) {
            std::fprintf(stderr, "kestrune: cannot write %s\n", qPrintable(options.renderTo));
            return 1;
        }
        return quickActionStatus;
    }
    window.show();
    int status = app.exec();
    if (status == 0)
        status = quickActionStatus;
    // Everything the player was told has been kept reaches the disk before
    // the process ends (the shared manager itself lives on until exit).
    if (!service.flushCache())
        std::fprintf(stderr, "kestrune: the game-service cache could not be written\n");
    return status;
}
