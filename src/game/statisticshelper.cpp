#include "statisticshelper.h"

#include "keyvaluestore.h"
#include "numberhelper.h"

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

void StatisticsHelper::addWin(KeyValueStore &store)
{
    increment(store, wins, true);
}

void StatisticsHelper::addLoss(KeyValueStore &store)
{
    increment(store, losses, false);
}

void StatisticsHelper::addSecondsSpent(KeyValueStore &store, std::int64_t seconds, bool won)
{
    store.setInteger(secondsSpentInGame, NumberHelper::saturatedSum(integerValue(store, secondsSpentInGame), seconds));
    store.synchronize();
    if (won) {
        store.setInteger(secondsSpentInWonGames, NumberHelper::saturatedSum(integerValue(store, secondsSpentInWonGames), seconds));
        store.synchronize();
    }
}

void StatisticsHelper::increment(KeyValueStore &store, const std::string &key, bool won)
{
    store.setInteger(key, NumberHelper::saturatedSum(integerValue(store, key), 1));
    store.synchronize();
    store.setInteger(games, NumberHelper::saturatedSum(integerValue(store, games), 1));
    store.synchronize();
    appendHistory(store, won);
}

void StatisticsHelper::appendHistory(KeyValueStore &store, bool won)
{
    store.setString(history, historyValue(store) + (won ? "W" : "L"));
    store.synchronize();
}

} // namespace kestrune
