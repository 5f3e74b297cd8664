#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrune::server {

// UTC milliseconds since 1970-01-01.
using Millis = std::int64_t;

// The three windows a leaderboard is read in, by the UTC calendar.
enum class Scope { Today, Week, AllTime };

// The window's number: days since the epoch, ISO weeks (Monday to Sunday)
// since the one holding the epoch, or 0 for all time.
constexpr std::int64_t periodOf(Scope scope, Millis at)
{
    constexpr std::int64_t msPerDay = 86'400'000;
    const std::int64_t day = at >= 0 ? at / msPerDay : (at - msPerDay + 1) / msPerDay;
    switch (scope) {
    case Scope::Today:
        return day;
    case Scope::Week: {
        const std::int64_t fromMonday = day + 3; // 1970-01-01 was a Thursday
        return fromMonday >= 0 ? fromMonday / 7 : (fromMonday - 6) / 7;
    }
    case Scope::AllTime:
        return 0;
    }
    return 0;
}

constexpr std::string_view scopeName(Scope scope)
{
    switch (scope) {
    case Scope::Today:
        return "today";
    case Scope::Week:
        return "week";
    case Scope::AllTime:
        return "all";
    }
    return "all";
}

constexpr std::optional<Scope> scopeFromName(std::string_view name)
{
    for (Scope s : {Scope::Today, Scope::Week, Scope::AllTime}) {
        if (scopeName(s) == name)
            return s;
    }
    return std::nullopt;
}

} // namespace kestrune::server
