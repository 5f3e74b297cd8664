#include "computerstrength.h"

#include "game/keyvaluestore.h"
#include "game/solver/carelessstrategy.h"
#include "game/solver/entropystrategy.h"
#include "game/solver/firstconsistentstrategy.h"

#include <QCoreApplication>

namespace kestrune::ComputerStrengths {

std::string key(ComputerStrength strength)
{
    switch (strength) {
    case ComputerStrength::easy:
        return "easy";
    case ComputerStrength::normal:
        return "normal";
    case ComputerStrength::hard:
        return "hard";
    }
    return {};
}

std::optional<ComputerStrength> fromKey(const std::string &text)
{
    for (ComputerStrength strength : all) {
        if (key(strength) == text)
            return strength;
    }
    return std::nullopt;
}

std::string title(ComputerStrength strength)
{
    switch (strength) {
    case ComputerStrength::easy:
        return "Easy";
    case ComputerStrength::normal:
        return "Normal";
    case ComputerStrength::hard:
        return "Hard";
    }
    return {};
}

QString displayTitle(ComputerStrength strength)
{
    switch (strength) {
    case ComputerStrength::easy:
        //: How well the computer opponent plays
        return QCoreApplication::translate("kestrune::ComputerStrengths", "Easy");
    case ComputerStrength::normal:
        //: How well the computer opponent plays
        return QCoreApplication::translate("kestrune::ComputerStrengths", "Normal");
    case ComputerStrength::hard:
        //: How well the computer opponent plays
        return QCoreApplication::translate("kestrune::ComputerStrengths", "Hard");
    }
    return {};
}

std::optional<ComputerStrength> stored(const KeyValueStore &store)
{
    const auto text = store.string(storeKey);
    return text ? fromKey(*text) : std::nullopt;
}

void store(KeyValueStore &store, ComputerStrength strength)
{
    store.setString(storeKey, key(strength));
    store.synchronize();
}

std::shared_ptr<Strategy> makeStrategy(ComputerStrength strength, RandomSource &random)
{
    switch (strength) {
    case ComputerStrength::easy:
        return std::make_shared<CarelessStrategy>(random, easyCarefulShare);
    case ComputerStrength::normal:
        break;
    case ComputerStrength::hard:
        // Its opening takes a moment to work out; every match shares it.
        return std::shared_ptr<Strategy>(std::shared_ptr<Strategy>(), &EntropyStrategy::shared());
    }
    return std::make_shared<FirstConsistentStrategy>();
}

} // namespace kestrune::ComputerStrengths
