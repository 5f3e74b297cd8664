#include "platform/dispatch/workerticker.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace kestrune;
using namespace std::chrono_literals;

class TestWorkerTicker : public QObject
{
    Q_OBJECT

private slots:
    void noTickStartsAfterDisposeReturns()
    {
        WorkerTicker ticker;
        std::atomic<int> disposedTicks{0};
        std::atomic<int> fenceTicks{0};
        rx::Disposable disposed = ticker.every(1ms, [&] { ++disposedTicks; });
        QTRY_VERIFY_WITH_TIMEOUT(disposedTicks.load() >= 3, 20000);
        disposed.dispose();
        // Ticks run one at a time on one thread: once another registration
        // has ticked, a tick of the disposed one that had already begun is over.
        rx::Disposable fence = ticker.every(1ms, [&] { ++fenceTicks; });
        QTRY_VERIFY_WITH_TIMEOUT(fenceTicks.load() >= 1, 20000);
        const int afterDispose = disposedTicks.load();
        QTRY_VERIFY_WITH_TIMEOUT(fenceTicks.load() >= 30, 20000);
        QCOMPARE(disposedTicks.load(), afterDispose);
        fence.dispose();
    }

    void aTickMayDisposeItsOwnRegistration()
    {
        WorkerTicker ticker;
        std::atomic<int> ticks{0};
        auto handle = std::make_shared<rx::Disposable>();
        std::mutex mutex;
        std::unique_lock lock(mutex);
        *handle = ticker.every(1ms, [&, handle] {
            std::lock_guard tickLock(mutex); // waits until the handle is stored
            if (++ticks == 2)
                handle->dispose();
        });
        lock.unlock();
        rx::Disposable fence;
        std::atomic<int> fenceTicks{0};
        QTRY_COMPARE_WITH_TIMEOUT(ticks.load(), 2, 20000);
        fence = ticker.every(1ms, [&] { ++fenceTicks; });
        QTRY_VERIFY_WITH_TIMEOUT(fenceTicks.load() >= 20, 20000);
        QCOMPARE(ticks.load(), 2);
        fence.dispose();
    }

    void theFirstTickComesAtOnceElsewhereAndIsLetGoWithItsRegistration()
    {
        auto held = std::make_shared<int>(0);
        std::weak_ptr<int> watch = held;
        rx::Disposable outlived;
        {
            WorkerTicker ticker;
            std::atomic<int> ticks{0};
            std::atomic<bool> onThisThread{true};
            const std::thread::id here = std::this_thread::get_id();
            // An hour's interval: only the first tick, at once, can come within the wait.
            rx::Disposable d = ticker.every(1h, [held, &ticks, &onThisThread, here] {
                onThisThread = std::this_thread::get_id() == here;
                ++ticks;
            });
            outlived = ticker.every(1h, [watch] {});
            held.reset();
            QTRY_COMPARE_WITH_TIMEOUT(ticks.load(), 1, 20000);
            QVERIFY(!onThisThread);
            QVERIFY(!watch.expired());
            d.dispose();
            QTRY_VERIFY_WITH_TIMEOUT(watch.expired(), 20000); // after a tick that was running, if any

            auto second = std::make_shared<int>(0);
            watch = second;
            ticker.every(1h, [second] {});
            second.reset();
        }
        QVERIFY(watch.expired());
        outlived.dispose(); // the ticker has gone: nothing to do, nothing breaks
    }
};

QTEST_GUILESS_MAIN(TestWorkerTicker)
#include "tst_workerticker.moc"
