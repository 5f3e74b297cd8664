#include "singleinstance.h"

#include "quickaction.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <sys/socket.h>
#include <unistd.h>

namespace kestrune {

namespace {

const QByteArray magic = "kestrune";
const QByteArray version = "1";
// A peer that connects and says nothing is let go after this long.
constexpr int idlePeerMs = 5000;
// Longer socket paths do not fit into sockaddr_un.
constexpr int maxSocketPath = 100;
// The data folder's writer takes its lock just before it listens: a start
// that only hands over looks again for this long before it gives up.
constexpr int listenGraceMs = 500;
constexpr int lookAgainMs = 50;
constexpr int minTimeoutMs = 100;

} // namespace

QString SingleInstance::socketPath(const QString &dataFolder)
{
    QString name = QStringLiteral("kestrune-%1").arg(::getuid());
    if (!dataFolder.isEmpty()) {
        QFileInfo info(QDir::cleanPath(dataFolder));
        const QString folder = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
        name += QLatin1Char('-')
                + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    }
    name += QStringLiteral(".socket");
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || (folder + QLatin1Char('/') + name).toLocal8Bit().size() > maxSocketPath)
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + name;
}

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent), m_path(std::move(socketPath)), m_ownerUid(::getuid())
{
}

SingleInstance::~SingleInstance() = default;

QByteArray SingleInstance::request(const QString &quickAction)
{
    if (quickAction.isEmpty())
        return magic + ' ' + version + " raise\n";
    return magic + ' ' + version + " quick-action " + quickAction.toUtf8() + '\n';
}

std::optional<uid_t> SingleInstance::peerUid(qintptr socketDescriptor)
{
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (socketDescriptor < 0
        || ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return std::nullopt;
    return credentials.uid;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

int SingleInstance::handOverTimeoutMs()
{
    bool ok = false;
    const int chosen = qEnvironmentVariableIntValue("KESTRUNE_HANDOVER_TIMEOUT_MS", &ok);
    return ok ? std::clamp(chosen, minTimeoutMs, defaultTimeoutMs) : defaultTimeoutMs;
}

SingleInstance::Outcome SingleInstance::start(const QString &quickAction, int timeoutMs, Mode mode)
{
    m_accepted = false;
    const QDeadlineTimer grace(mode == Mode::handOverOnly ? std::min(timeoutMs, listenGraceMs) : 0);
    for (;;) {
        m_error.clear();
        // Two starts at once must not both find no instance and both listen.
        QLockFile lock(m_path + QStringLiteral(".lock"));
        lock.setStaleLockTime(0); // only a dead owner makes it stale
        if (!lock.tryLock(timeoutMs)) {
            m_error = QStringLiteral("cannot lock %1").arg(lock.fileName());
            return Outcome::unavailable;
        }
        bool connected = false;
        if (const auto answer = handOver(request(quickAction), timeoutMs, connected)) {
            m_accepted = *answer;
            return Outcome::handedOver;
        }
        if (connected)
            return Outcome::unavailable;
        if (mode == Mode::handOverOnly) {
            if (grace.hasExpired()) {
                m_error = QStringLiteral("no instance listens on %1").arg(m_path);
                return Outcome::unavailable;
            }
            lock.unlock();
            QThread::msleep(lookAgainMs);
            continue;
        }
        if (!listen())
            return Outcome::unavailable;
        lock.unlock();
        removeDeadSockets(QFileInfo(m_path).absolutePath(), m_path);
        return Outcome::listening;
    }
}

int SingleInstance::removeDeadSockets(const QString &folder, const QString &except)
{
    // Each data folder has a socket of its own, so a run killed with a
    // folder that is not used again (a test's, a demo's) would leave its
    // socket for ever.
    const QString prefix = QStringLiteral("kestrune-%1").arg(::getuid());
    const QStringList names = QDir(folder).entryList({prefix + QStringLiteral(".socket"), prefix + QStringLiteral("-*.socket")},
                                                     QDir::System | QDir::Files | QDir::Hidden);
    int removed = 0;
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        if (path == except)
            continue;
        // A start in progress holds the lock between its look and its listen.
        QLockFile lock(path + QStringLiteral(".lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            continue;
        }
        if (probe.error() == QLocalSocket::ConnectionRefusedError && QLocalServer::removeServer(path))
            ++removed;
    }
    return removed;
}

std::optional<bool> SingleInstance::handOver(const QByteArray &request, int timeoutMs, bool &connected)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_path);
    connected = socket.waitForConnected(timeoutMs);
    if (!connected)
        return std::nullopt;
    if (peerUid(socket.socketDescriptor()) != ::getuid()) {
        m_error = QStringLiteral("%1 belongs to another user").arg(m_path);
        return std::nullopt;
    }
    socket.write(request);
    socket.flush();
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState
           && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    const QByteArray answer = socket.canReadLine() ? socket.readLine(16) : QByteArray();
    if (answer == "ok\n")
        return true;
    if (answer == "failed\n")
        return false;
    m_error = QStringLiteral("the running instance did not answer on %1").arg(m_path);
    return std::nullopt;
}

bool SingleInstance::listen()
{
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered, so a socket file left there is a crashed run's.
    if (QFileInfo::exists(m_path) && !QLocalServer::removeServer(m_path)) {
        m_error = QStringLiteral("cannot remove the stale socket %1").arg(m_path);
        return false;
    }
    if (!m_server->listen(m_path)) {
        m_error = QStringLiteral("cannot listen on %1: %2").arg(m_path, m_server->errorString());
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (peerUid(socket->socketDescriptor()) != m_ownerUid) {
            refuse(socket, QStringLiteral("a peer of another user"), false);
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(idlePeerMs, socket, [this, socket] {
            if (!socket->property("answered").toBool())
                refuse(socket, QStringLiteral("a peer that sent no whole request"), true);
        });
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxRequestBytes)
            refuse(socket, QStringLiteral("a request longer than %1 bytes").arg(maxRequestBytes), true);
        return;
    }
    const QByteArray line = socket->readLine(maxRequestBytes + 1);
    socket->setProperty("answered", true);
    // One request a connection: whatever follows is not looked at.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (!line.endsWith('\n') || line.size() > maxRequestBytes) {
        refuse(socket, QStringLiteral("a request longer than %1 bytes").arg(maxRequestBytes), true);
        return;
    }
    const QList<QByteArray> words = line.chopped(1).split(' ');
    if (words.size() < 3 || words[0] != magic || words[1] != version) {
        refuse(socket, QStringLiteral("not a request"), true);
        return;
    }
    QString action;
    if (words.size() == 3 && words[2] == "raise") {
    } else if (words.size() == 4 && words[2] == "quick-action") {
        action = QString::fromUtf8(words[3]);
        if (!QuickAction::fromType(action)) {
            refuse(socket, QStringLiteral("an unknown quick action"), true);
            return;
        }
    } else {
        refuse(socket, QStringLiteral("not a request"), true);
        return;
    }
    QPointer<QLocalSocket> peer(socket);
    auto reply = [peer](bool done) {
        if (!peer)
            return;
        peer->write(done ? "ok\n" : "failed\n");
        peer->flush();
        peer->disconnectFromServer();
    };
    if (m_handler)
        m_handler(action, reply);
    else
        reply(false);
}

void SingleInstance::refuse(QLocalSocket *socket, const QString &reason, bool answer)
{
    qWarning().noquote() << "Single instance: refused" << reason << "on" << m_path;
    emit refused(reason);
    socket->setProperty("answered", true);
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (answer) {
        socket->write("failed\n");
        socket->flush();
        socket->disconnectFromServer();
    } else {
        socket->abort();
    }
}

} // namespace kestrune
