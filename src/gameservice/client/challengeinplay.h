#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

namespace kestrune {

// The received challenge the player has chosen to play: whose it is, on
// which leaderboard, and the score to beat.
struct ChallengeInPlay
{
    QString issuerName;
    QString leaderboard;
    std::int64_t score = 0;

    friend bool operator==(const ChallengeInPlay &, const ChallengeInPlay &) = default;
};

// Holds the challenge in play from the moment the player picks it until the
// result of the match played against it takes it, and knows how the program
// starts that match. Any thread; its lock is a leaf.
class ChallengeInPlaySlot
{
public:
    using StartMatch = std::function<void()>;

    // How a single-player match is started; set by the program. GUI thread.
    void setStartMatch(StartMatch start);
    // Holds the challenge and starts the match (nothing to start without a
    // starter: the challenge waits for the next match). GUI thread.
    void play(ChallengeInPlay challenge);

    void set(std::optional<ChallengeInPlay> challenge);
    std::optional<ChallengeInPlay> peek() const;
    // The challenge in play, once; it is no longer in play afterwards.
    std::optional<ChallengeInPlay> take();

private:
    mutable std::mutex m_mutex;
    std::optional<ChallengeInPlay> m_challenge; // under m_mutex
    StartMatch m_start;                         // GUI thread
};

} // namespace kestrune
