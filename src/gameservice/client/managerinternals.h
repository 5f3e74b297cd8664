#pragma once

// What the parts of GameServiceManager share: the cache's key names, the
// number readers, and the guards that let late service answers find out
// that the manager has gone. Only the manager's own source files include it.

#include "gameservicemanager.h"

#include "game/numberhelper.h"
#include "gameservice/kit/serviceerror.h"

#include <QCborValue>

#include <shared_mutex>

namespace kestrune::managerinternals {

inline const QString savedScoresKey = QStringLiteral("SavedScores");
inline const QString savedAchievementsKey = QStringLiteral("SavedAchievements");

inline ServiceError ownError(const QString &text, int code)
{
    return ServiceError{text, code, {}};
}

inline std::int64_t integerOf(const QCborValue &v)
{
    if (v.isInteger())
        return v.toInteger();
    if (v.isDouble())
        return NumberHelper::integerOf(v.toDouble());
    return 0;
}

inline double doubleOf(const QCborValue &v)
{
    // A NaN progress would compare false against every new one and never move.
    return v.isInteger() || v.isDouble() ? NumberHelper::finiteOrZero(v.toDouble()) : 0.0;
}

} // namespace kestrune::managerinternals

namespace kestrune {

// Lets answers that arrive after the manager has gone find out and drop
// themselves: every asynchronous entry point runs under a shared lock, and
// the destructor takes it exclusively once.
struct GameServiceManager::Life
{
    std::shared_mutex mutex;
    bool alive = true;
};

// The weak delegate and the manager it is told about; queued notifications
// read both when they are delivered.
struct GameServiceManager::DelegateSlot
{
    std::mutex mutex;
    std::weak_ptr<GameServiceManagerDelegate> delegate;
    GameServiceManager *owner = nullptr;

    void deliver(const DelegateCall &call)
    {
        std::shared_ptr<GameServiceManagerDelegate> d;
        GameServiceManager *m;
        {
            std::lock_guard lock(mutex);
            d = delegate.lock();
            m = owner;
        }
        if (d && m)
            call(*d, *m);
    }
};

template<typename F>
auto GameServiceManager::guarded(F f) const
{
    return [life = m_life, f = std::move(f)](auto &&...args) {
        std::shared_lock lock(life->mutex);
        if (life->alive)
            f(std::forward<decltype(args)>(args)...);
    };
}

} // namespace kestrune
