#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace kestrune {

// The little of the game service the result screen needs: the challenge the
// match was played against, and challenging another player to beat the
// score. Tests hand in a fake; the program a GameServiceResultAdapter.
// GUI thread.
class ResultGameService
{
public:
    struct Challenge
    {
        QString issuerName;
        std::int64_t score = 0;
    };

    virtual ~ResultGameService() = default;

    // The challenge in play when the match ended, once: it is over with the
    // match, whatever the match was.
    virtual std::optional<Challenge> takeChallengeInPlay() = 0;
    // Whether the player can send challenges now: signed in to a service
    // with other players.
    virtual bool canSendChallenges() const = 0;
    // Shows the dialog that challenges another player to beat `score`.
    virtual void presentChallengeDialog(QWidget *over, std::int64_t score) = 0;
};

} // namespace kestrune
