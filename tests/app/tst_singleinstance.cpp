#include "app/singleinstance.h"
#include "programenvironment.h"
#include "socketexchange.h"

#include <QDirIterator>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace kestrune;
using kestrune::test::exchange;

namespace {

// What the running instance was asked, and what it answers.
struct Recorder
{
    explicit Recorder(SingleInstance &instance, bool answer = true)
        : answer(answer)
    {
        instance.setHandler([this](const QString &action, std::function<void(bool)> reply) {
            actions << action;
            reply(this->answer);
        });
    }
    QStringList actions;
    bool answer;
};

// Every file below folder, hidden ones too, by relative path, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(QDir(folder).relativeFilePath(file.fileName()),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
    }
    return files;
}

// A socket file that nobody listens on, as a killed instance leaves it.
bool makeStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

// Whether every thread of the process has stopped on SIGSTOP.
bool allThreadsStopped(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList threads = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return false;
    for (const QString &thread : threads) {
        QFile stat(tasks.filePath(thread + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        // The state follows the command's closing parenthesis.
        const QByteArray line = stat.readAll();
        const qsizetype end = line.lastIndexOf(')');
        if (end < 0 || end + 2 >= line.size() || (line.at(end + 2) != 'T' && line.at(end + 2) != 't'))
            return false;
    }
    return true;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder{QDir::tempPath() + "/ksi-XXXXXX"};
    QString path() const { return m_folder.filePath("s.socket"); }

private slots:
    void theSocketIsPerUserAndPerDataFolder()
    {
        const QString uid = QString::number(::getuid());
        const QString plain = SingleInstance::socketPath();
        QVERIFY(plain.startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/"));
        QVERIFY(plain.endsWith("/kestrune-" + uid + ".socket"));
        const QString one = SingleInstance::socketPath(m_folder.filePath("one"));
        const QString two = SingleInstance::socketPath(m_folder.filePath("two"));
        QVERIFY(one.contains("kestrune-" + uid + "-"));
        QVERIFY(one != two && one != plain);
        QCOMPARE(SingleInstance::socketPath(m_folder.filePath("one/")), one);
    }

    void requestsAreAnsweredOrRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("handlerAnswer");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("actions"); // what reached the handler
        QTest::addColumn<QString>("refusal");     // the warning's reason; empty: none
        const QString garbage = "not a request";
        const QString oversized = "a request longer than 256 bytes";
        const auto row = [](const char *name, const QByteArray &bytes, bool handlerAnswer, const char *answer,
                            const QStringList &actions, const QString &refusal) {
            QTest::newRow(name) << bytes << handlerAnswer << QByteArray(answer) << actions << refusal;
        };
        row("raise", SingleInstance::request({}), true, "ok\n", {""}, {});
        row("an action", SingleInstance::request("multiplayer"), true, "ok\n", {"multiplayer"}, {});
        row("an action that fails", SingleInstance::request("singleplayer"), false, "failed\n", {"singleplayer"}, {});
        row("garbage", "hello\n", true, "failed\n", {}, garbage);
        row("binary", QByteArray("\0\xff\x01 kestrune 1 raise\n", 21), true, "failed\n", {}, garbage);
        row("another version", "kestrune 2 raise\n", true, "failed\n", {}, garbage);
        row("unknown action", SingleInstance::request("Multiplayer"), true, "failed\n", {}, "an unknown quick action");
        row("two actions", "kestrune 1 quick-action singleplayer multiplayer\n", true, "failed\n", {}, garbage);
        row("oversized line", SingleInstance::request(QString(300, 'x')), true, "failed\n", {}, oversized);
        row("oversized, no line end", QByteArray(4096, 'k'), true, "failed\n", {}, oversized);
    }
    void requestsAreAnsweredOrRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, handlerAnswer);
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, actions);
        QFETCH(QString, refusal);
        SingleInstance instance(path());
        Recorder recorder(instance, handlerAnswer);
        QCOMPARE(instance.start({}), SingleInstance::Outcome::listening);
        QSignalSpy refused(&instance, &SingleInstance::refused);
        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^Single instance: refused " + refusal + " on .*s.socket$"));
        QCOMPARE(exchange(path(), bytes), answer);
        QCOMPARE(recorder.actions, actions);
        QCOMPARE(refused.size(), refusal.isEmpty() ? 0 : 1);
        if (!refusal.isEmpty())
            QCOMPARE(refused.first().first().toString(), refusal);
        // Still listening for the next one.
        recorder.answer = true;
        QCOMPARE(exchange(path(), SingleInstance::request({})), "ok\n");
    }

    void aPeerOfAnotherUserIsRefused()
    {
        SingleInstance instance(path());
        Recorder recorder(instance);
        QCOMPARE(instance.start({}), SingleInstance::Outcome::listening);
        instance.setOwnerUid(::getuid() + 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused a peer of another user"));
        QCOMPARE(exchange(path(), SingleInstance::request("singleplayer")), "");
        QVERIFY(recorder.actions.isEmpty());
    }

    // A start that may not own the data folder hands over or does nothing:
    // it neither listens nor clears a socket it finds dead; a full start
    // clears it and listens.
    void aStaleSocketIsClearedOnlyByAFullStart()
    {
        SingleInstance alone(path());
        QCOMPARE(alone.start({}, 1000, SingleInstance::Mode::handOverOnly), SingleInstance::Outcome::unavailable);
        QCOMPARE(alone.errorString(), "no instance listens on " + path());
        QVERIFY(!alone.isListening());
        QVERIFY(!QFileInfo::exists(path()));

        QVERIFY(makeStaleSocket(path()));
        QCOMPARE(alone.start({}, 1000, SingleInstance::Mode::handOverOnly), SingleInstance::Outcome::unavailable);
        QVERIFY(QFileInfo::exists(path()));
        QVERIFY(!alone.isListening());

        SingleInstance instance(path());
        Recorder recorder(instance);
        QCOMPARE(instance.start("singleplayer"), SingleInstance::Outcome::listening);
        QCOMPARE(exchange(path(), SingleInstance::request({})), "ok\n");
    }

    // Two starts at once must not both listen: one that finds the start lock
    // held gives up after its timeout and listens on nothing; the lock is
    // the kernel's, so Qt's own lock file on the same path holds it too.
    void aStartWaitsForTheStartLock()
    {
        QLockFile held(path() + ".lock");
        QVERIFY(held.tryLock(0));
        SingleInstance blocked(path());
        QCOMPARE(blocked.start({}, 300), SingleInstance::Outcome::unavailable);
        QCOMPARE(blocked.errorString(), "cannot lock " + path() + ".lock");
        QVERIFY(!blocked.isListening());
        QVERIFY(!QFileInfo::exists(path()));
        held.unlock();

        // A lock file left behind by a killed start holds nothing.
        QFile leftOver(path() + ".lock");
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();
        SingleInstance instance(path());
        QCOMPARE(instance.start({}, 300), SingleInstance::Outcome::listening);
        QVERIFY(!QFileInfo::exists(path() + ".lock"));
    }

    void theTimeoutCanBeShortenedForTests_data()
    {
        QTest::addColumn<QByteArray>("value"); // empty: unset
        QTest::addColumn<int>("timeoutMs");
        QTest::newRow("unset") << QByteArray() << 10000;
        QTest::newRow("shorter") << QByteArray("1000") << 1000;
        QTest::newRow("too short") << QByteArray("5") << 100;
        QTest::newRow("negative") << QByteArray("-1") << 100;
        QTest::newRow("longer than the default") << QByteArray("600000") << 10000;
        QTest::newRow("not a number") << QByteArray("soon") << 10000;
    }
    void theTimeoutCanBeShortenedForTests()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, timeoutMs);
        const auto restore = qScopeGuard([] { qunsetenv("KESTRUNE_HANDOVER_TIMEOUT_MS"); });
        if (value.isEmpty())
            qunsetenv("KESTRUNE_HANDOVER_TIMEOUT_MS");
        else
            qputenv("KESTRUNE_HANDOVER_TIMEOUT_MS", value);
        QCOMPARE(SingleInstance::handOverTimeoutMs(), timeoutMs);
    }

    // Killed runs of other data folders leave their sockets beside this
    // one's; a start removes those that nobody listens on.
    void deadSocketsOfOtherFoldersAreRemoved()
    {
        QTemporaryDir runtime(QDir::tempPath() + "/ksr-XXXXXX");
        QVERIFY(runtime.isValid());
        const QString mine = "kestrune-" + QString::number(::getuid());
        const QString deadDefault = runtime.filePath(mine + ".socket");
        const QString deadOther = runtime.filePath(mine + "-aaaaaaaaaaaa.socket");
        const QString starting = runtime.filePath(mine + "-bbbbbbbbbbbb.socket");
        const QString anotherUsers =
            runtime.filePath("kestrune-" + QString::number(::getuid() + 1) + "-cccccccccccc.socket");
        const QString unrelated = runtime.filePath("other.socket");

        SingleInstance live(runtime.filePath(mine + "-dddddddddddd.socket"));
        Recorder recorder(live);
        QCOMPARE(live.start({}), SingleInstance::Outcome::listening);
        QSignalSpy refused(&live, &SingleInstance::refused);
        for (const QString &path : {deadDefault, deadOther, starting, anotherUsers, unrelated})
            QVERIFY(makeStaleSocket(path));
        QLockFile startingLock(starting + ".lock");
        QVERIFY(startingLock.tryLock(0));

        SingleInstance instance(runtime.filePath(mine + "-eeeeeeeeeeee.socket"));
        QCOMPARE(instance.start({}), SingleInstance::Outcome::listening);
        QVERIFY(!QFile::exists(deadDefault));
        QVERIFY(!QFile::exists(deadOther));
        for (const QString &path : {starting, anotherUsers, unrelated})
            QVERIFY2(QFile::exists(path), qPrintable(path));
        QVERIFY(live.isListening());
        QCOMPARE(exchange(runtime.filePath(mine + "-dddddddddddd.socket"), SingleInstance::request({})), "ok\n");
        QCOMPARE(refused.size(), 0);
        // The lock left behind by the look at the live one is gone.
        QVERIFY(!QFile::exists(runtime.filePath(mine + "-dddddddddddd.socket.lock")));
    }

    void aSecondStartHandsItsActionOver_data()
    {
        QTest::addColumn<bool>("handlerAnswer");
        QTest::newRow("done") << true;
        QTest::newRow("failed") << false;
    }
    void aSecondStartHandsItsActionOver()
    {
        QFETCH(bool, handlerAnswer);
        SingleInstance first(path());
        Recorder recorder(first, handlerAnswer);
        QCOMPARE(first.start({}), SingleInstance::Outcome::listening);

        // The second start blocks until it has its answer, as a second
        // process would; the first answers from this thread's event loop.
        std::atomic<bool> finished = false;
        SingleInstance::Outcome outcome = SingleInstance::Outcome::unavailable;
        bool accepted = !handlerAnswer;
        std::thread second([&] {
            SingleInstance instance(path());
            outcome = instance.start("multiplayer");
            accepted = instance.accepted();
            finished = true;
        });
        const bool done = QTest::qWaitFor([&] { return finished.load(); }, 20000);
        second.join();
        QVERIFY(done);
        QCOMPARE(outcome, SingleInstance::Outcome::handedOver);
        QCOMPARE(accepted, handlerAnswer);
        QCOMPARE(recorder.actions, QStringList{"multiplayer"});
        QVERIFY(first.isListening());
    }

    void theProgramHandsItsActionToTheRunningOne()
    {
        QTemporaryDir home;
        QTemporaryDir data;
        QVERIFY(home.isValid() && data.isValid());
        QProcessEnvironment environment = test::programEnvironment(home);
        environment.insert("XDG_RUNTIME_DIR", m_folder.path());
        const QStringList common{"--no-game-service", "--data-folder", data.path()};
        const QString socket = m_folder.filePath(QFileInfo(SingleInstance::socketPath(data.path())).fileName());
        const auto startsOfGames = [&] {
            QFile log(data.filePath("analytics.jsonl"));
            return log.open(QIODevice::ReadOnly) ? log.readAll().count("start_game") : 0;
        };

        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(KESTRUNE_PROGRAM, common);
        QVERIFY(QTest::qWaitFor([&] { return exchange(socket, SingleInstance::request({})) == "ok\n"; }, 60000));

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(KESTRUNE_PROGRAM, common + QStringList{"--quick-action", "multiplayer"});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(QTest::qWaitFor([&] { return startsOfGames() == 1; }, 20000));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(20000));
    }

    // Where the socket cannot tell that an instance runs, the data folder's
    // lock does: the second start exits, naming the first, and leaves its
    // data as it was.
    void aSecondWriterOfTheDataFolderIsTurnedAway_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("the socket path is a folder") << "folder";
        QTest::newRow("the first instance is stopped") << "stopped";
        QTest::newRow("only the first has XDG_RUNTIME_DIR") << "no runtime folder";
        // A render never hands over, but plays in the folder it is given.
        QTest::newRow("a render into the folder") << "render";
    }
    void aSecondWriterOfTheDataFolderIsTurnedAway()
    {
        QFETCH(QString, obstacle);
        QTemporaryDir home;
        QTemporaryDir data;
        QTemporaryDir runtime(QDir::tempPath() + "/ksr-XXXXXX");
        QVERIFY(home.isValid() && data.isValid() && runtime.isValid());
        QProcessEnvironment environment = test::programEnvironment(home);
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        // A stopped instance is waited for this long, not 10 s.
        environment.insert("KESTRUNE_HANDOVER_TIMEOUT_MS", "1000");
        const QStringList arguments{"--no-game-service", "--data-folder", data.path(), "--quick-action",
                                    "singleplayer"};
        const QString socketName = QFileInfo(SingleInstance::socketPath(data.path())).fileName();
        if (obstacle == "folder")
            QVERIFY(QDir(runtime.path()).mkdir(socketName));

        QProcess first;
        QProcess second;
        const auto cleanup = qScopeGuard([&] {
            for (QProcess *program : {&first, &second}) {
                if (program->state() == QProcess::NotRunning)
                    continue;
                ::kill(pid_t(program->processId()), SIGCONT);
                program->kill();
                program->waitForFinished(20000);
            }
        });
        first.setProcessEnvironment(environment);
        first.start(KESTRUNE_PROGRAM, arguments);
        QVERIFY(QTest::qWaitFor([&] { return filesBelow(data.path()).value("analytics.jsonl").contains("start_game"); },
                                60000));
        // Held still from here on, so that whatever changes is the second's
        // doing; the stopped case is the first that cannot answer.
        QCOMPARE(::kill(pid_t(first.processId()), SIGSTOP), 0);
        // The signal stops the threads a moment after kill() returns: a write
        // under way may still land, and must, before the folder is compared.
        QVERIFY(QTest::qWaitFor([&] { return allThreadsStopped(first.processId()); }, 20000));
        const auto before = filesBelow(data.path());
        const QStringList socketsBefore =
            QDir(runtime.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        if (obstacle == "stopped")
            QVERIFY(socketsBefore.contains(socketName));

        QProcessEnvironment secondEnvironment = environment;
        if (obstacle == "no runtime folder")
            secondEnvironment.remove("XDG_RUNTIME_DIR");
        second.setProcessEnvironment(secondEnvironment);
        const QString picture = home.filePath("window.png");
        second.start(KESTRUNE_PROGRAM, obstacle == "render" ? QStringList{"--render", picture} + arguments : arguments);
        QVERIFY(second.waitForFinished(60000));
        const QString errors = QString::fromLocal8Bit(second.readAllStandardError());
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        const QString message = QString("kestrune: another Kestrune is using the data folder %1 (process %2)")
                                    .arg(data.path())
                                    .arg(first.processId());
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QCOMPARE(filesBelow(data.path()), before);
        QCOMPARE(QDir(runtime.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), socketsBefore);
        if (obstacle == "no runtime folder")
            QVERIFY(!QFileInfo::exists(QDir::temp().filePath(socketName)));
        QVERIFY(!QFileInfo::exists(picture));

        QCOMPARE(::kill(pid_t(first.processId()), SIGCONT), 0);
        QCOMPARE(first.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
