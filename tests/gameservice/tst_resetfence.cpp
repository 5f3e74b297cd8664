#include "gameservice/client/achievementresetfence.h"

#include <QTest>

using namespace kestrune;

// Which synchronisation answers a reset of the achievements lets through,
// and when a synchronisation it turned away must be started again.
class TestResetFence : public QObject
{
    Q_OBJECT

private slots:
    void aResetThatReachesTheServiceOutdatesEarlierTickets()
    {
        AchievementResetFence fence;
        const auto before = fence.ticket();
        QVERIFY(fence.admits(before));
        fence.resetBegins();
        QVERIFY(!fence.admits(before));
        QVERIFY(!fence.admits(fence.ticket())); // taken during the reset: read before it or after?
        QVERIFY(!fence.resetEnds(true));        // it synchronises by itself
        QVERIFY(!fence.admits(before));
        QVERIFY(fence.admits(fence.ticket()));
    }

    void aFailedResetOutdatesNothingAndAsksAgainForWhatItTurnedAway()
    {
        AchievementResetFence fence;
        const auto before = fence.ticket();
        fence.resetBegins();
        QVERIFY(!fence.resetEnds(false)); // nothing turned away, nothing to restart
        QVERIFY(fence.admits(before));

        fence.resetBegins();
        QVERIFY(!fence.admits(before));
        QVERIFY(fence.resetEnds(false));
        QVERIFY(fence.admits(before));
        fence.resetBegins();
        QVERIFY(!fence.resetEnds(false)); // asked for once only
    }

    // Only the last of overlapping resets to end decides; one that reached
    // the service starts a synchronisation of its own.
    void overlappingResets_data()
    {
        QTest::addColumn<bool>("lastReached");
        QTest::newRow("the last one fails") << false;
        QTest::newRow("the last one reaches the service") << true;
    }
    void overlappingResets()
    {
        QFETCH(bool, lastReached);
        AchievementResetFence fence;
        const auto before = fence.ticket();
        fence.resetBegins();
        fence.resetBegins();
        QVERIFY(!fence.admits(before));
        QVERIFY(!fence.resetEnds(false));
        QVERIFY(!fence.admits(before)); // the other is still under way
        QCOMPARE(fence.resetEnds(lastReached), !lastReached);
        QCOMPARE(fence.admits(before), !lastReached);
    }
};

QTEST_GUILESS_MAIN(TestResetFence)
#include "tst_resetfence.moc"
