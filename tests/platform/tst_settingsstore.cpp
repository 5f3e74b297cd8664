#include "platform/settingsstore.h"

#include "game/statisticshelper.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("settings.conf"); }

private slots:
    void init() { QFile::remove(path()); }

    void valuesSurviveARestart()
    {
        {
            SettingsStore store(path());
            store.setInteger("wins", 3);
            store.setInteger("big", std::int64_t(1) << 40);
            store.setString("history", "WLW");
            store.setString("number-like", "12");
            store.setBoolean("scoresSyncedunknownPlayer", false);
            QVERIFY(store.synchronize());
        }
        SettingsStore store(path());
        QCOMPARE(store.integer("wins"), std::optional<std::int64_t>(3));
        QCOMPARE(store.integer("big"), std::optional<std::int64_t>(std::int64_t(1) << 40));
        QCOMPARE(store.string("history"), std::optional<std::string>("WLW"));
        QCOMPARE(store.boolean("scoresSyncedunknownPlayer"), std::optional<bool>(false));
        QVERIFY(store.contains("scoresSyncedunknownPlayer"));
        QVERIFY(!store.contains("achievementsSyncedunknownPlayer"));
        QVERIFY(!store.integer("history"));
        QVERIFY(!store.boolean("wins"));
        store.remove("wins");
        QVERIFY(!store.contains("wins"));
    }

    void foreignValuesReadAsAbsentAndAreRepaired()
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nwins=lots\ngames=2.5\nlosses=99999999999999999999\nhistory=WL\n");
        file.close();

        SettingsStore store(path());
        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), 0);
        QCOMPARE(StatisticsHelper::integerValue(store, "games"), 0);
        QCOMPARE(StatisticsHelper::integerValue(store, "losses"), 0);
        StatisticsHelper::addWin(store);

        SettingsStore reread(path());
        QCOMPARE(StatisticsHelper::integerValue(reread, "wins"), 1);
        QCOMPARE(StatisticsHelper::integerValue(reread, "games"), 1);
        QCOMPARE(StatisticsHelper::historyValue(reread), std::string("WLW"));
    }

    void garbageFileIsReadAndRewritten()
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x00\xff\xfe[[[=\n\x01wins", 14));
        file.close();

        SettingsStore store(path());
        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), 0);
        StatisticsHelper::addWin(store);
        QCOMPARE(SettingsStore(path()).integer("wins"), std::optional<std::int64_t>(1));
    }

    void failedWriteIsReported()
    {
        SettingsStore store("/proc/kestrune-cannot-write-here/settings.conf");
        store.setInteger("wins", 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write the settings file"));
        QVERIFY(!store.synchronize());
        QVERIFY(store.lastError().contains("cannot write"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
