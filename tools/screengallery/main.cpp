// Renders the screens of a match in their typical states, for looking at them.
// Usage: QT_QPA_PLATFORM=offscreen kestrune_screen_gallery [--language CODE] [output folder]
// With a language (en, de, fr, es, ru or pseudo) the screens speak it, light
// only; the kestrune_screen_gallery_languages target renders them all.

#include "fakeclock.h"
#include "fakemenugameservice.h"
#include "manualscheduler.h"
#include "memorystore.h"
#include "playedmatch.h"

#include "game/computer/computerstatistics.h"
#include "game/computer/computerstrength.h"
#include "game/gamemanager.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/ticker.h"
#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/score.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/screens/cataloguetext.h"
#include "gameservice/screens/completionbanner.h"
#include "gameservice/screens/servicescreen.h"
#include "gameservice/screens/widgetservicescreenpresenter.h"
#include "platform/device/deviceprofile.h"
#include "platform/i18n/languagechoice.h"
#include "platform/i18n/translations.h"
#include "platform/resources/resources.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/outcome/boardsnapshot.h"
#include "screens/outcome/matchoutcome.h"
#include "screens/result/resultviewcontroller.h"
#include "screens/result/sharedialog.h"
#include "screens/statistics/statisticsviewcontroller.h"
#include "views/board/boardview.h"
#include "views/board/computerboardview.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/onboarding/onboarding.h"
#include "views/onboarding/tutorial.h"
#include "views/radialmenu/radialmenu.h"
#include "views/toast/toastalert.h"
#include "views/widgets/ripplebutton.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGraphicsView>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <deque>
#include <future>
#include <memory>
#include <tuple>

using namespace kestrune;
using namespace kestrune::test;

namespace {

constexpr qreal pixelRatio = 2.0;

// Ticks when the gallery says so.
class StepTicker final : public Ticker
{
public:
    rx::Disposable every(std::chrono::milliseconds, std::function<void()> tick) override
    {
        auto entry = std::make_shared<std::pair<std::function<void()>, bool>>(std::move(tick), true);
        m_entries.push_back(entry);
        entry->first();
        return rx::Disposable([entry] { entry->second = false; });
    }
    void tick()
    {
        const auto entries = m_entries;
        for (const auto &entry : entries) {
            if (entry->second)
                entry->first();
        }
    }

private:
    std::vector<std::shared_ptr<std::pair<std::function<void()>, bool>>> m_entries;
};

// One match on a navigation stack, driven by hand.
struct Stage
{
    Stage(int players, const DeviceProfile &device, std::deque<std::string> secretCodes = {"5831", "2746"},
          std::optional<ComputerStrength> computer = std::nullopt, bool strengthStored = true)
        : codes(std::move(secretCodes))
    {
        DeviceProfile::setCurrent(device);
        environment.game.clock = &clock;
        environment.game.store = &store;
        environment.game.drawCode = [this] {
            const std::string code = codes.front();
            codes.pop_front();
            return code;
        };
        environment.scheduler = &scheduler;
        environment.ticker = &ticker;
        environment.toast = &toast;
        store.setBoolean("hasLaunchedOnce", true);
        if (computer && strengthStored)
            ComputerStrengths::store(store, *computer);
        nav.registerSegue(QStringLiteral("result"),
                          [](const Segue &segue) { return new ResultViewController(segue.handed<MatchOutcome>()); });
        nav.setAttribute(Qt::WA_DontShowOnScreen);
        nav.resize(device.size().toSize());
        nav.pushViewController(new ViewController, false);
        nav.show();
        toast.setHost(&nav);
        screen = new GameViewController(environment);
        screen->setNumberOfPlayers(players);
        screen->setAgainstComputer(computer.has_value());
        nav.pushViewController(screen, false);
        settle();
    }

    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    void shoot(const QString &code, int view = 0, double seconds = 7)
    {
        clock.advance(seconds);
        KeyboardView *keypad = screen->gameViews().at(view)->keyboardView();
        for (QChar digit : code)
            keypad->numericButtons().at(digit.digitValue() - 1)->click();
        keypad->shotButton()->click();
        settle();
    }
    void type(const QString &code, int view = 0)
    {
        KeyboardView *keypad = screen->gameViews().at(view)->keyboardView();
        for (QChar digit : code)
            keypad->numericButtons().at(digit.digitValue() - 1)->click();
        settle();
    }
    void afterDelay()
    {
        scheduler.runAll();
        settle();
    }

    std::deque<std::string> codes;
    FakeClock clock;
    MemoryStore store;
    ManualScheduler scheduler;
    StepTicker ticker;
    ToastAlert toast;
    GameScreenEnvironment environment;
    NavigationController nav;
    GameViewController *screen = nullptr;
};

// The window with whatever floats over it (dialogs, toasts), as one picture.
void save(QWidget &window, const QString &file)
{
    // Dots, fades and toasts run in real time; let them arrive.
    QEventLoop wait;
    QTimer::singleShot(1200, &wait, &QEventLoop::quit);
    wait.exec();
    QImage image((QSizeF(window.size()) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    window.render(&image);
    QPainter painter(&image);
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top == &window || !top->isVisible() || top->graphicsProxyWidget())
            continue;
        const QPoint at = top->geometry().topLeft() - window.geometry().topLeft();
        if (qobject_cast<QDialog *>(top))
            painter.fillRect(QRect(QPoint(0, 0), window.size()), QColor(0, 0, 0, 90));
        painter.save();
        painter.translate(qobject_cast<QDialog *>(top)
                              ? QPoint((window.width() - top->width()) / 2, (window.height() - top->height()) / 2)
                              : at);
        top->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.restore();
    }
    painter.end();
    if (!image.save(file))
        std::fprintf(stderr, "kestrune_screen_gallery: cannot write %s\n", qPrintable(file));
}

// The menu as the root of a stack, with a record of games and a game
// service that is or is not available.
struct MenuStage
{
    MenuStage(const DeviceProfile &device, bool serviceAvailable, std::int64_t games, std::int64_t wins)
    {
        DeviceProfile::setCurrent(device);
        store.setInteger("games", games);
        store.setInteger("wins", wins);
        environment.store = &store;
        environment.gameService = &service;
        screen = new MenuViewController(environment);
        nav.pushViewController(screen, false);
        nav.resize(device.size().toSize());
        nav.show();
        service.available.onNext(serviceAvailable);
    }

    MemoryStore store;
    FakeMenuGameService service;
    MenuEnvironment environment;
    NavigationController nav;
    MenuViewController *screen = nullptr;
};

void renderMenus(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    for (auto [device, name] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"},
          std::pair{DeviceProfile::tallPhone(), "tall-phone"}, std::pair{DeviceProfile::smallPhone(), "small-phone"}}) {
        const QString device_ = QString::fromLatin1(name);
        {
            MenuStage s(device, true, 6, 3);
            save(s.nav, file(QStringLiteral("menu-%1").arg(device_)));
            s.screen->playButton()->click();
            save(s.nav, file(QStringLiteral("menu-%1-open").arg(device_)));
        }
        {
            MenuStage s(device, false, 0, 0);
            save(s.nav, file(QStringLiteral("menu-%1-no-service").arg(device_)));
        }
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

// A decided match's result screen on a stack of the device's size, with
// board pictures of `board` size as the game screen would take them.
struct ResultStack
{
    NavigationController nav;
    ResultViewController *result = new ResultViewController;
    QList<QImage> boards;

    ResultStack(std::shared_ptr<GameManaging> match, const DeviceProfile &device, QSize board)
    {
        DeviceProfile::setCurrent(device);
        nav.setAttribute(Qt::WA_DontShowOnScreen);
        nav.resize(device.size().toSize());
        nav.pushViewController(new ViewController, false);
        nav.show();
        result->setGameManager(match);
        for (const auto &game : match->games())
            boards.append(BoardSnapshot::render(game, board));
        result->setGameResults(boards);
        nav.pushViewController(result, false);
    }
};

void saveResult(std::shared_ptr<GameManaging> match, const DeviceProfile &device, const QString &file)
{
    ResultStack stack(std::move(match), device, device.isTablet() ? QSize(360, 560) : QSize(300, 420));
    save(stack.nav, file);
}

// Player 1 shoots `shots` in turn, the computer answers each; stops when decided.
std::shared_ptr<GameManaging> computerMatch(std::deque<std::string> codes, const std::vector<std::string> &shots,
                                            FakeClock &clock)
{
    GameEnvironment environment;
    environment.clock = &clock;
    auto drawn = std::make_shared<std::deque<std::string>>(std::move(codes));
    environment.drawCode = [drawn] {
        const std::string code = drawn->front();
        drawn->pop_front();
        return code;
    };
    std::shared_ptr<GameManaging> match = GameManager::createAgainstComputer(ComputerStrength::normal, environment);
    match->codes();
    for (std::size_t i = 0; i < shots.size() && match->gameState().isPending(); ++i) {
        clock.advance(9);
        match->currentGame()->shot(shots[i]);
        while (match->isComputerTurn())
            match->playComputerShot();
    }
    return match;
}

void renderComputerResults(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    for (const auto &[device, deviceName] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"},
          std::pair{DeviceProfile::smallPhone(), "small-phone"}}) {
        const QString name = QString::fromLatin1(deviceName);
        FakeClock clock;
        saveResult(computerMatch({"5831", "2746"}, {"1234", "5831"}, clock), device,
                   file(QStringLiteral("result-computer-you-won-%1").arg(name)));
        saveResult(computerMatch({"5831", "1234"},
                                 {"9876", "9875", "9874", "9873", "9872", "9871", "9865", "9864", "9863", "9862"},
                                 clock),
                   device, file(QStringLiteral("result-computer-won-%1").arg(name)));

        GameEnvironment environment;
        environment.clock = &clock;
        environment.drawCode = [] { return std::string("5831"); };
        std::shared_ptr<GameManaging> single = GameManager::create(1, environment);
        single->codes();
        single->currentGame()->shot("1234");
        // No background runner here: the hint is answered, and used up, at once.
        single->requestHint([](std::optional<Hint>) {});
        clock.advance(40);
        single->currentGame()->shot("5831");
        saveResult(single, device, file(QStringLiteral("result-assisted-won-%1").arg(name)));
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

// Every outcome of a match on a phone and a tablet, its cards closed and slid
// apart, and the share dialog of a match of one player.
void renderResultStates(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    const std::vector<std::string> misses{"5679", "1243", "2134", "3412", "4321",
                                          "1235", "5612", "7891", "9876", "2143"};
    const std::vector<std::string> otherMisses{"1234", "5687", "6578", "7856", "8765",
                                               "5679", "6587", "1256", "9875", "5876"};
    auto winAfter = [](std::vector<std::string> shots, std::size_t at, const std::string &code) {
        shots[at] = code;
        return shots;
    };
    struct State
    {
        const char *name;
        std::vector<std::string> codes;
        std::vector<std::vector<std::string>> shots;
        double secondsPerShot;
    };
    const std::vector<State> states{
        {"won", {"1234"}, {winAfter(misses, 6, "1234")}, 45.0 / 6},
        {"lost", {"1234"}, {misses}, 9},
        {"lost-two-players", {"1234", "5678"}, {misses, otherMisses}, 8},
        {"tie", {"1234", "5678"}, {winAfter(misses, 4, "1234"), winAfter(otherMisses, 4, "5678")}, 6},
        {"won-by-player-2", {"1234", "5678"}, {misses, winAfter(otherMisses, 5, "5678")}, 7},
    };
    for (const auto &[device, deviceName] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"}}) {
        for (const State &state : states) {
            FakeClock clock;
            const auto match = playedMatch(state.codes, state.shots, clock, state.secondsPerShot);
            ResultStack stack(match, device, device.isTablet() ? QSize(300, 420) : QSize(240, 340));
            NavigationController &nav = stack.nav;
            ResultViewController *result = stack.result;
            const QString name = QStringLiteral("%1-%2").arg(QLatin1String(state.name), QLatin1String(deviceName));
            save(nav, file(QStringLiteral("outcome-") + name));
            for (auto card : {ResultViewController::Card::left, ResultViewController::Card::right})
                result->setCardOffset(card, result->leftGameResultView()->width() + 15);
            save(nav, file(QStringLiteral("outcome-%1-open").arg(name)));
            if (state.codes.size() == 1) {
                // The dialog alone: drawn over the window it would lose its background.
                ShareDialog dialog(stack.boards.front(), result->shareText());
                dialog.setAttribute(Qt::WA_DontShowOnScreen);
                dialog.show();
                QCoreApplication::processEvents();
                if (!dialog.grab().save(file(QStringLiteral("share-") + name)))
                    std::fprintf(stderr, "kestrune_screen_gallery: cannot write the share dialog of %s\n",
                                 qPrintable(name));
            }
        }
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

// The tutorial's pages over a bare window on the devices the game screen's
// pictures leave out.
void renderTutorialPages(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    for (const auto &[device, deviceName] :
         {std::pair{DeviceProfile::smallPhone(), "small-phone"}, std::pair{DeviceProfile::tablet(), "tablet"}}) {
        DeviceProfile::setCurrent(device);
        QWidget host;
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.setAutoFillBackground(true);
        host.resize(device.size().toSize());
        host.show();
        Onboarding *tutorial = Tutorial::create(&host);
        tutorial->open();
        for (int page = 0; page < tutorial->pageCount(); ++page) {
            tutorial->goToPage(page, false);
            save(host, file(QStringLiteral("tutorial-%1-page%2").arg(QLatin1String(deviceName)).arg(page + 1)));
        }
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

// A match against the computer in its middle, on a phone and a tablet, and
// the strength choice that opens when none was made yet.
void renderComputerMatches(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    for (auto [device, name] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"},
          std::pair{DeviceProfile::smallPhone(), "small-phone"}}) {
        Stage s(2, device, {"5831", "2746"}, ComputerStrength::hard);
        save(s.nav, file(QStringLiteral("computer-%1-start").arg(QLatin1String(name))));
        for (const char *shot : {"1234", "5678", "5813"}) {
            s.shoot(shot);
            s.afterDelay();
        }
        s.type("58");
        save(s.nav, file(QStringLiteral("computer-%1").arg(QLatin1String(name))));
        s.type("31");
        s.shoot("");
        save(s.nav, file(QStringLiteral("computer-%1-thinking").arg(QLatin1String(name))));
    }
    // The phone's computer board opened to all of its shots.
    for (auto [device, name] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::smallPhone(), "small-phone"}}) {
        Stage s(2, device, {"5831", "9876"}, ComputerStrength::normal);
        for (const char *shot : {"1234", "5678", "5813", "5821", "5832"}) {
            s.shoot(shot);
            s.afterDelay();
        }
        s.screen->computerBoardView()->setExpanded(true);
        QCoreApplication::processEvents();
        save(s.nav, file(QStringLiteral("computer-%1-expanded").arg(QLatin1String(name))));
    }
    {
        Stage s(2, DeviceProfile::phone(), {"5831", "2746"}, ComputerStrength::normal, false);
        save(s.nav, file("computer-strength-dialog"));
        for (QDialog *dialog : s.nav.findChildren<QDialog *>())
            dialog->reject();
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

// The game service's own screens, on the local service: the sign-in
// dialog over the menu's window, each tab of the service screen with a
// score and an achievement in it, and an achievement's banner.
void renderServiceScreens(const QString &folder, const QString &prefix)
{
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    for (const auto &[device, deviceName] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"}}) {
        const QString name = QString::fromLatin1(deviceName);
        DeviceProfile::setCurrent(device);
        QTemporaryDir dir;
        const QString serviceFile = GameServiceEnvironment::serviceFileName(dir.path());
        {
            auto kit = ServiceKit::create(
                std::make_shared<LocalServiceBackend>(serviceFile, GameServiceEnvironment::catalogue()));
            auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
            kit->setScreenPresenter(presenter);
            // Handed over on a service thread when nobody is signed in.
            auto handedOver = std::make_shared<std::promise<std::shared_ptr<SignInViewController>>>();
            auto once = std::make_shared<std::once_flag>();
            kit->localPlayer().setAuthenticateHandler([handedOver, once](auto screen, auto) {
                if (screen)
                    std::call_once(*once, [&] { handedOver->set_value(screen); });
            });
            auto future = handedOver->get_future();
            if (future.wait_for(std::chrono::seconds(30)) == std::future_status::ready) {
                QWidget window;
                window.setAttribute(Qt::WA_DontShowOnScreen);
                window.resize(device.size().toSize());
                window.setAutoFillBackground(true);
                window.show();
                const auto screen = future.get();
                screen->present(&window, false, {});
                save(window, file(QStringLiteral("service-sign-in-%1").arg(name)));
                screen->dismiss(false, {});
            }
            kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
            kit->waitForIdle();
        }
        auto backend = std::make_shared<LocalServiceBackend>(serviceFile, GameServiceEnvironment::catalogue());
        OptionalError error;
        const ServiceBackend::Player ada = backend->signIn(QStringLiteral("Ada"), error);
        Score score(QStringLiteral("sp_leaderboard"));
        score.setValue(812);
        backend->reportScore(ada.playerID, score, error);
        auto kit = ServiceKit::create(backend);
        kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        kit->waitForIdle();
        ServiceScreen screen(std::make_shared<GameServiceViewController>(kit));
        screen.setAttribute(Qt::WA_DontShowOnScreen);
        screen.resize(device.size().toSize());
        screen.show();
        for (int tab = 0; tab < screen.tabs()->count(); ++tab) {
            screen.tabs()->setCurrentIndex(tab);
            kit->waitForIdle();
            save(screen, file(QStringLiteral("service-tab%1-%2").arg(tab + 1).arg(name)));
        }
        screen.dismissNow();

        QWidget window;
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.resize(device.size().toSize());
        window.setAutoFillBackground(true);
        window.show();
        const ServiceCatalogue::AchievementDescription first = GameServiceEnvironment::catalogue().achievement("1won");
        new CompletionBanner(CatalogueText::achievementTitle(first.identifier, first.title),
                             CatalogueText::achievementDescription(first.identifier, first.description), &window);
        save(window, file(QStringLiteral("service-banner-%1").arg(name)));
    }
    DeviceProfile::setCurrent(DeviceProfile::phone());
}

void renderAll(const QString &folder, const QString &prefix)
{
    renderServiceScreens(folder, prefix);
    auto file = [&](const QString &name) { return QDir(folder).filePath(prefix + name + QStringLiteral(".png")); };
    renderComputerMatches(folder, prefix);
    if (qEnvironmentVariableIsSet("KESTRUNE_GALLERY_COMPUTER_ONLY"))
        return;
    renderMenus(folder, prefix);
    if (qEnvironmentVariableIsSet("KESTRUNE_GALLERY_MENU_ONLY"))
        return;
    renderComputerResults(folder, prefix);
    if (qEnvironmentVariableIsSet("KESTRUNE_GALLERY_COMPUTER_ONLY"))
        return;
    renderResultStates(folder, prefix);
    renderTutorialPages(folder, prefix);
    {
        Stage s(1, DeviceProfile::phone());
        save(s.nav, file("game-waiting"));
        s.shoot("1234");
        s.shoot("5813");
        s.type("58");
        for (int i = 0; i < 15; ++i)
            s.ticker.tick();
        save(s.nav, file("game-clock"));
        s.screen->showHint();
        save(s.nav, file("game-hint"));
        s.screen->closeItem()->trigger();
        save(s.nav, file("quit-dialog"));
        for (QDialog *dialog : s.nav.findChildren<QDialog *>())
            dialog->reject();
        s.screen->showTutorial();
        auto *tutorial = s.nav.findChild<Onboarding *>();
        for (int page = 0; tutorial && page < tutorial->pageCount(); ++page) {
            tutorial->goToPage(page, false);
            save(s.nav, file(QStringLiteral("tutorial-%1").arg(page + 1)));
        }
        delete tutorial;
        // The hint left its suggestion in the keypad; the winning shot replaces it.
        s.screen->gameViews().first()->keyboardView()->setCode(QString());
        s.shoot("5831", 0, 31);
        s.afterDelay();
        save(s.nav, file("result-won"));
    }
    {
        Stage s(2, DeviceProfile::phone());
        s.shoot("1234");
        s.afterDelay();
        save(s.nav, file("two-players-handover"));
        s.toast.dismiss(nullptr);
    }
    {
        Stage s(2, DeviceProfile::tablet());
        s.shoot("1234");
        s.afterDelay();
        s.screen->simultaneousItem()->trigger();
        s.nav.resize(DeviceProfile::current().size().toSize());
        s.type("92", 0);
        s.shoot("7246", 1);
        save(s.nav, file("simultaneous-tablet"));
    }
    {
        Stage s(1, DeviceProfile::phone());
        for (const char *shot : {"1234", "5678", "9123", "4567", "8912", "3456", "7891", "2345", "6789", "1357"})
            s.shoot(shot);
        s.afterDelay();
        save(s.nav, file("result-lost"));
    }
    {
        Stage s(2, DeviceProfile::phone(), {"1234", "1234"});
        s.shoot("1234");
        s.afterDelay();
        s.shoot("1234");
        s.afterDelay();
        save(s.nav, file("result-tie"));
    }
    {
        Stage s(2, DeviceProfile::phone(), {"1234", "5678"});
        s.shoot("4321");
        s.afterDelay();
        s.shoot("5678");
        s.afterDelay();
        s.shoot("1243");
        s.afterDelay();
        save(s.nav, file("result-two-players"));
    }
    // The statistics, before any game and after a good many, on both devices.
    for (const auto &[device, deviceName] :
         {std::pair{DeviceProfile::phone(), "phone"}, std::pair{DeviceProfile::tablet(), "tablet"}}) {
        for (const bool filled : {false, true}) {
            DeviceProfile::setCurrent(device);
            MemoryStore store;
            if (filled) {
                store.setInteger("games", 128);
                store.setInteger("wins", 83);
                store.setInteger("losses", 45);
                store.setInteger("secondsSpentInGame", 19507);
                store.setInteger("secondsSpentInWonGames", 11020);
                using O = ComputerStatistics::Outcome;
                for (const auto &[strength, outcome, times] :
                     {std::tuple{ComputerStrength::easy, O::win, 7}, std::tuple{ComputerStrength::easy, O::loss, 1},
                      std::tuple{ComputerStrength::normal, O::win, 3}, std::tuple{ComputerStrength::normal, O::loss, 2},
                      std::tuple{ComputerStrength::normal, O::tie, 1}}) {
                    for (int i = 0; i < times; ++i)
                        ComputerStatistics::add(store, strength, outcome);
                }
            }
            NavigationController nav;
            nav.setAttribute(Qt::WA_DontShowOnScreen);
            nav.resize(device.size().toSize());
            nav.pushViewController(new ViewController, false);
            nav.show();
            nav.pushViewController(new StatisticsViewController(store), false);
            save(nav, file(QStringLiteral("statistics-%1-%2")
                               .arg(QLatin1String(deviceName),
                                    filled ? QStringLiteral("filled") : QStringLiteral("empty"))));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    QString language;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("--language")) {
        language = arguments.at(1);
        arguments = arguments.mid(2);
    }
    // English unless asked: its catalogue holds the plural forms.
    Translations translations;
    if (!translations.install(language.isEmpty() ? LanguageChoice::english : language)) {
        std::fprintf(stderr, "kestrune_screen_gallery: unknown language '%s' (%s)\n", qPrintable(language),
                     qPrintable(LanguageChoice::codes().join(QStringLiteral(", "))));
        return 2;
    }
    const QString folder = arguments.isEmpty() ? QStringLiteral("screen-gallery") : arguments.first();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kestrune_screen_gallery: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (auto [scheme, name] :
         {std::pair{Resources::ColorScheme::light, "light"}, std::pair{Resources::ColorScheme::dark, "dark"}}) {
        // A language's layouts are the same in the dark.
        if (!language.isEmpty() && scheme == Resources::ColorScheme::dark)
            break;
        Resources::setColorScheme(scheme);
        QApplication::setPalette(Resources::palette());
        renderAll(folder, QString::fromLatin1(name) + QLatin1Char('-'));
    }
    return 0;
}
