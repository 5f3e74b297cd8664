#pragma once

#include "game/rx/scheduler.h"

#include <QString>

#include <chrono>
#include <functional>
#include <optional>

namespace kestrune {

class NavigationController;

// One of the desktop entry's quick actions: a new single-player or
// two-player match, reached from wherever the player is. GUI thread only.
class QuickAction
{
public:
    enum class Type { singlePlayer, twoPlayers };

    // How long transitions stay instant after an action had to leave a screen.
    static constexpr std::chrono::milliseconds animationPause{400};

    // "singleplayer" or "multiplayer", exactly; anything else is none.
    static std::optional<QuickAction> fromType(const QString &type);

    Type type() const { return m_type; }
    QString typeName() const;
    int numberOfPlayers() const;
    // The segue from the root screen that starts such a match.
    QString segue() const;

    // Performs the action named by type on the stack (null: there is none).
    // A game screen on top starts the new match there, after the quit
    // confirmation if a running match already has a shot; otherwise one
    // screen is popped without animation and, when the root screen is then
    // on top, its segue runs. Transitions stay instant for animationPause,
    // counted on the scheduler. completion gets false for an unknown type or
    // a missing stack, true otherwise; it runs before perform() returns.
    static void perform(const QString &type, NavigationController *navigation, rx::Scheduler &scheduler,
                        const std::function<void(bool)> &completion);

private:
    explicit QuickAction(Type type)
        : m_type(type)
    {
    }

    Type m_type;
};

} // namespace kestrune
