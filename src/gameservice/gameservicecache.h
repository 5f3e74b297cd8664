#pragma once

#include <QCborMap>
#include <mutex>
#include <QString>

#include <functional>

namespace kestrune {

// The cache file "GameServiceManager.cache" in <home>/Library: one CBOR map,
// read whole and written whole and atomically by every operation; nothing of
// it stays in memory. Every read-change-write cycle runs under one lock, so
// cycles from different threads never lose each other's changes.
//
// A file that cannot be read as a map reads as empty; the first cycle that
// writes sets the damaged file aside (".corrupt") rather than overwrite it.
// A write that fails leaves the previous file in place, with a warning.
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
    // With m_mutex held.
    QCborMap load(bool *damaged) const;
    bool store(const QCborMap &root);
    // False when the damaged file could not be moved out of the way.
    bool setAside();

    QString m_libraryFolder;
    QString m_filePath;
    mutable std::mutex m_mutex;
};

} // namespace kestrune
