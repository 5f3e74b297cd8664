#include "filebytes.h"
#include "filesizelimit.h"
#include "settingseventcounter.h"

#include "platform/settingsformat.h"
#include "platform/settingsstore.h"

#include "game/statisticshelper.h"

#include <QFile>
#include <QLockFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace kestrune;
using kestrune::test::bytesOf;
using kestrune::test::writeBytes;
using kestrune::test::FileSizeLimit;

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("settings.conf"); }

private slots:
    void init()
    {
        QFile::remove(path());
        QFile::remove(path() + ".lock");
    }

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
        auto keys = store.keys();
        std::sort(keys.begin(), keys.end());
        QCOMPARE(keys,
                 (std::vector<std::string>{"big", "history", "number-like", "scoresSyncedunknownPlayer", "wins"}));
        store.remove("wins");
        QVERIFY(!store.contains("wins"));
    }

    // A change asks the store's thread for a write of its own; once
    // synchronize() has written, that request is withdrawn, so a thread
    // without an event loop keeps none and the GUI thread gets none.
    void aSynchronisationLeavesNoWriteRequestBehind()
    {
        test::SettingsEventCounter events;
        SettingsStore store(path());
        store.setInteger("wins", 1);
        QCOMPARE(events.count(), 1); // the request the counter must see

        store.setInteger("wins", 2);
        QVERIFY(store.synchronize());
        store.setString("history", "W");
        store.setInteger("games", 1);
        QVERIFY(store.synchronize());
        QCOMPARE(events.count(), 1);
        QCOMPARE(SettingsStore(path()).integer("games"), std::optional<std::int64_t>(1));
    }

    // Values of the wrong type, or a file that is no settings file at all,
    // read as absent and are written over by the next game.
    void foreignValuesReadAsAbsentAndAreRepaired_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("history");
        QTest::newRow("wrong types") << QByteArray(
            "[General]\nwins=lots\ngames=2.5\nlosses=99999999999999999999\nhistory=WL\n")
                                     << "WLW";
        QTest::newRow("garbage") << QByteArray("\x00\xff\xfe[[[=\n\x01wins", 14) << "W";
    }
    void foreignValuesReadAsAbsentAndAreRepaired()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, history);
        QVERIFY(writeBytes(path(), content));

        SettingsStore store(path());
        for (const char *key : {"wins", "games", "losses"})
            QCOMPARE(StatisticsHelper::integerValue(store, key), 0);
        StatisticsHelper::recordGame(store, true, 0);

        SettingsStore reread(path());
        QCOMPARE(StatisticsHelper::integerValue(reread, "wins"), 1);
        QCOMPARE(StatisticsHelper::integerValue(reread, "games"), 1);
        QCOMPARE(QString::fromStdString(StatisticsHelper::historyValue(reread)), history);
    }

    // Files that Qt's own INI writer made read back value for value, and
    // what we write reads back through Qt's reader the same way.
    void filesOfQtsIniFormatReadBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("integer") << "games" << QVariant(qint64(-9223372036854775807LL - 1));
        QTest::newRow("boolean") << "hasLaunchedOnce" << QVariant(true);
        QTest::newRow("player key") << "scoresSyncedP:1f 2\u00e9\u4e2d%" << QVariant(false);
        QTest::newRow("plain text") << "history" << QVariant("WLLW");
        QTest::newRow("separators") << "s" << QVariant("a;b,c=d");
        QTest::newRow("edge spaces") << "s" << QVariant("  padded  ");
        QTest::newRow("quotes, backslashes") << "s" << QVariant("say \"hi\" \\ there");
        QTest::newRow("control characters") << "s" << QVariant(QString("tab\tline\nnul") + QChar(0) + "1f\x7f");
        QTest::newRow("non-ASCII") << "s" << QVariant("\u00e9t\u00e9 \u4e2d\u6587 \U0001F600");
        QTest::newRow("at sign") << "s" << QVariant("@Variant(nope)");
        QTest::newRow("in a group") << "group/General/key" << QVariant("x");
        QTest::newRow("empty") << "s" << QVariant("");
    }
    void filesOfQtsIniFormatReadBack()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        {
            QSettings qt(path(), QSettings::IniFormat);
            qt.setValue(key, value);
            qt.setValue("other", 7);
        }
        {
            QSettings ours(path(), SettingsFormat::format());
            QCOMPARE(ours.value(key).toString(), value.toString());
            QCOMPARE(ours.value("other").toString(), QString("7"));
            ours.setValue("extra", 1); // makes it rewrite the file
        }
        QSettings qt(path(), QSettings::IniFormat);
        QCOMPARE(qt.value(key).toString(), value.toString());
        QCOMPARE(qt.value("extra").toString(), QString("1"));
        QCOMPARE(qt.allKeys().size(), 3);
    }

    // On a full disk QSettings would replace the file with an empty one and
    // call it a success; the store keeps the old file, says so, and warns
    // once. The values stay in memory and are written when the disk allows.
    void failedWritesKeepTheStoredFile()
    {
        {
            SettingsStore store(path());
            store.setInteger("wins", 5);
            store.setString("history", "WWWWW");
            QVERIFY(store.synchronize());
        }
        const QByteArray stored = bytesOf(path());
        SettingsStore store(path());
        {
            FileSizeLimit fullDisk(stored.size() + 200);
            QVERIFY(fullDisk.isActive());
            store.setString("padding", std::string(1000, 'p'));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write the settings file"));
            QTest::failOnWarning(QRegularExpression("cannot write"));
            for (int i = 0; i < 3; ++i) {
                QVERIFY(!StatisticsHelper::recordGame(store, true, 0));
                QVERIFY(!store.synchronize());
            }
            QVERIFY(store.lastError().contains("cannot write"));
            // Told apart from other failures: the player is told in those words.
            QCOMPARE(store.lastFailure(), KeyValueStore::Failure::diskFull);
            QCOMPARE(bytesOf(path()), stored);
            QCOMPARE(QDir(dir.path()).entryList({"settings.conf*"}, QDir::Files), QStringList{"settings.conf"});
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("written again"));
        QVERIFY(store.synchronize());
        QVERIFY(store.lastError().isEmpty());
        QCOMPARE(store.lastFailure(), KeyValueStore::Failure::none);
        QCOMPARE(SettingsStore(path()).integer("wins"), std::optional<std::int64_t>(8));

        // A folder that cannot be written is another failure.
        SettingsStore nowhere("/proc/kestrune-cannot-write-here/settings.conf");
        nowhere.setInteger("wins", 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write the settings file"));
        QVERIFY(!nowhere.synchronize());
        QVERIFY(nowhere.lastError().contains("cannot write"));
        QCOMPARE(nowhere.lastFailure(), KeyValueStore::Failure::other);
    }

    // A lock file nobody holds must not hold up a write: QSettings would wait
    // until it is 30 s old. The write runs on a thread so that a wait shows
    // as a failure here rather than as a slow pass.
    void aLockNobodyHoldsIsNoObstacle_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("removedByUs");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("garbled") << QByteArray("\x01\x02not a lock\n") << true;
        // A real lock of ours, with the id of a process that cannot exist
        // (Linux gives out no id above 2^22).
        QByteArray held;
        {
            QTemporaryDir scratch;
            QLockFile ours(scratch.filePath("lock"));
            QVERIFY(ours.lock());
            QFile f(scratch.filePath("lock"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            held = f.readAll();
        }
        held = QByteArray::number((1 << 22) + 1) + held.mid(held.indexOf('\n'));
        QTest::newRow("its owner died") << held << false;
    }
    void aLockNobodyHoldsIsNoObstacle()
    {
        QFETCH(QByteArray, lock);
        QFETCH(bool, removedByUs);
        QVERIFY(writeBytes(path() + ".lock", lock));
        if (removedByUs)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("removed the lock"));
        std::atomic<bool> synchronised{false};
        // The store lives on the writer thread alone: QSettings would
        // otherwise sync from this thread's event loop and block it too.
        std::thread writer([&] {
            SettingsStore store(path());
            store.setBoolean("hasLaunchedOnce", true);
            synchronised = store.synchronize();
        });
        const auto joinWriter = qScopeGuard([&] { writer.join(); });
        // Far beyond the milliseconds it takes, well before QSettings' 30 s.
        QTRY_VERIFY_WITH_TIMEOUT(synchronised.load(), 15000);
        QCOMPARE(SettingsStore(path()).boolean("hasLaunchedOnce"), std::optional<bool>(true));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
