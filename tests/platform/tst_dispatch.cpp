#include "game/rx/mainscheduler.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/dispatch/workerpool.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <numeric>
#include <semaphore>
#include <thread>
#include <vector>

using namespace kestrune;

namespace {

// Runs its action when the thread that set it ends.
struct ThreadEnd
{
    ~ThreadEnd()
    {
        if (action)
            action();
    }
    std::function<void()> action;
};
thread_local ThreadEnd threadEnd;

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

private slots:
    void guiThreadWorkKeepsOrderWhicheverApiPostsIt()
    {
        constexpr int count = 200;
        std::vector<int> seen;
        std::thread worker([&] {
            for (int i = 0; i < count; ++i) {
                auto record = [&seen, i] { seen.push_back(i); };
                if (i % 2 == 0)
                    DispatchQueue::main(record);
                else
                    rx::MainScheduler::instance().schedule(record);
            }
        });
        worker.join();
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), std::size_t(count), 10000);
        std::vector<int> expected(count);
        std::iota(expected.begin(), expected.end(), 0);
        QCOMPARE(seen, expected);
    }

    void guiThreadWorkGoesOnInsideANestedEventLoop()
    {
        // A task that opens a modal dialog must not hold up the ones behind it.
        std::vector<int> seen;
        DispatchQueue::main([&] {
            QEventLoop loop;
            QTimer::singleShot(10000, &loop, &QEventLoop::quit); // a safety net, not part of the test
            DispatchQueue::main([&] {
                seen.push_back(3);
                loop.quit();
            });
            loop.exec();
            seen.push_back(1);
        });
        DispatchQueue::main([&] { seen.push_back(2); });
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), std::size_t(3), 20000);
        QCOMPARE(seen, (std::vector<int>{2, 3, 1})); // the second ran inside the first, before the third
    }

    void poolRunsTasksPostedWhileItStops()
    {
        // Two threads: one runs a task until the pool is being destroyed (seen
        // when the idle thread ends), then posts once more.
        auto pool = std::make_unique<WorkerPool>(QStringLiteral("test"), 3);
        std::binary_semaphore idleThreadEnded(0);
        std::binary_semaphore secondStarted(0);
        std::atomic<int> ran{0};
        WorkerPool *raw = pool.get();
        pool->async([&, raw] {
            secondStarted.acquire();
            idleThreadEnded.acquire();
            raw->async([&] { ++ran; });
            ++ran;
        });
        pool->async([&] {
            threadEnd.action = [&] { idleThreadEnded.release(); };
            secondStarted.release();
            ++ran;
        });
        pool.reset();
        QCOMPARE(ran.load(), 3);
    }

    // Pool threads, started by a task or ahead of one, do not take the
    // posting thread's processor when woken; a background pool's threads
    // also yield most of the time to normal ones.
    void poolThreadsGiveWayToThePoster()
    {
        struct Seen
        {
            std::atomic<int> policy{-1};
            std::atomic<int> nice{-100};
        };
        const auto look = [](Seen &seen) {
            return [&seen] {
                seen.policy = sched_getscheduler(0);
                seen.nice = getpriority(PRIO_PROCESS, 0);
            };
        };
        const int ownNice = getpriority(PRIO_PROCESS, 0);
        WorkerPool background(QStringLiteral("background"), 1, WorkerPool::Priority::background);
        background.prestart();
        WorkerPool normal(QStringLiteral("normal"), 2);
        Seen inBackground;
        Seen inNormal;
        background.async(look(inBackground));
        normal.async(look(inNormal));
        background.waitForIdle();
        normal.waitForIdle();
        QCOMPARE(inBackground.policy.load(), SCHED_BATCH);
        QCOMPARE(inNormal.policy.load(), SCHED_BATCH);
        QCOMPARE(inBackground.nice.load(), std::min(ownNice + 10, 19));
        QCOMPARE(inNormal.nice.load(), ownNice);
        // The poster stays as it was.
        QCOMPARE(sched_getscheduler(0), SCHED_OTHER);
        QCOMPARE(getpriority(PRIO_PROCESS, 0), ownNice);
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
