#include "game/rx/mainscheduler.h"
#include "platform/dispatch/dispatchqueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <numeric>
#include <thread>
#include <vector>

using namespace kestrune;

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
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
