#pragma once

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace kestrune {

class KeyValueStore;
class RandomSource;
class Strategy;

// How well the computer opponent plays: easy is careless about half the
// time (a random code not yet played) and otherwise guesses any code that
// still fits; normal takes the lowest code that fits, hard the most telling
// shot. Over all codes they need about 6.3, 5.2 and 5.0 shots on average
// (bench_solver measures them).
enum class ComputerStrength { easy, normal, hard };

namespace ComputerStrengths {

inline constexpr std::array<ComputerStrength, 3> all{ComputerStrength::easy, ComputerStrength::normal,
                                                     ComputerStrength::hard};
// Where the player's choice is kept in the user-defaults store.
inline const std::string storeKey = "computerStrength";

// "easy", "normal", "hard": the stored form.
std::string key(ComputerStrength strength);
std::optional<ComputerStrength> fromKey(const std::string &key);
// "Easy", "Normal", "Hard": the English name, also part of stored keys.
std::string title(ComputerStrength strength);
// The name the player reads, in the player's language.
QString displayTitle(ComputerStrength strength);

// The remembered choice; nothing when none was made yet or the stored value
// is not one of the keys.
std::optional<ComputerStrength> stored(const KeyValueStore &store);
void store(KeyValueStore &store, ComputerStrength strength);

// How often the easy computer thinks before it shoots: often enough to break
// about 98 codes in 100 within ten shots.
inline constexpr double easyCarefulShare = 0.55;

// The strategy that plays at this strength; `random` (the easy one's source)
// must outlive it. The hard one is shared by the whole program.
std::shared_ptr<Strategy> makeStrategy(ComputerStrength strength, RandomSource &random);

} // namespace ComputerStrengths

} // namespace kestrune
