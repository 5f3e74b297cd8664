#pragma once

#include <cstdint>

namespace kestrune {

// What the game screen shows as the bar's right item: whose turn it is, the
// match clock, the help button, the computer's strength, or nothing.
class NavigationBarItem
{
public:
    enum class Kind { turn, timer, help, strength, none };

    static NavigationBarItem turn(std::int64_t player) { return {Kind::turn, player}; }
    static NavigationBarItem timer() { return {Kind::timer, 0}; }
    static NavigationBarItem help() { return {Kind::help, 0}; }
    static NavigationBarItem strength() { return {Kind::strength, 0}; }
    static NavigationBarItem none() { return {Kind::none, 0}; }

    Kind kind() const { return m_kind; }
    // The player of a `turn` item; 0 for the others.
    std::int64_t player() const { return m_player; }

    friend bool operator==(const NavigationBarItem &, const NavigationBarItem &) = default;

private:
    NavigationBarItem(Kind kind, std::int64_t player)
        : m_kind(kind)
        , m_player(player)
    {
    }

    Kind m_kind;
    std::int64_t m_player;
};

} // namespace kestrune
