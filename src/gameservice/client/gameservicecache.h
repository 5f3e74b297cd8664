#pragma once

#include "platform/safefilewriter.h"

#include <QCborMap>
#include <QString>

#include <mutex>

#include <functional>

namespace kestrune {

// The cache file "GameServiceManager.cache" in <home>/Library: one CBOR map,
// read whole and written whole and atomically by every operation; nothing of
// it stays in memory. Every read-change-write cycle runs under one lock, so
// cycles from different threads never lose each other's changes.
//
// A write that fails (a full disk, say) keeps the previous file, fails the
// cycle and warns once until a write succeeds again. A file that cannot be
// parsed reads as empty; the first cycle that writes sets it aside
// (".corrupt", the newest few kept) and puts it back when its own write
// fails. An empty file is simply an empty cache. A file that exists but
// cannot be opened (permissions) is left alone: the cache then lives in
// memory until the process ends, and every cycle that would write fails.
class GameServiceCache
{
public:
    static inline const QString fileName = QStringLiteral("GameServiceManager.cache");

    explicit GameServiceCache(const QString &homeFolder);

    QString filePath() const { return m_filePath; }

    // Makes sure a readable file exists (an empty map when there was none
    // or it could not be read).
    void prepare();

    QCborMap read() const;

    // Reads the root, lets `change` edit it and writes it back when `change`
    // returns true. False when that write failed.
    bool update(const std::function<bool(QCborMap &)> &change);

private:
    enum class FileState { absent, readable, damaged, unreadable };

    // With m_mutex held.
    QCborMap load(FileState *state) const;
    bool store(const QCborMap &root, FileState state);

    QString m_libraryFolder;
    QString m_filePath;
    mutable std::mutex m_mutex;
    mutable SafeFileWriter m_writer;
    // Set for good once the file turns out not to open.
    mutable bool m_inMemory = false;
    mutable QCborMap m_memory;
};

} // namespace kestrune
