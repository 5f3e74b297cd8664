#include "computerstatistics.h"

#include "game/keyvaluestore.h"
#include "game/numberhelper.h"

namespace kestrune {

std::int64_t ComputerStatistics::Record::matches() const
{
    return NumberHelper::saturatedSum(NumberHelper::saturatedSum(wins, losses), ties);
}

std::string ComputerStatistics::storeKey(ComputerStrength strength, Outcome outcome)
{
    const char *suffix = outcome == Outcome::win ? "Wins" : outcome == Outcome::loss ? "Losses" : "Ties";
    return "computer" + ComputerStrengths::title(strength) + suffix;
}

ComputerStatistics::Record ComputerStatistics::record(const KeyValueStore &store, ComputerStrength strength)
{
    const auto count = [&](Outcome outcome) {
        // A negative count can only come from a damaged file.
        const std::int64_t value = store.integer(storeKey(strength, outcome)).value_or(0);
        return value < 0 ? 0 : value;
    };
    return Record{count(Outcome::win), count(Outcome::loss), count(Outcome::tie)};
}

void ComputerStatistics::add(KeyValueStore &store, ComputerStrength strength, Outcome outcome)
{
    const std::string key = storeKey(strength, outcome);
    const std::int64_t current = store.integer(key).value_or(0);
    store.setInteger(key, NumberHelper::saturatedSum(current < 0 ? 0 : current, 1));
    store.synchronize();
}

} // namespace kestrune
