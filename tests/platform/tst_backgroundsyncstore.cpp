#include "platform/backgroundsyncstore.h"

#include "memorystore.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// Says no to every synchronisation, as a store on a full disk would.
class RefusingStore final : public KeyValueStore
{
public:
    bool contains(const std::string &key) const override { return m_memory.contains(key); }
    std::optional<std::int64_t> integer(const std::string &key) const override { return m_memory.integer(key); }
    std::optional<std::string> string(const std::string &key) const override { return m_memory.string(key); }
    std::optional<bool> boolean(const std::string &key) const override { return m_memory.boolean(key); }
    void setInteger(const std::string &key, std::int64_t value) override { m_memory.setInteger(key, value); }
    void setString(const std::string &key, const std::string &value) override { m_memory.setString(key, value); }
    void setBoolean(const std::string &key, bool value) override { m_memory.setBoolean(key, value); }
    void remove(const std::string &key) override { m_memory.remove(key); }
    bool synchronize() override { return false; }

private:
    MemoryStore m_memory;
};

// A store in memory whose synchronisations a test can hold up, fail, and
// look into: each one checks that the figures of a game are in step.
class WatchedStore final : public KeyValueStore
{
public:
    bool contains(const std::string &key) const override { std::lock_guard l(m); return memory.contains(key); }
    std::optional<std::int64_t> integer(const std::string &key) const override { std::lock_guard l(m); return memory.integer(key); }
    std::optional<std::string> string(const std::string &key) const override { std::lock_guard l(m); return memory.string(key); }
    std::optional<bool> boolean(const std::string &key) const override { std::lock_guard l(m); return memory.boolean(key); }
    void setInteger(const std::string &key, std::int64_t value) override { std::lock_guard l(m); memory.setInteger(key, value); }
    void setString(const std::string &key, const std::string &value) override { std::lock_guard l(m); memory.setString(key, value); }
    void setBoolean(const std::string &key, bool value) override { std::lock_guard l(m); memory.setBoolean(key, value); }
    void remove(const std::string &key) override { std::lock_guard l(m); memory.remove(key); }
    bool synchronize() override
    {
        if (hold.valid()) {
            started.set_value();
            hold.wait();
            hold = {};
        }
        std::lock_guard l(m);
        memory.synchronize();
        if (memory.integer("a").value_or(0) != memory.integer("b").value_or(0))
            ++outOfStep;
        return failure == Failure::none;
    }
    Failure lastFailure() const override { return failure; }

    int syncs() const { std::lock_guard l(m); return memory.syncCount(); }

    std::atomic<Failure> failure{Failure::none};
    std::atomic<int> outOfStep{0};
    std::promise<void> started;
    std::shared_future<void> hold; // the next synchronisation waits for it

private:
    mutable std::mutex m;
    MemoryStore memory;
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

        // Read through from the wrapped store, then changed here.
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

    // A store that cannot write is reported, not passed off as written; what
    // was set stays readable.
    void aFailingStoreIsReported()
    {
        BackgroundSyncStore store(std::make_unique<RefusingStore>());
        store.setInteger("wins", 3);
        QVERIFY(!store.flush());
        QVERIFY(!store.synchronize());
        QCOMPARE(store.integer("wins"), std::optional<std::int64_t>(3));
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
    // it works again; setMany() says whether the store is known to fail.
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
        QCOMPARE(SaveStatus::message(KeyValueStore::Failure::diskFull),
                 QStringLiteral("Kestrune cannot save your games: the disk is full"));
    }
};

QTEST_GUILESS_MAIN(TestBackgroundSyncStore)
#include "tst_backgroundsyncstore.moc"
