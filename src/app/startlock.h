#pragma once

#include <QString>

namespace kestrune {

// A lock file held with flock(): the kernel lets it go when its holder dies,
// so a killed start never blocks the next one. The file is removed on
// unlock. Unlike QLockFile it does not sync the disk, which took longer than
// the rest of the start-up where the runtime folder is on a disk. Qt's lock
// files take the same kernel lock, so either kind keeps the other out.
class StartLock
{
public:
    explicit StartLock(QString path);
    ~StartLock();
    StartLock(const StartLock &) = delete;
    StartLock &operator=(const StartLock &) = delete;

    const QString &fileName() const { return m_path; }

    // Takes the lock, trying again for up to timeoutMs while another holds it.
    bool tryLock(int timeoutMs);
    void unlock();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace kestrune
