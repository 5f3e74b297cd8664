#include "platform/backgroundsyncstore.h"

#include "memorystore.h"

#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestBackgroundSyncStore)
#include "tst_backgroundsyncstore.moc"
