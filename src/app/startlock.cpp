#include "startlock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrune {

namespace {
constexpr qint64 lookAgainMs = 50;
} // namespace

StartLock::StartLock(QString path)
    : m_path(std::move(path))
{
}

StartLock::~StartLock()
{
    unlock();
}

bool StartLock::tryLock(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QByteArray path = QFile::encodeName(m_path);
    for (;;) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd < 0)
            return false;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before may have removed the file between our open
            // and our lock: a lock on a file no longer there is none.
            struct stat held
            {
            }, named{};
            if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 && held.st_dev == named.st_dev
                && held.st_ino == named.st_ino) {
                m_fd = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if ((error != EWOULDBLOCK && error != EINTR) || deadline.hasExpired())
            return false;
        QThread::msleep(std::clamp<qint64>(deadline.remainingTime(), 1, lookAgainMs));
    }
}

void StartLock::unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that nobody locks it in between.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

} // namespace kestrune
