#pragma once

#include "computerstrength.h"

#include <cstdint>
#include <string>

namespace kestrune {

class KeyValueStore;

// The player's record against the computer, one per strength, kept apart
// from the single-player statistics under "computer<Strength>Wins",
// "...Losses" and "...Ties" (e.g. "computerHardTies"). A match nobody broke
// counts as a loss, as the result screen calls it. Counts stop at the 64-bit
// maximum rather than wrap; a corrupt count reads as 0.
class ComputerStatistics
{
public:
    enum class Outcome { win, loss, tie };

    struct Record
    {
        std::int64_t wins = 0;
        std::int64_t losses = 0;
        std::int64_t ties = 0;

        std::int64_t matches() const;
        friend bool operator==(const Record &, const Record &) = default;
    };

    static std::string storeKey(ComputerStrength strength, Outcome outcome);
    static Record record(const KeyValueStore &store, ComputerStrength strength);
    static void add(KeyValueStore &store, ComputerStrength strength, Outcome outcome);

    ComputerStatistics() = delete;
};

} // namespace kestrune
