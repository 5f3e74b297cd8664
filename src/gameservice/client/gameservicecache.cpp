#include "gameservicecache.h"

#include "platform/damagedfile.h"

#include <QCborValue>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrune {

GameServiceCache::GameServiceCache(const QString &homeFolder)
    : m_libraryFolder(QDir(homeFolder).filePath(QStringLiteral("Library")))
    , m_filePath(QDir(m_libraryFolder).filePath(fileName))
    , m_writer(m_filePath, QStringLiteral("Game service cache"))
{
}

QCborMap GameServiceCache::load(FileState *state) const
{
    if (m_inMemory) {
        *state = FileState::unreadable;
        return m_memory;
    }
    QFile file(m_filePath);
    if (!file.exists()) {
        *state = FileState::absent;
        return {};
    }
    QByteArray bytes;
    if (QFileInfo(m_filePath).isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFile::NoError) {
        // Not damaged, only out of reach: whatever it holds stays for a later start.
        qWarning().noquote() << "Game service cache: cannot read" << m_filePath << ":" << file.errorString()
                             << "- it is left in place and the cache is kept in memory until the game ends";
        m_inMemory = true;
        *state = FileState::unreadable;
        return m_memory;
    }
    *state = FileState::readable;
    if (bytes.isEmpty())
        return {}; // what a failed write of old left behind: nothing to keep
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(bytes, &error);
    if (error.error != QCborError::NoError || !root.isMap()) {
        *state = FileState::damaged;
        return {};
    }
    return root.toMap();
}

bool GameServiceCache::store(const QCborMap &root, FileState state)
{
    if (state == FileState::unreadable) {
        m_memory = root;
        return false;
    }
    QString aside;
    if (state == FileState::damaged) {
        aside = DamagedFile::setAside(m_filePath);
        if (aside.isEmpty()) {
            qWarning().noquote() << "Game service cache: the file" << m_filePath
                                 << "is damaged and cannot be set aside; it is left as it is";
            return false;
        }
    }
    if (!m_writer.replace(QCborValue(root).toCbor())) {
        // Without a new file the damaged one is still the best there is.
        if (!aside.isEmpty())
            QFile::rename(aside, m_filePath);
        return false;
    }
    if (!aside.isEmpty()) {
        DamagedFile::removeOldCopies(m_filePath);
        qWarning().noquote() << "Game service cache: the file" << m_filePath << "was damaged; it was set aside as"
                             << aside << "and a new one is started";
    }
    return true;
}

void GameServiceCache::prepare()
{
    std::lock_guard lock(m_mutex);
    SafeFileWriter::removeStaleTemporaries(m_filePath);
    FileState state;
    const QCborMap root = load(&state);
    if (state == FileState::absent || state == FileState::damaged
        || (state == FileState::readable && root.isEmpty() && QFileInfo(m_filePath).size() == 0))
        store(QCborMap(), state);
}

QCborMap GameServiceCache::read() const
{
    std::lock_guard lock(m_mutex);
    FileState state;
    return load(&state);
}

bool GameServiceCache::update(const std::function<bool(QCborMap &)> &change)
{
    std::lock_guard lock(m_mutex);
    FileState state;
    QCborMap root = load(&state);
    if (!change(root))
        return true;
    return store(root, state);
}

} // namespace kestrune
