#pragma once

#include <QString>

namespace kestrune {

// Makes one process at a time the writer of a data folder, whatever the
// single-instance socket says. The lock is the kernel's (flock) on a file in
// the folder, so it ends with its holder however that ends, and a lock file
// left behind means nothing. The holder writes its process id into the file,
// for the message of a start that finds the folder taken.
class DataFolderLock
{
public:
    enum class Result {
        acquired, // this process is the folder's writer until the lock goes
        held,     // another process is; see holderPid() and errorString()
        failed,   // the lock could not be tried at all; see errorString()
    };

    explicit DataFolderLock(QString folder);
    ~DataFolderLock(); // releases the lock
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // Takes the lock without waiting; taking it again once held is a no-op.
    Result tryLock();
    bool isLocked() const { return m_fd >= 0; }
    void unlock();

    // After held: the holder's process id as it wrote it, 0 when unknown.
    qint64 holderPid() const { return m_holderPid; }
    QString errorString() const { return m_error; }
    QString fileName() const;

    static QString fileName(const QString &folder);

private:
    QString m_folder;
    int m_fd = -1;
    qint64 m_holderPid = 0;
    QString m_error;
};

} // namespace kestrune
