#include "app/appdelegate.h"
#include "app/singleinstance.h"
#include "game/gamemanaging.h"
#include "game/statisticshelper.h"
#include "platform/apppaths.h"
#include "platform/settingsstore.h"
#include "platform/signalwatcher.h"
#include "programenvironment.h"
#include "screens/game/gameviewcontroller.h"
#include "socketexchange.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/ripplebutton.h"

#include <QApplication>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

using namespace kestrune;

namespace {

// The real program in folders of its own: a data folder, a home and a
// runtime folder, so that neither the user's instance nor their data is met.
class Program
{
public:
    Program()
    {
        m_environment = test::programEnvironment(m_home);
        m_environment.insert("XDG_RUNTIME_DIR", m_runtime.path());
        m_environment.insert("QT_QPA_PLATFORM", "offscreen");
    }
    bool isValid() const { return m_home.isValid() && m_runtime.isValid() && m_data.isValid(); }
    QString socket() const
    {
        return m_runtime.filePath(QFileInfo(SingleInstance::socketPath(m_data.path())).fileName());
    }

    // Starts it and waits until it answers on its socket.
    bool start()
    {
        m_process.setProcessEnvironment(m_environment);
        m_process.start(KESTRUNE_PROGRAM, {"--no-game-service", "--data-folder", m_data.path()});
        return QTest::qWaitFor([this] { return ask({}) == "ok\n" || m_process.state() == QProcess::NotRunning; }, 60000)
               && m_process.state() == QProcess::Running;
    }
    // One request through the socket; its answer line.
    QByteArray ask(const QString &quickAction) const
    {
        return test::exchange(socket(), SingleInstance::request(quickAction));
    }
    void signal(int signalNumber) { ::kill(pid_t(m_process.processId()), signalNumber); }
    QProcess &process() { return m_process; }
    int startsOfGames() const
    {
        QFile log(m_data.filePath("analytics.jsonl"));
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("start_game")) : 0;
    }

private:
    QTemporaryDir m_home;
    QTemporaryDir m_runtime{QDir::tempPath() + "/ksig-XXXXXX"}; // short: socket paths have a limit
    QTemporaryDir m_data;
    QProcessEnvironment m_environment;
    QProcess m_process;
};

// The child: the program's own parts on a data folder, with the signals
// watched and the way out as the program has them. It wins a single-player
// match through the keypad, says "won" and waits.
int winAndWait(const QString &dataFolder)
{
    AppPaths::setDataFolder(dataFolder);
    if (AppPaths::ensureDataFolder().isEmpty())
        return 3;
    CommandLine options;
    options.dataFolder = dataFolder;
    options.noGameService = true;
    AppDelegate delegate(options);
    SignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&watcher, &SignalWatcher::received, qApp, [] { QCoreApplication::exit(0); });
    delegate.window().show();
    delegate.openMenu();
    delegate.performQuickAction(QStringLiteral("singleplayer"), [](bool) {});
    QCoreApplication::processEvents();
    auto *game = qobject_cast<GameViewController *>(delegate.window().topViewController());
    if (!game || game->gameViews().isEmpty())
        return 4;
    KeyboardView *keypad = game->gameViews().first()->keyboardView();
    const std::string code = game->gameManager()->codes().front();
    for (char digit : code)
        keypad->numericButtons().at(digit - '1')->click();
    keypad->shotButton()->click();
    if (game->gameManager()->gameState().isPending())
        return 5;
    std::puts("won");
    std::fflush(stdout);
    const int status = QCoreApplication::exec();
    return delegate.flush() ? status : 1;
}

void addSignals()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("TERM") << SIGTERM;
    QTest::newRow("INT") << SIGINT;
    QTest::newRow("HUP") << SIGHUP;
}

} // namespace

class TestSignals : public QObject
{
    Q_OBJECT

private slots:
    void aSignalReachesTheEventLoop_data() { addSignals(); }
    void aSignalReachesTheEventLoop()
    {
        QFETCH(int, signalNumber);
        SignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
        QVERIFY(watcher.isWatching());
        QVERIFY(!SignalWatcher({signalNumber}).isWatching()); // a second one catches nothing
        QSignalSpy received(&watcher, &SignalWatcher::received);
        // Sent before the loop runs: it waits for it rather than being lost.
        QCOMPARE(::kill(::getpid(), signalNumber), 0);
        QCOMPARE(received.count(), 0);
        QVERIFY(received.wait(10000));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toInt(), signalNumber);
    }

    // What the program had to write when the signal came is on disk, and it
    // leaves no socket behind. Each round sends the signal right after a
    // quick action, whose start event is written behind like a game's end.
    void theProgramEndsCleanlyOnASignal_data() { addSignals(); }
    void theProgramEndsCleanlyOnASignal()
    {
        QFETCH(int, signalNumber);
        Program program;
        QVERIFY(program.isValid());
        constexpr int rounds = 3;
        int lost = 0;
        for (int round = 1; round <= rounds; ++round) {
            QVERIFY(program.start());
            QVERIFY(QFile::exists(program.socket()));
            QCOMPARE(program.ask("singleplayer"), QByteArray("ok\n"));
            program.signal(signalNumber);
            QVERIFY(program.process().waitForFinished(30000));
            QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.process().exitCode(), 0);
            QVERIFY2(!QFile::exists(program.socket()), "the socket was left behind");
            lost = round - program.startsOfGames();
        }
        QCOMPARE(lost, 0);
    }

    // A win the signal comes right after is in the statistics on disk.
    void aWinBeforeTheSignalIsKept_data() { addSignals(); }
    void aWinBeforeTheSignalIsKept()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir home;
        QTemporaryDir data;
        QVERIFY(home.isValid() && data.isValid());
        QProcessEnvironment environment = test::programEnvironment(home);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        constexpr int rounds = 3;
        for (int round = 1; round <= rounds; ++round) {
            QProcess child;
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), {"--win-and-wait", data.path()});
            QVERIFY(child.waitForStarted(60000));
            QVERIFY(
                QTest::qWaitFor([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }, 60000));
            QCOMPARE(child.readLine(), QByteArray("won\n"));
            ::kill(pid_t(child.processId()), signalNumber);
            QVERIFY(child.waitForFinished(30000));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
        }
        SettingsStore settings(data.filePath("settings.conf"));
        const std::int64_t lost = rounds - StatisticsHelper::integerValue(settings, StatisticsHelper::wins);
        QCOMPARE(lost, 0);
        QCOMPARE(StatisticsHelper::historyValue(settings), std::string(rounds, 'W'));
    }

    // A burst through the socket restarts the match once, and once more for
    // what came in while it did; every request is answered.
    void aBurstOfQuickActionsIsCoalesced()
    {
        Program program;
        QVERIFY(program.isValid());
        QVERIFY(program.start());
        constexpr int burst = 50;
        std::vector<std::unique_ptr<QLocalSocket>> peers;
        for (int i = 0; i < burst; ++i) {
            auto peer = std::make_unique<QLocalSocket>();
            peer->connectToServer(program.socket());
            QVERIFY(peer->waitForConnected(5000));
            peer->write(SingleInstance::request(i % 2 ? "singleplayer" : "multiplayer"));
            peer->flush();
            peers.push_back(std::move(peer));
        }
        std::vector<QByteArray> answers(burst);
        QVERIFY(QTest::qWaitFor(
            [&] {
                bool all = true;
                for (int i = 0; i < burst; ++i) {
                    answers[i] += peers[i]->readAll();
                    all = all && answers[i].endsWith('\n');
                }
                return all;
            },
            30000));
        for (const QByteArray &answer : answers)
            QCOMPARE(answer, QByteArray("ok\n"));
        // Time for restarts that should not happen to show in the log.
        QTest::qWait(1500);
        program.signal(SIGTERM);
        QVERIFY(program.process().waitForFinished(30000));
        QVERIFY(program.startsOfGames() >= 1);
        QCOMPARE_LE(program.startsOfGames(), 3);
        QCOMPARE(program.process().exitCode(), 0);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--win-and-wait")
        return winAndWait(QString::fromLocal8Bit(argv[2]));
    TestSignals test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_signals.moc"
