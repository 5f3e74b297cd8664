#include "platform/stallwatch.h"

#include <QCoreApplication>
#include <QTest>

#include <ctime>

using namespace kestrune;
using namespace std::chrono_literals;

namespace {

StallWatch::Sample took(double wallMs, double cpuMs, std::int64_t sleeps)
{
    return {static_cast<std::int64_t>(wallMs * 1e6), static_cast<std::int64_t>(cpuMs * 1e6), sleeps};
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
    // thread that was only preempted on a loaded machine did not stall.
    void judgesByCpuAndSleeps_data()
    {
        QTest::addColumn<double>("wallMs");
        QTest::addColumn<double>("cpuMs");
        QTest::addColumn<int>("sleeps");
        QTest::addColumn<QString>("kind");
        QTest::newRow("short") << 2.0 << 1.9 << 0 << "";
        QTest::newRow("busy") << 12.0 << 11.5 << 0 << "busy";
        QTest::newRow("busy and asleep") << 40.0 << 9.0 << 3 << "busy";
        QTest::newRow("waited") << 30.0 << 1.0 << 2 << "waited";
        QTest::newRow("preempted") << 30.0 << 1.0 << 0 << "";
        QTest::newRow("slept briefly") << 5.0 << 0.1 << 4 << "";
    }
    void judgesByCpuAndSleeps()
    {
        QFETCH(double, wallMs);
        QFETCH(double, cpuMs);
        QFETCH(int, sleeps);
        QFETCH(QString, kind);
        const StallWatch watch(8ms, [](const QString &) {});
        const QString line = watch.judge(took(wallMs, cpuMs, sleeps), "Receiver", "Timer");
        if (kind.isEmpty()) {
            QCOMPARE(line, QString());
        } else {
            QVERIFY2(line.startsWith("kestrune: stall (" + kind + "): "), qPrintable(line));
            QVERIFY2(line.endsWith(": Receiver, Timer"), qPrintable(line));
        }
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
