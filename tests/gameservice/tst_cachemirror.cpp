#include "gameservice/client/cachemirror.h"

#include "filesizelimit.h"

#include <QCborArray>
#include <QCborValue>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;

namespace {

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

// Changes are seen at once and reach the file behind the caller, in order,
// with nothing lost when a write fails.
class TestCacheMirror : public QObject
{
    Q_OBJECT

private slots:
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
            test::FileSizeLimit full(1024); // as on a full disk
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

QTEST_GUILESS_MAIN(TestCacheMirror)
#include "tst_cachemirror.moc"
