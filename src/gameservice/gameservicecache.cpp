#include "gameservicecache.h"

#include <QCborValue>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kestrune {

GameServiceCache::GameServiceCache(const QString &homeFolder)
    : m_libraryFolder(QDir(homeFolder).filePath(QStringLiteral("Library")))
    , m_filePath(QDir(m_libraryFolder).filePath(fileName))
{
}

QCborMap GameServiceCache::load(bool *damaged) const
{
    *damaged = false;
    QFile file(m_filePath);
    if (!file.exists())
        return {};
    if (!QFileInfo(m_filePath).isFile() || !file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Game service cache: cannot read" << m_filePath << ":" << file.errorString();
        *damaged = true;
        return {};
    }
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(file.readAll(), &error);
    if (error.error != QCborError::NoError || !root.isMap()) {
        *damaged = true;
        return {};
    }
    return root.toMap();
}

bool GameServiceCache::store(const QCborMap &root)
{
    // The data folder may be new; a folder that cannot be made shows as a
    // failed write below.
    QDir().mkpath(m_libraryFolder);
    QSaveFile file(m_filePath);
    if (file.open(QIODevice::WriteOnly) && file.write(QCborValue(root).toCbor()) >= 0 && file.commit())
        return true;
    qWarning().noquote() << "Game service cache: cannot write" << m_filePath << ":" << file.errorString()
                         << "- the previous file is kept";
    return false;
}

bool GameServiceCache::setAside()
{
    if (!QFileInfo(m_filePath).isFile())
        return true; // not a file of ours: a write will fail on its own
    QString aside = m_filePath + QStringLiteral(".corrupt");
    if (QFile::exists(aside))
        aside += QLatin1Char('-') + QString::number(QDateTime::currentMSecsSinceEpoch());
    if (!QFile::rename(m_filePath, aside)) {
        qWarning().noquote() << "Game service cache: the file" << m_filePath
                             << "is damaged and cannot be set aside; it is left as it is";
        return false;
    }
    qWarning().noquote() << "Game service cache: the file" << m_filePath << "is damaged; it was set aside as" << aside
                         << "and a new one is started";
    return true;
}

void GameServiceCache::prepare()
{
    std::lock_guard lock(m_mutex);
    bool damaged = false;
    load(&damaged);
    if (damaged && !setAside())
        return;
    if (damaged || !QFile::exists(m_filePath))
        store(QCborMap());
}

QCborMap GameServiceCache::read() const
{
    std::lock_guard lock(m_mutex);
    bool damaged = false;
    return load(&damaged);
}

bool GameServiceCache::update(const std::function<bool(QCborMap &)> &change)
{
    std::lock_guard lock(m_mutex);
    bool damaged = false;
    QCborMap root = load(&damaged);
    if (!change(root))
        return true;
    if (damaged && !setAside())
        return false;
    return store(root);
}

} // namespace kestrune
