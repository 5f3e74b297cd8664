#pragma once

#include "gameservicecache.h"

#include <QCborMap>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace kestrune {

class SerialQueue;

// The cache as the manager works on it: the root map in memory, changed at
// once under a short lock, and written behind to the cache file on a serial
// queue of its own, in the order of the changes (a burst of changes becomes
// one write). So a report costs the caller microseconds, never a disk write,
// and a read sees every change made before it, written or not.
//
// The file is read once, on first use (or again by prepare()); while the
// program runs it owns the file, and changes made to it by others are not
// seen. A write that fails keeps everything in memory; the next change, or
// flush(), writes it again.
//
// Any thread. Never blocks on the disk except in prepare(), flush() and the
// destructor, and on the first use.
class CacheMirror
{
public:
    CacheMirror(const QString &homeFolder, const QString &queueLabel);
    // Writes what is still pending.
    ~CacheMirror();
    CacheMirror(const CacheMirror &) = delete;
    CacheMirror &operator=(const CacheMirror &) = delete;

    QString filePath() const { return m_file.filePath(); }

    // Writes what is pending, makes sure a readable file exists, and reads
    // it again.
    void prepare();

    QCborMap read() const;

    // Lets `change` edit the root in place; when it returns true the write
    // is posted, and when it returns false it must have changed nothing.
    // Returns what `change` returned. `change` runs under the lock: it must
    // not call back into this object.
    bool update(const std::function<bool(QCborMap &)> &change);

    // Blocks until every change made so far is on disk; false when it could
    // not be written (it stays in memory).
    bool flush();

private:
    // With m_mutex held.
    QCborMap &root() const;
    void scheduleWrite();
    void write();

    GameServiceCache m_file;
    mutable std::mutex m_mutex;
    mutable std::optional<QCborMap> m_root;
    std::uint64_t m_changes = 0; // changes made to m_root
    std::uint64_t m_written = 0; // of those, how many are on disk
    bool m_writePosted = false;
    std::unique_ptr<SerialQueue> m_writer;
};

} // namespace kestrune
