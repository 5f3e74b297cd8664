#include "platform/datafolderlock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace kestrune;

namespace {

// The child: takes the lock of folder, says so, and waits to be killed.
int holdForever(const QString &folder)
{
    DataFolderLock lock(folder);
    if (lock.tryLock() != DataFolderLock::Result::acquired)
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    for (;;)
        ::pause();
}

} // namespace

class TestDataFolderLock : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder{QDir::tempPath() + "/kdl-XXXXXX"};

private slots:
    // flock is per open file, so two locks in one process meet as two
    // processes would.
    void oneHolderAtATimeAndTheOthersAreToldWho()
    {
        DataFolderLock first(m_folder.path());
        QCOMPARE(first.tryLock(), DataFolderLock::Result::acquired);
        QVERIFY(first.isLocked());
        QCOMPARE(first.tryLock(), DataFolderLock::Result::acquired);

        DataFolderLock second(m_folder.path() + "/");
        QCOMPARE(second.tryLock(), DataFolderLock::Result::held);
        QVERIFY(!second.isLocked());
        QCOMPARE(second.holderPid(), qint64(::getpid()));
        QCOMPARE(
            second.errorString(),
            QString("another Kestrune is using the data folder %1 (process %2)").arg(m_folder.path()).arg(::getpid()));

        first.unlock();
        QCOMPARE(second.tryLock(), DataFolderLock::Result::acquired);
        QVERIFY(second.errorString().isEmpty());
        // The file stays: only the kernel's lock on it counts.
        QVERIFY(QFile::exists(DataFolderLock::fileName(m_folder.path())));
        QCOMPARE(first.tryLock(), DataFolderLock::Result::held);

        // Whatever the file says, its holder may not have written it yet.
        QFile file(second.fileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a number\n");
        file.close();
        QCOMPARE(first.tryLock(), DataFolderLock::Result::held);
        QCOMPARE(first.holderPid(), qint64(0));
        QVERIFY(!first.errorString().contains("process"));
    }

    void aFolderThatIsNotThereFailsAndIsNotMade()
    {
        const QString missing = m_folder.filePath("missing");
        DataFolderLock lock(missing);
        QCOMPARE(lock.tryLock(), DataFolderLock::Result::failed);
        QVERIFY(!lock.isLocked());
        QVERIFY2(lock.errorString().startsWith("cannot open the lock file " + missing + "/.lock: "),
                 qPrintable(lock.errorString()));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // The kernel drops the lock of a process that dies, however it dies.
    void aKilledHolderLeavesTheFolderFree()
    {
        QProcess child;
        auto cleanup = qScopeGuard([&] {
            child.kill();
            child.waitForFinished(20000);
        });
        child.start(QCoreApplication::applicationFilePath(), {"--hold", m_folder.path()});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readAllStandardOutput(), "locked\n");

        DataFolderLock lock(m_folder.path());
        QCOMPARE(lock.tryLock(), DataFolderLock::Result::held);
        QCOMPARE(lock.holderPid(), child.processId());
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(lock.tryLock(), DataFolderLock::Result::acquired);
    }

    // A process the holder starts must not keep its lock once it lets go.
    void aStartedProcessDoesNotInheritTheLock()
    {
        DataFolderLock lock(m_folder.path());
        QCOMPARE(lock.tryLock(), DataFolderLock::Result::acquired);
        QProcess child;
        auto cleanup = qScopeGuard([&] {
            child.kill();
            child.waitForFinished(20000);
        });
        child.start(QCoreApplication::applicationFilePath(), {"--sleep"});
        QVERIFY(child.waitForReadyRead(60000));
        lock.unlock();
        DataFolderLock next(m_folder.path());
        QCOMPARE(next.tryLock(), DataFolderLock::Result::acquired);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hold")
        return holdForever(QString::fromLocal8Bit(argv[2]));
    if (argc == 2 && QByteArray(argv[1]) == "--sleep") {
        std::puts("sleeping");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    TestDataFolderLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafolderlock.moc"
