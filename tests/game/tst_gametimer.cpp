#include "fakeclock.h"
#include "manualticker.h"

#include "game/game.h"
#include "game/gametimer.h"
#include "game/rx/mainscheduler.h"
#include "platform/dispatch/workerticker.h"

#include <QTest>

#include <atomic>
#include <optional>

using namespace kestrune;
using kestrune::test::FakeClock;
using kestrune::test::ManualTicker;

namespace {

const std::string secret = "1234";
const std::string miss = "5678";

// What one subscription has seen.
struct Recorder
{
    std::vector<std::int64_t> values;
    bool completed = false;
    rx::Disposable subscription;

    ~Recorder() { subscription.dispose(); }

    explicit Recorder(const rx::Observable<std::int64_t> &stream)
    {
        subscription =
            stream.subscribe([this](const std::int64_t &v) { values.push_back(v); }, {}, [this] { completed = true; });
    }
};

using Values = std::vector<std::int64_t>;

// The real worker thread, at a pace a test can wait for.
class FastTicker final : public Ticker
{
public:
    rx::Disposable every(std::chrono::milliseconds, std::function<void()> tick) override
    {
        return m_worker.every(std::chrono::milliseconds(1), [this, tick] {
            ++ticks;
            tick();
        });
    }
    std::atomic<int> ticks{0};

private:
    WorkerTicker m_worker;
};

} // namespace

class TestGameTimer : public QObject
{
    Q_OBJECT

    FakeClock clock;
    ManualTicker ticker;

    std::shared_ptr<Game> makeGame()
    {
        return std::make_shared<Game>(GameEnvironment{&clock, nullptr, nullptr, nullptr, [] { return secret; }});
    }

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            ticker.tick();
    }

private slots:
    // Whatever ends, no tick is left behind.
    void cleanup() { QCOMPARE(ticker.liveCount(), 0); }

    void silentUntilTheFirstShotThenCountsFromZero()
    {
        auto game = makeGame();
        Recorder r(GameTimer::stream(game, ticker));
        QCOMPARE(ticker.lastInterval(), std::chrono::milliseconds(1000));
        tick(3);
        QCOMPARE(r.values, Values{});
        clock.advance(0.4);
        game->shot(miss);
        tick();
        QCOMPARE(r.values, Values{0});
        tick(2);
        QCOMPARE(r.values, (Values{0, 1, 2}));
        QVERIFY(!r.completed);
    }

    void completesOnTheTickAfterTheEnd_data()
    {
        QTest::addColumn<int>("misses");
        QTest::addColumn<bool>("won");
        QTest::newRow("won on the second shot") << 1 << true;
        QTest::newRow("lost after ten shots") << 10 << false;
    }
    void completesOnTheTickAfterTheEnd()
    {
        QFETCH(int, misses);
        QFETCH(bool, won);
        auto game = makeGame();
        Recorder r(GameTimer::stream(game, ticker));
        game->shot(miss);
        tick(2);
        for (int i = 1; i < misses; ++i)
            game->shot(miss);
        if (won)
            game->shot(secret);
        QVERIFY(game->isEnded());
        QVERIFY(!r.completed);
        tick();
        QVERIFY(r.completed);
        QCOMPARE(r.values, (Values{0, 1}));
    }

    // A later subscription starts from the game's whole seconds and counts
    // on its own; one to an ended game only completes.
    void eachSubscriptionStartsFromTheGamesTimeAndKeepsItsOwnCount()
    {
        auto game = makeGame();
        Recorder first(GameTimer::stream(game, ticker));
        game->shot(miss);
        tick(3);
        clock.advance(7.9);
        Recorder second(GameTimer::stream(game, ticker));
        tick(2);
        QCOMPARE(first.values, (Values{0, 1, 2, 3, 4}));
        QCOMPARE(second.values, (Values{7, 8}));

        game->shot(secret);
        tick();
        Recorder ended(GameTimer::stream(game, ticker));
        QVERIFY(!ended.completed);
        tick();
        QVERIFY(ended.completed);
        QCOMPARE(ended.values, Values{});
    }

    void endingTheSubscriptionOrTheGameStopsTheTicks()
    {
        auto game = makeGame();
        Recorder r(GameTimer::stream(game, ticker));
        game->shot(miss);
        tick();
        r.subscription.dispose();
        QCOMPARE(ticker.liveCount(), 0);
        tick(2);
        QCOMPARE(r.values, Values{0});
        QVERIFY(!r.completed);
        // Nor does the game's result stream keep anything of it.
        QVERIFY(!game->resultSubject().hasObservers());

        // A game that has gone ends the stream.
        Recorder left(GameTimer::stream(game, ticker));
        tick();
        game.reset();
        tick();
        QVERIFY(left.completed);
        QCOMPARE(left.values, Values{0});
        QCOMPARE(ticker.liveCount(), 0);

        const auto stream = GameTimer::stream(makeGame(), ticker); // the game goes before anyone subscribes
        Recorder late(stream);
        QVERIFY(late.completed);
    }

    // Ticks race against the shots on the GUI thread; run under
    // ThreadSanitizer. No timing is asserted, only what arrives.
    void aRealTickerThreadWhileShotsArePlayed()
    {
        FastTicker fast;
        auto game = makeGame();
        Recorder r(GameTimer::stream(game, fast).observeOn(rx::MainScheduler::instance()));
        QTRY_VERIFY_WITH_TIMEOUT(fast.ticks.load() >= 20, 20000);
        QCoreApplication::processEvents();
        QCOMPARE(r.values, Values{}); // no shot, nothing to count

        game->shot(miss);
        for (int i = 0; i < 8; ++i) {
            const std::size_t seen = r.values.size();
            QTRY_VERIFY_WITH_TIMEOUT(r.values.size() > seen + 2, 20000);
            game->shot(miss);
        }
        game->shot(secret);
        QTRY_VERIFY_WITH_TIMEOUT(r.completed, 20000);
        for (std::size_t i = 0; i < r.values.size(); ++i)
            QCOMPARE(r.values[i], std::int64_t(i));
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
