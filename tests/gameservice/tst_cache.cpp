#include "fakes/managerfixture.h"
#include "filebytes.h"
#include "filesizelimit.h"

#include "gameservice/client/cachemirror.h"
#include "gameservice/client/gameservicecache.h"

#include <QCborArray>
#include <QCborValue>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

using namespace kestrune;
using namespace kestrune::test;

namespace {
QCborMap withItems(int count)
{
    QCborArray items;
    for (int i = 0; i < count; ++i)
        items.append(QByteArray(64, 'x'));
    return QCborMap{{QStringLiteral("items"), items}};
}

QCborMap onDisk(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCborValue::fromCbor(f.readAll()).toMap() : QCborMap();
}

void append(CacheMirror &cache, qint64 n)
{
    cache.update([n](QCborMap &root) {
        QCborArray items = root.value(QStringLiteral("items")).toArray();
        items.append(n);
        root.insert(QStringLiteral("items"), items);
        return true;
    });
}
} // namespace

// The cache file (damage, failed writes, concurrent writers) and its mirror
// in memory, whose changes are seen at once and reach the file behind the
// caller, in order, with nothing lost when a write fails.
class TestCache : public QObject
{
    Q_OBJECT

private slots:
    void damagedFilesReadAsEmptyAndAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("not cbor at all \xff\xfe", 18);
        QTest::newRow("truncated") << QCborValue(QCborMap{{"SavedScores", QCborArray{1, 2, 3}}}).toCbor().left(7);
        QTest::newRow("not a map") << QCborValue(42).toCbor();
    }
    void damagedFilesReadAsEmptyAndAreSetAside()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        QVERIFY(writeBytes(cache.filePath(), content));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        QVERIFY(cache.read().isEmpty());
        cache.prepare();
        QCOMPARE(bytesOf(cache.filePath()), QCborValue(QCborMap()).toCbor());
        QCOMPARE(bytesOf(cache.filePath() + ".corrupt"), content);
    }

    // Neither an empty file nor damage met again and again may pile up
    // set-aside copies: only a few of the newest are kept.
    void setAsideCopiesAreFew()
    {
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        QVERIFY(writeBytes(cache.filePath(), QByteArray()));
        cache.prepare();
        QCOMPARE(bytesOf(cache.filePath()), QCborValue(QCborMap()).toCbor());
        QVERIFY(QDir(dir.filePath("Library")).entryList({"*.corrupt*"}).isEmpty());

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        for (int i = 0; i < 8; ++i) {
            QVERIFY(writeBytes(cache.filePath(), "junk " + QByteArray::number(i)));
            QVERIFY(cache.update([](QCborMap &root) {
                root.insert(QStringLiteral("n"), 1);
                return true;
            }));
        }
        // The newest three; by content, since files written within the same
        // instant need not differ in time.
        QList<QByteArray> kept;
        for (const QString &copy : QDir(dir.filePath("Library")).entryList({"*.corrupt*"}, QDir::Files))
            kept << bytesOf(dir.filePath("Library/" + copy));
        std::sort(kept.begin(), kept.end());
        QCOMPARE(kept, (QList<QByteArray>{"junk 5", "junk 6", "junk 7"}));
    }

    // A file that is there but cannot be opened is no damage: it stays as it
    // is, and the cache goes on in memory.
    void anUnreadableFileIsLeftInPlace_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("no read permission") << false;
        QTest::newRow("a folder in its place") << true;
    }
    void anUnreadableFileIsLeftInPlace()
    {
        QFETCH(bool, folder);
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        const QByteArray stored = QCborValue(withItems(2)).toCbor();
        if (folder) {
            QVERIFY(QDir().mkpath(cache.filePath() + "/keep"));
        } else {
            QVERIFY(writeBytes(cache.filePath(), stored));
            QVERIFY(QFile::setPermissions(cache.filePath(), QFileDevice::WriteOwner));
            if (QFile(cache.filePath()).open(QIODevice::ReadOnly))
                QSKIP("permissions do not stop this user from reading");
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read.*left in place"));
        cache.prepare();
        QVERIFY(!cache.update([](QCborMap &root) {
            root.insert(QStringLiteral("b"), 2);
            return true;
        }));
        QCOMPARE(cache.read().value("b").toInteger(), 2);
        if (folder) {
            QVERIFY(QFileInfo(cache.filePath() + "/keep").isDir());
        } else {
            QVERIFY(QFile::setPermissions(cache.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            QCOMPARE(bytesOf(cache.filePath()), stored);
        }
        QVERIFY(QDir(dir.filePath("Library")).entryList({"*.corrupt*"}).isEmpty());
    }

    // On a full disk every write fails: the stored cache stays as it was,
    // and so does a damaged one (no empty files, no copies piling up), with
    // one warning until a write succeeds again.
    void failedWritesKeepTheStoredFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("a good cache") << QCborValue(withItems(2)).toCbor() << false;
        QTest::newRow("a damaged cache") << QByteArray("\x9f\x01\x02") << true;
    }
    void failedWritesKeepTheStoredFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        QVERIFY(writeBytes(cache.filePath(), stored));
        const auto grow = [](QCborMap &root) {
            root = withItems(100);
            return true;
        };
        {
            FileSizeLimit fullDisk(1024);
            QVERIFY(fullDisk.isActive());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
            QTest::failOnWarning(QRegularExpression("cannot write|damaged"));
            for (int i = 0; i < 5; ++i)
                QVERIFY(!cache.update(grow));
            QCOMPARE(bytesOf(cache.filePath()), stored);
            QCOMPARE(QDir(dir.filePath("Library")).entryList(QDir::Files), QStringList{GameServiceCache::fileName});
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("written again"));
        if (damaged)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("was damaged"));
        QVERIFY(cache.update(grow));
        QCOMPARE(cache.read(), withItems(100));
    }

    void startRemovesWhatKilledWritersLeft()
    {
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        QVERIFY(writeBytes(cache.filePath(), QCborValue(withItems(1)).toCbor()));
        const QString stale = cache.filePath() + ".a1B2c3";
        const QString live = cache.filePath() + ".Zz9Yy8";
        const QString other = cache.filePath() + ".backup1";
        for (const QString &path : {stale, live, other})
            QVERIFY(writeBytes(path, "partial"));
        for (const QString &path : {stale, other}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        cache.prepare();
        QVERIFY(!QFile::exists(stale));
        QVERIFY(QFile::exists(live)); // perhaps another writer's, still at work
        QVERIFY(QFile::exists(other));
        QCOMPARE(cache.read(), withItems(1));
    }

    // Numbers no game wrote (another program, a damaged disk) read clamped,
    // and a progress that is not a number can still be raised.
    void outOfRangeNumbersReadClamped_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<qint64>("score");
        QTest::addColumn<double>("progress");
        const double inf = std::numeric_limits<double>::infinity();
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("NaN") << std::nan("") << qint64(0) << 0.0;
        QTest::newRow("+infinity") << inf << max << 0.0;
        QTest::newRow("-infinity") << -inf << min << 0.0;
        QTest::newRow("2^63") << 9223372036854775808.0 << max << 9223372036854775808.0;
        QTest::newRow("-2^64") << -18446744073709551616.0 << min << -18446744073709551616.0;
        QTest::newRow("1e300") << 1e300 << max << 1e300;
        QTest::newRow("in range") << -12.9 << qint64(-12) << -12.9;
    }
    void outOfRangeNumbersReadClamped()
    {
        QFETCH(double, stored);
        QFETCH(qint64, score);
        QFETCH(double, progress);
        ManagerFixture f;
        GameServiceManager &m = f.start();
        const QString board = QStringLiteral("sp_leaderboard");
        const QString achievement = QStringLiteral("1won");
        GameServiceCache(f.dir.path()).update([&](QCborMap &root) {
            root.insert(m.localPlayerId(), QCborMap{{board, stored}, {achievement, stored}});
            return true;
        });
        QCOMPARE(m.highScoreForLeaderboard(board), score);
        QCOMPARE(m.progressForAchievement(achievement), progress);
        m.saveAndReportAchievement(achievement, 50, false);
        QCOMPARE(m.progressForAchievement(achievement), std::max(progress, 50.0));
    }

    void concurrentCyclesLoseNoChange()
    {
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        constexpr int threads = 4;
        constexpr int perThread = 25;
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&cache, t] {
                for (int i = 0; i < perThread; ++i) {
                    cache.update([&](QCborMap &root) {
                        QCborArray list = root.value(QStringLiteral("list")).toArray();
                        list.append(t * 1000 + i);
                        root.insert(QStringLiteral("list"), list);
                        return true;
                    });
                }
            });
        }
        for (auto &w : workers)
            w.join();
        QCOMPARE(cache.read().value("list").toArray().size(), threads * perThread);
    }

    void changesAreReadAtOnceAndWrittenInOrder()
    {
        QTemporaryDir dir;
        QCborArray expected;
        {
            CacheMirror cache(dir.path(), QStringLiteral("test.cache"));
            cache.prepare();
            // The writer thread started with prepare(), at the program's
            // start, not with the first change, which a shot makes on the GUI thread.
            const auto threads = [] {
                return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
            };
            const auto before = threads();
            for (qint64 n = 1; n <= 200; ++n) {
                append(cache, n);
                expected.append(n);
                QCOMPARE(cache.read().value(QStringLiteral("items")).toArray().size(), n);
            }
            QVERIFY(cache.flush());
            QCOMPARE(threads(), before);
            QCOMPARE(onDisk(cache.filePath()).value(QStringLiteral("items")).toArray(), expected);
            append(cache, 201); // left for the destructor to write
            expected.append(201);
        }
        CacheMirror again(dir.path(), QStringLiteral("test.cache"));
        QCOMPARE(again.read().value(QStringLiteral("items")).toArray(), expected);
    }

    void aFailedWriteKeepsTheChangeAndIsTriedAgain()
    {
        QTemporaryDir dir;
        CacheMirror cache(dir.path(), QStringLiteral("test.cache"));
        cache.prepare();
        append(cache, 1);
        QVERIFY(cache.flush());
        const QCborMap before = onDisk(cache.filePath());
        const QByteArray large(4096, 'x');
        {
            FileSizeLimit full(1024); // as on a full disk
            QVERIFY(full.isActive());
            cache.update([&](QCborMap &root) {
                root.insert(QStringLiteral("large"), large);
                return true;
            });
            QVERIFY(!cache.flush());
            QCOMPARE(cache.read().value(QStringLiteral("large")).toByteArray(), large);
            QCOMPARE(onDisk(cache.filePath()), before);
        }
        QVERIFY(cache.flush());
        QCOMPARE(onDisk(cache.filePath()).value(QStringLiteral("large")).toByteArray(), large);
    }
};

QTEST_GUILESS_MAIN(TestCache)
#include "tst_cache.moc"
