#include "gameservice/client/gameservicecache.h"
#include "platform/signalwatcher.h"

#include "game/statisticshelper.h"
#include "platform/backgroundsyncstore.h"
#include "platform/settingsstore.h"

#include <QCborArray>
#include <QCborValue>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

using namespace kestrune;

namespace {

// The child: rewrites the cache again and again, each time one item longer,
// and says "ready" once the first write is on disk.
int writeForever(const QString &home)
{
    GameServiceCache cache(home);
    const QByteArray padding(256, 'x');
    for (qint64 n = 0;; ++n) {
        cache.update([&](QCborMap &root) {
            QCborArray items = root.value(QStringLiteral("items")).toArray();
            items.append(padding + QByteArray::number(n));
            root.insert(QStringLiteral("items"), items);
            root.insert(QStringLiteral("count"), items.size());
            return true;
        });
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

// The child: plays games without end, two won for each lost, each ended
// as the program does it, and says "ready" once the first is on disk.
int playForever(const QString &fileName)
{
    BackgroundSyncStore store([&fileName] { return std::make_unique<SettingsStore>(fileName); });
    for (qint64 n = 0;; ++n) {
        StatisticsHelper::recordGame(store, n % 3 != 2, 7);
        if (n == 0) {
            store.flush();
            std::puts("ready");
            std::fflush(stdout);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
}

// The child as the program runs: the writes come from its event loop and
// TERM, INT and HUP end the loop. Each write is announced once it returned,
// as the player is told a game is kept.
int writeUntilSignal(const QString &home)
{
    GameServiceCache cache(home);
    SignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&watcher, &SignalWatcher::received, qApp, [] { QCoreApplication::exit(0); });
    qint64 n = 0;
    QTimer writer;
    QObject::connect(&writer, &QTimer::timeout, [&] {
        cache.update([&](QCborMap &root) {
            root.insert(QStringLiteral("count"), n + 1);
            return true;
        });
        std::printf("%lld\n", static_cast<long long>(++n));
        std::fflush(stdout);
    });
    writer.start(0);
    return QCoreApplication::exec();
}

// The count on disk.
qint64 countOnDisk(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return QCborValue::fromCbor(file.readAll()).toMap().value(QStringLiteral("count")).toInteger();
}

// Runs this program as a child in `mode` on `path`; once it has said it is
// ready, lets it work for a random while (when exactly does not matter) and
// sends it the signal. False when it did not start, speak or end.
bool runAndSignal(QProcess &child, const QString &mode, const QString &path, int signalNumber, std::mt19937 &random)
{
    child.start(QCoreApplication::applicationFilePath(), {mode, path});
    if (!child.waitForStarted(60000) || !child.waitForReadyRead(60000))
        return false;
    QTest::qWait(std::uniform_int_distribution<int>(0, 40)(random));
    ::kill(child.processId(), signalNumber);
    return child.waitForFinished(60000);
}

} // namespace

// A process killed in the middle of a cache write leaves a file that reads.
class TestKilledWrite : public QObject
{
    Q_OBJECT

private slots:
    void aKilledWriterLeavesAReadableFile()
    {
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        std::mt19937 random(42);
        qint64 lastCount = 0;
        constexpr int kills = 15;
        for (int i = 0; i < kills; ++i) {
            QProcess child;
            QVERIFY(runAndSignal(child, QStringLiteral("--writer"), dir.path(), SIGKILL, random));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            QFile file(cache.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCborParserError error;
            const QCborValue root = QCborValue::fromCbor(file.readAll(), &error);
            QCOMPARE(error.error, QCborError::NoError);
            QVERIFY(root.isMap());
            const qint64 count = root.toMap().value(QStringLiteral("count")).toInteger();
            QCOMPARE(root.toMap().value(QStringLiteral("items")).toArray().size(), count);
            QVERIFY(count >= lastCount); // whole writes only, never one going back
            lastCount = count;
        }
        QVERIFY(!QFile::exists(cache.filePath() + ".corrupt"));
    }

    // A process killed while recording games leaves statistics in step:
    // every game has its win or loss, its seconds and its history letter.
    void aKilledPlayerLeavesStatisticsInStep()
    {
        QTemporaryDir dir;
        const QString fileName = QDir(dir.path()).filePath(QStringLiteral("settings.conf"));
        std::mt19937 random(7);
        std::int64_t lastGames = 0;
        constexpr int kills = 15;
        for (int i = 0; i < kills; ++i) {
            QProcess child;
            QVERIFY(runAndSignal(child, QStringLiteral("--player"), fileName, SIGKILL, random));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            const SettingsStore store(fileName);
            const auto value = [&store](const std::string &key) { return StatisticsHelper::integerValue(store, key); };
            const std::int64_t games = value(StatisticsHelper::games);
            const std::int64_t wins = value(StatisticsHelper::wins);
            QVERIFY(games > lastGames);
            QCOMPARE(wins + value(StatisticsHelper::losses), games);
            QCOMPARE(std::int64_t(StatisticsHelper::historyValue(store).size()), games);
            QCOMPARE(value(StatisticsHelper::secondsSpentInGame), 7 * games);
            QCOMPARE(value(StatisticsHelper::secondsSpentInWonGames), 7 * wins);
            lastGames = games;
        }
    }

    // A signal the program catches loses no write it announced.
    void aSignalLosesNoWrite_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("TERM") << SIGTERM;
        QTest::newRow("INT") << SIGINT;
        QTest::newRow("HUP") << SIGHUP;
    }
    void aSignalLosesNoWrite()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir dir;
        GameServiceCache cache(dir.path());
        std::mt19937 random{std::uint32_t(signalNumber)};
        qint64 lost = 0;
        constexpr int signalsSent = 5;
        for (int i = 0; i < signalsSent; ++i) {
            QProcess child;
            QVERIFY(runAndSignal(child, QStringLiteral("--signalled-writer"), dir.path(), signalNumber, random));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
            const QList<QByteArray> announced = child.readAllStandardOutput().trimmed().split('\n');
            lost += std::max<qint64>(0, announced.last().toLongLong() - countOnDisk(cache.filePath()));
        }
        QCOMPARE(lost, 0);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--writer")
        return writeForever(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--player")
        return playForever(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--signalled-writer")
        return writeUntilSignal(QString::fromLocal8Bit(argv[2]));
    TestKilledWrite test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedwrite.moc"
