#include "accessibilityrecorder.h"
#include "englishcatalogue.h"
#include "game/game.h"
#include "manualanimationdriver.h"
#include "platform/device/deviceprofile.h"
#include "resizerecorder.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/dots/bulletsview.h"
#include "views/dots/bulletview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/autofontsizelabel.h"
#include "views/widgets/ripplebutton.h"

#include <QLayout>
#include <QtTest>

using namespace kestrune;
using kestrune::test::ResizeRecorder;

namespace {

const QString placeholder = QStringLiteral("\u2022\u2022\u2022\u2022");

std::shared_ptr<Game> gameWithCode(std::string code, const QStringList &shots = {})
{
    GameEnvironment environment;
    environment.drawCode = [code] { return code; };
    auto game = std::make_shared<Game>(environment);
    for (const QString &shot : shots)
        game->shot(shot.toStdString());
    return game;
}

int dotsTransitioning(const BoardView &board)
{
    int count = 0;
    for (const BulletsView *row : board.bulletsViews())
        for (const BulletView *dot : row->bullets())
            count += dot->isTransitioning() ? 1 : 0;
    return count;
}

} // namespace

class BoardViewTest : public QObject
{
    Q_OBJECT

private:
    // Every row shows exactly the game's shots, then placeholders and empty dots.
    void verifyShows(const BoardView &board, const Game &game)
    {
        const auto &shots = game.shots();
        QCOMPARE(board.row(), qint64(shots.size()));
        for (int i = 0; i < BoardView::rowCount; ++i) {
            const bool shot = i < int(shots.size());
            QCOMPARE(board.codeLabels()[i]->text(), shot ? QString::fromStdString(shots[i].code) : placeholder);
            int bulls = 0, cows = 0;
            for (const BulletView *dot : board.bulletsViews()[i]->bullets()) {
                bulls += dot->state() == DotState::bull ? 1 : 0;
                cows += dot->state() == DotState::cow ? 1 : 0;
            }
            QCOMPARE(bulls, shot ? int(shots[i].result.bulls) : 0);
            QCOMPARE(cows, shot ? int(shots[i].result.cows) : 0);
        }
    }

private slots:
    void recordedShotsShowAtOnce_data()
    {
        QTest::addColumn<QStringList>("shots");
        QTest::newRow("new game") << QStringList{};
        QTest::newRow("three shots") << QStringList{"5678", "1243", "2134"};
        QTest::newRow("won") << QStringList{"5678", "1234"};
        QTest::newRow("every row used") << QStringList{"5678", "5679", "5689", "5789", "6789",
                                                       "5671", "5672", "5673", "5674", "5691"};
    }

    void recordedShotsShowAtOnce()
    {
        QFETCH(QStringList, shots);
        BoardView board;
        auto game = gameWithCode("1234", shots);
        board.setGame(game);
        verifyShows(board, *game);
        QCOMPARE(dotsTransitioning(board), 0);

        // Typing goes to the next row; on a full board it changes nothing.
        board.codeDidChange(QStringLiteral("9\u2022\u2022\u2022"));
        if (shots.size() < BoardView::rowCount)
            QCOMPARE(board.codeLabels()[shots.size()]->text(), QStringLiteral("9\u2022\u2022\u2022"));
        else
            verifyShows(board, *game);
    }

    void followsExactlyTheGameItWasLastGiven()
    {
        test::ManualAnimationDriver driver;
        BoardView board;
        auto a = gameWithCode("1234", {"5678"});
        auto b = gameWithCode("9876", {"9871", "1234"});
        board.setGame(a);
        board.setGame(b);
        verifyShows(board, *b);

        a->shot("1243"); // A's result must not reach the board now
        verifyShows(board, *b);

        board.codeDidChange(QStringLiteral("9867")); // as the keypad does before the shot
        b->shot("9867");
        QVERIFY(board.bulletsViews()[2]->bullets()[0]->isTransitioning()); // the new result animates
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
        verifyShows(board, *b);

        board.setGame(a);
        verifyShows(board, *a);
        b->shot("9865");
        verifyShows(board, *a);
    }

    void rowsReadWholeAndInOrder_data()
    {
        QTest::addColumn<QStringList>("shots");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected"); // the first rows; the rest read empty
        QTest::newRow("new game") << QStringList{} << QString() << QStringList{"Shot 1: empty"};
        QTest::newRow("typing") << QStringList{} << QString("37\u2022\u2022") << QStringList{"Shot 1, typing: 3 7"};
        QTest::newRow("singular and plural")
            << QStringList{"5678", "1243", "2135", "1356"} << QString("9\u2022\u2022\u2022")
            << QStringList{"Shot 1: 5 6 7 8, 0 bulls, 0 cows",
                           "Shot 2: 1 2 4 3, 2 bulls, 2 cows",
                           "Shot 3: 2 1 3 5, 1 bull, 2 cows",
                           "Shot 4: 1 3 5 6, 1 bull, 1 cow",
                           "Shot 5, typing: 9",
                           "Shot 6: empty"};
        QTest::newRow("won") << QStringList{"1234"} << QString() << QStringList{"Shot 1: 1 2 3 4, 4 bulls, 0 cows"};
    }

    void rowsReadWholeAndInOrder()
    {
        QFETCH(QStringList, shots);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        BoardView board;
        board.setGame(gameWithCode("1234", shots));
        if (!typed.isEmpty())
            board.codeDidChange(typed);
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&board);
        QCOMPARE(list->childCount(), BoardView::rowCount);
        for (int i = 0; i < BoardView::rowCount; ++i) {
            QAccessibleInterface *row = list->child(i);
            QCOMPARE(row->text(QAccessible::Name),
                     i < expected.size() ? expected[i] : QString("Shot %1: empty").arg(i + 1));
            QCOMPARE(row->childCount(), 0); // one item, not four nameless dots
            QCOMPARE(row->parent()->object(), &board);
            QCOMPARE(list->indexOfChild(row), i);
        }
    }

    void aScoredShotIsAnnouncedOnItsRow()
    {
        test::ManualAnimationDriver driver;
        test::AccessibilityRecorder recorder;
        QVERIFY(recorder.isActive());
        GameView view;
        auto game = gameWithCode("1234");
        view.configure(game);
        BulletsView *first = view.boardView()->bulletsViews()[0];
        for (Qt::Key key : {Qt::Key_2, Qt::Key_1, Qt::Key_5})
            QTest::keyClick(view.keyboardView(), key);
        recorder.clear();
        for (Qt::Key key : {Qt::Key_6, Qt::Key_Return})
            QTest::keyClick(view.keyboardView(), key);
        const QString scored = QStringLiteral("Shot 1: 2 1 5 6, 0 bulls, 2 cows");
        // Read before the dots have finished turning.
        const QStringList names = recorder.names(first, QAccessible::NameChanged);
        QVERIFY(!names.isEmpty());
        QCOMPARE(names.last(), scored);
        QCOMPARE(recorder.names(first, QAccessible::Alert), QStringList{scored});
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
    }

    void theBoardHoldsItsGameWeakly()
    {
        BoardView board;
        auto game = gameWithCode("1234");
        board.setGame(game);
        QCOMPARE(board.game(), std::shared_ptr<GameProtocol>(game));
        game.reset();
        QVERIFY(!board.game());
    }

    // Each new height lays every row out once, and at once with that
    // height's spacing: a row laid out again fits its text again.
    void rowsShareTheHeightEvenlyInOnePass()
    {
        BoardView board;
        board.resize(375, 400);
        board.show();
        QList<QWidget *> rows;
        for (QBoxLayout *column : {board.numbersStackView(), board.codesStackView(), board.bulletsStackView()})
            for (int i = 0; i < column->count(); ++i)
                rows.append(column->itemAt(i)->widget());
        QCOMPARE(rows.size(), 3 * BoardView::rowCount);
        ResizeRecorder resizes;
        for (QWidget *row : std::as_const(rows))
            resizes.watch(row);

        for (int height : {667, 1000, 1367, 500}) {
            resizes.clear();
            board.resize(375, height);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            for (QWidget *row : std::as_const(rows))
                QCOMPARE(resizes.sizes(row), QList<QSize>{row->size()});
            for (const AutoFontSizeLabel *label : board.codeLabels())
                QCOMPARE(label->height(), board.codeLabels().first()->height());
            for (const BulletsView *dots : board.bulletsViews())
                QCOMPARE(dots->height(), board.bulletsViews().first()->height());
            // The rows fill the height but for the points ten rows cannot share.
            const int spare = height - 1 - board.codeLabels().last()->geometry().bottom();
            QVERIFY2(spare >= 0 && spare < BoardView::rowCount, qPrintable(QString::number(spare)));
        }
    }

    // The spacings the device calls for are in place at the first layout:
    // the board is laid out once, where it will stay.
    void aGameViewPlacesItsBoardOnce()
    {
        DeviceProfile::setCurrent(DeviceProfile::phone());
        GameView view;
        ResizeRecorder resizes;
        resizes.watch(view.boardView());
        view.resize(375, 603);
        view.show();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(view.boardView()->y(), GameView::smallScreenSpacing);
        QCOMPARE(resizes.sizes(view.boardView()), QList<QSize>{view.boardView()->size()});
    }

    void theKeypadPlaysTheConfiguredGame()
    {
        test::ManualAnimationDriver driver;
        GameView view;
        KeyboardView *keypad = view.keyboardView();
        view.configure(gameWithCode("1234", {"1234"})); // ended: the keypad is off
        for (auto *digit : keypad->numericButtons())
            QVERIFY(!digit->isEnabled());
        QVERIFY(!keypad->shotButton()->isEnabled());

        auto game = gameWithCode("1234", {"5678"});
        keypad->setCode(QStringLiteral("56"));
        view.configure(game); // a running game: ready for new digits
        QCOMPARE(keypad->code(), QString());
        for (auto *digit : keypad->numericButtons())
            QVERIFY(digit->isEnabled());
        for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_4, Qt::Key_3, Qt::Key_Return})
            QTest::keyClick(keypad, key);
        QCOMPARE(game->shots().size(), std::size_t(2));
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
        verifyShows(*view.boardView(), *game);
        // Once the dots have arrived nothing is left running.
        QTRY_VERIFY(!driver.isRunning());
        for (const QTimer *timer : view.findChildren<QTimer *>())
            QVERIFY(!timer->isActive());
    }
};

QTEST_MAIN(BoardViewTest)
#include "tst_boardview.moc"
