#include "appdelegate.h"
#include "application.h"
#include "commandline.h"
#include "quickaction.h"
#include "scriptedcodes.h"
#include "singleinstance.h"
#include "startuppreload.h"
#include "windowplacement.h"

#include "game/rx/mainscheduler.h"
#include "gameservice/network/transport/httptransportloader.h"
#include "platform/apppaths.h"
#include "platform/datafolderlock.h"
#include "platform/device/deviceprofile.h"
#include "platform/i18n/languagechoice.h"
#include "platform/i18n/translations.h"
#include "platform/resources/resources.h"
#include "platform/signalwatcher.h"
#include "platform/stallwatch.h"
#include "screens/navigation/navigationcontroller.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <optional>

using namespace kestrune;

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRUNE_VERSION));

    // Read before the application object opens a display: --help, --version
    // and a mistyped option must answer in any terminal.
    std::optional<int> exitCode;
    const CommandLine options = CommandLine::parse(CommandLine::arguments(argc, argv), exitCode);
    if (exitCode)
        return *exitCode;
    if (options.checkNetworkModule) {
        // The loader finds the module from the program's folder, which only
        // an application object knows; no display is needed.
        QCoreApplication core(argc, argv);
        QString error;
        if (!net::HttpTransportLoader::load({}, &error)) {
            std::fprintf(stderr, "kestrune: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("kestrune: the network module loads\n");
        return 0;
    }
    // A render shows nothing on screen, so it needs no display unless the
    // caller chose a platform.
    if (!options.renderTo.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Developer options, refused like a mistyped option when malformed.
    QString badVariable;
    std::optional<StallWatch> stallWatch = StallWatch::fromEnvironment(badVariable);
    std::optional<std::function<std::string()>> scriptedCodes;
    if (options.uiTest && badVariable.isEmpty())
        scriptedCodes = ScriptedCodes::parse(qEnvironmentVariable(ScriptedCodes::variable), badVariable);
    if (!badVariable.isEmpty()) {
        std::fprintf(stderr, "kestrune: %s\n", qPrintable(badVariable));
        return 2;
    }
    // The fonts and colours of the first screen are read on the other core
    // while the application object connects to the display.
    StartupPreload preload;
    Application app(argc, argv);
    // The application object ends the font configuration when it goes: the
    // preload, however early the program leaves, is over by then.
    const auto preloadDone = qScopeGuard([&preload] { preload.wait(); });
    if (stallWatch)
        app.watchStalls(&*stallWatch);

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

    // The data folder has one writer, whatever the socket below can reach:
    // the holder of its lock, to the very end of the process (static, so that
    // it outlives the shared manager's last write).
    static DataFolderLock folderLock(dataFolder);
    const DataFolderLock::Result locked = folderLock.tryLock();
    if (locked == DataFolderLock::Result::failed)
        std::fprintf(stderr, "kestrune: running without a lock: %s\n", qPrintable(folderLock.errorString()));
    const bool owner = locked != DataFolderLock::Result::held;

    // One instance per user (and data folder): a later start hands its quick
    // action to the running one, and the answer becomes its exit status.
    SingleInstance instance(SingleInstance::socketPath(options.dataFolder.isEmpty() ? QString() : dataFolder));
    if (options.renderTo.isEmpty()) {
        switch (instance.start(options.quickAction, SingleInstance::handOverTimeoutMs(),
                               owner ? SingleInstance::Mode::handOverOrListen : SingleInstance::Mode::handOverOnly)) {
        case SingleInstance::Outcome::handedOver:
            return instance.accepted() ? 0 : 1;
        case SingleInstance::Outcome::unavailable:
            if (owner)
                std::fprintf(stderr, "kestrune: later starts cannot reach this one: %s\n",
                             qPrintable(instance.errorString()));
            break;
        case SingleInstance::Outcome::listening:
            break;
        }
    }
    if (!owner) {
        const QString unreached = instance.errorString().isEmpty()
                                      ? QString()
                                      : QStringLiteral("; it cannot be reached: ") + instance.errorString();
        std::fprintf(stderr, "kestrune: %s%s\n", qPrintable(folderLock.errorString()), qPrintable(unreached));
        return 1;
    }

    // A logout, a shutdown or Ctrl+C leaves the way closing the window does:
    // what is written behind reaches the disk and the socket goes.
    SignalWatcher signalWatcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&signalWatcher, &SignalWatcher::received, &app, [] { QCoreApplication::exit(0); });

    // The language before the first widget: widgets read their texts as they are made.
    Translations translations;
    const QString language = options.language.isEmpty()
                                 ? LanguageChoice::fromUiLanguages(QLocale::system().uiLanguages())
                                 : options.language;
    if (!translations.install(language)) {
        std::fprintf(stderr, "kestrune: the %s texts could not be loaded; speaking English\n", qPrintable(language));
        translations.install(LanguageChoice::english);
    }

    DeviceProfile::setCurrent(*DeviceProfile::fromName(options.device));
    preload.wait();
    QApplication::setPalette(Resources::palette());
    // A steady caret: the sign-in field may wait over the menu for a long
    // time, and a blinking one would wake the program twice a second.
    QApplication::setCursorFlashTime(0);

    AppDelegate delegate(options, scriptedCodes ? *scriptedCodes : std::function<std::string()>());
    NavigationController &window = delegate.window();
    instance.setHandler([&delegate](const QString &action, std::function<void(bool)> reply) {
        delegate.performQuickAction(action, std::move(reply));
    });
    int quickActionStatus = 0;
    const auto performQuickAction = [&] {
        if (!options.quickAction.isEmpty()) {
            QuickAction::perform(options.quickAction, &window, rx::MainScheduler::instance(),
                                 [&quickActionStatus](bool done) { quickActionStatus = done ? 0 : 1; });
        }
    };

    if (!options.renderTo.isEmpty()) {
        delegate.openMenu();
        performQuickAction();
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        QCoreApplication::processEvents();
        const bool saved = window.grab().save(options.renderTo);
        // What the start wrote reaches the disk, as on any other exit.
        if (!delegate.flush())
            std::fprintf(stderr, "kestrune: the game-service cache could not be written\n");
        if (!saved) {
            std::fprintf(stderr, "kestrune: cannot write %s\n", qPrintable(options.renderTo));
            return 1;
        }
        return quickActionStatus;
    }
    // The desktop's screens may be smaller than the device: the window is
    // fitted to them, or goes where the player left it.
    WindowPlacement placement(window, delegate.store(), DeviceProfile::current());
    placement.place();
    // The window is mapped first and the menu made while the display shows
    // it: the menu's first frame is drawn only after the map in any case,
    // and its fonts and layout now overlap the display's work. The sync
    // sends the map to the display now, not when the event loop first waits.
    window.show();
    QGuiApplication::sync();
    delegate.openMenu();
    performQuickAction();
    int status = app.exec();
    placement.save();
    if (status == 0)
        status = quickActionStatus;
    // Everything the player was told has been kept reaches the disk before
    // the process ends (the shared manager itself lives on until exit).
    if (!delegate.flush())
        std::fprintf(stderr, "kestrune: the game-service cache could not be written\n");
    return status;
}
