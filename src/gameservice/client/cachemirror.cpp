#include "cachemirror.h"

#include "platform/dispatch/serialqueue.h"

namespace kestrune {

CacheMirror::CacheMirror(const QString &homeFolder, const QString &queueLabel)
    : m_file(homeFolder)
    , m_writer(std::make_unique<SerialQueue>(queueLabel, WorkerPool::Priority::background))
{
}

CacheMirror::~CacheMirror()
{
    flush();
}

QCborMap &CacheMirror::root() const
{
    if (!m_root)
        m_root = m_file.read();
    return *m_root;
}

void CacheMirror::prepare()
{
    // Whatever was changed before the file was prepared goes to disk first,
    // so reading it again loses nothing.
    const bool written = flush();
    // The writer is started here, at the program's start, rather than by the
    // first change, which comes from a shot on the GUI thread.
    m_writer->prestart();
    std::lock_guard lock(m_mutex);
    m_file.prepare();
    if (written)
        m_root = m_file.read();
}

QCborMap CacheMirror::read() const
{
    std::lock_guard lock(m_mutex);
    return root();
}

bool CacheMirror::update(const std::function<bool(QCborMap &)> &change)
{
    std::lock_guard lock(m_mutex);
    // In place: a copy would copy every waiting score with each change.
    if (!change(root()))
        return false;
    ++m_changes;
    scheduleWrite();
    return true;
}

void CacheMirror::scheduleWrite()
{
    if (m_writePosted)
        return; // the write already posted will take this change too
    m_writePosted = true;
    m_writer->async([this] { write(); });
}

void CacheMirror::write()
{
    QCborMap snapshot;
    std::uint64_t changes = 0;
    {
        std::lock_guard lock(m_mutex);
        m_writePosted = false;
        if (m_written == m_changes)
            return;
        snapshot = root();
        changes = m_changes;
    }
    const bool stored = m_file.update([&snapshot](QCborMap &onDisk) {
        onDisk = snapshot;
        return true;
    });
    std::lock_guard lock(m_mutex);
    if (stored)
        m_written = std::max(m_written, changes);
}

bool CacheMirror::flush()
{
    m_writer->waitForIdle();
    {
        std::lock_guard lock(m_mutex);
        if (m_written == m_changes)
            return true;
        scheduleWrite(); // the last write failed: one more try
    }
    m_writer->waitForIdle();
    std::lock_guard lock(m_mutex);
    return m_written == m_changes;
}

} // namespace kestrune
