#pragma once

#include "screens/result/resultgameservice.h"

namespace kestrune {

class GameServiceManager;

// The result screen's view of the shared game-service manager: the
// challenge in play, and the dialog that sends one, for the single-player
// leaderboard.
class GameServiceResultAdapter final : public ResultGameService
{
public:
    // The manager must outlive the adapter.
    explicit GameServiceResultAdapter(GameServiceManager &manager);

    std::optional<Challenge> takeChallengeInPlay() override;
    bool canSendChallenges() const override;
    void presentChallengeDialog(QWidget *over, std::int64_t score) override;

private:
    GameServiceManager &m_manager;
};

} // namespace kestrune
