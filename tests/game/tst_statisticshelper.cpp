#include "memorystore.h"

#include "game/statisticshelper.h"

#include <QTest>

#include <limits>

using namespace kestrune;
using kestrune::test::MemoryStore;

class TestStatisticsHelper : public QObject
{
    Q_OBJECT

private slots:
    void eachGameKeepsTheTotalsAndHistoryInOneSynchronisation()
    {
        MemoryStore store;
        QVERIFY(StatisticsHelper::recordGame(store, true, 10));
        QCOMPARE(*store.integer("wins"), 1);
        QVERIFY(!store.contains("losses")); // a win writes no losses
        // The whole game in one synchronisation: the disk holds all or none.
        QCOMPARE(store.syncCount(), 1);
        QCOMPARE(store.unsyncedWrites(), 0);
        QVERIFY(StatisticsHelper::recordGame(store, false, 100));
        QVERIFY(StatisticsHelper::recordGame(store, true, 20));
        QCOMPARE(store.syncCount(), 3);
        QCOMPARE(*store.integer("games"), 3);
        QCOMPARE(*store.integer("wins"), 2);
        QCOMPARE(*store.integer("losses"), 1);
        QCOMPARE(*store.string("history"), std::string("WLW"));
        QCOMPARE(*store.integer("secondsSpentInGame"), 130);
        QCOMPARE(*store.integer("secondsSpentInWonGames"), 30);
    }

    void wrongTypedValuesReadAsZeroAndAreRepaired()
    {
        MemoryStore store;
        store.plant("wins", std::string("lots"));
        store.plant("games", 2.5);
        store.plant("history", std::int64_t(7));
        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), 0);
        QCOMPARE(StatisticsHelper::historyValue(store), std::string());
        StatisticsHelper::recordGame(store, true, 0);
        QCOMPARE(*store.integer("wins"), 1);
        QCOMPARE(*store.integer("games"), 1);
        QCOMPARE(*store.string("history"), std::string("W"));
        // A history with letters of its own starts afresh too.
        store.plant("history", std::string("WLx"));
        StatisticsHelper::recordGame(store, false, 0);
        QCOMPARE(*store.string("history"), std::string("L"));
    }

    // Counts and sums near the 64-bit maximum stop there instead of wrapping.
    void totalsStopAtTheLimit_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<qint64>("total");
        const qint64 max = std::numeric_limits<qint64>::max();
        QTest::newRow("one below") << max - 1 << qint64(1) << max << max;
        QTest::newRow("at the limit") << max << qint64(1) << max << max;
        QTest::newRow("a long game") << max - 10 << qint64(3600) << max - 9 << max;
        QTest::newRow("far below") << qint64(41) << qint64(9) << qint64(42) << qint64(50);
    }
    void totalsStopAtTheLimit()
    {
        QFETCH(qint64, stored);
        QFETCH(qint64, seconds);
        QFETCH(qint64, count);
        QFETCH(qint64, total);
        MemoryStore store;
        for (const char *key : {"games", "wins", "secondsSpentInGame", "secondsSpentInWonGames"})
            store.setInteger(key, stored);
        StatisticsHelper::recordGame(store, true, seconds);
        QCOMPARE(*store.integer("wins"), count);
        QCOMPARE(*store.integer("games"), count);
        QCOMPARE(*store.integer("secondsSpentInGame"), total);
        QCOMPARE(*store.integer("secondsSpentInWonGames"), total);
    }

    void repairPutsTheFiguresBackInStep_data()
    {
        QTest::addColumn<qint64>("games");
        QTest::addColumn<qint64>("wins");
        QTest::addColumn<qint64>("losses");
        QTest::addColumn<QString>("history");
        QTest::addColumn<qint64>("repairedGames");
        QTest::addColumn<QString>("repairedHistory");
        QTest::addColumn<bool>("said");
        QTest::newRow("in step") << qint64(5) << qint64(3) << qint64(2) << "WLWWL" << qint64(5) << "WLWWL" << false;
        QTest::newRow("an older version's short history")
            << qint64(5) << qint64(3) << qint64(2) << "WL" << qint64(5) << "WL" << false;
        QTest::newRow("wins ahead of games")
            << qint64(496) << qint64(506) << qint64(0) << "" << qint64(506) << "" << true;
        QTest::newRow("history ahead of games")
            << qint64(3) << qint64(2) << qint64(1) << "LLWLW" << qint64(3) << "WLW" << true;
        QTest::newRow("both") << qint64(1) << qint64(2) << qint64(1) << "WWWWL" << qint64(3) << "WWL" << true;
        QTest::newRow("negative games") << qint64(-4) << qint64(0) << qint64(0) << "W" << qint64(0) << "" << true;
    }
    void repairPutsTheFiguresBackInStep()
    {
        QFETCH(qint64, games);
        QFETCH(qint64, wins);
        QFETCH(qint64, losses);
        QFETCH(QString, history);
        QFETCH(qint64, repairedGames);
        QFETCH(QString, repairedHistory);
        QFETCH(bool, said);
        MemoryStore store;
        store.plant("games", std::int64_t(games));
        store.plant("wins", std::int64_t(wins));
        store.plant("losses", std::int64_t(losses));
        store.plant("history", history.toStdString());
        const std::optional<std::string> repaired = StatisticsHelper::repair(store);
        QCOMPARE(repaired.has_value(), said);
        QCOMPARE(store.syncCount(), said ? 1 : 0);
        QCOMPARE(std::max<qint64>(StatisticsHelper::integerValue(store, "games"), 0), repairedGames);
        QCOMPARE(QString::fromStdString(StatisticsHelper::historyValue(store)), repairedHistory);
        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), wins);
        // Once repaired, a second start finds nothing to say.
        QVERIFY(!StatisticsHelper::repair(store));
    }
};

QTEST_GUILESS_MAIN(TestStatisticsHelper)
#include "tst_statisticshelper.moc"
