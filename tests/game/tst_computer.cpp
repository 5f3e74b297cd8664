#include "fakeclock.h"
#include "manualbackground.h"
#include "memorystore.h"
#include "recordinganalytics.h"
#include "recordinggameservice.h"

#include "game/computer/computerstatistics.h"
#include "game/computer/computerstrength.h"
#include "game/computer/hintadvisor.h"
#include "game/game.h"
#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/random/randomsource.h"
#include "game/rx/disposebag.h"
#include "game/solver/codespace.h"
#include "game/solver/strategy.h"
#include "game/statisticshelper.h"

#include <QTest>
#include <QThread>

#include <limits>
#include <map>
#include <random>
#include <set>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

Q_DECLARE_METATYPE(kestrune::ComputerStrength)

namespace {

// A seeded generator, so the easy computer plays the same match on every run.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed)
        : m_engine(seed)
    {
    }
    std::uint64_t next64() override { return m_engine(); }

private:
    std::mt19937_64 m_engine;
};

bool fits(const std::string &code, const std::vector<Shot> &shots)
{
    return std::all_of(shots.begin(), shots.end(),
                       [&](const Shot &s) { return Game::score(code, s.code) == s.result; });
}

} // namespace

class TestComputer : public QObject
{
    Q_OBJECT

    FakeClock clock;
    MemoryStore store;
    RecordingAnalytics analytics;
    RecordingGameService service;
    SeededRandom random{42};

    GameEnvironment environment(std::vector<std::string> codes, ManualBackground *background = nullptr)
    {
        auto next = std::make_shared<std::size_t>(0);
        GameEnvironment env{&clock, &service, &store, &analytics, [codes, next] { return codes.at((*next)++); }};
        env.random = &random;
        if (background)
            env.background = background->runner();
        return env;
    }

    // A hint from a match without a background runner, answered at once;
    // nothing when the request was refused.
    static std::optional<Hint> takeHint(GameManaging &m)
    {
        std::optional<Hint> answered;
        m.requestHint([&answered](std::optional<Hint> hint) { answered = std::move(hint); });
        return answered;
    }

    // Plays the player's shots in turn, letting the computer answer each.
    static void play(GameManager &m, const std::vector<std::string> &shots)
    {
        for (const auto &shot : shots) {
            QVERIFY(!m.isComputerTurn());
            m.currentGame()->shot(shot);
            if (m.isComputerTurn())
                QVERIFY(m.playComputerShot());
        }
    }

private slots:
    void init()
    {
        store = MemoryStore();
        analytics = RecordingAnalytics();
        service = RecordingGameService();
    }

    void strengthAndRecordsAreKeptAndSurviveDamage()
    {
        QVERIFY(!ComputerStrengths::stored(store));
        for (ComputerStrength strength : ComputerStrengths::all) {
            ComputerStrengths::store(store, strength);
            QCOMPARE(ComputerStrengths::stored(store), strength);
            QCOMPARE(ComputerStrengths::fromKey(ComputerStrengths::key(strength)), strength);
        }
        QCOMPARE(store.unsyncedWrites(), 0);
        store.plant(ComputerStrengths::storeKey, std::string("Hard")); // keys are case-sensitive
        QVERIFY(!ComputerStrengths::stored(store));
        store.plant(ComputerStrengths::storeKey, std::int64_t(2));
        QVERIFY(!ComputerStrengths::stored(store));

        // The records are kept per strength, and survive damage too.
        ComputerStatistics::add(store, ComputerStrength::hard, ComputerStatistics::Outcome::tie);
        ComputerStatistics::add(store, ComputerStrength::hard, ComputerStatistics::Outcome::win);
        ComputerStatistics::add(store, ComputerStrength::easy, ComputerStatistics::Outcome::loss);
        QCOMPARE(ComputerStatistics::record(store, ComputerStrength::hard), (ComputerStatistics::Record{1, 0, 1}));
        QCOMPARE(ComputerStatistics::record(store, ComputerStrength::easy), (ComputerStatistics::Record{0, 1, 0}));
        QCOMPARE(ComputerStatistics::record(store, ComputerStrength::normal), ComputerStatistics::Record{});
        QCOMPARE(*store.integer("computerHardTies"), 1);
        // The single-player books are not touched.
        QVERIFY(!store.contains(StatisticsHelper::games));

        constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
        store.plant("computerNormalWins", std::int64_t(-5));
        store.plant("computerNormalLosses", std::string("many"));
        store.plant("computerNormalTies", max);
        QCOMPARE(ComputerStatistics::record(store, ComputerStrength::normal), (ComputerStatistics::Record{0, 0, max}));
        ComputerStatistics::add(store, ComputerStrength::normal, ComputerStatistics::Outcome::win);
        ComputerStatistics::add(store, ComputerStrength::normal, ComputerStatistics::Outcome::tie);
        const auto normal = ComputerStatistics::record(store, ComputerStrength::normal);
        QCOMPARE(normal, (ComputerStatistics::Record{1, 0, max}));
        QCOMPARE(normal.matches(), max);
    }

    void hintCountsTheCodesLeftAndOffersOneThatTeaches()
    {
        const auto first = HintAdvisor::advise({});
        QVERIFY(first);
        QCOMPARE(first->codesLeft, std::size_t(CodeSpace::size));
        QVERIFY(Game::isValidShot(first->shot));

        // Walk a game to its end against a fixed code; each hint's count is
        // the number of codes that fit, and its shot is one of them.
        const std::string code = "7391";
        std::vector<Shot> shots;
        while (shots.empty() || shots.back().result.bulls != 4) {
            const auto hint = HintAdvisor::advise(shots);
            QVERIFY(hint);
            std::size_t fitting = 0;
            for (int i = 0; i < CodeSpace::size; ++i)
                fitting += fits(CodeSpace::code(i), shots) ? 1 : 0;
            QCOMPARE(hint->codesLeft, fitting);
            if (fitting == 1)
                QCOMPARE(hint->shot, code);
            QVERIFY(fits(hint->shot, shots));
            shots.push_back({hint->shot, Game::score(code, hint->shot)});
            QVERIFY(shots.size() <= 8);
        }

        // Scores no code can give leave nothing to advise.
        QVERIFY(!HintAdvisor::advise({{"1234", {4, 0}}, {"5678", {4, 0}}}));
        QVERIFY(!HintAdvisor::advise({{"1234", {3, 1}}}));
    }

    void hintsAreCountedLoggedByRoundAndRefused()
    {
        auto m = GameManager::create(1, environment({"1234"}));
        QCOMPARE(m->hintsLeft(), GameManager::hintsPerGame);
        QVERIFY(!m->isAssisted());
        const auto first = takeHint(*m);
        QVERIFY(first);
        QCOMPARE(first->codesLeft, std::size_t(3024));
        m->currentGame()->shot("5678");
        m->currentGame()->shot("9876");
        QVERIFY(takeHint(*m));
        QVERIFY(takeHint(*m));
        QCOMPARE(m->hintsLeft(), 0);
        QCOMPARE(m->hintsUsed(), 3);
        QVERIFY(!takeHint(*m));
        QCOMPARE(m->hintsUsed(), 3);

        using Events = std::vector<RecordingAnalytics::Event>;
        using P = Analytics::Parameters;
        QCOMPARE(analytics.events, (Events{{"start_game", P{{"Type", "Single player"}}},
                                           {"hint", P{{"Round", std::int64_t(1)}}},
                                           {"hint", P{{"Round", std::int64_t(3)}}},
                                           {"hint", P{{"Round", std::int64_t(3)}}}}));

        // None after the end, or for two.
        auto won = GameManager::create(1, environment({"1234"}));
        won->currentGame()->shot("1234");
        QVERIFY(!takeHint(*won));
        QCOMPARE(won->hintsUsed(), 0);
        QCOMPARE(won->hintsLeft(), GameManager::hintsPerGame);
        auto two = GameManager::create(2, environment({"1234", "5678"}));
        QCOMPARE(two->hintsLeft(), 0);
        QVERIFY(!takeHint(*two));
        auto computer = GameManager::createAgainstComputer(ComputerStrength::normal, environment({"1234", "5678"}));
        QVERIFY(!takeHint(*computer));
    }

    void assistedGamesCountButEarnNothing()
    {
        auto m = GameManager::create(1, environment({"1234"}));
        m->currentGame()->shot("5678");
        QVERIFY(takeHint(*m));
        m->currentGame()->shot("5678"); // the same shot twice would earn "really stubborn"
        m->currentGame()->shot("1234");
        QVERIFY(m->gameState().kind() == GameState::Kind::won);
        QCOMPARE(StatisticsHelper::integerValue(store, StatisticsHelper::wins), 1);
        QCOMPARE(StatisticsHelper::integerValue(store, StatisticsHelper::games), 1);
        QVERIFY(service.scores.empty());
        QVERIFY(service.achievements.empty());

        // The same match without the hint does earn them.
        auto plain = GameManager::create(1, environment({"1234"}));
        plain->currentGame()->shot("5678");
        plain->currentGame()->shot("5678");
        plain->currentGame()->shot("1234");
        QCOMPARE(service.scores.size(), std::size_t(1));
        QVERIFY(std::any_of(service.achievements.begin(), service.achievements.end(),
                            [](const auto &a) { return a.identifier == "really_stubborn"; }));

        // An assisted loss counts too, and earns not even the games played.
        service = RecordingGameService();
        auto lost = GameManager::create(1, environment({"1234"}));
        QVERIFY(takeHint(*lost));
        for (int i = 0; i < 10; ++i)
            lost->currentGame()->shot("5678");
        QVERIFY(lost->gameState().kind() == GameState::Kind::lost);
        QCOMPARE(StatisticsHelper::integerValue(store, StatisticsHelper::losses), 1);
        QVERIFY(service.achievements.empty());
    }

    void fullMatchAtEachStrength_data()
    {
        // Easy is careless by design; its own tests follow.
        QTest::addColumn<ComputerStrength>("strength");
        QTest::newRow("normal") << ComputerStrength::normal;
        QTest::newRow("hard") << ComputerStrength::hard;
    }
    void fullMatchAtEachStrength()
    {
        QFETCH(ComputerStrength, strength);
        // The player never breaks the code, so the computer wins within its
        // worst case of 8 shots and every shot it makes fits what it knew.
        auto m = GameManager::createAgainstComputer(strength, environment({"1234", "2619"}));
        std::vector<GameState> states;
        auto subscription = m->gameStateSubject().subscribe([&](const GameState &s) { states.push_back(s); });
        const auto computerGame = m->games()[1];
        int turns = 0;
        while (m->gameState().isPending()) {
            QVERIFY(++turns <= 10);
            // Out of its turn the computer does not play.
            QVERIFY(!m->isComputerTurn());
            QVERIFY(!m->playComputerShot());
            QCOMPARE(computerGame->shots().size(), std::size_t(turns - 1));
            QCOMPARE(m->currentGame(), m->games()[0]);
            m->currentGame()->shot("9876");
            const auto before = computerGame->shots();
            QVERIFY(m->isComputerTurn());
            QVERIFY(m->playComputerShot());
            QVERIFY(fits(computerGame->shots().back().code, before));
        }
        QVERIFY(turns <= 8);
        QCOMPARE(states.back(), GameState::won({m->players()[1]}));
        QCOMPARE(ComputerStatistics::record(store, strength), (ComputerStatistics::Record{0, 1, 0}));

        // Only the player's game keeps books: one event for the start, none
        // for the computer's win; no single-player statistics, nothing reported.
        QCOMPARE(analytics.names(), std::vector<std::string>{"start_game"});
        QCOMPARE(*analytics.events.front().parameters,
                 (Analytics::Parameters{{"Type", "Computer"}, {"Strength", ComputerStrengths::key(strength)}}));
        QVERIFY(!store.contains(StatisticsHelper::games));
        QVERIFY(service.scores.empty() && service.achievements.empty());
    }

    void strengthsNeedClearlyDifferentNumbersOfShots()
    {
        // Every 12th code, each played to its break; a fixed seed makes the
        // easy computer's choices the same on every run. The benchmark plays
        // all codes: about 6.3, 5.2 and 5.0 shots.
        std::map<ComputerStrength, double> mean;
        for (ComputerStrength strength : ComputerStrengths::all) {
            SeededRandom seeded(7);
            const auto strategy = ComputerStrengths::makeStrategy(strength, seeded);
            int games = 0;
            int shots = 0;
            for (int secret = 0; secret < CodeSpace::size; secret += 12, ++games) {
                std::vector<Shot> history;
                while (history.empty() || history.back().result.bulls != 4) {
                    const auto shot = strategy->nextShot(history);
                    QVERIFY(shot);
                    QVERIFY(history.size() < 60);
                    history.push_back({*shot, Game::score(CodeSpace::code(secret), *shot)});
                }
                shots += int(history.size());
            }
            mean[strength] = double(shots) / games;
        }
        const double easy = mean[ComputerStrength::easy], normal = mean[ComputerStrength::normal];
        const QByteArray report =
            QStringLiteral("%1 %2 %3").arg(easy).arg(normal).arg(mean[ComputerStrength::hard]).toUtf8();
        QVERIFY2(easy >= 6.0 && easy - normal >= 0.8 && normal - mean[ComputerStrength::hard] >= 0.2, report);
    }

    void easyIsCarelessSometimesButNeverRepeatsAShot()
    {
        // Its careless shots are codes the answers already ruled out; it
        // still has the answer to every shot it made and wastes none on a repeat.
        SeededRandom seeded(11);
        const auto easy = ComputerStrengths::makeStrategy(ComputerStrength::easy, seeded);
        int careful = 0;
        int careless = 0;
        for (int secret = 5; secret < CodeSpace::size; secret += 101) {
            std::vector<Shot> history;
            std::set<std::string> played;
            while (history.empty() || history.back().result.bulls != 4) {
                const auto shot = easy->nextShot(history);
                QVERIFY(shot);
                QVERIFY2(played.insert(*shot).second, shot->c_str());
                ++(fits(*shot, history) ? careful : careless);
                history.push_back({*shot, Game::score(CodeSpace::code(secret), *shot)});
            }
        }
        // A first shot fits by itself; after it, about 45 in 100 are careless.
        QVERIFY2(careless >= careful / 4 && careful > careless,
                 qPrintable(QString("%1/%2").arg(careful).arg(careless)));
    }

    void outcomesCountFromThePlayersSide_data()
    {
        QTest::addColumn<QString>("shot");
        QTest::addColumn<int>("wins");
        QTest::addColumn<int>("losses");
        QTest::addColumn<int>("ties");
        QTest::addColumn<QString>("computersCode");
        // Normal plays 1234 first: it breaks 1234 at once, and 9876 not in one shot.
        // A player who wins first leaves the computer its catch-up shot.
        QTest::newRow("both break it in round 1") << "5678" << 0 << 0 << 1 << "1234";
        QTest::newRow("the computer alone") << "9876" << 0 << 1 << 0 << "1234";
        QTest::newRow("the player alone") << "5678" << 1 << 0 << 0 << "9876";
    }
    void outcomesCountFromThePlayersSide()
    {
        QFETCH(QString, shot);
        QFETCH(int, wins);
        QFETCH(int, losses);
        QFETCH(int, ties);
        QFETCH(QString, computersCode);
        auto m = GameManager::createAgainstComputer(ComputerStrength::normal,
                                                    environment({"5678", computersCode.toStdString()}));
        play(*m, {shot.toStdString()});
        QVERIFY(!m->isComputerTurn());
        QVERIFY(!m->gameState().isPending());
        // A later stray shot must not count the match twice.
        m->games()[0]->shot("9876");
        QCOMPARE(ComputerStatistics::record(store, ComputerStrength::normal),
                 (ComputerStatistics::Record{wins, losses, ties}));
    }

    // With a background runner the hint is worked out there, and used up
    // only when its answer arrives.
    void aHintWorkedOutElsewhereIsSpentWhenItArrives()
    {
        ManualBackground background;
        auto m = GameManager::create(1, environment({"1234"}, &background));
        std::vector<std::optional<Hint>> answers;
        const auto answer = [&answers](std::optional<Hint> hint) { answers.push_back(std::move(hint)); };

        const rx::Disposable handle = m->requestHint(answer);
        QVERIFY(!handle.isDisposed());
        QVERIFY(m->isHintPending());
        QCOMPARE(background.pending.size(), std::size_t(1));
        QCOMPARE(m->hintsUsed(), 0);
        QCOMPARE(m->hintsLeft(), GameManager::hintsPerGame);
        // A second press while it thinks does nothing.
        QVERIFY(m->requestHint(answer).isDisposed());
        QCOMPARE(background.pending.size(), std::size_t(1));

        background.runAll();
        QVERIFY(!m->isHintPending());
        QCOMPARE(answers.size(), std::size_t(1));
        QCOMPARE(answers.front(), (Hint{3024, "1234"}));
        QCOMPARE(m->hintsUsed(), 1);
        QCOMPARE(analytics.names(), (std::vector<std::string>{"start_game", "hint"}));
    }

    void aDroppedHintSpendsNothing_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("handle disposed") << "dispose";
        QTest::newRow("match gone") << "release";
        QTest::newRow("game won") << "win";
        QTest::newRow("game lost") << "lose";
    }
    void aDroppedHintSpendsNothing()
    {
        QFETCH(QString, meanwhile);
        ManualBackground background;
        auto m = GameManager::create(1, environment({"1234"}, &background));
        int answers = 0;
        const rx::Disposable handle = m->requestHint([&answers](std::optional<Hint>) { ++answers; });
        if (meanwhile == "dispose") {
            handle.dispose();
        } else if (meanwhile == "release") {
            m.reset();
            handle.dispose(); // the screen's bag may end it after the match went
        } else {
            for (int i = 0; i < (meanwhile == "win" ? 1 : 10); ++i)
                m->currentGame()->shot(meanwhile == "win" ? "1234" : "5678");
            QVERIFY(m->currentGame()->isEnded());
        }
        if (m)
            QVERIFY(!m->isHintPending());

        background.runAll();
        QCOMPARE(answers, 0);
        QVERIFY(background.pending.empty());
        const auto names = analytics.names();
        QVERIFY(std::find(names.begin(), names.end(), "hint") == names.end());
        if (!m)
            return;
        QCOMPARE(m->hintsUsed(), 0);
        // Nothing was spent, so a hint may still be asked for while it plays.
        if (meanwhile == "dispose") {
            m->requestHint([&answers](std::optional<Hint>) { ++answers; }).disposed(bag);
            background.runAll();
            QCOMPARE(answers, 1);
            QCOMPARE(m->hintsUsed(), 1);
        }
    }

    // A shot sent while the hint thinks makes it think again: the hint must
    // fit the shots as they are when it arrives.
    void aHintFitsTheShotsSentMeanwhile()
    {
        ManualBackground background;
        auto m = GameManager::create(1, environment({"9786"}, &background));
        std::optional<Hint> answered;
        m->requestHint([&answered](std::optional<Hint> hint) { answered = std::move(hint); }).disposed(bag);
        m->currentGame()->shot("5678");
        background.runAll();
        QVERIFY(!answered);
        QVERIFY(m->isHintPending());
        QCOMPARE(m->hintsUsed(), 0);

        background.runAll();
        QVERIFY(answered);
        const auto fitting = CodeSpace::consistentCodes(m->currentGame()->shots());
        QCOMPARE(answered->codesLeft, fitting->size());
        QCOMPARE(*answered, *HintAdvisor::advise(m->currentGame()->shots()));
        QCOMPARE(m->hintsUsed(), 1);
        QCOMPARE(analytics.events.back(),
                 (RecordingAnalytics::Event{"hint", Analytics::Parameters{{"Round", std::int64_t(2)}}}));
    }

    // The hard computer works its shot out off the GUI thread and is ready
    // when that arrives; the others shoot at once.
    void onlyTheHardComputerThinksInTheBackground()
    {
        ManualBackground background;
        auto hard =
            GameManager::createAgainstComputer(ComputerStrength::hard, environment({"1234", "5678"}, &background));
        QVERIFY(hard->prepareComputerShot([] { QFAIL("not its turn"); }).isDisposed());
        hard->currentGame()->shot("9876");
        int ready = 0;
        hard->prepareComputerShot([&ready] { ++ready; }).disposed(bag);
        QCOMPARE(ready, 0);
        QCOMPARE(background.pending.size(), std::size_t(1));
        background.runAll();
        QCOMPARE(ready, 1);
        QCOMPARE(hard->playComputerShot(), Game::score("5678", "1234")); // the entropy opening
        QCOMPARE(hard->games()[1]->shots().front().code, "1234");

        // A turn whose wait was dropped still plays, thinking again if it must.
        hard->currentGame()->shot("9875");
        hard->prepareComputerShot([&ready] { ++ready; }).dispose();
        background.runAll();
        QCOMPARE(ready, 1);
        QVERIFY(hard->playComputerShot());
        QCOMPARE(hard->games()[1]->shots().size(), std::size_t(2));

        auto normal =
            GameManager::createAgainstComputer(ComputerStrength::normal, environment({"1234", "5678"}, &background));
        normal->currentGame()->shot("9876");
        normal->prepareComputerShot([&ready] { ++ready; }).disposed(bag);
        QCOMPARE(ready, 2);
        QVERIFY(background.pending.empty());
        QCOMPARE(normal->playComputerShot(), Game::score("5678", "1234")); // the lowest code first
    }

    // The real thing: the work on another thread, its answer back on this
    // one through the event loop.
    void answersFromAnotherThreadArriveOnThisOne()
    {
        std::vector<std::thread> threads;
        const auto elsewhere = [&threads](std::function<void()> work) { threads.emplace_back(std::move(work)); };
        GameEnvironment env = environment({"9786"});
        env.background = elsewhere;
        auto single = GameManager::create(1, env);
        single->currentGame()->shot("1357");
        std::optional<Hint> hint;
        bool hintOnThisThread = false;
        single
            ->requestHint([&](std::optional<Hint> answer) {
                hintOnThisThread = QThread::currentThread() == QCoreApplication::instance()->thread();
                hint = std::move(answer);
            })
            .disposed(bag);
        GameEnvironment hardEnv = environment({"9786", "5678"});
        hardEnv.background = elsewhere;
        auto hard = GameManager::createAgainstComputer(ComputerStrength::hard, hardEnv);
        hard->currentGame()->shot("1357");
        bool ready = false;
        bool readyOnThisThread = false;
        hard->prepareComputerShot([&] {
                readyOnThisThread = QThread::currentThread() == QCoreApplication::instance()->thread();
                ready = true;
            })
            .disposed(bag);
        QTRY_VERIFY_WITH_TIMEOUT(hint && ready, 30000);
        for (std::thread &thread : threads)
            thread.join();
        QVERIFY(hintOnThisThread);
        QVERIFY(readyOnThisThread);
        QCOMPARE(*hint, *HintAdvisor::advise(single->currentGame()->shots()));
        QCOMPARE(single->hintsUsed(), 1);
        QVERIFY(hard->playComputerShot());
        QCOMPARE(hard->games()[1]->shots().front().code, "1234");
    }

private:
    rx::DisposeBag bag;
};

QTEST_GUILESS_MAIN(TestComputer)
#include "tst_computer.moc"
