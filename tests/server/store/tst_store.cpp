// The storage cases every engine must pass: each test runs once per engine
// (the global data rows), on a fresh database.
#include "storeengines.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <map>
#include <set>
#include <thread>

using namespace kestrune::server;
using namespace kestrune::server::test;

namespace {

const std::string board = "sp_leaderboard";
constexpr Millis hour = 3'600'000;
constexpr Millis day = 24 * hour;
constexpr Millis monday = 1'796'601'600'000; // 2026-12-07 00:00 UTC, a Monday
constexpr Millis noon = monday + 12 * hour;
constexpr std::array allScopes{Scope::Today, Scope::Week, Scope::AllTime};

using Ids = std::vector<std::string>;
using Reports = std::vector<std::pair<std::int64_t, Millis>>; // value, at

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<Store> m_store;
    int m_players = 0;

    PlayerRecord newPlayer(const std::string &name)
    {
        ++m_players;
        return m_store->createPlayer(name, "token-" + std::to_string(m_players),
                                     "recovery-" + std::to_string(m_players), monday);
    }

    void report(const PlayerRecord &player, std::int64_t value, Millis at, const std::string &key = {})
    {
        m_store->reportScore(ScoreReport{player.id, board, value, at, key});
    }

    Ids idsOf(const std::vector<RankedScore> &rows)
    {
        Ids ids;
        for (const auto &row : rows)
            ids.push_back(row.playerId);
        return ids;
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<int>("engine");
        const auto engines = storeEngines();
        for (std::size_t i = 0; i < engines.size(); ++i)
            QTest::newRow(engines[i].name.c_str()) << int(i);
    }

    void init()
    {
        QFETCH_GLOBAL(int, engine);
        m_database = storeEngines()[std::size_t(engine)].create();
        m_store = m_database->open();
        m_players = 0;
    }

    void cleanup()
    {
        m_store.reset();
        m_database.reset();
    }

    void playersAreFoundByTokenAndIdAndRecoveryRotatesBoth()
    {
        const auto ada = m_store->createPlayer("Ada", "token-1", "code-1", monday);
        const auto bob = m_store->createPlayer("Bob", "token-b", "code-b", monday);
        const QRegularExpression idPattern(QStringLiteral("^K[0-9a-f]{16}$"));
        QVERIFY(idPattern.match(QString::fromStdString(ada.id)).hasMatch());
        QVERIFY(idPattern.match(QString::fromStdString(bob.id)).hasMatch());
        QVERIFY(ada.id != bob.id);
        QCOMPARE(ada.displayName, "Ada");
        const auto byToken = m_store->playerByToken("token-b");
        QVERIFY(byToken);
        QCOMPARE(byToken->id, bob.id);
        QCOMPARE(byToken->displayName, "Bob");
        QCOMPARE(m_store->player(ada.id)->displayName, "Ada");
        QVERIFY(!m_store->playerByToken("token-c"));
        QVERIFY(!m_store->playerByToken("code-1")); // a recovery code is no token
        QVERIFY(!m_store->player("K0000000000000000"));

        QVERIFY(!m_store->recoverPlayer("code-x", "token-x", "code-y"));
        QCOMPARE(m_store->playerByToken("token-1")->id, ada.id);
        const auto moved = m_store->recoverPlayer("code-1", "token-2", "code-2");
        QVERIFY(moved);
        QCOMPARE(moved->id, ada.id);
        QCOMPARE(moved->displayName, "Ada");
        QVERIFY(!m_store->playerByToken("token-1"));
        QCOMPARE(m_store->playerByToken("token-2")->id, ada.id);
        // The used code is spent; the new one works once in its turn.
        QVERIFY(!m_store->recoverPlayer("code-1", "token-3", "code-3"));
        QCOMPARE(m_store->recoverPlayer("code-2", "token-3", "code-3")->id, ada.id);
        QCOMPARE(m_store->playerByToken("token-b")->id, bob.id);
    }

    void renameShowsEverywhere()
    {
        const auto ada = newPlayer("Ada");
        const auto bob = newPlayer("Bob");
        report(ada, 500, noon);
        m_store->sendChallenge(ChallengeRecord{{}, ada.id, {}, bob.id, board, 500, "beat this", noon});

        QVERIFY(m_store->renamePlayer(ada.id, "Ada Lovelace"));

        QCOMPARE(m_store->player(ada.id)->displayName, "Ada Lovelace");
        QCOMPARE(m_store->playerByToken("token-1")->displayName, "Ada Lovelace");
        QCOMPARE(m_store->topScores(board, Scope::AllTime, noon, 10).at(0).displayName, "Ada Lovelace");
        QCOMPARE(m_store->receivedChallenges(bob.id).at(0).fromDisplayName, "Ada Lovelace");
        QCOMPARE(m_store->player(bob.id)->displayName, "Bob");
        QVERIFY(!m_store->renamePlayer("K0000000000000000", "Nobody"));
    }

    void bestIsKeptPerScope_data()
    {
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<std::int64_t>("best");
        QTest::addColumn<Millis>("bestAt");

        QTest::newRow("better replaces") << Reports{{300, noon}, {500, noon + 1}} << std::int64_t(500) << noon + 1;
        QTest::newRow("worse is ignored") << Reports{{500, noon}, {300, noon + 1}} << std::int64_t(500) << noon;
        QTest::newRow("equal keeps the earlier") << Reports{{400, noon}, {400, noon + 1}} << std::int64_t(400) << noon;
        QTest::newRow("equal arriving late but made earlier")
            << Reports{{400, noon + 1}, {400, noon}} << std::int64_t(400) << noon;
        QTest::newRow("the range's ends") << Reports{{0, noon}, {1000, noon + 1}} << std::int64_t(1000) << noon + 1;
    }

    void bestIsKeptPerScope()
    {
        QFETCH(Reports, reports);
        QFETCH(std::int64_t, best);
        QFETCH(Millis, bestAt);

        const auto ada = newPlayer("Ada");
        for (const auto &[value, at] : reports)
            report(ada, value, at);

        for (Scope scope : allScopes) {
            const auto own = m_store->playerScore(board, scope, noon + hour, ada.id);
            QVERIFY(own);
            QCOMPARE(own->value, best);
            QCOMPARE(own->reportedAt, bestAt);
            QCOMPARE(own->rank, 1);
            QCOMPARE(m_store->entryCount(board, scope, noon + hour), 1);
            QCOMPARE(m_store->topScores(board, scope, noon + hour, 10).size(), 1u);
        }
    }

    void newDayAndWeekStartEmpty()
    {
        const auto ada = newPlayer("Ada");
        const Millis sunday = monday + 6 * day + 23 * hour;
        report(ada, 700, noon);

        // Tuesday: the day is new, the week and all time still hold Monday's.
        const Millis tuesday = noon + day;
        QVERIFY(m_store->topScores(board, Scope::Today, tuesday, 10).empty());
        QCOMPARE(m_store->entryCount(board, Scope::Today, tuesday), 0);
        QVERIFY(!m_store->playerScore(board, Scope::Today, tuesday, ada.id));
        QCOMPARE(m_store->playerScore(board, Scope::Week, sunday, ada.id)->value, 700);

        // A lower score on Tuesday is Tuesday's best, not the week's.
        report(ada, 200, tuesday);
        QCOMPARE(m_store->playerScore(board, Scope::Today, tuesday, ada.id)->value, 200);
        QCOMPARE(m_store->playerScore(board, Scope::Today, noon, ada.id)->value, 700); // Monday still reads Monday
        QCOMPARE(m_store->playerScore(board, Scope::Week, tuesday, ada.id)->value, 700);

        // The next Monday starts a new week; all time keeps the best.
        const Millis nextMonday = monday + 7 * day;
        QVERIFY(m_store->topScores(board, Scope::Week, nextMonday, 10).empty());
        QCOMPARE(m_store->entryCount(board, Scope::Week, nextMonday), 0);
        QCOMPARE(m_store->playerScore(board, Scope::AllTime, nextMonday, ada.id)->value, 700);
        QCOMPARE(m_store->entryCount(board, Scope::AllTime, nextMonday), 1);
    }

    void tiesShareRankEarlierFirstAndImprovementsMoveRanks()
    {
        const auto a = newPlayer("A");
        const auto b = newPlayer("B");
        const auto c = newPlayer("C");
        const auto d = newPlayer("D");
        const auto e = newPlayer("E");
        report(a, 500, noon + 3);
        report(b, 700, noon + 1);
        report(c, 500, noon + 2);
        report(d, 300, noon);
        report(e, 500, noon + 3); // same value and time as A: the player id decides

        const auto ranksOf = [](const std::vector<RankedScore> &rows) {
            std::vector<std::int64_t> ranks;
            for (const auto &row : rows)
                ranks.push_back(row.rank);
            return ranks;
        };
        const Millis later = noon + hour;
        const auto top = m_store->topScores(board, Scope::Today, later, 10);
        const auto [first, second] = std::minmax(a.id, e.id);
        QCOMPARE(idsOf(top), (Ids{b.id, c.id, first, second, d.id}));
        QCOMPARE(ranksOf(top), (std::vector<std::int64_t>{1, 2, 2, 2, 5}));
        QCOMPARE(top.at(0).displayName, "B");
        QCOMPARE(top.at(0).value, 700);
        QCOMPARE(top.at(0).reportedAt, noon + 1);
        QCOMPARE(m_store->playerScore(board, Scope::Week, later, e.id)->rank, 2);
        QCOMPARE(m_store->playerScore(board, Scope::Week, later, d.id)->rank, 5);

        report(c, 600, noon + 4); // leaves the 500s: A and E are tied alone there now
        for (Scope scope : allScopes) {
            const auto moved = m_store->topScores(board, scope, later, 10);
            QCOMPARE(idsOf(moved), (Ids{b.id, c.id, first, second, d.id}));
            QCOMPARE(ranksOf(moved), (std::vector<std::int64_t>{1, 2, 3, 3, 5}));
            QCOMPARE(m_store->playerScore(board, scope, later, a.id)->rank, 3);
            QCOMPARE(m_store->entryCount(board, scope, later), 5); // players, not reports
        }
    }

    void topIsLimited()
    {
        std::vector<PlayerRecord> players;
        for (int i = 0; i < 6; ++i) {
            players.push_back(newPlayer("P" + std::to_string(i)));
            report(players.back(), 100 * (i + 1), noon);
        }
        QCOMPARE(idsOf(m_store->topScores(board, Scope::AllTime, noon, 3)),
                 (Ids{players[5].id, players[4].id, players[3].id}));
        QCOMPARE(m_store->topScores(board, Scope::AllTime, noon, 1).size(), 1u);
        QCOMPARE(m_store->topScores(board, Scope::AllTime, noon, 50).size(), 6u);
        QVERIFY(m_store->topScores(board, Scope::AllTime, noon, 0).empty());
        QVERIFY(m_store->topScores("no_such_board", Scope::AllTime, noon, 10).empty());
        QCOMPARE(m_store->entryCount("no_such_board", Scope::AllTime, noon), 0);
    }

    void aroundPlayer_data()
    {
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("radius");
        QTest::addColumn<std::vector<int>>("expected"); // indices into the board below

        QTest::newRow("at the top") << 0 << 2 << std::vector<int>{0, 1, 2};
        QTest::newRow("at the bottom") << 6 << 2 << std::vector<int>{4, 5, 6};
        QTest::newRow("in the middle") << 4 << 2 << std::vector<int>{2, 3, 4, 5, 6};
        QTest::newRow("among ties") << 2 << 1 << std::vector<int>{1, 2, 3};
        QTest::newRow("ties before and a gap after") << 3 << 2 << std::vector<int>{1, 2, 3, 4, 5};
        QTest::newRow("radius 0") << 5 << 0 << std::vector<int>{5};
        QTest::newRow("wider than the board") << 3 << 10 << std::vector<int>{0, 1, 2, 3, 4, 5, 6};
    }

    void aroundPlayer()
    {
        QFETCH(int, own);
        QFETCH(int, radius);
        QFETCH(std::vector<int>, expected);

        // Values 900, 800, 800, 800, 700, 600, 500 in this order; ranks 1, 2, 2, 2, 5, 6, 7.
        const std::vector<std::int64_t> values{900, 800, 800, 800, 700, 600, 500};
        const std::vector<std::int64_t> ranks{1, 2, 2, 2, 5, 6, 7};
        std::vector<PlayerRecord> players;
        for (std::size_t i = 0; i < values.size(); ++i) {
            players.push_back(newPlayer("P" + std::to_string(i)));
            report(players.back(), values[i], noon + Millis(i));
        }
        // Someone else's score of the day before is not on this day's board.
        const auto yesterday = newPlayer("Yesterday");
        report(yesterday, 850, noon - day);
        const auto idle = newPlayer("Idle");

        const auto rows = m_store->aroundPlayer(board, Scope::Today, noon, players[std::size_t(own)].id, radius);
        QCOMPARE(rows.size(), expected.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto index = std::size_t(expected[i]);
            QCOMPARE(rows[i].playerId, players[index].id);
            QCOMPARE(rows[i].rank, ranks[index]);
            QCOMPARE(rows[i].value, values[index]);
        }
        // Without a score on this board in this period, there is no window.
        for (const auto &player : {yesterday, idle}) {
            QVERIFY(m_store->aroundPlayer(board, Scope::Today, noon, player.id, 5).empty());
            QVERIFY(!m_store->playerScore(board, Scope::Today, noon, player.id));
        }
    }

    void reportKeyStoresOnce()
    {
        const auto ada = newPlayer("Ada");
        const auto bob = newPlayer("Bob");

        QVERIFY(!m_store->reportScore(ScoreReport{ada.id, board, 500, noon, "game-1"}).duplicate);
        // Sent again (the answer was lost) with a different value: nothing changes.
        QVERIFY(m_store->reportScore(ScoreReport{ada.id, board, 900, noon + 1, "game-1"}).duplicate);
        QCOMPARE(m_store->playerScore(board, Scope::AllTime, noon, ada.id)->value, 500);
        // Keys are per player, and an empty key is never a duplicate.
        QVERIFY(!m_store->reportScore(ScoreReport{bob.id, board, 600, noon, "game-1"}).duplicate);
        QVERIFY(!m_store->reportScore(ScoreReport{ada.id, board, 550, noon, ""}).duplicate);
        QVERIFY(!m_store->reportScore(ScoreReport{ada.id, board, 560, noon, ""}).duplicate);
        QCOMPARE(m_store->playerScore(board, Scope::AllTime, noon, ada.id)->value, 560);
        QCOMPARE(m_store->entryCount(board, Scope::AllTime, noon), 2);
    }

    void achievementKeepsHighest()
    {
        const auto ada = newPlayer("Ada");

        auto outcome = m_store->reportAchievement(ada.id, "50won", 40, noon);
        QCOMPARE(outcome.percent, 40.0);
        QVERIFY(!outcome.completedNow);
        outcome = m_store->reportAchievement(ada.id, "50won", 20, noon + 1);
        QCOMPARE(outcome.percent, 40.0);
        outcome = m_store->reportAchievement(ada.id, "50won", 100, noon + 2);
        QCOMPARE(outcome.percent, 100.0);
        QVERIFY(outcome.completedNow);
        outcome = m_store->reportAchievement(ada.id, "50won", 100, noon + 3);
        QVERIFY(!outcome.completedNow); // completed once only
        QVERIFY(m_store->reportAchievement(ada.id, "1won", 100, noon + 4).completedNow);

        auto records = m_store->achievements(ada.id);
        std::sort(records.begin(), records.end(),
                  [](const auto &l, const auto &r) { return l.identifier < r.identifier; });
        QCOMPARE(records.size(), 2u);
        QCOMPARE(records[0].identifier, "1won");
        QCOMPARE(records[1].identifier, "50won");
        QCOMPARE(records[1].percent, 100.0);
        QCOMPARE(records[1].updatedAt, noon + 2); // the report that raised it

        // A reset touches only one's own, which can then be completed again.
        const auto bob = newPlayer("Bob");
        m_store->reportAchievement(bob.id, "1won", 100, noon);
        m_store->reportAchievement(bob.id, "50games", 12.5, noon);
        m_store->resetAchievements(ada.id);
        QVERIFY(m_store->achievements(ada.id).empty());
        QCOMPARE(m_store->achievements(bob.id).size(), 2u);
        QVERIFY(m_store->reportAchievement(ada.id, "1won", 100, noon + 5).completedNow);
        QVERIFY(!m_store->reportAchievement(bob.id, "1won", 100, noon + 5).completedNow);
    }

    void onlyReceiverListsAndDismisses()
    {
        const auto ada = newPlayer("Ada");
        const auto bob = newPlayer("Bob");
        const auto cyd = newPlayer("Cyd");
        const auto first = m_store->sendChallenge(ChallengeRecord{{}, ada.id, {}, bob.id, board, 500, "beat me", noon});
        const auto second =
            m_store->sendChallenge(ChallengeRecord{{}, cyd.id, {}, bob.id, board, 640, "and me", noon + 1});
        m_store->sendChallenge(ChallengeRecord{{}, bob.id, {}, ada.id, board, 10, "yours", noon + 2});
        QVERIFY(!first.id.empty());
        QVERIFY(first.id != second.id);

        auto received = m_store->receivedChallenges(bob.id);
        QCOMPARE(received.size(), 2u);
        QCOMPARE(received[0].id, second.id); // newest first
        QCOMPARE(received[0].fromPlayerId, cyd.id);
        QCOMPARE(received[0].fromDisplayName, "Cyd");
        QCOMPARE(received[0].toPlayerId, bob.id);
        QCOMPARE(received[0].value, 640);
        QCOMPARE(received[0].message, "and me");
        QCOMPARE(received[0].sentAt, noon + 1);
        QCOMPARE(received[1].id, first.id);
        QVERIFY(m_store->receivedChallenges(cyd.id).empty());

        // The sender and a stranger cannot dismiss it; the receiver can, once.
        QVERIFY(!m_store->dismissChallenge(ada.id, first.id));
        QVERIFY(!m_store->dismissChallenge(cyd.id, first.id));
        QVERIFY(m_store->dismissChallenge(bob.id, first.id));
        QVERIFY(!m_store->dismissChallenge(bob.id, first.id));
        QVERIFY(!m_store->dismissChallenge(bob.id, "C0000000000000000"));

        received = m_store->receivedChallenges(bob.id);
        QCOMPARE(received.size(), 1u);
        QCOMPARE(received[0].id, second.id);
        QCOMPARE(m_store->receivedChallenges(ada.id).size(), 1u);
    }

    void concurrentReportsStayConsistent()
    {
        constexpr int threads = 4;
        constexpr int playersPerThread = 10;
        constexpr int reportsPerPlayer = 5;
        std::vector<std::vector<PlayerRecord>> players(threads);
        for (auto &group : players) {
            for (int i = 0; i < playersPerThread; ++i)
                group.push_back(newPlayer("P"));
        }

        // Each thread reports for its own players while another reads the board.
        std::map<std::string, std::int64_t> best;
        std::mutex bestMutex;
        std::atomic<int> failures = 0;
        std::atomic<bool> writing = true;
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                try {
                    for (int r = 0; r < reportsPerPlayer; ++r) {
                        for (int i = 0; i < playersPerThread; ++i) {
                            const auto &player = players[std::size_t(t)][std::size_t(i)];
                            const std::int64_t value = (t * 131 + i * 17 + r * 29) % 1001;
                            m_store->reportScore(ScoreReport{player.id, board, value, noon + r, {}});
                            std::lock_guard lock(bestMutex);
                            best[player.id] = std::max(best[player.id], value);
                        }
                    }
                } catch (const StoreError &) {
                    ++failures;
                }
            });
        }
        std::thread reader([&] {
            try {
                while (writing) {
                    const auto top = m_store->topScores(board, Scope::Today, noon, 10);
                    if (!std::is_sorted(top.begin(), top.end(),
                                        [](const auto &l, const auto &r) { return l.value > r.value; }))
                        ++failures;
                }
            } catch (const StoreError &) {
                ++failures;
            }
        });
        for (auto &worker : workers)
            worker.join();
        writing = false;
        reader.join();
        QCOMPARE(failures.load(), 0);

        constexpr int total = threads * playersPerThread;
        for (Scope scope : allScopes) {
            QCOMPARE(m_store->entryCount(board, scope, noon), total);
            const auto top = m_store->topScores(board, scope, noon, total + 10);
            QCOMPARE(int(top.size()), total);
            for (const auto &row : top) {
                QCOMPARE(row.value, best.at(row.playerId));
                const auto better =
                    std::count_if(top.begin(), top.end(), [&](const auto &o) { return o.value > row.value; });
                QCOMPARE(row.rank, better + 1);
                QCOMPARE(m_store->playerScore(board, scope, noon, row.playerId)->rank, row.rank);
            }
        }
    }

    void reopeningKeepsEverything()
    {
        const auto ada = newPlayer("Ada");
        const auto bob = newPlayer("Bob");
        report(ada, 640, noon, "game-1");
        m_store->reportAchievement(ada.id, "1won", 100, noon);
        const auto challenge =
            m_store->sendChallenge(ChallengeRecord{{}, ada.id, {}, bob.id, board, 640, "again", noon});
        const auto migrations = m_database->appliedMigrations();
        QVERIFY(!migrations.empty());
        QVERIFY(std::is_sorted(migrations.begin(), migrations.end()));

        // Two restarts, the second with the previous store still open.
        m_store.reset();
        m_store = m_database->open();
        auto second = m_database->open();
        QCOMPARE(m_database->appliedMigrations(), migrations);

        QCOMPARE(m_store->playerByToken("token-1")->id, ada.id);
        QCOMPARE(second->playerScore(board, Scope::AllTime, noon, ada.id)->value, 640);
        QVERIFY(m_store->reportScore(ScoreReport{ada.id, board, 900, noon, "game-1"}).duplicate);
        QCOMPARE(m_store->achievements(ada.id).size(), 1u);
        QCOMPARE(second->receivedChallenges(bob.id).at(0).id, challenge.id);
        // What one writes, the other reads.
        report(bob, 700, noon);
        QCOMPARE(second->playerScore(board, Scope::Today, noon, bob.id)->rank, 1);
    }

    void metacharactersAreStoredVerbatim_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote and statement") << QStringLiteral("x'); DROP TABLE players; --");
        QTest::newRow("double quotes") << QStringLiteral("\"name\" OR \"1\"=\"1\"");
        QTest::newRow("like wildcards") << QStringLiteral("%_%\\");
        QTest::newRow("relative path") << QStringLiteral("../../etc/passwd");
        QTest::newRow("windows path") << QStringLiteral("C:\\Windows\\system32");
        QTest::newRow("placeholders") << QStringLiteral("?1 $1 :name @x %s");
        QTest::newRow("semicolons and comments") << QStringLiteral("a;/* b */-- c");
        QTest::newRow("not ascii") << QStringLiteral("Zoë 暗号 🎯");
    }

    void metacharactersAreStoredVerbatim()
    {
        QFETCH(QString, text);
        const std::string s = text.toStdString();

        const auto player = m_store->createPlayer(s, "token:" + s, "recovery:" + s, monday);
        const auto other = newPlayer("Other");
        QCOMPARE(m_store->playerByToken("token:" + s)->displayName, s);
        QVERIFY(!m_store->playerByToken(s));
        QVERIFY(!m_store->player(s));

        QVERIFY(!m_store->reportScore(ScoreReport{player.id, board, 321, noon, s}).duplicate);
        QVERIFY(m_store->reportScore(ScoreReport{player.id, board, 322, noon, s}).duplicate);
        QCOMPARE(m_store->topScores(board, Scope::Today, noon, 5).at(0).displayName, s);
        QVERIFY(m_store->topScores(s, Scope::Today, noon, 5).empty());

        m_store->reportAchievement(player.id, s, 50, noon);
        QCOMPARE(m_store->achievements(player.id).at(0).identifier, s);

        const auto challenge = m_store->sendChallenge(ChallengeRecord{{}, other.id, {}, player.id, board, 1, s, noon});
        QCOMPARE(m_store->receivedChallenges(player.id).at(0).message, s);
        QVERIFY(!m_store->dismissChallenge(player.id, s));
        QVERIFY(m_store->dismissChallenge(player.id, challenge.id));

        QVERIFY(m_store->renamePlayer(other.id, s + s));
        QCOMPARE(m_store->player(other.id)->displayName, s + s);
        QCOMPARE(m_store->recoverPlayer("recovery:" + s, "new:" + s, "again:" + s)->id, player.id);
        // Every table still there and whole.
        QCOMPARE(m_store->entryCount(board, Scope::AllTime, noon), 1);
        QVERIFY(m_store->player(other.id));
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
