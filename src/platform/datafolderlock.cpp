#include "datafolderlock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kestrune {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The holder's id as it wrote it; 0 when the file says nothing usable (its
// holder may not have written it yet).
qint64 readPid(int fd)
{
    char buffer[32] = {};
    const ssize_t size = ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (size <= 0)
        return 0;
    bool ok = false;
    const qint64 pid = QByteArray(buffer, int(size)).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace

DataFolderLock::DataFolderLock(QString folder)
    : m_folder(std::move(folder))
{
}

DataFolderLock::~DataFolderLock()
{
    unlock();
}

QString DataFolderLock::fileName(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral(".lock"));
}

QString DataFolderLock::fileName() const
{
    return fileName(m_folder);
}

DataFolderLock::Result DataFolderLock::tryLock()
{
    if (isLocked())
        return Result::acquired;
    m_holderPid = 0;
    m_error.clear();
    const int fd = ::open(QFile::encodeName(fileName()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int error = errno;
        m_error = QStringLiteral("cannot open the lock file %1: %2").arg(fileName(), systemError(error));
        return Result::failed;
    }
    int status;
    do {
        status = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (status != 0 && errno == EINTR);
    if (status != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK) {
            m_holderPid = readPid(fd);
            m_error = QStringLiteral("another Kestrune is using the data folder %1")
                          .arg(QDir::toNativeSeparators(QDir::cleanPath(m_folder)));
            if (m_holderPid > 0)
                m_error += QStringLiteral(" (process %1)").arg(m_holderPid);
        } else {
            m_error = QStringLiteral("cannot lock %1: %2").arg(fileName(), systemError(error));
        }
        ::close(fd);
        return error == EWOULDBLOCK ? Result::held : Result::failed;
    }
    m_fd = fd;
    // For the message of a later start only: failing to write it (a full
    // disk) changes nothing about the lock.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    return Result::acquired;
}

void DataFolderLock::unlock()
{
    if (m_fd < 0)
        return;
    // Closing the last descriptor drops the lock; the file stays, so that
    // a later start never locks a file another process has just replaced.
    ::close(m_fd);
    m_fd = -1;
}

} // namespace kestrune
