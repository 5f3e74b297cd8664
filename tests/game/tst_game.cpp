#include "fakeclock.h"
#include "recordinggameservice.h"

#include "game/game.h"
#include "game/gamedelegate.h"
#include "game/random/randomsource.h"

#include <QTest>

#include <set>

using namespace kestrune;
using kestrune::test::FakeClock;
using kestrune::test::RecordingGameService;

namespace {

// Records the delegate calls and what the game looked like at each.
class RecordingDelegate final : public GameDelegate
{
public:
    explicit RecordingDelegate(int players)
        : players(players)
    {
    }
    void gameDidWin(GameProtocol &game, std::int64_t points, double seconds) override
    {
        calls.push_back("win");
        wonPoints = points;
        wonSeconds = seconds;
        endedAtCall = game.isEnded();
    }
    void gameDidLose(double seconds) override
    {
        calls.push_back("lose");
        lostSeconds = seconds;
    }
    int playerCount() const override { return players; }

    int players;
    std::vector<std::string> calls;
    std::int64_t wonPoints = -1;
    double wonSeconds = -1;
    double lostSeconds = -1;
    bool endedAtCall = false;
};

class SequenceRandom final : public RandomSource
{
public:
    explicit SequenceRandom(std::vector<std::uint64_t> words)
        : words(std::move(words))
    {
    }
    std::uint64_t next64() override { return words.at(next++ % words.size()); }
    std::vector<std::uint64_t> words;
    std::size_t next = 0;
};

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

    FakeClock clock;
    RecordingGameService service;

    std::unique_ptr<Game> makeGame(const std::string &code)
    {
        return std::make_unique<Game>(GameEnvironment{&clock, &service, nullptr, nullptr, [code] { return code; }});
    }

private slots:
    void init() { service = RecordingGameService(); }

    void scoring_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shot");
        QTest::addColumn<int>("bulls");
        QTest::addColumn<int>("cows");
        const auto row = [](const char *name, const char *code, const char *shot, int bulls, int cows) {
            QTest::newRow(name) << QString(code) << QString(shot) << bulls << cows;
        };
        row("four bulls", "1234", "1234", 4, 0);
        row("four cows", "1234", "4321", 0, 4);
        row("nothing", "1234", "5678", 0, 0);
        row("two bulls, two cows", "1234", "1243", 2, 2);
        row("one bull", "9876", "9123", 1, 0);
        row("one cow", "9876", "1923", 0, 1);
        row("three bulls", "5179", "5178", 3, 0);
        row("bull and cows", "2468", "2846", 1, 3);
    }
    void scoring()
    {
        QFETCH(QString, code);
        QFETCH(QString, shot);
        QFETCH(int, bulls);
        QFETCH(int, cows);
        auto game = makeGame(code.toStdString());
        QCOMPARE(game->shot(shot.toStdString()), std::optional(Result{bulls, cows}));
        QCOMPARE(game->shots().size(), std::size_t(1));
        QCOMPARE(game->shots().front().code, shot.toStdString());
    }

    void invalidShotsAreRefusedWithoutEffect_data()
    {
        QTest::addColumn<QString>("shot");
        QTest::newRow("empty") << "";
        QTest::newRow("three digits") << "123";
        QTest::newRow("five digits") << "12345";
        QTest::newRow("zero") << "1230";
        QTest::newRow("repeated digit") << "1123";
        QTest::newRow("letter") << "12a4";
        QTest::newRow("multibyte") << "12\u00e94";
    }
    void invalidShotsAreRefusedWithoutEffect()
    {
        QFETCH(QString, shot);
        auto game = makeGame("1234");
        int published = 0;
        game->resultSubject().subscribe([&](const Result &) { ++published; });
        QVERIFY(!game->shot(shot.toStdString()));
        QVERIFY(game->shots().empty());
        QVERIFY(!game->gameStartDate());
        QCOMPARE(published, 0);
        QCOMPARE(game->shot("1234")->bulls, 4);
        // an ended game refuses it too, rather than answering with the last result
        QVERIFY(!game->shot(shot.toStdString()));
        QCOMPARE(game->shots().size(), std::size_t(1));
    }

    void winAtOnceEndsTheGame()
    {
        RecordingDelegate delegate(1);
        auto game = makeGame("1234");
        game->setDelegate(&delegate);
        std::vector<std::string> order;
        game->resultSubject().subscribe(
            [&](const Result &) {
                order.push_back("result");
                QVERIFY(game->isEnded() && game->isWon() && game->gameEndDate());
            },
            {}, [&] { order.push_back("completed"); });
        QCOMPARE(game->shot("1234"), std::optional(Result{4, 0}));
        QVERIFY(game->isWon());
        QCOMPARE(delegate.calls, std::vector<std::string>{"win"});
        QVERIFY(delegate.endedAtCall);
        QCOMPARE(delegate.wonPoints, 1000);
        QCOMPARE(delegate.wonSeconds, 0.0);
        QCOMPARE(*game->points(), 1000);
        QCOMPARE(order, (std::vector<std::string>{"result", "completed"}));

        // A shot after the end answers with the last result and changes nothing.
        clock.advance(10);
        QCOMPARE(game->shot("5678"), std::optional(Result{4, 0}));
        QCOMPARE(game->shots().size(), std::size_t(1));
        QCOMPARE(order.size(), std::size_t(2));
        QCOMPARE(delegate.calls.size(), std::size_t(1));
        QCOMPARE(*game->points(), 1000);
    }

    void tenthShotLosesUnlessItWins()
    {
        for (bool winLast : {false, true}) {
            RecordingDelegate delegate(1);
            auto game = makeGame("1234");
            game->setDelegate(&delegate);
            const char *misses[] = {"5678", "5679", "5689", "5789", "6789", "4567", "3567", "2567", "1567"};
            for (const char *shot : misses) {
                game->shot(shot);
                clock.advance(3);
            }
            QVERIFY(!game->isEnded());
            QVERIFY(delegate.calls.empty());
            game->shot(winLast ? "1234" : "4321");
            QVERIFY(game->isEnded());
            QCOMPARE(game->isWon(), winLast);
            QCOMPARE(delegate.calls, std::vector<std::string>{winLast ? "win" : "lose"});
            QCOMPARE(winLast ? delegate.wonSeconds : delegate.lostSeconds, 27.0);
            if (winLast)
                QCOMPARE(*game->points(), 375 + 92); // 200 - 4 * 27 = 92
        }
    }

    void durationRunsFromTheFirstShotToTheEnd()
    {
        auto game = makeGame("1234");
        clock.advance(100); // before the first shot: not counted
        QCOMPARE(game->duration(), 0.0);
        QVERIFY(!game->points());
        game->shot("5678");
        clock.advance(12.5);
        QCOMPARE(game->duration(), 12.5);
        QVERIFY(!game->points());
        game->shot("1234");
        clock.advance(60);
        QCOMPARE(game->duration(), 12.5);
    }

    void points_data()
    {
        QTest::addColumn<int>("shots");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("points");
        QTest::newRow("one shot at once") << 1 << 0.0 << 1000;
        QTest::newRow("two shots earn one less than one") << 2 << 0.0 << 999;
        QTest::newRow("five shots in 30 s") << 5 << 30.0 << 750;
        QTest::newRow("ten shots in 60 s") << 10 << 60.0 << 370;
        QTest::newRow("never negative") << 5 << 1500.0 << 0;
        QTest::newRow("bonus half rounds up") << 3 << 49.875 << 761;
        QTest::newRow("bonus zero at 50 s") << 3 << 50.0 << 760;
        QTest::newRow("negative half rounds away from zero") << 4 << 51.0 << 719;
        QTest::newRow("just under 1 s") << 6 << 0.9 << 816; // 196.4 -> 196
    }
    void points()
    {
        QFETCH(int, shots);
        QFETCH(double, seconds);
        QFETCH(int, points);
        QCOMPARE(Game::pointsFor(static_cast<std::size_t>(shots), seconds), points);
    }

    void repeatedShotReportsStubbornOnlyInSinglePlayer()
    {
        for (int players : {1, 2}) {
            service = RecordingGameService();
            RecordingDelegate delegate(players);
            auto game = makeGame("1234");
            game->setDelegate(&delegate);
            game->shot("5678");
            game->shot("5679");
            QVERIFY(service.achievements.empty()); // different shots
            game->shot("5679");
            game->shot("5679"); // found at 100 now: nothing more
            if (players == 1)
                QCOMPARE(service.achievements,
                         (std::vector<RecordingGameService::AchievementReport>{{"really_stubborn", 100, true}}));
            else
                QVERIFY(service.achievements.empty());
        }
        // Without a delegate nobody can say it is single player.
        service = RecordingGameService();
        auto lonely = makeGame("1234");
        lonely->shot("5678");
        lonely->shot("5678");
        QVERIFY(service.achievements.empty());
    }

    void drawnCodesAreFourDifferentDigitsAndStable()
    {
        std::set<std::string> seen;
        for (int i = 0; i < 500; ++i) {
            Game g;
            const std::string c = g.code();
            QVERIFY(Game::isValidShot(c));
            QCOMPARE(g.code(), c);
            seen.insert(c);
        }
        QVERIFY(seen.size() > 400); // 3024 codes: repeats are rare
    }

    void uniformIndexRejectsBiasedWords()
    {
        // For bound 3, 2^64 mod 3 = 1: the word 0 lands in the biased remainder
        // (low product 0 < 1) and must be drawn again.
        SequenceRandom words({0, ~std::uint64_t(0)});
        QCOMPARE(words.uniformIndex(3), std::uint64_t(2));
        QCOMPARE(words.next, std::size_t(2));
        SequenceRandom threeQuarters({(std::uint64_t(1) << 63) | (std::uint64_t(1) << 62)});
        QCOMPARE(threeQuarters.uniformIndex(10), std::uint64_t(7));
        QCOMPARE(threeQuarters.next, std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
