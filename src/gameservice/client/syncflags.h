#pragma once

#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace kestrune {

class KeyValueStore;

// The per-player flags "scores synchronised" and "achievements synchronised"
// in the user-defaults store, which the manager alone uses.
//
// Any thread. Its lock is a leaf (only the store is called under it).
class SyncFlags
{
public:
    explicit SyncFlags(std::shared_ptr<KeyValueStore> store);

    static QString scoresKey(const QString &player);
    static QString achievementsKey(const QString &player);

    bool flag(const QString &key) const;
    // Leaves a flag given as none as it is.
    void set(const QString &player, std::optional<bool> scores, std::optional<bool> achievements);
    // Reads the store again and writes false for the player's flags it lacks.
    void ensure(const QString &player);
    // Blocks until the flags are on disk, when the store writes behind.
    void flush();

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<KeyValueStore> m_store;
};

} // namespace kestrune
