#pragma once

#include "code/result.h"
#include "computer/computerstrength.h"
#include "computer/hint.h"
#include "gamestate.h"
#include "rx/disposable.h"
#include "rx/publishsubject.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

class GameProtocol;
class PlayerProtocol;

// A match as the screens see it.
class GameManaging
{
public:
    virtual ~GameManaging() = default;

    virtual const std::vector<std::shared_ptr<PlayerProtocol>> &players() const = 0;
    virtual std::vector<std::shared_ptr<GameProtocol>> games() const = 0;
    // Reading the codes draws those not drawn yet.
    virtual std::vector<std::string> codes() const = 0;
    virtual GameState gameState() const = 0;
    // The game whose turn it is.
    virtual std::shared_ptr<GameProtocol> currentGame() const = 0;
    // Every shot's match state; completes after the first decided one.
    virtual const rx::PublishSubject<GameState> &gameStateSubject() const = 0;

    // The computer's strength when it plays player 2; nothing otherwise.
    virtual std::optional<ComputerStrength> computerStrength() const = 0;
    bool isAgainstComputer() const { return computerStrength().has_value(); }
    // Whether the match waits for the computer's shot.
    virtual bool isComputerTurn() const = 0;
    // Starts working out the computer's shot; `ready` runs (on the GUI thread)
    // once playComputerShot() will not have to think. Nothing when it is not
    // the computer's turn. Disposing the handle drops the call of `ready`.
    virtual rx::Disposable prepareComputerShot(std::function<void()> ready) = 0;
    // The computer takes its shot, the prepared one if any; nothing (and no
    // change) when it is not its turn.
    virtual std::optional<Result> playComputerShot() = 0;

    // Hints left: a single-player match starts with hintsPerGame, any other
    // match has none.
    virtual int hintsLeft() const = 0;
    virtual int hintsUsed() const = 0;
    // A match with a hint counts in the statistics but earns no leaderboard
    // score and no achievement.
    bool isAssisted() const { return hintsUsed() > 0; }
    // Works out a hint for the game being played, perhaps on another thread,
    // and hands it to `answer` on the GUI thread; the hint is used up only
    // then. Nothing happens (and nothing is used) when none is left, the game
    // has ended or a hint is being worked out already. `answer` gets nothing
    // when no code fits the shots. Disposing the handle, or the match going,
    // drops the answer unspent.
    virtual rx::Disposable requestHint(std::function<void(std::optional<Hint>)> answer) = 0;
    // Whether a requested hint is still being worked out.
    virtual bool isHintPending() const = 0;
};

} // namespace kestrune
