#include "localpeer.h"

#include <QSocketNotifier>

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace kestrune {

namespace {
// A peer is asked for one short line, so this bounds what one event reads.
constexpr qsizetype chunkBytes = 1024;
} // namespace

LocalPeer::LocalPeer(int descriptor, QObject *parent)
    : QObject(parent)
    , m_descriptor(descriptor)
    , m_notifier(new QSocketNotifier(descriptor, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalPeer::readAvailable);
}

LocalPeer::~LocalPeer()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

QByteArray LocalPeer::take(qsizetype size)
{
    const QByteArray taken = m_received.left(size);
    m_received.remove(0, taken.size());
    return taken;
}

void LocalPeer::readAvailable()
{
    char chunk[chunkBytes];
    for (;;) {
        const ssize_t got = ::recv(m_descriptor, chunk, sizeof chunk, 0);
        if (got > 0) {
            if (!m_reading)
                continue;
            m_received.append(chunk, got);
            emit readyRead();
            // The answer may have been given from the signal.
            if (isClosed() || !m_reading)
                return;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // Hung up (or broken): nobody is left to answer.
        abort();
        return;
    }
}

void LocalPeer::answer(const QByteArray &answer)
{
    if (isClosed())
        return;
    // A few bytes on a fresh connection fit its buffer; a peer gone in the
    // meantime must not raise SIGPIPE.
    qsizetype sent = 0;
    while (sent < answer.size()) {
        const ssize_t n = ::send(m_descriptor, answer.constData() + sent, size_t(answer.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += n;
    }
    close();
}

void LocalPeer::abort()
{
    close();
}

void LocalPeer::close()
{
    if (isClosed())
        return;
    m_notifier->setEnabled(false);
    // Closing with unread bytes would reset the connection and could cost the
    // peer the answer just sent.
    char sink[chunkBytes];
    while (::recv(m_descriptor, sink, sizeof sink, MSG_DONTWAIT) > 0) {}
    ::close(m_descriptor);
    m_descriptor = -1;
    deleteLater();
}

} // namespace kestrune
