#pragma once

#include "serviceviewcontroller.h"

#include <QString>

#include <optional>

namespace kestrune {

class GameServiceControllerDelegate;

// The service's own screen: leaderboards, achievements or challenges. When
// the player closes it, it tells its delegate, which dismisses it. GUI thread.
class GameServiceViewController final : public ServiceViewController
{
public:
    enum class ViewState { Leaderboards = 0, Achievements = 1, Challenges = 2 };

    using ServiceViewController::ServiceViewController;

    ViewState viewState() const { return m_viewState; }
    void setViewState(ViewState state) { m_viewState = state; }

    // The leaderboard to open; none: the service's default.
    std::optional<QString> leaderboardIdentifier() const { return m_leaderboardIdentifier; }
    void setLeaderboardIdentifier(const QString &identifier) { m_leaderboardIdentifier = identifier; }

    // Not owned; must outlive the screen.
    GameServiceControllerDelegate *gameServiceDelegate() const { return m_delegate; }
    void setGameServiceDelegate(GameServiceControllerDelegate *delegate) { m_delegate = delegate; }

    // The player is done with the screen (its close button).
    void finish();
    // The player signs out (the screen's sign-out button, once confirmed).
    void signOut();

private:
    ViewState m_viewState = ViewState::Leaderboards;
    std::optional<QString> m_leaderboardIdentifier;
    GameServiceControllerDelegate *m_delegate = nullptr;
};

} // namespace kestrune
