#include "singleinstance.h"

#include "localpeer.h"
#include "quickaction.h"
#include "startlock.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
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
// Connections the kernel queues before the instance accepts them.
constexpr int backlog = 50;

const QByteArray okAnswer = "ok\n";
const QByteArray failedAnswer = "failed\n";

// A descriptor that is closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// The address of a socket file; nullopt when the path does not fit.
std::optional<sockaddr_un> addressOf(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || size_t(encoded.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return address;
}

// A new socket connected to path; -1 with errno set when that fails. A
// blocking connect waits while the listener's queue is full, for at most
// timeoutMs; a non-blocking one does not wait at all.
int connectTo(const QString &path, int timeoutMs, bool blocking)
{
    const auto address = addressOf(path);
    if (!address) {
        errno = ENAMETOOLONG;
        return -1;
    }
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0));
    if (socket.get() < 0)
        return -1;
    if (blocking) {
        // Zero would mean no limit at all.
        const int limitMs = std::max(timeoutMs, 1);
        const timeval timeout{limitMs / 1000, (limitMs % 1000) * 1000};
        ::setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    }
    int result;
    do {
        result = ::connect(socket.get(), reinterpret_cast<const sockaddr *>(&*address), sizeof *address);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? socket.release() : -1;
}

} // namespace

QString SingleInstance::socketPath(const QString &dataFolder)
{
    QString name = QStringLiteral("kestrune-%1").arg(::getuid());
    if (!dataFolder.isEmpty()) {
        QFileInfo info(QDir::cleanPath(dataFolder));
        const QString folder = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
        name +=
            QLatin1Char('-')
            + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    }
    name += QStringLiteral(".socket");
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()
        || (folder + QLatin1Char('/') + name).toLocal8Bit().size() > maxSocketPath)
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + name;
}

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent)
    , m_path(std::move(socketPath))
    , m_ownerUid(::getuid())
{
}

SingleInstance::~SingleInstance()
{
    stopListening();
}

QByteArray SingleInstance::request(const QString &quickAction)
{
    if (quickAction.isEmpty())
        return magic + ' ' + version + " raise\n";
    return magic + ' ' + version + " quick-action " + quickAction.toUtf8() + '\n';
}

std::optional<uid_t> SingleInstance::peerUid(qintptr socketDescriptor)
{
    struct ucred credentials
    {};
    socklen_t size = sizeof credentials;
    if (socketDescriptor < 0 || ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return std::nullopt;
    return credentials.uid;
}

bool SingleInstance::isListening() const
{
    return m_listener >= 0;
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
        StartLock lock(m_path + QStringLiteral(".lock"));
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
    // Read with the system's own calls: this runs at every start, and a
    // pattern-matched listing costs more than the rest of the start-up.
    const QByteArray prefix = "kestrune-" + QByteArray::number(::getuid());
    QStringList names;
    if (DIR *listing = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(listing)) {
            const QByteArray name(entry->d_name);
            const bool ours = name == prefix + ".socket" || (name.startsWith(prefix + '-') && name.endsWith(".socket"));
            if (!ours || entry->d_type == DT_DIR)
                continue;
            const QString path = QDir(folder).filePath(QFile::decodeName(name));
            if (entry->d_type == DT_UNKNOWN && QFileInfo(path).isDir())
                continue;
            names << QFile::decodeName(name);
        }
        ::closedir(listing);
    }
    int removed = 0;
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        if (path == except)
            continue;
        // A start in progress holds the lock between its look and its listen.
        StartLock lock(path + QStringLiteral(".lock"));
        if (!lock.tryLock(0))
            continue;
        // Refused means nobody listens; a full queue means somebody does.
        const int probe = connectTo(path, 0, false);
        if (probe >= 0) {
            ::close(probe);
            continue;
        }
        if (errno == ECONNREFUSED && QFile::remove(path))
            ++removed;
    }
    return removed;
}

std::optional<bool> SingleInstance::handOver(const QByteArray &request, int timeoutMs, bool &connected)
{
    const QDeadlineTimer deadline(timeoutMs);
    Descriptor socket(connectTo(m_path, timeoutMs, true));
    connected = socket.get() >= 0;
    if (!connected)
        return std::nullopt;
    if (peerUid(socket.get()) != ::getuid()) {
        m_error = QStringLiteral("%1 belongs to another user").arg(m_path);
        return std::nullopt;
    }
    qsizetype sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(socket.get(), request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += n;
    }
    QByteArray answer;
    while (sent == request.size() && !answer.contains('\n') && answer.size() < 16) {
        pollfd readable{socket.get(), POLLIN, 0};
        const int ready = ::poll(&readable, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char chunk[16];
        const ssize_t got = ::recv(socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        answer.append(chunk, got);
    }
    answer.truncate(answer.indexOf('\n') + 1);
    if (answer == okAnswer)
        return true;
    if (answer == failedAnswer)
        return false;
    m_error = QStringLiteral("the running instance did not answer on %1").arg(m_path);
    return std::nullopt;
}

bool SingleInstance::listen()
{
    stopListening();
    // Nobody answered, so a socket file left there is a crashed run's.
    if (QFileInfo::exists(m_path) && !QFile::remove(m_path)) {
        m_error = QStringLiteral("cannot remove the stale socket %1").arg(m_path);
        return false;
    }
    const auto fail = [this](const char *what) {
        m_error = QStringLiteral("cannot listen on %1: %2").arg(m_path, QString::fromLocal8Bit(what));
        return false;
    };
    const auto address = addressOf(m_path);
    if (!address)
        return fail("the path is too long");
    Descriptor listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (listener.get() < 0)
        return fail(std::strerror(errno));
    if (::bind(listener.get(), reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0)
        return fail(std::strerror(errno));
    // Only this user may connect; peers are checked all the same.
    if (::chmod(address->sun_path, S_IRWXU) != 0 || ::listen(listener.get(), backlog) != 0) {
        const int error = errno;
        QFile::remove(m_path);
        return fail(std::strerror(error));
    }
    m_listener = listener.release();
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::stopListening()
{
    if (m_listener < 0)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_listener);
    m_listener = -1;
    // Later starts find no socket rather than a dead one.
    QFile::remove(m_path);
}

void SingleInstance::accept()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // EAGAIN: all taken; anything else: the next event tries again
        }
        auto *peer = new LocalPeer(fd, this);
        if (peerUid(fd) != m_ownerUid) {
            refuse(peer, QStringLiteral("a peer of another user"), false);
            continue;
        }
        connect(peer, &LocalPeer::readyRead, this, [this, peer] { readRequest(peer); });
        QTimer::singleShot(idlePeerMs, peer, [this, peer] {
            if (peer->isReading())
                refuse(peer, QStringLiteral("a peer that sent no whole request"), true);
        });
    }
}

void SingleInstance::readRequest(LocalPeer *peer)
{
    const qsizetype end = peer->received().indexOf('\n');
    if (end < 0) {
        if (peer->received().size() > maxRequestBytes)
            refuse(peer, QStringLiteral("a request longer than %1 bytes").arg(maxRequestBytes), true);
        return;
    }
    const QByteArray line = peer->take(end + 1);
    // One request a connection: whatever follows is not looked at.
    peer->stopReading();
    if (line.size() > maxRequestBytes) {
        refuse(peer, QStringLiteral("a request longer than %1 bytes").arg(maxRequestBytes), true);
        return;
    }
    const QList<QByteArray> words = line.chopped(1).split(' ');
    if (words.size() < 3 || words[0] != magic || words[1] != version) {
        refuse(peer, QStringLiteral("not a request"), true);
        return;
    }
    QString action;
    if (words.size() == 3 && words[2] == "raise") {
    } else if (words.size() == 4 && words[2] == "quick-action") {
        action = QString::fromUtf8(words[3]);
        if (!QuickAction::fromType(action)) {
            refuse(peer, QStringLiteral("an unknown quick action"), true);
            return;
        }
    } else {
        refuse(peer, QStringLiteral("not a request"), true);
        return;
    }
    QPointer<LocalPeer> answerTo(peer);
    auto reply = [answerTo](bool done) {
        if (answerTo)
            answerTo->answer(done ? okAnswer : failedAnswer);
    };
    if (m_handler)
        m_handler(action, reply);
    else
        reply(false);
}

void SingleInstance::refuse(LocalPeer *peer, const QString &reason, bool answer)
{
    qWarning().noquote() << "Single instance: refused" << reason << "on" << m_path;
    emit refused(reason);
    peer->stopReading();
    if (answer)
        peer->answer(failedAnswer);
    else
        peer->abort();
}

} // namespace kestrune
