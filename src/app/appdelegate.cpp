#include "appdelegate.h"
#include "quickaction.h"
#include "savealerts.h"
#include "seguemap.h"

#include "game/analytics.h"
#include "game/rx/mainscheduler.h"
#include "game/statisticshelper.h"
#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/gameservicemanager.h"
#include "gameservice/client/servicelocation.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/screens/gameservicemenuadapter.h"
#include "gameservice/screens/gameserviceresultadapter.h"
#include "gameservice/screens/widgetservicescreenpresenter.h"
#include "platform/apppaths.h"
#include "platform/device/deviceprofile.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/fileanalytics.h"
#include "platform/settingsstore.h"
#include "screens/menu/menuenvironment.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/navigation/screenreserve.h"
#include "views/toast/toastalert.h"
#include "views/widgets/touchareafilter.h"

#include <QDebug>
#include <QPointer>

namespace kestrune {

namespace {

// The first steps of the launch, in their order: the analytics core, then the
// shared game-service manager with its cache and a synchronisation.
GameServiceManager &launchServices(Analytics &analytics, KeyValueStore &settings, const CommandLine &options)
{
    analytics.configure();
    const QString folder = AppPaths::dataFolder();
    GameServiceManager::setSharedEnvironment(
        options.noGameService ? GameServiceEnvironment::withoutFramework(folder)
                              : GameServiceEnvironment::at(folder, ServiceLocation::choose(settings, options.service)));
    GameServiceManager &service = GameServiceManager::sharedManager();
    if (auto kit = service.serviceKit())
        kit->setScreenPresenter(std::make_shared<WidgetServiceScreenPresenter>());
    service.setupManager();
    service.syncGameService();
    return service;
}

// Asks the reserve to make a screen ahead, while the stack that owns it lives.
std::function<void(QSize)> preparingIn(ScreenReserve *reserve)
{
    return [reserve = QPointer<ScreenReserve>(reserve)](QSize size) {
        if (reserve)
            reserve->prepare(size);
    };
}

} // namespace

AppDelegate::AppDelegate(const CommandLine &options, std::function<std::string()> drawCode)
    // Events and statistics reach the disk off the GUI thread; both flush
    // when the delegate goes.
    : m_analytics((std::make_unique<FileAnalytics>()))
    , m_store([] { return std::make_unique<SettingsStore>(); })
    , m_service(&launchServices(m_analytics, m_store, options))
    , m_quickActions(rx::MainScheduler::instance(), QuickAction::animationPause,
                     [this](const QString &type, QuickActionGate::Completion completion) {
                         QuickAction::perform(type, &m_window, rx::MainScheduler::instance(), completion);
                     })
{
    // A kill between two keys of an older version may have left the
    // figures out of step; said once, as the repair is written.
    if (const auto repaired = StatisticsHelper::repair(m_store))
        qWarning().noquote() << "Statistics were out of step and are repaired:" << QString::fromStdString(*repaired);
    m_environment.game.analytics = &m_analytics;
    m_environment.game.store = &m_store;
    m_environment.game.gameService = m_service;
    // Hints and the hard computer's shots think on the shared workers, so the
    // window never waits for them.
    m_environment.game.background = [](std::function<void()> work) { DispatchQueue::global(std::move(work)); };
    m_environment.idleTimer = &m_idleTimer;
    m_environment.game.drawCode = std::move(drawCode);

    m_window.setWindowTitle(QStringLiteral("Kestrune"));
    // The menu, the first screen, has no bar: hidden from the start, the
    // window is shown without laying out any text.
    m_window.setNavigationBarHidden(true, false);
    if (!options.noGameService)
        m_resultService = std::make_unique<GameServiceResultAdapter>(*m_service);
    const SegueMap::Reserves reserves = SegueMap::install(m_window, m_environment, m_resultService.get());
    // The screens copy the environment when they are made, all after this.
    m_environment.prepareResult = preparingIn(reserves.results);
    // "Play it" on a received challenge starts a single-player match as the
    // quick action does, from wherever the player is.
    m_service->challengeInPlay().setStartMatch([this] {
        QuickAction::perform(QStringLiteral("singleplayer"), &m_window, rx::MainScheduler::instance(), [](bool) {});
    });
    // The menu presents the service's sign-in screen when the service asks,
    // except in user-interface test runs.
    m_menuService = std::make_unique<GameServiceMenuAdapter>(*m_service);
    m_menu.store = &m_store;
    m_menu.idleTimer = &m_idleTimer;
    m_menu.gameService = options.noGameService ? nullptr : m_menuService.get();
    m_menu.uiTest = options.uiTest;
    m_menu.prepareGame = preparingIn(reserves.games);
    m_window.resize(DeviceProfile::current().size().toSize());
    new TouchAreaFilter(&m_window);
    ToastAlert::shared().setHost(&m_window);
    // The player hears when games stop being saved, and when they are again.
    new SaveAlerts(m_store.status(), ToastAlert::shared(), &m_window);
}

// The window, declared last, goes first, and with it the screens that use
// everything else.
AppDelegate::~AppDelegate()
{
    m_service->challengeInPlay().setStartMatch({});
}

void AppDelegate::openMenu()
{
    if (m_window.viewControllers().isEmpty())
        m_window.pushViewController(new MenuViewController(m_menu), false);
}

void AppDelegate::performQuickAction(const QString &type, std::function<void(bool)> completion)
{
    openMenu();
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
    if (type.isEmpty())
        completion(true);
    else
        m_quickActions.request(type, std::move(completion));
}

bool AppDelegate::flush()
{
    // A report cut short here goes back to the cache, which is written next.
    if (auto kit = m_service->serviceKit()) {
        kit->backend().cancelCalls();
        kit->waitForIdle();
    }
    m_analytics.flush();
    m_store.flush();
    return m_service->flushCache();
}

} // namespace kestrune
