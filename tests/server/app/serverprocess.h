#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <optional>

namespace kestrune::server::test {

// The real kestrune-server as a child process on 127.0.0.1 with a port the
// kernel picks. Its request log (stdout) goes to a file, so a long run can
// never block on a full pipe; stderr, a few lines, is kept for the checks.
class ServerProcess
{
public:
    // Extra arguments come after --listen and --database, so a test can
    // override anything (the last value wins).
    ServerProcess(QString database, QString logFile, QStringList extraArguments = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    // Starts the program and waits, at most `bound`, for it to say where it
    // listens. False when it exited or stayed silent; error() says why.
    bool start(std::chrono::milliseconds bound = std::chrono::seconds(30))
    {
        launch();
        return waitUntilListening(bound);
    }
    // start() in two steps, for starting several servers at once.
    void launch();
    bool waitUntilListening(std::chrono::milliseconds bound = std::chrono::seconds(30));
    std::uint16_t port() const { return m_port; }

    void kill() { m_process.kill(); }           // SIGKILL: no chance to finish anything
    void terminate() { m_process.terminate(); } // SIGTERM: the operator's stop
    // True once the program has ended, waiting at most `bound`.
    bool waitForEnd(std::chrono::milliseconds bound = std::chrono::seconds(30))
    {
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(int(bound.count()));
    }
    // The exit code when the program ended within `bound` by exiting (not
    // by a signal); nothing otherwise.
    std::optional<int> waitForExit(std::chrono::milliseconds bound = std::chrono::seconds(30));
    // Waits, at most `bound`, until stderr holds `text`.
    bool waitForError(const QString &text, std::chrono::milliseconds bound = std::chrono::seconds(30));

    QString standardError();
    QString error() const { return m_error; }

    // The program as CMake built it.
    static QString program() { return QStringLiteral(KESTRUNE_SERVER_PROGRAM); }

private:
    QProcess m_process;
    QString m_stderr;
    QString m_error;
    QString m_database;
    QStringList m_extraArguments;
    std::uint16_t m_port = 0;
};

// Runs the program with `arguments` to its end (at most `bound`); killed
// and reported as crashed (no exit code) when it does not end in time.
struct ProgramRun
{
    std::optional<int> exitCode;
    QString standardOutput;
    QString standardError;
};
ProgramRun runProgram(const QStringList &arguments, std::chrono::milliseconds bound = std::chrono::seconds(30));

} // namespace kestrune::server::test
