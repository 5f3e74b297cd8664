#include "serverprocess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <algorithm>

namespace kestrune::server::test {

ServerProcess::ServerProcess(QString database, QString logFile, QStringList extraArguments)
    : m_database(std::move(database))
    , m_extraArguments(std::move(extraArguments))
{
    m_process.setProgram(program());
    m_process.setStandardOutputFile(logFile, QIODevice::Append);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    // The waits below watch stderr, where the program says where it listens.
    m_process.setReadChannel(QProcess::StandardError);
}

ServerProcess::~ServerProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

void ServerProcess::launch()
{
    m_stderr.clear();
    m_error.clear();
    m_port = 0;
    m_process.setArguments(
        QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--database"), m_database}
        + m_extraArguments);
    m_process.start();
}

bool ServerProcess::waitUntilListening(std::chrono::milliseconds bound)
{
    if (!m_process.waitForStarted(int(bound.count()))) {
        m_error = QStringLiteral("did not start: ") + m_process.errorString();
        return false;
    }
    static const QRegularExpression listening(QStringLiteral("listening on \\S+ port (\\d+)"));
    const QDeadlineTimer deadline(bound);
    while (!deadline.hasExpired()) {
        const auto match = listening.match(standardError());
        if (match.hasMatch()) {
            m_port = std::uint16_t(match.captured(1).toUInt());
            return true;
        }
        if (m_process.state() == QProcess::NotRunning)
            break;
        m_process.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 200)));
    }
    m_error = QStringLiteral("did not listen; stderr: ") + standardError();
    return false;
}

std::optional<int> ServerProcess::waitForExit(std::chrono::milliseconds bound)
{
    if (!waitForEnd(bound))
        return std::nullopt;
    standardError();
    if (m_process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return m_process.exitCode();
}

bool ServerProcess::waitForError(const QString &text, std::chrono::milliseconds bound)
{
    const QDeadlineTimer deadline(bound);
    while (!standardError().contains(text)) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return standardError().contains(text);
        m_process.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 200)));
    }
    return true;
}

QString ServerProcess::standardError()
{
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_stderr;
}

ProgramRun runProgram(const QStringList &arguments, std::chrono::milliseconds bound)
{
    QProcess process;
    process.start(ServerProcess::program(), arguments);
    ProgramRun run;
    if (!process.waitForStarted(int(bound.count())))
        return run;
    if (!process.waitForFinished(int(bound.count()))) {
        process.kill();
        process.waitForFinished(10000);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace kestrune::server::test

#ifdef __SANITIZE_THREAD__
// The race checker stops a threaded program that forks and then starts a
// thread, for fear of the child; the child here only calls exec.
extern "C" const char *__tsan_default_options()
{
    return "die_after_fork=0";
}
#endif
