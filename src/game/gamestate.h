#pragma once

#include "playerprotocol.h"

#include <memory>
#include <string>
#include <vector>

namespace kestrune {

// The outcome of a match: won (by some players), tie, lost, or still pending.
class GameState
{
public:
    enum class Kind { won, tie, lost, pending };

    static GameState won(std::vector<std::shared_ptr<PlayerProtocol>> winners);
    static GameState tie(std::vector<std::string> codes);
    static GameState lost(std::vector<std::string> codes);
    static GameState pending();

    Kind kind() const { return m_kind; }
    bool isPending() const { return m_kind == Kind::pending; }
    // In player order; empty unless kind() is won.
    const std::vector<std::shared_ptr<PlayerProtocol>> &winners() const { return m_winners; }
    // Every game's code in player order; empty unless tie or lost.
    const std::vector<std::string> &codes() const { return m_codes; }

    // Winners compare by identity, codes by value.
    friend bool operator==(const GameState &, const GameState &) = default;

private:
    explicit GameState(Kind kind);

    Kind m_kind;
    std::vector<std::shared_ptr<PlayerProtocol>> m_winners;
    std::vector<std::string> m_codes;
};

} // namespace kestrune
