#pragma once

#include "commandline.h"
#include "quickactiongate.h"

#include "platform/backgroundanalytics.h"
#include "platform/backgroundsyncstore.h"
#include "platform/device/screensaveridletimer.h"
#include "screens/game/gamescreenenvironment.h"
#include "screens/menu/menuenvironment.h"
#include "screens/navigation/navigationcontroller.h"

#include <functional>
#include <memory>

namespace kestrune {

class GameServiceManager;
class GameServiceMenuAdapter;
class GameServiceResultAdapter;

// The program's start, in order: the analytics are configured, the shared
// game-service manager is created, prepares its cache and synchronises, and
// then, once asked (the window may be shown first), the navigation stack
// opens on the menu. It owns what the screens work with for as long as the
// program runs, and hands quick actions to the stack. GUI thread only.
class AppDelegate
{
public:
    // The data folder must be in place; the device profile already chosen.
    // `drawCode` picks the secret codes instead of chance (scripted runs).
    explicit AppDelegate(const CommandLine &options, std::function<std::string()> drawCode = {});
    ~AppDelegate();
    AppDelegate(const AppDelegate &) = delete;
    AppDelegate &operator=(const AppDelegate &) = delete;

    NavigationController &window() { return m_window; }
    // Puts the menu at the root of the window's stack, once. The window can
    // be shown before: the menu's text is then laid out after the map, as
    // any first frame is.
    void openMenu();
    GameServiceManager &gameService() { return *m_service; }
    // The user-defaults store the screens share.
    KeyValueStore &store() { return m_store; }

    // Raises the window and performs the action ("singleplayer" or
    // "multiplayer"; empty only raises); the completion tells whether it was.
    // Actions that arrive while one is under way are coalesced into one.
    void performQuickAction(const QString &type, std::function<void(bool)> completion);

    // Writes what waits to be written; false when the cache could not be.
    bool flush();

private:
    BackgroundAnalytics m_analytics;
    BackgroundSyncStore m_store;
    GameServiceManager *m_service;
    ScreenSaverIdleTimer m_idleTimer;
    GameScreenEnvironment m_environment;
    std::unique_ptr<GameServiceMenuAdapter> m_menuService;
    std::unique_ptr<GameServiceResultAdapter> m_resultService;
    MenuEnvironment m_menu;
    QuickActionGate m_quickActions;
    NavigationController m_window;
};

} // namespace kestrune
