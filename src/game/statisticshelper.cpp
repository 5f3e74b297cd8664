#include "statisticshelper.h"

#include "keyvaluestore.h"
#include "numberhelper.h"

#include <algorithm>
#include <vector>

namespace kestrune {

std::int64_t StatisticsHelper::integerValue(const KeyValueStore &store, const std::string &key)
{
    return store.integer(key).value_or(0);
}

std::string StatisticsHelper::historyValue(const KeyValueStore &store)
{
    std::string value = store.string(history).value_or(std::string());
    if (value.find_first_not_of("WL") != std::string::npos)
        return {};
    return value;
}

bool StatisticsHelper::recordGame(KeyValueStore &store, bool won, std::int64_t seconds)
{
    const auto plus = [&store](const std::string &key, std::int64_t amount) {
        return KeyValueStore::Change{key, NumberHelper::saturatedSum(integerValue(store, key), amount)};
    };
    std::vector<KeyValueStore::Change> record{
        plus(won ? wins : losses, 1),
        plus(games, 1),
        plus(secondsSpentInGame, seconds),
        {history, historyValue(store) + (won ? "W" : "L")},
    };
    if (won)
        record.push_back(plus(secondsSpentInWonGames, seconds));
    return store.setMany(record);
}

std::optional<std::string> StatisticsHelper::repair(KeyValueStore &store)
{
    const std::int64_t gameCount = integerValue(store, games);
    const std::int64_t decided = NumberHelper::saturatedSum(std::max<std::int64_t>(integerValue(store, wins), 0),
                                                            std::max<std::int64_t>(integerValue(store, losses), 0));
    const std::string letters = historyValue(store);
    std::vector<KeyValueStore::Change> changes;
    std::string said;
    std::int64_t repairedGames = gameCount;
    if (gameCount < decided) {
        repairedGames = decided;
        changes.push_back({games, decided});
        said = "games " + std::to_string(gameCount) + " raised to wins and losses, " + std::to_string(decided);
    }
    if (static_cast<std::uint64_t>(letters.size())
        > static_cast<std::uint64_t>(std::max<std::int64_t>(repairedGames, 0))) {
        const auto keep = static_cast<std::size_t>(std::max<std::int64_t>(repairedGames, 0));
        changes.push_back({history, letters.substr(letters.size() - keep)});
        said += (said.empty() ? "" : "; ") + std::string("history of ") + std::to_string(letters.size())
                + " games cut to the last " + std::to_string(keep);
    }
    if (changes.empty())
        return std::nullopt;
    store.setMany(changes);
    return said;
}

} // namespace kestrune
