#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kestrune {

class KeyValueStore;

// The device's record of finished single-player games, kept in the
// user-defaults store under "games", "wins", "losses", "secondsSpentInGame",
// "secondsSpentInWonGames" and "history" (one letter a game, W or L, oldest
// first). The figures of one game are written as one record, all or none.
// Counts and sums stop at the 64-bit maximum rather than wrap.
class StatisticsHelper
{
public:
    static inline const std::string games = "games";
    static inline const std::string wins = "wins";
    static inline const std::string losses = "losses";
    static inline const std::string secondsSpentInGame = "secondsSpentInGame";
    static inline const std::string secondsSpentInWonGames = "secondsSpentInWonGames";
    static inline const std::string history = "history";

    // 0 when absent, not an integer, or corrupt.
    static std::int64_t integerValue(const KeyValueStore &store, const std::string &key);
    // Only W and L letters; anything else reads as empty.
    static std::string historyValue(const KeyValueStore &store);

    // One ended game: its count, its win or loss, its seconds and its
    // history letter, in one write. False when the store could not write it.
    static bool recordGame(KeyValueStore &store, bool won, std::int64_t seconds);

    // Puts figures that disagree back in step, as far as they tell: at least
    // as many games as wins and losses, no more history letters than games
    // (the oldest go). Writes the repair and says what it did; nothing when
    // all was in step.
    static std::optional<std::string> repair(KeyValueStore &store);

    StatisticsHelper() = delete;
};

} // namespace kestrune
