#include "gameservice/gameservicecache.h"

#include <QCborArray>
#include <QCborValue>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>
#include <vector>

using namespace kestrune;

class TestCache : public QObject
{
    Q_OBJECT

private:
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void damagedFilesReadAsEmptyAndAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("not cbor at all \xff\xfe", 18);
        QTest::newRow("truncated") << QCborValue(QCborMap{{"SavedScores", QCborArray{1, 2, 3}}}).toCbor().left(7);
        QTest::newRow("not a map") << QCborValue(42).toCbor();
        QTest::newRow("empty") << QByteArray();
    }
    void damagedFilesReadAsEmptyAndAreSetAside()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        writeBytes(cache.filePath(), content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        QVERIFY(cache.read().isEmpty());
        cache.prepare();
        QCOMPARE(bytesOf(cache.filePath()), QCborValue(QCborMap()).toCbor());
        QCOMPARE(bytesOf(cache.filePath() + ".corrupt"), content);
    }

    void aFailedWriteIsReportedAndChangesNothing()
    {
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        // A folder in the file's place makes every write fail, even for root.
        QVERIFY(QDir().mkpath(cache.filePath() + "/keep"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
        QVERIFY(!cache.update([](QCborMap &root) { root.insert(QStringLiteral("b"), 2); return true; }));
        QVERIFY(QFileInfo(cache.filePath() + "/keep").isDir());
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
};

QTEST_GUILESS_MAIN(TestCache)
#include "tst_cache.moc"
