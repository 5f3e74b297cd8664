#include "accessibilityrecorder.h"
#include "gamescreencollaborators.h"
#include "manualbackground.h"
#include "resizerecorder.h"

#include "game/game.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/ticker.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/game/hintbutton.h"
#include "screens/game/upsidedownview.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationbar.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/outcome/matchoutcome.h"
#include "screens/result/resultviewcontroller.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/dots/turnview.h"
#include "views/keyboard/keyboardview.h"
#include "views/onboarding/onboarding.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"
#include "views/widgets/button.h"
#include "views/widgets/dialogbutton.h"
#include "views/widgets/overlaystack.h"
#include "views/widgets/promptdialog.h"
#include "views/widgets/ripplebutton.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// A navigation stack with a plain root and the game screen pushed on it, on
// a device of the test's choosing, with every collaborator in the test's hand.
struct Fixture : GameScreenCollaborators
{
    explicit Fixture(int players, const DeviceProfile &device = DeviceProfile::phone(), bool launchedBefore = true,
                     bool realTicks = false, bool hintsElsewhere = false)
    {
        if (hintsElsewhere)
            environment.game.background = background.runner();
        if (realTicks)
            environment.ticker = nullptr;
        if (!launchedBefore)
            store.remove("hasLaunchedOnce");
        DeviceProfile::setCurrent(device);
        nav.registerSegue(QStringLiteral("result"),
                          [](const Segue &segue) { return new ResultViewController(segue.handed<MatchOutcome>()); });
        nav.pushViewController(new ViewController, false);
        nav.resize(device.size().toSize());
        nav.show();
        toast.setHost(&nav);
        screen = new GameViewController(environment);
        screen->setNumberOfPlayers(players);
        nav.pushViewController(screen, false);
    }

    KeyboardView *keypad(int view = 0) const { return screen->gameViews().at(view)->keyboardView(); }
    std::shared_ptr<GameProtocol> game(int player) const { return screen->gameManager()->games().at(player - 1); }
    std::shared_ptr<GameProtocol> shownGame() const { return screen->gameViews().first()->boardView()->game(); }

    // Types a shot on the keypad's buttons and sends it.
    void shoot(const QString &code, int view = 0)
    {
        KeyboardView *k = keypad(view);
        for (QChar digit : code)
            k->numericButtons().at(digit.digitValue() - 1)->click();
        k->shotButton()->click();
        QCoreApplication::processEvents(); // the keypads go dark one loop turn later
    }
    // The deferred step of the last shot.
    void afterDelay() { scheduler.runAll(); }

    bool keypadDark(int view = 0) const
    {
        const auto buttons = keypad(view)->numericButtons();
        return std::none_of(buttons.begin(), buttons.end(), [](auto *b) { return b->isEnabled(); })
               && !keypad(view)->shotButton()->isEnabled() && !keypad(view)->backspaceButton()->isEnabled();
    }
    QWidget *rightItemWidget() const
    {
        BarButtonItem *item = screen->navigationItem()->rightItem();
        return item ? nav.navigationBar()->widgetFor(item) : nullptr;
    }
    PromptDialog *quitAlert() const { return nav.findChild<PromptDialog *>(QStringLiteral("QuitAlert")); }
    PromptDialog *hintAlert() const { return nav.findChild<PromptDialog *>(QStringLiteral("HintAlert")); }
    ToastAlertView *toastCard() const
    {
        return toast.bgWindow() ? toast.bgWindow()->findChild<ToastAlertView *>() : nullptr;
    }

    ManualBackground background;
    NavigationController nav;
    GameViewController *screen = nullptr;
};

} // namespace

class TestGameScreen : public QObject
{
    Q_OBJECT

private slots:
    void init() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    void singlePlayerGoesFromHelpToClockToResult()
    {
        Fixture f(1);
        QCOMPARE(f.screen->objectName(), "GameViewController:1");
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::help());
        QCOMPARE(f.rightItemWidget()->objectName(), "Help");
        f.ticker.tick();
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::help()); // silent before the first shot

        // The hardware keys type on the keypad.
        QTest::keyClicks(f.screen, "56");
        QTest::keyClick(f.screen, Qt::Key_Backspace);
        QCOMPARE(f.keypad()->code(), "5");
        QTest::keyClicks(f.screen, "678");
        QTest::keyClick(f.screen, Qt::Key_Return);
        QCOMPARE(f.game(1)->shots().size(), std::size_t(1));
        QVERIFY(f.idleTimer.isIdleTimerDisabled());
        f.ticker.tick();
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::timer());
        QCOMPARE(f.rightItemWidget(), f.screen->timerLabel());
        QCOMPARE(f.screen->timerLabel()->text(), "0:00");
        QCOMPARE(f.ticker.lastInterval(), std::chrono::milliseconds(1000));
        f.ticker.tick();
        f.ticker.tick();
        QCOMPARE(f.screen->timerLabel()->text(), "0:02");
        QVERIFY(!f.keypadDark());

        f.shoot("1234");
        QVERIFY(f.keypadDark());
        QVERIFY(!f.idleTimer.isIdleTimerDisabled());
        f.ticker.tick();
        QCOMPARE(f.screen->timerLabel()->text(), "0:02"); // the clock stopped with the game
        QCOMPARE(f.ticker.liveCount(), 0);

        QCOMPARE(f.nav.topViewController(), f.screen); // nothing before the delay
        QCOMPARE(f.scheduler.pending.back().first, std::chrono::milliseconds(1500));
        f.afterDelay();
        auto *result = qobject_cast<ResultViewController *>(f.nav.topViewController());
        QVERIFY(result);
        QCOMPARE(result->gameResults().size(), 1);
        QVERIFY(!result->gameResults().first().isNull());
        // No denser than the window shows it: a 2x picture on a 1x screen
        // held megabytes nobody saw.
        QCOMPARE(result->gameResults().first().devicePixelRatio(), f.screen->devicePixelRatioF());
        QCOMPARE(result->gameResults().first().size(), f.screen->gameViews().first()->boardView()->size());
        QCOMPARE(result->gameManager(), f.screen->gameManager());
    }

    void twoPlayersHandTheDeviceOverAfterEachShot()
    {
        Fixture f(2);
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::turn(1));
        QCOMPARE(f.screen->turnView()->label()->text(), "P1");

        // Hints are for a single player only.
        QVERIFY(!f.screen->hintButton());
        QCOMPARE(f.screen->navigationItem()->leftItems(),
                 (QList<BarButtonItem *>{f.screen->closeItem(), f.screen->helpItem()}));
        QTest::keyClick(f.screen, Qt::Key_H);
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 0);

        f.shoot("5678");
        QVERIFY(f.keypadDark());            // at once
        QCOMPARE(f.shownGame(), f.game(1)); // until the delay is over
        QVERIFY(f.toast.alertQueue().isEmpty() && !f.toast.isAlertActive());

        f.afterDelay();
        QCOMPARE(f.shownGame(), f.game(2));
        QCOMPARE(f.screen->gameViews().first()->boardView()->row(), 0);
        const auto digits = f.keypad()->numericButtons();
        QVERIFY(std::all_of(digits.begin(), digits.end(), [](auto *b) { return b->isEnabled(); }));
        QVERIFY(!f.keypad()->shotButton()->isEnabled());
        QVERIFY(!f.keypad()->backspaceButton()->isEnabled());
        QVERIFY(f.toast.isAlertActive());
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::turn(2));
        QCOMPARE(f.screen->turnView()->label()->text(), "P2");
        auto *card = f.toastCard();
        QVERIFY(card);
        QCOMPARE(card->title(), "Pass your device\nto Player 2");
        QCOMPARE(card->iconName(), "Pass To Player 2");
        QCOMPARE(card->duration(), std::optional<double>(1.5));
        QVERIFY(card->dismissesOnTap());

        // Player 2's shot goes to player 2's game, and the device goes back.
        f.shoot("1243");
        QCOMPARE(f.game(2)->shots().size(), std::size_t(1));
        f.afterDelay();
        QCOMPARE(f.shownGame(), f.game(1));
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::turn(1));
    }

    void theSecondPlayerGetsTheCatchUpShot()
    {
        Fixture f(2);
        for (const char *miss : {"2143", "3412"}) {
            f.shoot(miss);
            f.afterDelay();
            f.shoot(miss);
            f.afterDelay();
        }
        f.shoot("1234"); // player 1 breaks the code on the third shot
        QVERIFY(f.game(1)->isWon());
        QVERIFY(f.screen->gameManager()->gameState().isPending());
        QVERIFY(f.keypadDark());
        f.afterDelay();
        QCOMPARE(f.shownGame(), f.game(2));
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::turn(2));
        QVERIFY(!f.keypadDark());

        f.shoot("1234"); // player 2 misses the catch-up shot
        QCOMPARE(f.screen->gameManager()->gameState().kind(), GameState::Kind::won);
        QVERIFY(f.keypadDark());
        f.afterDelay();
        QVERIFY(qobject_cast<ResultViewController *>(f.nav.topViewController()));
        QCOMPARE(f.scheduler.pending.size(), std::size_t(0));
    }

    // The close item and the window's close leave at once before the first
    // shot; after it they ask, and Cancel leaves the match, and its clock,
    // running.
    void closingAsksOnlyOnceAShotIsMade_data()
    {
        QTest::addColumn<bool>("window"); // the window's close rather than the close item
        QTest::addColumn<int>("players");
        QTest::addColumn<bool>("shot");
        QTest::newRow("close item, no shot") << false << 1 << false;
        QTest::newRow("close item after a shot") << false << 1 << true;
        QTest::newRow("window, no shot") << true << 2 << false;
        QTest::newRow("window after a shot") << true << 2 << true;
    }
    void closingAsksOnlyOnceAShotIsMade()
    {
        QFETCH(bool, window);
        QFETCH(int, players);
        QFETCH(bool, shot);
        Fixture f(players);
        QCOMPARE(f.screen->closeItem()->accessibilityIdentifier(), "Close");
        const auto close = [&] {
            if (window)
                return f.nav.close();
            f.screen->closeItem()->trigger();
            return false;
        };
        const auto gone = [&] { return window ? !f.nav.isVisible() : f.nav.topViewController() != f.screen; };
        if (!shot) {
            QCOMPARE(close(), window);
            QVERIFY(!f.quitAlert());
            QVERIFY(gone());
            QCOMPARE(f.analytics.names(), (std::vector<std::string>{"start_game"}));
            return;
        }
        f.shoot("5678");
        QVERIFY(!close());
        PromptDialog *alert = f.quitAlert();
        QVERIFY(alert);
        QCOMPARE(alert->title(), "Do you want to quit?");
        QCOMPARE(alert->message(), "All progress will be lost.");
        QCOMPARE(alert->buttons().size(), 2);
        QCOMPARE(alert->buttons().at(0)->text(), "Cancel");
        QCOMPARE(alert->buttons().at(1)->text(), "Quit");
        QCOMPARE(alert->buttons().at(1)->titleColor(), Resources::color("systemRed"));

        alert->buttons().at(0)->click();
        QTRY_VERIFY(!f.quitAlert());
        QVERIFY(!gone());
        QCOMPARE(f.nav.topViewController(), f.screen);
        if (players == 1) {
            f.ticker.tick();
            f.ticker.tick();
            QCOMPARE(f.screen->timerLabel()->text(), "0:01");
        }
        QCOMPARE(f.analytics.names(), (std::vector<std::string>{"start_game"}));

        QVERIFY(!close());
        f.quitAlert()->buttons().at(1)->click();
        QTRY_VERIFY(gone());
        QCOMPARE(f.analytics.names(), (std::vector<std::string>{"start_game", "quit_game"}));
        if (!window) // off the stack, the screen gives the screen saver back
            QVERIFY(!f.idleTimer.isIdleTimerDisabled());
    }

    void simultaneousPlayOnATablet()
    {
        Fixture f(2, DeviceProfile::tablet());
        const QList<BarButtonItem *> left = f.screen->navigationItem()->leftItems();
        QCOMPARE(left.size(), 3);
        QCOMPARE(left.at(1)->accessibilityIdentifier(), "Simultaneous");
        QCOMPARE(left.last(), f.screen->helpItem());
        QVERIFY(!f.screen->prefersStatusBarHidden());

        f.shoot("5678");
        f.afterDelay();
        left.at(1)->trigger();
        QVERIFY(f.screen->isSimultaneous());
        QVERIFY(f.screen->prefersStatusBarHidden());
        QVERIFY(f.nav.isNavigationBarHidden());
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::none());
        QCOMPARE(f.screen->supportedInterfaceOrientations(), InterfaceOrientation::landscapeRight);
        QVERIFY(DeviceProfile::current().isLandscape());
        // The window lies on its side (fitted to the test's small screen).
        QVERIFY(f.nav.width() > f.nav.height());
        QCOMPARE(f.screen->gameViews().at(0)->boardView()->game(), f.game(1));
        QCOMPARE(f.screen->gameViews().at(1)->boardView()->game(), f.game(2));
        QCOMPARE(f.screen->closeButton()->objectName(), "Close");
        QCOMPARE(f.screen->singleButton()->objectName(), "Single");
        QCOMPARE(f.screen->closeButton()->geometry().center().y() - f.screen->singleButton()->geometry().center().y(),
                 60);
        QCOMPARE(f.screen->closeButton()->width(), 47);

        // Player 1's board is upside down and still takes taps where they are drawn.
        auto *turned = f.screen->findChild<UpsideDownView *>();
        QVERIFY(turned);
        QTRY_VERIFY(turned->isVisible());
        RippleButton *one = f.keypad(0)->numericButtons().at(0);
        const QPoint inContent = one->mapTo(f.screen->gameViews().at(0), one->rect().center());
        const QPoint inView(turned->viewport()->width() - 1 - inContent.x(),
                            turned->viewport()->height() - 1 - inContent.y());
        QVERIFY(qAbs(turned->mapToContent(inView).x() - inContent.x()) <= 1.0);
        QTest::mouseClick(turned->viewport(), Qt::LeftButton, {}, inView);
        QCOMPARE(f.keypad(0)->code(), "1");
        // Both play at once; hardware keys go to neither keypad.
        QTest::keyClick(f.screen, Qt::Key_2);
        QTest::keyClick(f.keypad(1), Qt::Key_2);
        QCOMPARE(f.keypad(0)->code(), "1");
        QCOMPARE(f.keypad(1)->code(), "");

        // Back to one board: the player who has shot less, upright, in portrait.
        f.screen->singleButton()->click();
        QVERIFY(!f.screen->isSimultaneous());
        QVERIFY(!f.screen->closeButton() && !f.screen->singleButton());
        // The turned side leaves the screen at once, and is taken apart later.
        for (const auto *leaving : f.screen->findChildren<UpsideDownView *>())
            QVERIFY(!leaving->isVisibleTo(f.screen));
        QTRY_VERIFY(!f.screen->findChild<UpsideDownView *>());
        QCOMPARE(f.shownGame(), f.game(2));
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::turn(2));
        QVERIFY(!f.nav.isNavigationBarHidden());
        QCOMPARE(f.screen->supportedInterfaceOrientations(), InterfaceOrientation::portrait);
        QVERIFY(!DeviceProfile::current().isLandscape());
        QVERIFY(f.screen->gameViews().first()->isVisibleTo(f.screen));
    }

    // The result stands the window upright while the game screen slides away
    // under it: the boards must leave upright, not squashed side by side into
    // a portrait window, and "Play again" brings the players back face to face.
    void aFaceToFaceMatchLeavesUprightAndComesBackFaceToFace()
    {
        Fixture f(2, DeviceProfile::tablet());
        f.screen->toggleSimultaneous();
        QVERIFY(f.screen->isSimultaneous());
        QCoreApplication::processEvents();

        ResizeRecorder resizes;
        const QList<GameView *> views = f.screen->gameViews();
        for (GameView *view : views)
            resizes.watch(view);

        f.shoot("1234", 0);
        f.shoot("5678", 1);
        f.afterDelay();
        // The table is cleared first, unseen; player 1's board comes back
        // upright in an event of its own, and the result comes next.
        QVERIFY(f.nav.topViewController() == f.screen);
        QCOMPARE(f.screen->gameViews().size(), 1);
        QVERIFY(!f.screen->updatesEnabled());
        GameView *first = f.screen->gameViews().first();
        QVERIFY(!f.screen->isAncestorOf(first));
        QTRY_VERIFY(f.screen->isAncestorOf(first) && first->isVisibleTo(f.screen));
        QVERIFY(f.nav.topViewController() == f.screen);
        f.afterDelay();
        auto *result = qobject_cast<ResultViewController *>(f.nav.topViewController());
        QVERIFY(result);
        QVERIFY(f.screen->updatesEnabled());
        QCOMPARE(result->gameResults().size(), 2);
        QVERIFY(!DeviceProfile::current().isLandscape());
        QCOMPARE(f.screen->gameViews().size(), 1);
        QTRY_VERIFY(!f.screen->findChild<UpsideDownView *>());
        QTRY_VERIFY(!f.screen->isVisible()); // the slide is over
        QList<QSize> sizes;
        for (GameView *view : views)
            sizes += resizes.sizes(view);
        QVERIFY(!sizes.isEmpty());
        for (QSize size : sizes)
            QVERIFY2(size.width() * 2 > f.nav.width(), qPrintable(QString::number(size.width())));

        const auto ended = f.screen->gameManager();
        auto *again = result->findChild<QAbstractButton *>(QStringLiteral("playButton"));
        QVERIFY(again);
        again->click();
        QTRY_COMPARE(f.nav.topViewController(), f.screen);
        QVERIFY(f.screen->gameManager() != ended);
        QVERIFY(f.screen->isSimultaneous());
        QVERIFY(DeviceProfile::current().isLandscape());
        QVERIFY(f.nav.isNavigationBarHidden());
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::none());
        QCOMPARE(f.screen->gameViews().at(0)->boardView()->game(), f.game(1));
        QCOMPARE(f.screen->gameViews().at(1)->boardView()->game(), f.game(2));
        QVERIFY(f.game(1)->shots().empty() && f.game(2)->shots().empty());
    }

    void noSimultaneousPlayOnAPhoneOrAlone_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<bool>("tablet");
        QTest::newRow("phone, two players") << 2 << false;
        QTest::newRow("tablet, one player") << 1 << true;
    }
    void noSimultaneousPlayOnAPhoneOrAlone()
    {
        QFETCH(int, players);
        QFETCH(bool, tablet);
        Fixture f(players, tablet ? DeviceProfile::tablet() : DeviceProfile::phone());
        QVERIFY(!f.screen->simultaneousItem());
        for (BarButtonItem *item : f.screen->navigationItem()->leftItems())
            QVERIFY(item->accessibilityIdentifier() != "Simultaneous");
        f.screen->setSimultaneous(true);
        QVERIFY(!f.screen->isSimultaneous());
        QVERIFY(!f.screen->prefersStatusBarHidden());
    }

    void hintsFillTheKeypadAndCountDown()
    {
        Fixture f(1);
        f.codes = {"9786", "5678"}; // far from any opening, so the game outlasts three hints
        QCOMPARE(f.game(1)->code(), "9786");
        HintButton *hint = f.screen->hintButton();
        QVERIFY(hint);
        QCOMPARE(f.nav.navigationBar()->widgetFor(f.screen->navigationItem()->leftItems().last()), hint);
        QCOMPARE(hint->hintsLeft(), 3);
        QCOMPARE(hint->accessibleName(), "Hint, 3 left");
        QVERIFY(hint->isEnabled());

        // Digits already typed give way to the whole suggestion.
        f.keypad()->numericButtons().at(8)->click();
        hint->click();
        const QString opening = f.keypad()->code();
        QVERIFY(Game::isValidShot(opening.toStdString()));
        QVERIFY(f.keypad()->shotButton()->isEnabled());
        auto *card = f.toastCard();
        QVERIFY(card);
        QCOMPARE(card->title(), "3024 codes left");
        QCOMPARE(card->iconName(), "Hint");
        QCOMPARE(hint->hintsLeft(), 2);

        // Sending it scores it like any shot; the next hint fits what it told.
        f.keypad()->shotButton()->click();
        const auto shots = f.game(1)->shots();
        QCOMPARE(shots.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(shots.front().code), opening);
        QTest::keyClick(f.screen, Qt::Key_H);
        const std::string second = f.keypad()->code().toStdString();
        QCOMPARE(Game::score(second, shots.front().code), shots.front().result);
        QCOMPARE(hint->hintsLeft(), 1);

        hint->click();
        QCOMPARE(hint->hintsLeft(), 0);
        QVERIFY(!hint->isEnabled());
        QCOMPARE(hint->accessibleName(), "Hint, 0 left");
        f.keypad()->setCode(QStringLiteral("98"));
        QTest::keyClick(f.screen, Qt::Key_H); // none left: the typed digits stay
        QCOMPARE(f.keypad()->code(), "98");
        QCOMPARE(f.analytics.names(), (std::vector<std::string>{"start_game", "hint", "hint", "hint"}));

        // A new match has its own three.
        f.screen->playAgain();
        QCOMPARE(hint->hintsLeft(), 3);
        QVERIFY(hint->isEnabled());
    }

    // A hint worked out off the GUI thread: the bulb is busy meanwhile, the
    // keypad stays the player's, a second press does nothing, and the hint
    // is used up when it arrives.
    void aHintThinkingElsewhereKeepsTheBulbBusy()
    {
        Fixture f(1, DeviceProfile::phone(), true, false, true);
        f.codes = {"9786", "5678"};
        HintButton *hint = f.screen->hintButton();
        hint->click();
        QVERIFY(hint->isBusy());
        QCOMPARE(hint->accessibleName(), "Hint, working");
        QVERIFY(hint->isEnabled());
        QCOMPARE(hint->hintsLeft(), 3);
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 0);
        QCOMPARE(f.background.pending.size(), std::size_t(1));

        f.keypad()->numericButtons().at(8)->click();
        QCOMPARE(f.keypad()->code(), "9");
        hint->click();
        QTest::keyClick(f.screen, Qt::Key_H);
        QCOMPARE(f.background.pending.size(), std::size_t(1));
        QVERIFY(!f.hintAlert());

        f.background.runAll();
        QVERIFY(!hint->isBusy());
        QCOMPARE(hint->accessibleName(), "Hint, 2 left");
        QCOMPARE(f.keypad()->code(), "1234");
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 1);
        auto *card = f.toastCard();
        QVERIFY(card);
        QCOMPARE(card->title(), "3024 codes left");
    }

    void aHintArrivingAfterItsMatchIsDropped_data()
    {
        QTest::addColumn<bool>("playAgain");
        QTest::newRow("new match") << true;
        QTest::newRow("game won") << false;
    }
    void aHintArrivingAfterItsMatchIsDropped()
    {
        QFETCH(bool, playAgain);
        Fixture f(1, DeviceProfile::phone(), true, false, true);
        f.codes = {"9786", "9786"};
        HintButton *hint = f.screen->hintButton();
        hint->click();
        QVERIFY(hint->isBusy());
        if (playAgain)
            f.screen->playAgain();
        else
            f.shoot("9786");
        QVERIFY(!hint->isBusy());

        f.background.runAll();
        QVERIFY(!hint->isBusy());
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 0);
        QCOMPARE(f.keypad()->code(), "");
        QVERIFY(!f.toastCard());
        QCOMPARE(f.analytics.names(), playAgain ? (std::vector<std::string>{"start_game", "start_game"})
                                                : (std::vector<std::string>{"start_game", "won_game"}));
        // A new match has its hints back; a won one has no use for them.
        QCOMPARE(hint->hintsLeft(), 3);
        QCOMPARE(hint->isEnabled(), playAgain);
    }

    // The program may end (a signal, a logout) with the question open: the
    // window goes with it and nothing reaches into what is being taken down.
    void theWindowGoesWithTheHintQuestionOpen()
    {
        auto f = std::make_unique<Fixture>(1);
        f->shoot("5678");
        QTest::keyClick(f->screen, Qt::Key_H);
        QPointer<PromptDialog> alert = f->hintAlert();
        QVERIFY(alert && alert->isVisible());
        f.reset();
        QVERIFY(!alert);
    }

    void theFirstHintByKeyIsAskedFor()
    {
        Fixture f(1);
        const auto used = [&f] { return f.screen->gameManager()->hintsUsed(); };
        QVERIFY(f.screen->hintButton()->toolTip().startsWith("Hint (H)"));

        QTest::keyClick(f.screen, Qt::Key_H);
        PromptDialog *alert = f.hintAlert();
        QVERIFY(alert);
        QCOMPARE(alert->buttons().size(), 2);
        QCOMPARE(alert->buttons().at(0)->text(), "Cancel");
        QCOMPARE(alert->buttons().at(1)->text(), "Use hint");
        QCOMPARE(used(), 0);
        alert->buttons().at(0)->click();
        QTRY_VERIFY(!f.hintAlert());
        QCOMPARE(used(), 0);
        QCOMPARE(f.keypad()->code(), "");

        // Asked again, since nothing was spent; "Use hint" spends it.
        QTest::keyClick(f.screen, Qt::Key_H);
        QVERIFY(f.hintAlert());
        f.hintAlert()->buttons().at(1)->click();
        QTRY_VERIFY(!f.hintAlert());
        QCOMPARE(used(), 1);
        QCOMPARE(f.keypad()->code().size(), 4);

        // The match is assisted now: the key spends the next one at once.
        QTest::keyClick(f.screen, Qt::Key_H);
        QVERIFY(!f.hintAlert());
        QCOMPARE(used(), 2);
    }

    void aHintQuestionLeftOpenAcrossANewMatchSpendsNothing()
    {
        Fixture f(1);
        QTest::keyClick(f.screen, Qt::Key_H);
        PromptDialog *alert = f.hintAlert();
        QVERIFY(alert);
        f.screen->playAgain();
        alert->buttons().at(1)->click();
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 0);
        QVERIFY(f.screen->hintButton()->isEnabled());
    }

    void helpIsOneKeyAwayInEveryMatch_data()
    {
        QTest::addColumn<int>("players");
        QTest::newRow("one player") << 1;
        QTest::newRow("two players") << 2;
    }
    void helpIsOneKeyAwayInEveryMatch()
    {
        QFETCH(int, players);
        Fixture f(players);
        const auto tutorials = [&f] { return f.nav.findChildren<Onboarding *>("TutorialView"); };
        BarButtonItem *help = f.screen->helpItem();
        QCOMPARE(help->toolTip(), "Help (F1)");

        // After the first shot the clock or the turn has the right item;
        // help moves to the left.
        f.shoot("5678");
        f.ticker.tick();
        f.afterDelay();
        QVERIFY(f.screen->navigationItem()->rightItem() != help);
        QCOMPARE(f.screen->navigationItem()->leftItems().last(), help);
        QCOMPARE(f.nav.navigationBar()->widgetFor(help)->toolTip(), "Help (F1)");

        QTest::keyClick(f.screen, Qt::Key_F1);
        QCOMPARE(tutorials().size(), 1);
        qDeleteAll(tutorials());
        QTest::keyClick(f.screen, '?');
        QCOMPARE(tutorials().size(), 1);
        qDeleteAll(tutorials());
        help->trigger();
        QCOMPARE(tutorials().size(), 1);
    }

    void onlySingleOrientationsAreAsked()
    {
        Fixture f(1);
        f.screen->rotate(InterfaceOrientation::all);
        f.screen->rotate(InterfaceOrientation::landscape);
        QCOMPARE(f.screen->supportedInterfaceOrientations(), InterfaceOrientation::portrait);
        QVERIFY(!DeviceProfile::current().isLandscape());
        f.screen->rotate(InterfaceOrientation::landscapeLeft);
        QCOMPARE(f.screen->supportedInterfaceOrientations(), InterfaceOrientation::landscapeLeft);
        QCOMPARE(DeviceProfile::current().orientation(), DeviceProfile::Orientation::landscapeLeft);
    }

    void theTutorialOpensByItselfOnce()
    {
        Fixture f(1, DeviceProfile::phone(), false);
        QCOMPARE(f.scheduler.pending.size(), std::size_t(1));
        QCOMPARE(f.scheduler.pending.front().first, std::chrono::milliseconds(1000));
        QVERIFY(!f.store.boolean("hasLaunchedOnce").has_value());
        f.afterDelay();
        QCOMPARE(f.store.boolean("hasLaunchedOnce"), std::optional<bool>(true));
        auto tutorials = [&f] {
            const auto all = f.nav.findChildren<Onboarding *>("TutorialView");
            return std::count_if(all.begin(), all.end(), [](Onboarding *t) { return t->isVisible(); });
        };
        QCOMPARE(tutorials(), 1);

        // The next game screen does not open it again; the help item does.
        auto *next = new GameViewController(f.environment);
        next->setNumberOfPlayers(1);
        f.nav.pushViewController(next, false);
        QVERIFY(f.scheduler.pending.empty());
        QCOMPARE(tutorials(), 0); // it went with the screen it was opened on
        QCOMPARE(next->navigationItem()->rightItem()->accessibilityIdentifier(), "Help");
        next->navigationItem()->rightItem()->trigger();
        QCOMPARE(tutorials(), 1);
        next->navigationItem()->rightItem()->trigger(); // asked again while it shows
        QCOMPARE(tutorials(), 1);

        // It goes with its screen, and leaves nothing over the window.
        QPointer<Onboarding> tutorial = f.nav.findChildren<Onboarding *>("TutorialView").last();
        f.nav.popViewController(false);
        QTRY_VERIFY(!tutorial);
        QVERIFY(!OverlayStack::instance().top(f.nav.window()));
    }

    void aReplacedMatchStopsTicking()
    {
        Fixture f(1);
        f.shoot("5678");
        QCOMPARE(f.ticker.liveCount(), 1);
        const auto oldGame = f.game(1);
        f.screen->setupGame();
        QCOMPARE(f.ticker.liveCount(), 1); // the new match's clock only
        QVERIFY(f.game(1) != oldGame);
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::help());
        f.ticker.tick();
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::help());
        QVERIFY(f.screen->gameViews().first()->boardView()->row() == 0);
    }

    // With the program's own ticker the ticks come from another thread; run
    // under the race checker, this shows the screen reads the game safely.
    void theClockRunsOnItsOwnThread()
    {
        Fixture f(1, DeviceProfile::phone(), true, true);
        f.shoot("5678");
        QTRY_VERIFY_WITH_TIMEOUT(f.screen->timerLabel() && f.screen->timerLabel()->text() == "0:01", 10000);
        for (const char *shot : {"5687", "5768", "5786"})
            f.shoot(shot);
        f.shoot("1234");
        const QString stopped = f.screen->timerLabel()->text();
        QTest::qWait(1500);
        QCOMPARE(f.screen->timerLabel()->text(), stopped);
    }

    // Assistive technology finds a name on every control in every state of a
    // match, and hears the turn pass.
    void everyControlIsNamedAndTheHandOverIsHeard()
    {
        AccessibilityRecorder recorder;
        QVERIFY(AccessibilityRecorder::isActive());
        Fixture f(2, DeviceProfile::tablet());
        QCOMPARE(f.screen->accessibleName(), "Game, two players");
        QCOMPARE(unnamedControls(&f.nav), QStringList());
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());
        QCOMPARE(f.screen->gameViews().first()->boardView()->accessibleName(), "Player 1's board");

        f.shoot("5678");
        f.afterDelay();
        // The board that changed hands says whose it is now.
        QVERIFY(recorder.names(f.screen->gameViews().first()->boardView(), QAccessible::Alert)
                    .contains("Player 2's board"));
        QCOMPARE(f.screen->gameViews().first()->boardView()->accessibleDescription(), "Player 2's turn");
        QCOMPARE(f.screen->turnView()->accessibleName(), "Player 2's turn");

        f.screen->simultaneousItem()->trigger();
        QCOMPARE(f.screen->singleButton()->accessibleName(), "One board");
        QCOMPARE(unnamedControls(&f.nav), QStringList());
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());
        f.screen->singleButton()->click();
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());

        f.screen->closeItem()->trigger();
        QVERIFY(f.quitAlert());
        QCOMPARE(unnamedControls(f.quitAlert()), QStringList());
        f.quitAlert()->buttons().at(0)->click();

        f.screen->showTutorial();
        QCOMPARE(unnamedControls(&f.nav), QStringList());
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());
    }

    // A quick action turns a shown screen to another kind of match; the
    // screen's name follows, and so do its boards'.
    void theNamesFollowEachNewMatch()
    {
        Fixture f(1, DeviceProfile::tablet());
        BoardView *board = f.screen->gameViews().first()->boardView();
        QCOMPARE(f.screen->accessibleName(), "Game, one player");
        QCOMPARE(board->accessibleName(), "Board");
        f.screen->setNumberOfPlayers(2);
        f.screen->setupGame();
        QCOMPARE(f.screen->accessibleName(), "Game, two players");
        QCOMPARE(board->accessibleName(), "Player 1's board");
        f.screen->setNumberOfPlayers(1);
        f.screen->setupGame();
        QCOMPARE(f.screen->accessibleName(), "Game, one player");
        QCOMPARE(board->accessibleName(), "Board");
    }

    // The turned board repaints only what changed: what reaches the screen
    // after a tap, a shot and its score is what painting it whole gives.
    void theTurnedBoardRepaintsAllThatChangedAndIsReadInsideTheScreen()
    {
        Fixture f(2, DeviceProfile::tablet());
        f.screen->simultaneousItem()->trigger();
        auto *turned = f.screen->findChild<UpsideDownView *>();
        QVERIFY(turned);
        QTRY_VERIFY(turned->isVisible());
        const auto onScreen = [&f] {
            return QGuiApplication::primaryScreen()->grabWindow(f.nav.winId()).toImage().convertToFormat(
                QImage::Format_RGB32);
        };
        const auto painted = [&f] { return f.nav.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const auto tap = [&](int digit) {
            RippleButton *key = f.keypad(0)->numericButtons().at(digit - 1);
            const QPoint inContent = key->mapTo(f.screen->gameViews().at(0), key->rect().center());
            QTest::mouseClick(turned->viewport(), Qt::LeftButton, {},
                              QPoint(turned->viewport()->width() - 1 - inContent.x(),
                                     turned->viewport()->height() - 1 - inContent.y()));
        };
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(), painted(), 10000);
        for (int digit : {1, 2, 3, 4})
            tap(digit);
        QCOMPARE(f.keypad(0)->code(), "1234");
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(), painted(), 10000);
        f.keypad(0)->shotButton()->click();
        QCOMPARE(f.game(1)->shots().size(), std::size_t(1));
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(), painted(), 10000);

        // For a reader it is part of the screen: inside a named group, with
        // the group's place rather than a mirrored one, and back in the
        // screen when the board turns upright.
        GameView *first = f.screen->gameViews().at(0);
        QCOMPARE(first->boardView()->accessibleName(), "Player 1's board");
        QCOMPARE(f.screen->gameViews().at(1)->boardView()->accessibleName(), "Player 2's board");

        QAccessibleInterface *side = QAccessible::queryAccessibleInterface(turned);
        QVERIFY(side);
        QCOMPARE(side->text(QAccessible::Name), "Player 1's side, upside down");
        QCOMPARE(side->childCount(), 1);
        QAccessibleInterface *content = side->child(0);
        QVERIFY(content);
        QCOMPARE(content->object(), first);
        QCOMPARE(side->indexOfChild(content), 0);
        QCOMPARE(content->parent()->object(), turned);
        QCOMPARE(content->rect(), QRect(turned->viewport()->mapToGlobal(QPoint(0, 0)), turned->viewport()->size()));
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());

        f.screen->singleButton()->click();
        content = QAccessible::queryAccessibleInterface(first);
        QCOMPARE(content->parent()->object(), first->parentWidget());
        QCOMPARE(content->rect().topLeft(), first->mapToGlobal(QPoint(0, 0)));
    }

    // While the tutorial shows, the board behind it hears nothing: digits,
    // the hint key and Return all stay with the card, and Escape closes it.
    void theTutorialKeepsTheKeysFromTheBoard()
    {
        Fixture f(1);
        f.shoot("5678");
        f.screen->showTutorial();
        auto *tutorial = f.nav.findChild<Onboarding *>("TutorialView");
        QVERIFY(tutorial && tutorial->isVisible());
        for (QWidget *target :
             {static_cast<QWidget *>(f.keypad()), static_cast<QWidget *>(f.screen), static_cast<QWidget *>(&f.nav)}) {
            QTest::keyClicks(target, QStringLiteral("56h"));
            QTest::keyClick(target, Qt::Key_Return);
        }
        QCOMPARE(f.keypad()->code(), QString());
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 0);
        QVERIFY(!f.toast.isAlertActive());
        QCOMPARE(f.game(1)->shots().size(), std::size_t(1));

        QTest::keyClick(f.keypad(), Qt::Key_Escape);
        QTRY_VERIFY(!f.nav.findChild<Onboarding *>("TutorialView"));
        QTest::keyClicks(f.keypad(), QStringLiteral("56"));
        QCOMPARE(f.keypad()->code(), "56");
    }

    // A hint's toast neither takes the keyboard from the tutorial nor keeps
    // Escape from closing it.
    void escapeClosesTheTutorialOverAHintToast()
    {
        Fixture f(1);
        QTest::keyClick(f.screen, Qt::Key_H);
        // The first H of a match asks; Return takes the hint.
        QVERIFY(f.hintAlert());
        QTest::keyClick(f.screen, Qt::Key_Return);
        QCOMPARE(f.screen->gameManager()->hintsUsed(), 1);
        QVERIFY(f.toast.isAlertActive());
        f.screen->showTutorial();
        QTest::keyClick(f.keypad(), Qt::Key_Return); // would send the hinted code
        QVERIFY(f.game(1)->shots().empty());
        QTest::keyClick(f.keypad(), Qt::Key_Escape); // where the hint left the keyboard
        QTRY_VERIFY(!f.nav.findChild<Onboarding *>("TutorialView"));
        QVERIFY(f.game(1)->shots().empty());
    }

    // The quit question defaults to the harmless answer, Escape cancels it,
    // and asking again while it shows does not stack a second one.
    void theQuitAlertCancelsByDefault_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void theQuitAlertCancelsByDefault()
    {
        QFETCH(int, key);
        Fixture f(1);
        f.shoot("5678");
        f.screen->closeItem()->trigger();
        f.screen->closeItem()->trigger();
        f.screen->home();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.nav.findChildren<PromptDialog *>("QuitAlert").size(), 1);
        PromptDialog *alert = f.quitAlert();
        QVERIFY(alert->isVisible() && !alert->isWindow());
        QTest::keyClick(f.keypad(), Qt::Key(key)); // the keyboard sat on the board
        QTRY_VERIFY(!f.quitAlert());
        QCOMPARE(f.nav.topViewController(), f.screen);
        const auto events = f.analytics.names();
        QVERIFY(std::find(events.begin(), events.end(), "quit_game") == events.end());
        // Nothing is left over the screen: its keys work again.
        QTest::keyClick(f.screen, Qt::Key_5);
        QCOMPARE(f.keypad()->code(), "5");
    }
};

QTEST_MAIN(TestGameScreen)
#include "tst_gamescreen.moc"
