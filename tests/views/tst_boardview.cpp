#include "game/game.h"
#include "manualanimationdriver.h"
#include "platform/device/deviceprofile.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/components/ripplebutton.h"
#include "views/controls/autofontsizelabel.h"
#include "views/dots/bulletsview.h"
#include "views/dots/bulletview.h"
#include "views/keyboard/keyboardview.h"

#include <QtTest>

using namespace kestrune;

namespace {

const QString placeholder = QStringLiteral("\u2022\u2022\u2022\u2022");

std::shared_ptr<Game> gameWithCode(std::string code, const std::vector<std::string> &shots = {})
{
    GameEnvironment environment;
    environment.drawCode = [code] { return code; };
    auto game = std::make_shared<Game>(environment);
    for (const std::string &shot : shots)
        game->shot(shot);
    return game;
}

QList<DotState> dots(const BoardView &board, int row)
{
    QList<DotState> states;
    for (const BulletView *dot : board.bulletsViews()[row]->bullets())
        states.append(dot->state());
    return states;
}

const QList<DotState> emptyDots{DotState::empty, DotState::empty, DotState::empty, DotState::empty};

} // namespace

class BoardViewTest : public QObject
{
    Q_OBJECT

private:
    // Every row shows exactly the game's shots, then placeholders.
    void verifyShows(const BoardView &board, const Game &game)
    {
        const auto &shots = game.shots();
        QCOMPARE(board.row(), qint64(shots.size()));
        for (int i = 0; i < BoardView::rowCount; ++i) {
            if (i < int(shots.size())) {
                QCOMPARE(board.codeLabels()[i]->text(), QString::fromStdString(shots[i].code));
                QCOMPARE(dots(board, i).count(DotState::bull), int(shots[i].result.bulls));
                QCOMPARE(dots(board, i).count(DotState::cow), int(shots[i].result.cows));
            } else {
                QCOMPARE(board.codeLabels()[i]->text(), placeholder);
                QCOMPARE(dots(board, i), emptyDots);
            }
        }
    }

private slots:
    void cleanup() { DeviceProfile::setCurrent(DeviceProfile()); }

    void newGameShowsTenEmptyRows()
    {
        BoardView board;
        QCOMPARE(board.codeLabels().size(), BoardView::rowCount);
        QCOMPARE(board.bulletsViews().size(), BoardView::rowCount);
        auto game = gameWithCode("1234");
        board.setGame(game);
        verifyShows(board, *game);
        for (const BulletsView *row : board.bulletsViews())
            for (const BulletView *dot : row->bullets())
                QVERIFY(!dot->isTransitioning());
    }

    void recordedShotsShowAtOnceAndTheNextResultAnimates()
    {
        test::ManualAnimationDriver driver;
        BoardView board;
        auto game = gameWithCode("1234", {"5678", "1243", "2134"});
        board.setGame(game);
        verifyShows(board, *game);
        QVERIFY(!board.bulletsViews()[0]->bullets()[0]->isTransitioning());

        board.codeDidChange(QStringLiteral("12\u2022\u2022"));
        QCOMPARE(board.codeLabels()[3]->text(), QStringLiteral("12\u2022\u2022"));

        game->shot("1235");
        QCOMPARE(board.row(), qint64(4));
        QVERIFY(board.bulletsViews()[3]->bullets()[0]->isTransitioning());
        driver.advanceBy(3 * BulletsView::transitionDurationMs + 20);
        QCOMPARE(dots(board, 3),
                 (QList<DotState>{DotState::bull, DotState::bull, DotState::bull, DotState::empty}));
    }

    void followsExactlyTheGameItWasLastGiven()
    {
        test::ManualAnimationDriver driver;
        BoardView board;
        auto a = gameWithCode("1234", {"5678"});
        auto b = gameWithCode("9876", {"9871", "1234"});
        board.setGame(a);
        verifyShows(board, *a);
        board.setGame(b);
        verifyShows(board, *b);

        a->shot("1243"); // A's result must not reach the board now
        verifyShows(board, *b);
        QCOMPARE(board.codeLabels()[2]->text(), placeholder);

        board.codeDidChange(QStringLiteral("9867")); // as the keypad does before the shot
        b->shot("9867");
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
        verifyShows(board, *b);

        board.setGame(a);
        verifyShows(board, *a);
        b->shot("9865");
        verifyShows(board, *a);
        QCOMPARE(board.game(), std::shared_ptr<GameProtocol>(a));
    }

    void endedGameShowsItsShotsAndReceivesNothing()
    {
        BoardView board;
        auto game = gameWithCode("1234", {"5678", "1234"});
        QVERIFY(game->isEnded());
        board.setGame(game);
        verifyShows(board, *game);
        game->shot("4321"); // after the end: no new result
        QCOMPARE(board.row(), qint64(2));
    }

    void aFullBoardIgnoresTypedText()
    {
        BoardView board;
        auto game = gameWithCode("1234", {"5678", "5679", "5689", "5789", "6789", "5671", "5672", "5673", "5674", "5691"});
        board.setGame(game);
        QCOMPARE(board.row(), qint64(10));
        board.codeDidChange(QStringLiteral("1\u2022\u2022\u2022"));
        QCOMPARE(board.codeLabels()[9]->text(), QStringLiteral("5691"));
    }

    void theBoardHoldsItsGameWeakly()
    {
        BoardView board;
        auto game = gameWithCode("1234");
        board.setGame(game);
        game.reset();
        QVERIFY(!board.game());
    }

    void spacingFollowsTheBoardHeight()
    {
        BoardView board;
        board.resize(375, 1000);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QCOMPARE(board.numbersStackView()->spacing(), 6);
        QCOMPARE(board.codesStackView()->spacing(), 6);
        QCOMPARE(board.bulletsStackView()->spacing(), 33);
        QCOMPARE(board.bulletsMargin(), 16.5);
        const QMargins margins = board.bulletsStackView()->contentsMargins();
        QCOMPARE(margins.top(), 16);
        QCOMPARE(margins.bottom() - 17, (1000 - 33 - 9 * 33) % 10); // the half point, then the rows' spare points
        QCOMPARE(margins.left(), 0);
        // Ten rows of one height.
        for (const AutoFontSizeLabel *label : board.codeLabels())
            QCOMPARE(label->height(), board.codeLabels().first()->height());
        for (const BulletsView *dots : board.bulletsViews())
            QCOMPARE(dots->height(), board.bulletsViews().first()->height());
    }

    void configureReadiesOrSwitchesOffTheKeypad()
    {
        GameView view;
        auto running = gameWithCode("1234", {"5678"});
        view.keyboardView()->setCode(QStringLiteral("12"));
        view.configure(running);
        KeyboardView *keypad = view.keyboardView();
        QCOMPARE(keypad->code(), QString());
        for (auto *digit : keypad->numericButtons())
            QVERIFY(digit->isEnabled());
        QVERIFY(!keypad->shotButton()->isEnabled());
        QVERIFY(!keypad->backspaceButton()->isEnabled());

        view.configure(gameWithCode("1234", {"1234"}));
        for (auto *digit : keypad->numericButtons())
            QVERIFY(!digit->isEnabled());
        QVERIFY(!keypad->shotButton()->isEnabled());
    }

    void keypadShotsReachTheBoardsGame()
    {
        GameView view;
        auto game = gameWithCode("1234");
        view.configure(game);
        for (int usage : {0x1E, 0x1E + 1, 0x1E + 3, 0x1E + 2})
            view.keyboardView()->handleKey(usage);
        QCOMPARE(view.boardView()->codeLabels()[0]->text(), QStringLiteral("1243"));
        test::ManualAnimationDriver driver;
        view.keyboardView()->handleKey(0x28);
        QCOMPARE(game->shots().size(), std::size_t(1));
        // Once the dots have arrived nothing is left running.
        QVERIFY(view.boardView()->bulletsViews()[0]->bullets()[0]->isTransitioning());
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
        QTRY_VERIFY(!driver.isRunning());
        for (const QTimer *timer : view.findChildren<QTimer *>())
            QVERIFY(!timer->isActive());
        QCOMPARE(view.boardView()->row(), qint64(1));
        QCOMPARE(view.boardView()->codeLabels()[0]->text(), QStringLiteral("1243"));
    }

    void spacingsFollowTheDevice_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("keyboardHeight");
        QTest::newRow("small phone") << "small-phone" << false << 10 << 216;
        QTest::newRow("phone") << "phone" << false << 10 << 216;
        QTest::newRow("tall phone keeps its layout") << "tall-phone" << false << 24 << 216;
        QTest::newRow("tablet upright") << "tablet" << false << 94 << 220;
        QTest::newRow("tablet landscape") << "tablet" << true << 36 << 162;
    }

    void spacingsFollowTheDevice()
    {
        QFETCH(QString, device);
        QFETCH(bool, landscape);
        QFETCH(int, spacing);
        QFETCH(int, keyboardHeight);
        DeviceProfile profile = *DeviceProfile::fromName(device);
        if (landscape)
            profile.setOrientation(DeviceProfile::Orientation::landscapeLeft);
        DeviceProfile::setCurrent(profile);
        GameView view;
        view.resize(profile.size().toSize());
        view.layoutSubviews();
        QCOMPARE(view.boardViewVerticalSpacing(), spacing);
        QCOMPARE(view.keyboardHeight(), keyboardHeight);
    }
};

QTEST_MAIN(BoardViewTest)
#include "tst_boardview.moc"
