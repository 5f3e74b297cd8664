#include "fakeclock.h"
#include "memorystore.h"
#include "recordinganalytics.h"
#include "recordinggameservice.h"

#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/statisticshelper.h"

#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

using Events = std::vector<RecordingAnalytics::Event>;
using Params = Analytics::Parameters;

class TestGameManager : public QObject
{
    Q_OBJECT

    FakeClock clock;
    MemoryStore store;
    RecordingAnalytics analytics;
    RecordingGameService service;
    std::vector<GameState> states;
    int completions = 0;
    rx::Disposable subscription;

    std::unique_ptr<GameManager> makeMatch(int players, std::vector<std::string> codes = {"1234", "5678"})
    {
        auto next = std::make_shared<std::size_t>(0);
        auto manager = GameManager::create(players, GameEnvironment{&clock, &service, &store, &analytics,
                                                                    [codes, next] { return codes.at((*next)++); }});
        if (manager) {
            subscription = manager->gameStateSubject().subscribe([this](const GameState &s) { states.push_back(s); },
                                                                 {}, [this] { ++completions; });
        }
        return manager;
    }

    // Shots that break neither code, never the same twice in a row.
    static void miss(GameManager &m, int times)
    {
        static const char *shots[] = {"9876", "9875", "9874", "9873", "9872", "9871", "9865", "9864", "9863", "9862"};
        for (int i = 0; i < times; ++i)
            m.currentGame()->shot(shots[i % 10]);
    }

private slots:
    void init()
    {
        store = MemoryStore();
        analytics = RecordingAnalytics();
        service = RecordingGameService();
        states.clear();
        completions = 0;
    }

    void onlyOneOrTwoPlayers()
    {
        QVERIFY(!makeMatch(0));
        QVERIFY(!makeMatch(3));
        QVERIFY(analytics.events.empty());
        auto one = makeMatch(1);
        auto two = makeMatch(2);
        QVERIFY(one && two);
        QCOMPARE(two->players().size(), std::size_t(2));
        QCOMPARE(two->players()[1]->number(), 2);
        QCOMPARE(analytics.events, (Events{{"start_game", Params{{"Type", "Single player"}}},
                                           {"start_game", Params{{"Type", "Two players"}}}}));
    }

    void singlePlayerWinKeepsEveryBook()
    {
        auto m = makeMatch(1);
        m->currentGame()->shot("5678");
        clock.advance(10);
        m->currentGame()->shot("4321");
        clock.advance(20.4);
        m->currentGame()->shot("1234");

        QCOMPARE(states, (std::vector{GameState::pending(), GameState::pending(), GameState::won(m->players())}));
        QCOMPARE(completions, 1);
        QCOMPARE(analytics.events, (Events{{"start_game", Params{{"Type", "Single player"}}},
                                           {"won_game", Params{{"Round", std::int64_t(3)}}}}));

        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), 1);
        QCOMPARE(StatisticsHelper::integerValue(store, "games"), 1);
        QCOMPARE(StatisticsHelper::integerValue(store, "losses"), 0);
        QCOMPARE(StatisticsHelper::integerValue(store, "secondsSpentInGame"), 30);
        QCOMPARE(StatisticsHelper::integerValue(store, "secondsSpentInWonGames"), 30);
        QCOMPARE(*store.string("history"), std::string("W"));

        // 760 + round(200 - 4 * 30.4) = 760 + 78
        QCOMPARE(service.scores,
                 (std::vector<RecordingGameService::ScoreReport>{{838, "sp_leaderboard", SortOrder::higherIsBetter}}));
        using R = RecordingGameService::AchievementReport;
        QCOMPARE(service.achievements, (std::vector<R>{{"1won", 100, true},
                                                       {"50won", 2, true},
                                                       {"100won", 1, true},
                                                       {"50games", 2, true},
                                                       {"100games", 1, true}}));
    }

    void luckAndSpeedAchievements_data()
    {
        QTest::addColumn<int>("misses");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("lucky");
        QTest::addColumn<bool>("fast");
        QTest::newRow("first shot") << 0 << 0.0 << true << true;
        QTest::newRow("just under 20 s") << 1 << 19.99 << false << true;
        QTest::newRow("exactly 20 s is not fast") << 1 << 20.0 << false << false;
    }
    void luckAndSpeedAchievements()
    {
        QFETCH(int, misses);
        QFETCH(double, seconds);
        QFETCH(bool, lucky);
        QFETCH(bool, fast);
        auto m = makeMatch(1);
        miss(*m, misses);
        clock.advance(seconds);
        m->currentGame()->shot("1234");
        auto reported = [this](const char *id) {
            return std::any_of(service.achievements.begin(), service.achievements.end(),
                               [id](const auto &a) { return a.identifier == id; });
        };
        QCOMPARE(reported("lucky_beggar"), lucky);
        QCOMPARE(reported("really_fast"), fast);
    }

    void singlePlayerLoss()
    {
        auto m = makeMatch(1);
        clock.advance(5);
        miss(*m, 9);
        clock.advance(12.5);
        miss(*m, 1);
        QCOMPARE(states.size(), std::size_t(10));
        QCOMPARE(states.back(), GameState::lost({"1234"}));
        QCOMPARE(completions, 1);
        QCOMPARE(analytics.names(), (std::vector<std::string>{"start_game", "lost_game"}));
        QVERIFY(!analytics.events.back().parameters);
        QCOMPARE(StatisticsHelper::integerValue(store, "losses"), 1);
        QCOMPARE(StatisticsHelper::integerValue(store, "games"), 1);
        QCOMPARE(StatisticsHelper::integerValue(store, "secondsSpentInGame"), 13); // 12.5 rounds up
        QCOMPARE(StatisticsHelper::integerValue(store, "secondsSpentInWonGames"), 0);
        QVERIFY(service.scores.empty());
        // A lost game still counts as played, and only as played.
        using R = RecordingGameService::AchievementReport;
        QCOMPARE(service.achievements, (std::vector<R>{{"50games", 2, true}, {"100games", 1, true}}));
    }

    void currentGameAlternates()
    {
        auto m = makeMatch(2);
        const auto g = m->games();
        QCOMPARE(m->currentGame(), g[0]);
        g[0]->shot("9876");
        QCOMPARE(m->currentGame(), g[1]);
        g[1]->shot("9876");
        QCOMPARE(m->currentGame(), g[0]);
        QCOMPARE(m->codes(), (std::vector<std::string>{"1234", "5678"}));
    }

    // After the misses, the shots alternate from player 1; the match is
    // decided at the last of them, and no books are kept for two players.
    void twoPlayersAreDecidedByRounds_data()
    {
        QTest::addColumn<int>("misses");
        QTest::addColumn<QStringList>("shots");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("events");
        const QString won = QStringLiteral("won_game");
        const QString lost = QStringLiteral("lost_game");
        QTest::newRow("player 1, once player 2 has caught up")
            << 6 << QStringList{"1234", "9876"} << "1" << QStringList{won};
        QTest::newRow("a tie in the same round") << 6 << QStringList{"1234", "5678"} << "tie" << QStringList{won, won};
        QTest::newRow("player 2 alone") << 1 << QStringList{"5678"} << "2" << QStringList{won};
        QTest::newRow("nobody breaks a code") << 20 << QStringList{} << "lost" << QStringList{lost, lost};
    }
    void twoPlayersAreDecidedByRounds()
    {
        QFETCH(int, misses);
        QFETCH(QStringList, shots);
        QFETCH(QString, outcome);
        QFETCH(QStringList, events);
        auto m = makeMatch(2);
        miss(*m, misses);
        for (const QString &shot : shots) {
            QCOMPARE(states.back(), GameState::pending());
            m->currentGame()->shot(shot.toStdString());
        }
        const GameState expected = outcome == "tie"    ? GameState::tie({"1234", "5678"})
                                   : outcome == "lost" ? GameState::lost({"1234", "5678"})
                                                       : GameState::won({m->players()[outcome.toInt() - 1]});
        QCOMPARE(states.back(), expected);
        std::vector<std::string> names{"start_game"};
        for (const QString &e : events)
            names.push_back(e.toStdString());
        QCOMPARE(analytics.names(), names);
        QCOMPARE(store.syncCount(), 0);
        QVERIFY(service.scores.empty() && service.achievements.empty());
        // The stream is closed: later shots publish nothing more.
        const auto count = states.size();
        m->games()[1]->shot("9876");
        QCOMPARE(states.size(), count);
        QCOMPARE(completions, 1);
    }

    void catchUpWinnerWithFewerShotsWinsAlone()
    {
        // Games played out of turn (a face-to-face match): player 1 wins with
        // 5 shots, player 2 then wins with 3 while player 1 waits.
        auto m = makeMatch(2);
        auto g = m->games();
        for (int i = 0; i < 4; ++i)
            g[0]->shot("9876");
        g[0]->shot("1234");
        QCOMPARE(states.back(), GameState::pending());
        g[1]->shot("9876");
        g[1]->shot("9871");
        QCOMPARE(states.back(), GameState::pending());
        g[1]->shot("5678");
        QCOMPARE(states.back(), GameState::won({m->players()[1]}));
    }

    void releasingTheMatchEndsItsSubscriptions()
    {
        auto m = makeMatch(1);
        std::shared_ptr<GameProtocol> game = m->currentGame();
        m.reset();
        QVERIFY(!game->delegate());
        QVERIFY(!game->resultSubject().hasObservers());
        game->shot("1234"); // nobody to tell, nothing recorded
        QCOMPARE(analytics.names(), std::vector<std::string>{"start_game"});
        QCOMPARE(store.syncCount(), 0);

        // A subscriber may release the match on the decided state.
        completions = 0;
        m = makeMatch(1);
        rx::Disposable d = m->gameStateSubject().subscribe([&](const GameState &s) {
            if (!s.isPending())
                m.reset();
        });
        m->currentGame()->shot("1234");
        QVERIFY(!m);
        QCOMPARE(completions, 1);
    }
};

QTEST_GUILESS_MAIN(TestGameManager)
#include "tst_gamemanager.moc"
