#include "accessibilityrecorder.h"
#include "gamescreencollaborators.h"
#include "manualbackground.h"

#include "game/computer/computerstrength.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/random/randomsource.h"
#include "platform/device/deviceprofile.h"
#include "platform/i18n/pseudotranslator.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/outcome/matchoutcome.h"
#include "screens/result/resultviewcontroller.h"
#include "views/board/boardview.h"
#include "views/board/computerboardview.h"
#include "views/board/gameview.h"
#include "views/dots/bulletsview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/autofontsizelabel.h"
#include "views/widgets/button.h"
#include "views/widgets/dialogbutton.h"
#include "views/widgets/promptdialog.h"
#include "views/widgets/ripplebutton.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>

#include <random>

using namespace kestrune;
using namespace kestrune::test;

Q_DECLARE_METATYPE(ComputerStrength)

namespace {

// The same guesses on every run, for the easy computer.
class SeededRandom final : public RandomSource
{
public:
    std::uint64_t next64() override { return engine(); }
    std::mt19937_64 engine{20261206};
};

// The game screen in a match against the computer, on a navigation stack,
// with every collaborator in the test's hand. The player's code is 1234, the
// computer's 5678.
struct Fixture : GameScreenCollaborators
{
    explicit Fixture(std::optional<ComputerStrength> stored = ComputerStrength::normal,
                     const DeviceProfile &device = DeviceProfile::phone(), bool launchedBefore = true,
                     bool thinksElsewhere = false)
    {
        if (thinksElsewhere)
            environment.game.background = background.runner();
        environment.game.random = &random;
        if (!launchedBefore)
            store.remove("hasLaunchedOnce");
        if (stored)
            ComputerStrengths::store(store, *stored);
        DeviceProfile::setCurrent(device);
        nav.registerSegue(QStringLiteral("result"),
                          [](const Segue &segue) { return new ResultViewController(segue.handed<MatchOutcome>()); });
        nav.pushViewController(new ViewController, false);
        nav.resize(device.size().toSize());
        nav.show();
        screen = new GameViewController(environment);
        screen->setAgainstComputer(true);
        nav.pushViewController(screen, false);
    }

    KeyboardView *keypad() const { return screen->gameViews().first()->keyboardView(); }
    std::shared_ptr<GameProtocol> game(int player) const { return screen->gameManager()->games().at(player - 1); }
    std::shared_ptr<GameProtocol> shownGame() const { return screen->gameViews().first()->boardView()->game(); }

    void shoot(const QString &code)
    {
        for (QChar digit : code)
            keypad()->numericButtons().at(digit.digitValue() - 1)->click();
        keypad()->shotButton()->click();
        QCoreApplication::processEvents(); // the keypad goes dark one loop turn later
    }
    // Runs the deferred steps due, then lets the keypad follow.
    void afterDelay()
    {
        scheduler.runAll();
        QCoreApplication::processEvents();
    }
    bool keypadDark() const
    {
        const auto buttons = keypad()->numericButtons();
        return std::none_of(buttons.begin(), buttons.end(), [](auto *b) { return b->isEnabled(); });
    }
    bool keypadReady() const
    {
        const auto buttons = keypad()->numericButtons();
        return std::all_of(buttons.begin(), buttons.end(), [](auto *b) { return b->isEnabled(); });
    }
    bool toastShown() const { return !toast.alertQueue().isEmpty() || toast.isAlertActive(); }
    PromptDialog *strengthAlert() const
    {
        const auto dialogs = nav.findChildren<PromptDialog *>(QStringLiteral("StrengthAlert"));
        for (PromptDialog *dialog : dialogs)
            if (dialog->isVisible())
                return dialog;
        return nullptr;
    }
    void choose(const QString &button)
    {
        PromptDialog *dialog = strengthAlert();
        QVERIFY(dialog);
        auto *choice = dialog->findChild<DialogButton *>(button);
        QVERIFY(choice);
        choice->click();
        QCoreApplication::processEvents();
    }

    SeededRandom random;
    ManualBackground background;
    NavigationController nav;
    GameViewController *screen = nullptr;
};

// Ten different misses of 1234.
const QStringList misses = {"5678", "5687", "5768", "5786", "5867", "5876", "6578", "6587", "6758", "6785"};

} // namespace

class TestComputerMatch : public QObject
{
    Q_OBJECT

private slots:
    void init() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    void aFullMatchReachesTheResult_data()
    {
        QTest::addColumn<ComputerStrength>("strength");
        QTest::newRow("easy") << ComputerStrength::easy;
        QTest::newRow("normal") << ComputerStrength::normal;
        QTest::newRow("hard") << ComputerStrength::hard;
    }
    void aFullMatchReachesTheResult()
    {
        QFETCH(ComputerStrength, strength);
        Fixture f(strength);
        QVERIFY(!f.strengthAlert()); // remembered: nothing asks
        QCOMPARE(f.screen->gameManager()->computerStrength(), strength);
        QCOMPARE(f.screen->navigationBarItem(), NavigationBarItem::strength());

        const auto player = f.game(1);
        const auto computer = f.game(2);
        for (const QString &shot : misses) {
            if (!f.screen->gameManager()->gameState().isPending())
                break;
            QVERIFY(f.keypadReady());
            f.shoot(shot);
            QVERIFY(f.keypadDark());
            QCOMPARE(computer->shots().size(), player->shots().size() - 1);
            f.afterDelay();
            QCOMPARE(computer->shots().size(), player->shots().size());
            QCOMPARE(f.shownGame(), player); // never handed over
            QVERIFY(!f.toastShown());
        }
        QVERIFY(!f.screen->gameManager()->gameState().isPending());
        QVERIFY(f.keypadDark());
        QCOMPARE(f.nav.topViewController(), f.screen); // the outcome waits its 1.5 s
        QCOMPARE(f.scheduler.pending.back().first, std::chrono::milliseconds(GameViewController::outcomeDelayMs));
        f.afterDelay();
        QVERIFY(qobject_cast<ResultViewController *>(f.nav.topViewController()));
        QVERIFY(!f.toastShown());
    }

    void theComputerShootsOnlyAfterThePause()
    {
        Fixture f;
        f.shoot("5678");
        QCOMPARE(f.game(2)->shots().size(), std::size_t(0));
        QVERIFY(f.screen->gameManager()->isComputerTurn());
        QVERIFY(f.keypadDark());
        QCOMPARE(f.scheduler.pending.size(), std::size_t(1));
        QCOMPARE(f.scheduler.pending.front().first, std::chrono::milliseconds(GameViewController::computerShotDelayMs));
        QCoreApplication::processEvents();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(0));
        QCOMPARE(f.screen->computerBoardView()->status(), ComputerBoardView::Status::thinking);

        f.afterDelay();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(1));
        QVERIFY(f.keypadReady());
        QCOMPARE(f.screen->computerBoardView()->status(), ComputerBoardView::Status::playerTurn);
        QVERIFY(f.scheduler.pending.empty()); // nothing else to wait for
    }

    // The hard computer starts thinking, off the GUI thread, as its turn
    // begins and shoots once both its pause is over and its shot is ready,
    // whichever comes last.
    void theHardComputerShootsWhenPausedAndReady()
    {
        Fixture f(ComputerStrength::hard, DeviceProfile::phone(), true, true);
        f.shoot("5678");
        QCOMPARE(f.background.pending.size(), std::size_t(1));
        f.afterDelay();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(0));
        QCOMPARE(f.screen->computerBoardView()->status(), ComputerBoardView::Status::thinking);
        QVERIFY(f.keypadDark());
        f.background.runAll();
        QCoreApplication::processEvents();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(1));
        QCOMPARE(f.game(2)->shots().front().code, "1234");
        QVERIFY(f.keypadReady());

        f.shoot("5687");
        f.background.runAll();
        QCoreApplication::processEvents();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(1)); // ready, but the pause is not over
        f.afterDelay();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(2));
        QVERIFY(f.scheduler.pending.empty());
    }

    // The hard computer's thinking and the normal one's pending shot both
    // go with the match they were for.
    void aNewMatchDropsTheComputersComingShot_data()
    {
        QTest::addColumn<ComputerStrength>("strength");
        QTest::newRow("normal") << ComputerStrength::normal;
        QTest::newRow("hard, thinking elsewhere") << ComputerStrength::hard;
    }
    void aNewMatchDropsTheComputersComingShot()
    {
        QFETCH(ComputerStrength, strength);
        const bool hard = strength == ComputerStrength::hard;
        Fixture f(strength, DeviceProfile::phone(), true, hard);
        f.shoot("5678");
        const auto oldComputer = f.game(2);
        f.screen->playAgain();
        f.background.runAll();
        f.afterDelay();
        QCOMPARE(oldComputer->shots().size(), std::size_t(0));
        QCOMPARE(f.game(2)->shots().size(), std::size_t(0));
        QCOMPARE(f.scheduler.liveHandles, 0);
        QVERIFY(f.keypadReady());
        QCOMPARE(f.screen->computerBoardView()->game(), f.game(2));
    }

    void theComputerCatchesUpWhenThePlayerWinsFirst()
    {
        Fixture f;
        f.shoot("1234");
        QVERIFY(f.screen->gameManager()->gameState().isPending());
        f.afterDelay();
        QCOMPARE(f.game(2)->shots().size(), std::size_t(1));
        QVERIFY(!f.screen->gameManager()->gameState().isPending());
        QVERIFY(f.keypadDark());
        f.afterDelay();
        QVERIFY(qobject_cast<ResultViewController *>(f.nav.topViewController()));
    }

    void theStrengthIsChosenBeforeTheFirstShot_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<std::optional<ComputerStrength>>("stored");
        QTest::newRow("easy") << "Easy" << std::optional(ComputerStrength::easy);
        QTest::newRow("hard") << "Hard" << std::optional(ComputerStrength::hard);
        QTest::newRow("cancel") << "Cancel" << std::optional<ComputerStrength>();
    }
    // A long strength (a translation) widens its button on the smallest
    // phone rather than losing both ends of the word.
    void aLongStrengthKeepsItsWord()
    {
        PseudoTranslator longer;
        QCoreApplication::installTranslator(&longer);
        const auto removeLonger = qScopeGuard([&longer] { QCoreApplication::removeTranslator(&longer); });
        Fixture f(ComputerStrength::normal, DeviceProfile::smallPhone());
        Button *button = f.screen->strengthButton();
        QTRY_VERIFY(button->isVisible());
        QCOMPARE(button->text(), PseudoTranslator::lengthen("Normal"));
        // Laid out on the bar's next turn of the event loop.
        QTRY_VERIFY(button->x() > 0 && button->geometry().right() < button->parentWidget()->width());
        QVERIFY(button->width() >= QFontMetrics(button->font()).horizontalAdvance(button->text()));
    }

    void theStrengthIsChosenBeforeTheFirstShot()
    {
        QFETCH(QString, button);
        QFETCH(std::optional<ComputerStrength>, stored);
        // Nothing stored: the choice opens by itself when the screen appears.
        Fixture f(std::nullopt);
        QVERIFY(f.strengthAlert());
        QCOMPARE(f.strengthAlert()->buttons().size(), 4);
        QCOMPARE(unnamedControls(f.strengthAlert()), QStringList());
        const auto before = f.screen->gameManager();
        f.choose(button);
        QVERIFY(!f.strengthAlert());
        QCOMPARE(ComputerStrengths::stored(f.store), stored);
        const ComputerStrength playing = stored.value_or(ComputerStrength::normal);
        QCOMPARE(f.screen->gameManager()->computerStrength(), playing);
        QCOMPARE(f.screen->gameManager() != before, stored.has_value()); // a choice restarts
        const QString title = QString::fromStdString(ComputerStrengths::title(playing));
        QCOMPARE(f.screen->strengthButton()->text(), title);
        QCOMPARE(f.screen->computerBoardView()->titleLabel()->text(), QStringLiteral("Computer \u00b7 %1").arg(title));
        QVERIFY(f.screen->strengthItem()->isEnabled());
        // The button opens the choice again.
        f.screen->strengthButton()->click();
        f.choose("Hard");
        QCOMPARE(ComputerStrengths::stored(f.store), ComputerStrength::hard);
        QCOMPARE(f.screen->gameManager()->computerStrength(), ComputerStrength::hard);

        f.shoot("5678");
        QVERIFY(!f.screen->strengthItem()->isEnabled());
        QVERIFY(!f.screen->strengthButton()->isEnabled());
        f.screen->chooseStrength(); // too late: a restart would cost the shot
        QVERIFY(!f.strengthAlert());
    }

    void theTutorialComesBeforeTheChoice()
    {
        Fixture f(std::nullopt, DeviceProfile::phone(), false);
        QVERIFY(!f.strengthAlert());
        QCOMPARE(f.screen->gameManager()->computerStrength(), ComputerStrength::normal);
        QCOMPARE(ComputerStrengths::stored(f.store), std::nullopt);

        f.store.setBoolean("hasLaunchedOnce", true); // as the tutorial does
        f.screen->playAgain();
        QVERIFY(f.strengthAlert());
    }

    // The tablet has room for the computer's whole board beside the
    // player's (the phone's compact rows: the next test).
    void theTabletShowsTheComputersWholeBoard()
    {
        Fixture f(ComputerStrength::normal, DeviceProfile::tablet());
        ComputerBoardView *board = f.screen->computerBoardView();
        QVERIFY(board);
        QCOMPARE(board->mode(), ComputerBoardView::Mode::full);
        // No simultaneous play: the close item and help.
        QCOMPARE(f.screen->navigationItem()->leftItems(),
                 (QList<BarButtonItem *>{f.screen->closeItem(), f.screen->helpItem()}));
        f.screen->setSimultaneous(true);
        QVERIFY(!f.screen->isSimultaneous());

        f.codes = {"1234", "9876"}; // a code the computer needs more than three shots for
        for (const QString &shot : misses.mid(0, 3)) {
            f.shoot(shot);
            f.afterDelay();
        }
        // Normal plays the lowest code that still fits: 1234 first.
        const auto &shots = f.game(2)->shots();
        QCOMPARE(shots.front().code, std::string("1234"));
        QCOMPARE(board->boardView()->row(), 3);
        // Nobody types the computer's digits: they come with its result.
        QCOMPARE(board->boardView()->codeLabels().at(2)->text(), QString::fromStdString(shots[2].code));
        QCOMPARE(board->boardView()->game(), f.game(2));
        QVERIFY(f.screen->gameViews().first()->geometry().right() < board->geometry().left());
    }

    void thePhonesComputerBoardShowsEveryShotWhenAsked()
    {
        Fixture f;
        f.codes = {"1234", "9876"}; // a code the computer needs more than three shots for
        ComputerBoardView *board = f.screen->computerBoardView();
        QVERIFY(board);
        QCOMPARE(board->mode(), ComputerBoardView::Mode::compact);
        QCOMPARE(f.screen->navigationItem()->leftItems(),
                 (QList<BarButtonItem *>{f.screen->closeItem(), f.screen->helpItem()}));
        for (const QString &shot : misses.mid(0, 4)) {
            f.shoot(shot);
            f.afterDelay();
        }
        const auto &shots = f.game(2)->shots();
        QCOMPARE(shots.size(), std::size_t(4));
        QCOMPARE(shots.front().code, std::string("1234"));
        // The player's board keeps most of the screen.
        QVERIFY(f.screen->gameViews().first()->boardView()->height() > 300);
        const auto visibleRows = [board] {
            const auto rows = board->compactRows();
            return std::size_t(
                std::count_if(rows.begin(), rows.end(), [board](QWidget *row) { return row->isVisibleTo(board); }));
        };
        const auto spaced = [](const std::string &code) {
            return QString::fromStdString(code).split(QString(), Qt::SkipEmptyParts).join(' ');
        };
        QCOMPARE(visibleRows(), std::size_t(ComputerBoardView::compactRowCount));
        QVERIFY2(board->titleLabel()->text().endsWith(QChar(u'\u25be')), qPrintable(board->titleLabel()->text()));

        // A click shows every shot, oldest first.
        QTest::mouseClick(board, Qt::LeftButton);
        QVERIFY(board->isExpanded());
        QCOMPARE(visibleRows(), shots.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            QCOMPARE(board->compactCodeLabels().at(int(i))->text(), spaced(shots[i].code));
            QCOMPARE(board->compactBulletsViews().at(int(i))->bulls(), int(shots[i].result.bulls));
            QCOMPARE(board->compactBulletsViews().at(int(i))->cows(), int(shots[i].result.cows));
        }
        // Its next shot joins them.
        f.shoot(misses.at(4));
        f.afterDelay();
        QCOMPARE(visibleRows(), shots.size());
        QCOMPARE(board->compactCodeLabels().at(int(shots.size()) - 1)->text(), spaced(shots.back().code));
        QCoreApplication::processEvents();
        QVERIFY(board->geometry().bottom() < f.screen->gameViews().first()->mapTo(f.screen, QPoint()).y());
        const int boardHeight = f.screen->gameViews().first()->boardView()->height();
        QVERIFY2(boardHeight > 250, qPrintable(QString::number(boardHeight)));

        // Space on the tabbed-to board collapses it to the latest shots again.
        board->setFocus(Qt::TabFocusReason);
        QTest::keyClick(board, Qt::Key_Space);
        QVERIFY(!board->isExpanded());
        QCOMPARE(visibleRows(), std::size_t(ComputerBoardView::compactRowCount));
        QCOMPARE(board->compactCodeLabels().at(0)->text(), spaced(shots[shots.size() - 2].code));
        QCOMPARE(board->compactCodeLabels().at(1)->text(), spaced(shots.back().code));

        // Return does the same.
        QTest::keyClick(board, Qt::Key_Return);
        QVERIFY(board->isExpanded());
        // A click never takes the focus from the keys that type the player's shots.
        board->clearFocus();
        QTest::mouseClick(board, Qt::LeftButton);
        QVERIFY(!board->isExpanded());
        QVERIFY(!board->hasFocus());
    }

    void everyControlIsNamedAndTheComputersShotIsHeard()
    {
        AccessibilityRecorder recorder;
        Fixture f;
        QCOMPARE(f.screen->accessibleName(), "Game against the computer");
        QCOMPARE(unnamedControls(&f.nav), QStringList());
        QCOMPARE(f.screen->strengthButton()->accessibleName(), "Normal");

        f.shoot("5678");
        f.afterDelay();
        ComputerBoardView *board = f.screen->computerBoardView();
        QCOMPARE(board->accessibleDescription(), "Computer: 1 2 3 4, 0 bulls, 0 cows");
        QCOMPARE(recorder.names(board, QAccessible::Alert), QStringList{"Computer's board"});
        // Its rows are numbered like the player's.
        QStringList rows;
        for (BulletsView *row : board->compactBulletsViews())
            rows << QAccessible::queryAccessibleInterface(row)->text(QAccessible::Name);
        QCOMPARE(rows.value(0), "Computer's shot 1: 1 2 3 4, 0 bulls, 0 cows");
        QCOMPARE(rows.value(1), "Computer's shot 2: empty");
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());
    }
};

QTEST_MAIN(TestComputerMatch)
#include "tst_computermatch.moc"
