#include "platform/stallwatch.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <atomic>
#include <ctime>
#include <thread>
#include <vector>

using namespace kestrune;
using namespace std::chrono_literals;

namespace {

StallWatch::Sample took(double wallMs, double cpuMs, std::int64_t sleeps, double queuedMs)
{
    return {static_cast<std::int64_t>(wallMs * 1e6), static_cast<std::int64_t>(cpuMs * 1e6), sleeps,
            static_cast<std::int64_t>(queuedMs * 1e6)};
}

// Spends the thread's own CPU time, whatever the machine's load.
void burnCpu(std::chrono::milliseconds amount)
{
    const std::int64_t start = StallWatch::now().cpuNs;
    volatile std::uint64_t sink = 0;
    while (StallWatch::now().cpuNs - start < std::chrono::nanoseconds(amount).count())
        for (int i = 0; i < 1000; ++i)
            sink = sink + static_cast<std::uint64_t>(i);
}

class Burner : public QObject
{
public:
    std::chrono::milliseconds burn{0};
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        burnCpu(burn);
        return true;
    }
};

} // namespace

class TestStallWatch : public QObject
{
    Q_OBJECT

private slots:
    // Busy is the thread's own CPU; a wait is wall time spent asleep; a
    // thread that was only preempted on a loaded machine did not stall, and
    // one that slept but spent most of its time waiting for a processor is
    // told apart.
    void judgesByCpuAndSleeps_data()
    {
        QTest::addColumn<double>("wallMs");
        QTest::addColumn<double>("cpuMs");
        QTest::addColumn<int>("sleeps");
        QTest::addColumn<double>("queuedMs");
        QTest::addColumn<QString>("kind");
        QTest::newRow("short") << 2.0 << 1.9 << 0 << 0.0 << "";
        QTest::newRow("busy") << 12.0 << 11.5 << 0 << 0.0 << "busy";
        QTest::newRow("busy and asleep") << 40.0 << 9.0 << 3 << 20.0 << "busy";
        QTest::newRow("waited") << 30.0 << 1.0 << 2 << 0.0 << "waited";
        QTest::newRow("waited, queued too") << 30.0 << 1.0 << 2 << 21.5 << "waited";
        QTest::newRow("queued") << 30.0 << 1.0 << 2 << 22.5 << "queued";
        QTest::newRow("preempted") << 30.0 << 1.0 << 0 << 29.0 << "";
        QTest::newRow("slept briefly") << 5.0 << 0.1 << 4 << 0.0 << "";
    }
    void judgesByCpuAndSleeps()
    {
        QFETCH(double, wallMs);
        QFETCH(double, cpuMs);
        QFETCH(int, sleeps);
        QFETCH(double, queuedMs);
        QFETCH(QString, kind);
        const StallWatch watch(8ms, [](const QString &) {});
        const QString line = watch.judge(took(wallMs, cpuMs, sleeps, queuedMs), "Receiver", "Timer");
        if (kind.isEmpty())
            QCOMPARE(line, QString());
        else
            QVERIFY2(line.startsWith("kestrune: stall (" + kind + "): ") && line.endsWith(": Receiver, Timer"),
                     qPrintable(line));
    }

    // Only the outermost delivery is one event; what it sends on is part of it.
    void reportsEachSlowEventOnceWithItsReceiver()
    {
        QStringList lines;
        StallWatch watch(5ms, [&lines](const QString &line) { lines << line; });
        Burner slow;
        slow.setObjectName("slow");
        slow.burn = 20ms;
        QEvent event(QEvent::User);

        watch.begin();
        watch.begin();
        slow.event(&event);
        watch.end(&slow, QEvent::User);
        QVERIFY(lines.isEmpty());
        watch.end(&slow, QEvent::User);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.front().contains("QObject slow, User"), qPrintable(lines.front()));

        Burner quick;
        watch.begin();
        quick.event(&event);
        watch.end(&quick, QEvent::User);
        // A receiver that went during its event is said to be gone.
        watch.begin();
        slow.event(&event);
        watch.end(nullptr, QEvent::Timer);
        QCOMPARE(watch.reported(), 2);
        QVERIFY2(lines.back().contains("(gone), Timer"), qPrintable(lines.back()));
    }

    // With one spinning thread more than there are processors, this thread
    // too waits its turn: the queued time grows, and the time it ran and the
    // time it waited fit in the wall time that passed (read back as CPU
    // time, the "queue" would not).
    void readsTheTimeSpentWaitingForAProcessor()
    {
        if (!QFile::exists("/proc/thread-self/schedstat"))
            QSKIP("this kernel keeps no scheduler statistics");
        std::atomic<bool> spin{true};
        std::vector<std::jthread> spinners;
        for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
            spinners.emplace_back([&spin] {
                while (spin.load(std::memory_order_relaxed)) {
                }
            });
        const StallWatch::Sample start = StallWatch::now();
        StallWatch::Sample later = start;
        while ((later.queuedNs == start.queuedNs || later.wallNs - start.wallNs < 200'000'000)
               && later.wallNs - start.wallNs < 10'000'000'000)
            later = StallWatch::now(StallWatch::Edge::End);
        spin = false;
        QVERIFY(later.queuedNs > start.queuedNs);
        const std::int64_t slack = 1'000'000;
        QVERIFY((later.cpuNs - start.cpuNs) + (later.queuedNs - start.queuedNs)
                <= later.wallNs - start.wallNs + slack);
    }

    void readsItsThresholdFromTheEnvironment()
    {
        QString error;
        qunsetenv("KESTRUNE_STALL_MS");
        QVERIFY(!StallWatch::fromEnvironment(error) && error.isEmpty());
        qputenv("KESTRUNE_STALL_MS", "2.5");
        const auto watch = StallWatch::fromEnvironment(error);
        QVERIFY(watch && error.isEmpty());
        QCOMPARE(watch->threshold(), 2500us);
        qputenv("KESTRUNE_STALL_MS", "nan");
        QVERIFY(!StallWatch::fromEnvironment(error));
        QVERIFY2(error.contains("\"nan\""), qPrintable(error));
        qunsetenv("KESTRUNE_STALL_MS");
    }
};

QTEST_GUILESS_MAIN(TestStallWatch)
#include "tst_stallwatch.moc"
