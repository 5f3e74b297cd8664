#pragma once

#include <QString>

#include <memory>

namespace kestrune {

class GameProtocol;

// What a keypad needs from its board: where typed digits show, and the game
// that takes its shots.
class KeyboardViewDelegate
{
public:
    virtual ~KeyboardViewDelegate() = default;

    // The game that takes the keypad's shots; empty when there is none.
    virtual std::shared_ptr<GameProtocol> game() const = 0;
    // Shows a four-character text (digits padded with bullets) in the next free row.
    virtual void codeDidChange(const QString &text) = 0;
};

} // namespace kestrune
