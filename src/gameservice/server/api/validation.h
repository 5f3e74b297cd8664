#pragma once

#include "gameservice/catalogue/catalogue.h"

#include <cstdint>
#include <string>
#include <string_view>

// The game's rules for what a request may carry. Each check throws ApiError
// with a stable code; none touches the store.
namespace kestrune::server::validation {

inline constexpr std::size_t maxIdentifierLength = 64;
inline constexpr std::size_t maxNameLength = 32;     // code points
inline constexpr std::size_t maxMessageLength = 140; // code points

// Letters, digits and '_' only, 1..64 of them: nothing path-like ever
// reaches a lookup. `what` names the field in the message.
void identifier(std::string_view value, std::string_view what);
const catalogue::LeaderboardDefinition &leaderboard(std::string_view identifier);
const catalogue::AchievementDefinition &achievement(std::string_view identifier);

// 1..32 code points, not only spaces, no control characters.
void displayName(std::string_view name);
// 0..140 code points, no control characters.
void message(std::string_view text);
// Letters, digits, '-' and '_', 1..64 of them (a UUID fits).
void reportId(std::string_view id);
void score(const catalogue::LeaderboardDefinition &board, std::int64_t value);
void percent(double value);

} // namespace kestrune::server::validation
