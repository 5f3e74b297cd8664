#include "syncflags.h"

#include "game/keyvaluestore.h"
#include "platform/backgroundsyncstore.h"

namespace kestrune {

SyncFlags::SyncFlags(std::shared_ptr<KeyValueStore> store)
    : m_store(std::move(store))
{
    Q_ASSERT(m_store);
}

QString SyncFlags::scoresKey(const QString &player)
{
    return QStringLiteral("scoresSynced") + player;
}

QString SyncFlags::achievementsKey(const QString &player)
{
    return QStringLiteral("achievementsSynced") + player;
}

bool SyncFlags::flag(const QString &key) const
{
    std::lock_guard lock(m_mutex);
    return m_store->boolean(key.toStdString()).value_or(false);
}

void SyncFlags::set(const QString &player, std::optional<bool> scores, std::optional<bool> achievements)
{
    std::lock_guard lock(m_mutex);
    if (scores)
        m_store->setBoolean(scoresKey(player).toStdString(), *scores);
    if (achievements)
        m_store->setBoolean(achievementsKey(player).toStdString(), *achievements);
    m_store->synchronize();
}

void SyncFlags::ensure(const QString &player)
{
    std::lock_guard lock(m_mutex);
    m_store->synchronize();
    for (const QString &key : {scoresKey(player), achievementsKey(player)}) {
        if (!m_store->contains(key.toStdString()))
            m_store->setBoolean(key.toStdString(), false);
    }
    m_store->synchronize();
}

void SyncFlags::flush()
{
    // The store is handed in whole; only one that writes behind has anything to wait for.
    if (auto *behind = dynamic_cast<BackgroundSyncStore *>(m_store.get()))
        behind->flush();
}

} // namespace kestrune
