#include "platform/backgroundsyncstore.h"
#include "platform/settingsstore.h"

#include "filebytes.h"
#include "lockedstore.h"
#include "memorystore.h"
#include "settingseventcounter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>

#include <atomic>
#include <future>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// A store in memory whose synchronisations a test can hold up, fail, and
// look into: each one checks that the figures of a game are in step.
class WatchedStore final : public LockedStore
{
public:
    bool synchronize() override
    {
        if (hold.valid()) {
            started.set_value();
            hold.wait();
            hold = {};
        }
        const auto store = locked();
        store->synchronize();
        if (store->integer("a").value_or(0) != store->integer("b").value_or(0))
            ++outOfStep;
        return failure == Failure::none && !refuses;
    }
    Failure lastFailure() const override { return failure; }
    int syncs() const { return locked()->syncCount(); }

    std::atomic<Failure> failure{Failure::none};
    std::atomic<bool> refuses{false}; // fails without saying why
    std::atomic<int> outOfStep{0};
    std::promise<void> started;
    std::shared_future<void> hold; // the next synchronisation waits for it
};

} // namespace

// Writes reach the wrapped store in order, off the caller's thread; reads
// see them at once.
class TestBackgroundSyncStore : public QObject
{
    Q_OBJECT

private slots:
    void changesReadAtOnceAndReachTheStoreInOrder()
    {
        auto memory = std::make_unique<MemoryStore>();
        MemoryStore &inner = *memory;
        inner.plant("games", std::int64_t(41));
        inner.plant("history", std::string("WL"));
        BackgroundSyncStore store(std::move(memory));

        QCOMPARE(store.integer("games"), std::optional<std::int64_t>(41));
        store.setInteger("games", 42);
        store.setString("history", "WLW");
        store.setBoolean("hasLaunchedOnce", true);
        store.remove("history");
        store.setString("history", "W");
        QVERIFY(store.synchronize());
        QCOMPARE(store.integer("games"), std::optional<std::int64_t>(42));
        QCOMPARE(store.string("history"), std::optional<std::string>("W"));
        QCOMPARE(store.boolean("hasLaunchedOnce"), std::optional(true));
        QVERIFY(!store.contains("wins"));

        QVERIFY(store.flush());
        QCOMPARE(inner.integer("games"), std::optional<std::int64_t>(42));
        QCOMPARE(inner.string("history"), std::optional<std::string>("W"));
        QCOMPARE(inner.boolean("hasLaunchedOnce"), std::optional(true));
        QCOMPARE(inner.unsyncedWrites(), 0);
    }

    // Many changes from two threads: every one arrives, none is lost.
    void changesFromSeveralThreadsAllArrive()
    {
        auto memory = std::make_unique<MemoryStore>();
        MemoryStore &inner = *memory;
        BackgroundSyncStore store(std::move(memory));
        auto write = [&store](const std::string &prefix) {
            for (int i = 0; i < 500; ++i) {
                store.setInteger(prefix + std::to_string(i), i);
                store.synchronize();
            }
        };
        std::thread other(write, "b");
        write("a");
        other.join();
        QVERIFY(store.flush());
        for (int i = 0; i < 500; ++i) {
            QCOMPARE(inner.integer("a" + std::to_string(i)), std::optional<std::int64_t>(i));
            QCOMPARE(inner.integer("b" + std::to_string(i)), std::optional<std::int64_t>(i));
        }
        QCOMPARE(inner.unsyncedWrites(), 0);
    }

    // A read after changes queued behind a write that hangs answers at once,
    // from what the store held when it was made or what was written since.
    void readsNeverWaitForTheWriter()
    {
        auto watched = std::make_unique<WatchedStore>();
        WatchedStore &inner = *watched;
        inner.setInteger("secondsSpentInGame", 70);
        inner.setString("history", "WL");
        inner.setBoolean("hasLaunchedOnce", true);
        std::promise<void> release;
        inner.hold = release.get_future().share();
        std::future<void> started = inner.started.get_future();
        BackgroundSyncStore store(std::move(watched));
        store.setInteger("games", 2);
        store.synchronize();
        started.wait();
        store.setInteger("games", 3);
        store.remove("hasLaunchedOnce");
        store.synchronize();

        struct Answers
        {
            std::optional<std::int64_t> seconds, games;
            std::optional<std::string> history;
            bool launched = true, wins = true;
            std::vector<std::string> keys;
        };
        std::future<Answers> read = std::async(std::launch::async, [&store] {
            Answers a{store.integer("secondsSpentInGame"), store.integer("games"), store.string("history"),
                      store.contains("hasLaunchedOnce"),   store.contains("wins"), store.keys()};
            std::sort(a.keys.begin(), a.keys.end());
            return a;
        });
        // Generous: only a read that waits for the writer takes this long.
        const bool answered = read.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        release.set_value();
        const Answers a = read.get();
        QVERIFY(answered);
        QCOMPARE(a.seconds, std::optional<std::int64_t>(70));
        QCOMPARE(a.games, std::optional<std::int64_t>(3));
        QCOMPARE(a.history, std::optional<std::string>("WL"));
        QVERIFY(!a.launched);
        QVERIFY(!a.wins);
        QCOMPARE(a.keys, (std::vector<std::string>{"games", "history", "secondsSpentInGame"}));
        QVERIFY(store.flush());
        QCOMPARE(inner.integer("games"), std::optional<std::int64_t>(3));
        QVERIFY(!inner.contains("hasLaunchedOnce"));
    }

    // What a settings file holds is read when the store is made, with the
    // settings store's own rules: text forms of integers and booleans, and
    // anything else absent for those types.
    void valuesReadAtOpeningKeepTheStoresRules()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("settings.conf"));
        QVERIFY(
            writeBytes(fileName, "[General]\ngames=42\nwins=lots\nhistory=WLW\nhasLaunchedOnce=true\nlosses=2.5\n"));

        BackgroundSyncStore store([&fileName] { return std::make_unique<SettingsStore>(fileName); });
        QCOMPARE(store.integer("games"), std::optional<std::int64_t>(42));
        QCOMPARE(store.string("games"), std::optional<std::string>("42"));
        QVERIFY(!store.integer("wins"));
        QCOMPARE(store.string("wins"), std::optional<std::string>("lots"));
        QCOMPARE(store.boolean("hasLaunchedOnce"), std::optional(true));
        QVERIFY(!store.integer("losses"));
        QVERIFY(!store.boolean("history"));
        QVERIFY(!store.contains("secondsSpentInGame"));
        // Written here, a value answers for the type it was written with.
        store.setInteger("wins", 7);
        QVERIFY(!store.string("wins"));
        QCOMPARE(store.integer("wins"), std::optional<std::int64_t>(7));
    }

    // The settings object is made, written and destroyed on the writer
    // thread: none of its events ever comes to the thread that made the
    // store, even while that thread runs its events as the GUI thread does,
    // and every flush puts the values on disk without an event loop.
    void settingsNeverReachTheMakersThread()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("settings.conf"));
        test::SettingsEventCounter events;
        std::atomic<bool> openedHere{true};
        {
            BackgroundSyncStore store([&] {
                openedHere = QThread::currentThread() == QCoreApplication::instance()->thread();
                return std::make_unique<SettingsStore>(fileName);
            });
            QVERIFY(!openedHere);
            for (std::int64_t games = 1; games <= 5; ++games) {
                store.setMany({{"games", games}, {"history", std::string(std::size_t(games), 'W')}});
                QVERIFY(store.flush());
                QCOMPARE(SettingsStore(fileName).integer("games"), std::optional<std::int64_t>(games));
            }
            for (std::int64_t n = 0; n < 300; ++n) {
                store.setInteger("streamed", n);
                store.synchronize();
                QCoreApplication::processEvents();
            }
            store.setInteger("wins", 5);
            QVERIFY(store.synchronize());
            QCOMPARE(events.count(), 0);
        }
        QCOMPARE(SettingsStore(fileName).integer("wins"), std::optional<std::int64_t>(5));
        QCOMPARE(SettingsStore(fileName).integer("streamed"), std::optional<std::int64_t>(299));
        QCOMPARE(events.count(), 0);
    }

    // A batch is written whole: no synchronisation asked for on another
    // thread falls between two of its keys.
    void aBatchIsNeverSplitBetweenWrites()
    {
        auto watched = std::make_unique<WatchedStore>();
        WatchedStore &inner = *watched;
        BackgroundSyncStore store(std::move(watched));
        std::atomic<bool> done{false};
        std::thread other([&] {
            for (std::int64_t n = 0; !done; ++n) {
                store.setInteger("other", n);
                store.synchronize();
            }
        });
        // Keys between the two that must agree widen the gap a split needs.
        for (std::int64_t n = 1; n <= 2000; ++n) {
            std::vector<KeyValueStore::Change> batch{{"a", n}};
            for (int k = 0; k < 20; ++k)
                batch.push_back({"filler" + std::to_string(k), n});
            batch.push_back({"b", n});
            store.setMany(batch);
        }
        done = true;
        other.join();
        QVERIFY(store.flush());
        QCOMPARE(inner.outOfStep.load(), 0);
        QCOMPARE(inner.integer("b"), std::optional<std::int64_t>(2000));
    }

    // Changes asked to be written while a write is under way go to disk
    // together in the next one, not one write each behind it.
    void changesWaitingForTheWriterAreWrittenTogether()
    {
        auto watched = std::make_unique<WatchedStore>();
        WatchedStore &inner = *watched;
        std::promise<void> release;
        inner.hold = release.get_future().share();
        std::future<void> started = inner.started.get_future();
        BackgroundSyncStore store(std::move(watched));
        store.setInteger("first", 1);
        store.synchronize();
        started.wait();
        for (int i = 0; i < 100; ++i) {
            store.setInteger("streamed", i);
            store.synchronize();
        }
        store.setMany({{"a", std::int64_t(1)}, {"b", std::int64_t(1)}, {"history", std::string("W")}});
        release.set_value();
        QVERIFY(store.flush());
        QCOMPARE(inner.syncs(), 2);
        QCOMPARE(inner.integer("streamed"), std::optional<std::int64_t>(99));
        QCOMPARE(inner.string("history"), std::optional<std::string>("W"));
    }

    // The GUI thread hears once that writing fails, with why, and once that
    // it works again; setMany() says whether the store is known to fail. A
    // failure is never passed off as written, and what was set stays readable.
    void failingAndRecoveringAreToldOnce()
    {
        auto watched = std::make_unique<WatchedStore>();
        WatchedStore &inner = *watched;
        BackgroundSyncStore store(std::move(watched));
        QSignalSpy changes(&store.status(), &SaveStatus::changed);
        QVERIFY(store.setMany({{"a", std::int64_t(1)}, {"b", std::int64_t(1)}}));
        QVERIFY(store.flush());

        inner.failure = KeyValueStore::Failure::diskFull;
        for (int i = 0; i < 5; ++i) {
            store.setInteger("a", i);
            store.setInteger("b", i);
            QVERIFY(!store.flush());
        }
        QVERIFY(!store.setMany({{"a", std::int64_t(9)}, {"b", std::int64_t(9)}}));
        QCOMPARE(store.lastFailure(), KeyValueStore::Failure::diskFull);
        QTRY_COMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).value<KeyValueStore::Failure>(), KeyValueStore::Failure::diskFull);
        QCOMPARE(store.status().failure(), KeyValueStore::Failure::diskFull);

        inner.failure = KeyValueStore::Failure::none;
        store.setInteger("a", 10);
        store.setInteger("b", 10);
        QVERIFY(store.flush());
        QTRY_COMPARE(changes.size(), 2);
        QCOMPARE(changes.at(1).at(0).value<KeyValueStore::Failure>(), KeyValueStore::Failure::none);
        QVERIFY(store.synchronize());
        QVERIFY(store.flush());
        QTest::qWait(20); // nothing further is on its way
        QCOMPARE(changes.size(), 2);

        inner.refuses = true; // without saying why
        store.setInteger("wins", 3);
        QVERIFY(!store.flush());
        QVERIFY(!store.synchronize());
        QCOMPARE(store.integer("wins"), std::optional<std::int64_t>(3));
        QCOMPARE(SaveStatus::message(KeyValueStore::Failure::diskFull),
                 QStringLiteral("Kestrune cannot save your games: the disk is full"));
    }
};

QTEST_GUILESS_MAIN(TestBackgroundSyncStore)
#include "tst_backgroundsyncstore.moc"
