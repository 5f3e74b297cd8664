#include "gamescreencollaborators.h"
#include "manualscheduler.h"

#include "app/quickaction.h"
#include "app/seguemap.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/playerprotocol.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/menu/menuenvironment.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/navigation/screenreserve.h"
#include "screens/outcome/resultviewcontrollerdelegate.h"
#include "screens/result/resultviewcontroller.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/radialmenu/radialmenu.h"
#include "views/widgets/button.h"
#include "views/widgets/dialogbutton.h"
#include "views/widgets/promptdialog.h"
#include "views/widgets/ripplebutton.h"

#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// The program's stack: the menu as root, the real segues, and every
// collaborator of the game screen in the test's hand.
struct Fixture : GameScreenCollaborators
{
    Fixture()
    {
        codes = {"1234"};
        reserves = SegueMap::install(nav, environment);
        MenuEnvironment menu;
        menu.store = &store;
        menu.uiTest = true;
        nav.pushViewController(new MenuViewController(menu), false);
        nav.resize(390, 844);
        nav.show();
    }
    ~Fixture() { actionScheduler.runAll(); }

    // The completion's answer, or none when it was not called.
    std::optional<bool> perform(const QString &type)
    {
        std::optional<bool> answer;
        QuickAction::perform(type, &nav, actionScheduler, [&answer](bool done) {
            QVERIFY(!answer);
            answer = done;
        });
        return answer;
    }
    // A match started by the action, its pause over.
    GameViewController *start(const QString &type)
    {
        perform(type);
        actionScheduler.runAll();
        return game();
    }
    GameViewController *game() const { return qobject_cast<GameViewController *>(nav.topViewController()); }
    std::size_t players() const { return game()->gameManager()->players().size(); }
    void shoot(const QString &code)
    {
        KeyboardView *keypad = game()->gameViews().first()->keyboardView();
        for (QChar digit : code)
            keypad->numericButtons().at(digit.digitValue() - 1)->click();
        keypad->shotButton()->click();
        QCoreApplication::processEvents();
    }
    PromptDialog *quitAlert() const { return nav.findChild<PromptDialog *>(QStringLiteral("QuitAlert")); }

    ManualScheduler actionScheduler; // the quick action's own; the game screen's is `scheduler`
    NavigationController nav;
    SegueMap::Reserves reserves;
};

} // namespace

class TestQuickAction : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { NavigationController::setAnimationsEnabled(true); }

    void onlyTheExactTypesAreActions_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("capitalised") << "Multiplayer";
        QTest::newRow("upper case") << "SINGLEPLAYER";
        QTest::newRow("trailing space") << "multiplayer ";
        QTest::newRow("empty") << "";
        QTest::newRow("the case name") << "twoPlayers";
    }
    void onlyTheExactTypesAreActions()
    {
        QFETCH(QString, type);
        QVERIFY(!QuickAction::fromType(type));
        Fixture f;
        QCOMPARE(f.perform(type), false);
        QCOMPARE(f.nav.viewControllers().size(), 1);
        QVERIFY(NavigationController::areAnimationsEnabled());
        QVERIFY(f.actionScheduler.pending.empty());
    }

    void withoutAStackTheActionFails()
    {
        ManualScheduler scheduler;
        bool answer = true;
        QuickAction::perform("singleplayer", nullptr, scheduler, [&answer](bool done) { answer = done; });
        QVERIFY(!answer);
    }

    // The ring's third mode has no quick action; it reaches the game screen
    // through the same segue map.
    void theMenusComputerModeStartsAMatchAgainstTheComputer()
    {
        Fixture f;
        NavigationController::setAnimationsEnabled(false);
        auto *menu = qobject_cast<MenuViewController *>(f.nav.viewControllers().first());
        QVERIFY(menu);
        RadialMenu *ring = menu->playButton();
        menu->radialMenuButtonDidSelected(*ring, ring->modeButtons().at(2), 2);
        QVERIFY(f.game());
        QVERIFY(f.game()->isAgainstComputer());
        QVERIFY(f.game()->gameManager() && f.game()->gameManager()->isAgainstComputer());
        QCOMPARE(f.players(), std::size_t(2));
    }

    void theDecidedMatchIsHandedToTheResultScreen_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("upright") << QSize(390, 844);
        QTest::newRow("turned") << QSize(844, 390);
    }

    // The game screen knows no result screen: the map gives it one, made
    // ahead while the outcome shows (upright and without the bar, as it
    // will show), with the outcome handed over; its play button starts the
    // next match there.
    void theDecidedMatchIsHandedToTheResultScreen()
    {
        QFETCH(QSize, window);
        Fixture f;
        QList<QSize> asked;
        f.environment.prepareResult = [&f, &asked](QSize size) {
            asked.append(size);
            f.reserves.results->prepare(size);
        };
        NavigationController::setAnimationsEnabled(false);
        f.nav.resize(window);
        QCOMPARE(f.perform("singleplayer"), true);
        GameViewController *game = f.game();
        QVERIFY(game);
        QVERIFY(asked.isEmpty());
        f.shoot("1234");
        const auto decided = game->gameManager();
        QVERIFY(!asked.isEmpty());
        QCOMPARE(asked.last(), QSize(390, 844));
        QTRY_VERIFY(f.reserves.results->isReady());
        f.scheduler.runAll();
        auto *result = qobject_cast<ResultViewController *>(f.nav.topViewController());
        QVERIFY(result);
        QVERIFY(!f.reserves.results->isReady() && !f.reserves.results->isPreparing());
        QCOMPARE(result->gameManager(), decided);
        QCOMPARE(result->gameResults().size(), 1);
        QVERIFY(!result->gameResults().first().isNull());
        QCOMPARE(result->delegate(), static_cast<ResultViewControllerDelegate *>(game));
        result->playButton()->click();
        QCOMPARE(f.nav.topViewController(), game);
        QVERIFY(game->gameManager() != decided);
        QVERIFY(game->gameManager()->gameState().isPending());
    }

    void onTheGameScreenARunningMatchAsksFirst_data()
    {
        QTest::addColumn<QStringList>("shots");
        QTest::addColumn<bool>("asks");
        QTest::newRow("no shot: restarts at once") << QStringList() << false;
        QTest::newRow("two shots: asks") << QStringList{"5678", "5679"} << true;
        QTest::newRow("a won match: restarts at once") << QStringList{"1234"} << false;
    }
    void onTheGameScreenARunningMatchAsksFirst()
    {
        QFETCH(QStringList, shots);
        QFETCH(bool, asks);
        Fixture f;
        GameViewController *screen = f.start("singleplayer");
        for (const QString &shot : shots)
            f.shoot(shot);
        const auto before = screen->gameManager();

        QCOMPARE(f.perform("multiplayer"), true);
        QCOMPARE(f.game(), screen); // no new screen, no pop
        QVERIFY(f.actionScheduler.pending.empty());
        QCOMPARE(bool(f.quitAlert()), asks);
        if (asks) {
            // Cancel keeps the match; asked again, Quit gives it up.
            f.quitAlert()->buttons().at(0)->click(); // "Cancel"
            QTRY_VERIFY(!f.quitAlert());
            QCOMPARE(screen->gameManager(), before);
            QCOMPARE(screen->numberOfPlayers(), 1);
            QCOMPARE(f.perform("multiplayer"), true);
            f.quitAlert()->buttons().at(1)->click(); // "Quit"
        }
        QVERIFY(screen->gameManager() != before);
        QCOMPARE(screen->numberOfPlayers(), 2);
        QCOMPARE(f.players(), std::size_t(2));
        QVERIFY(screen->gameManager()->games().front()->shots().empty());
        // The hint went with the single-player match.
        QCOMPARE(screen->navigationItem()->leftItems(),
                 (QList<BarButtonItem *>{screen->closeItem(), screen->helpItem()}));
    }

    // Face to face on a tablet player 2 may shoot first; their shots count too.
    void aMatchOnlyPlayerTwoShotInStillAsks()
    {
        Fixture f;
        GameViewController *screen = f.start("multiplayer");
        const auto before = screen->gameManager();
        QVERIFY(before->games().at(1)->shot("5678"));
        QVERIFY(before->games().front()->shots().empty());

        QCOMPARE(f.perform("singleplayer"), true);
        QVERIFY(f.quitAlert());
        QCOMPARE(screen->gameManager(), before);
        f.quitAlert()->buttons().at(1)->click(); // "Quit"
        QCOMPARE(f.players(), std::size_t(1));
        // Left like the close item leaves it, then the new match starts.
        const std::vector<std::string> names = f.analytics.names();
        QCOMPARE(std::vector<std::string>(names.end() - 2, names.end()),
                 (std::vector<std::string>{"quit_game", "start_game"}));
    }

    void aComputerMatchGivesWayToThePlainOneAsked()
    {
        Fixture f;
        GameViewController *screen = f.start("multiplayer");
        screen->setAgainstComputer(true);
        screen->setupGame();
        QVERIFY(screen->gameManager()->isAgainstComputer());
        QVERIFY(screen->computerBoardView());

        QCOMPARE(f.perform("singleplayer"), true);
        QCOMPARE(f.game(), screen);
        QVERIFY(!screen->isAgainstComputer());
        QVERIFY(!screen->gameManager()->isAgainstComputer());
        QCOMPARE(f.players(), std::size_t(1));
        QVERIFY(screen->hintButton());
        QCOMPARE(screen->navigationItem()->leftItems().size(), 2);
        QVERIFY(!screen->computerBoardView());
        QCOMPARE(screen->navigationBarItem(), NavigationBarItem::help());
    }

    // From the root, or one screen above it, the root's segue starts the
    // match; from deeper, the screen above the root is popped to alone.
    // Transitions stay instant for 0.4 s either way, then animate again.
    void aSegueFromTheRootOrAPop_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("screensAboveRoot");
        QTest::addColumn<int>("players"); // 0: no segue
        QTest::newRow("singleplayer from the root") << "singleplayer" << 0 << 1;
        QTest::newRow("multiplayer from the root") << "multiplayer" << 0 << 2;
        QTest::newRow("one above the root: the root's segue follows") << "singleplayer" << 1 << 1;
        QTest::newRow("two above the root: no segue") << "singleplayer" << 2 << 0;
    }
    void aSegueFromTheRootOrAPop()
    {
        QFETCH(QString, type);
        QFETCH(int, screensAboveRoot);
        QFETCH(int, players);
        Fixture f;
        QList<ViewController *> pushed;
        for (int i = 0; i < screensAboveRoot; ++i) {
            pushed << new ViewController;
            f.nav.pushViewController(pushed.last(), false);
        }
        QCOMPARE(f.perform(type), true);
        if (players) {
            QVERIFY(f.game());
            QCOMPARE(f.nav.viewControllers().size(), 2);
            QCOMPARE(f.players(), std::size_t(players));
            QVERIFY(!f.nav.isTransitioning());
        } else {
            QCOMPARE(f.nav.topViewController(), pushed.first());
            QCOMPARE(f.nav.viewControllers().size(), screensAboveRoot);
        }
        QVERIFY(!NavigationController::areAnimationsEnabled());
        QCOMPARE(f.actionScheduler.pending.size(), std::size_t(1));
        QCOMPARE(f.actionScheduler.pending.front().first, std::chrono::milliseconds(400));
        f.actionScheduler.runAll();
        QVERIFY(NavigationController::areAnimationsEnabled());
    }

    void aSecondActionKeepsTheFirstsPauseFromEndingItsOwn()
    {
        Fixture f;
        f.nav.pushViewController(new ViewController, false);
        f.nav.pushViewController(new ViewController, false);
        f.perform("singleplayer");
        auto first = std::move(f.actionScheduler.pending);
        f.actionScheduler.pending.clear();
        f.perform("singleplayer");
        for (auto &task : first)
            task.second();
        QVERIFY(!NavigationController::areAnimationsEnabled());
        f.actionScheduler.runAll();
        QVERIFY(NavigationController::areAnimationsEnabled());
    }
};

QTEST_MAIN(TestQuickAction)
#include "tst_quickaction.moc"
