#pragma once

#include <QCoreApplication>

#include "game/computer/computerstrength.h"

#include <functional>

class QWidget;

namespace kestrune {

class PromptDialog;

// The questions the game screen asks, in the screen's colours; Escape always
// cancels them.
class GamePrompts
{
    Q_DECLARE_TR_FUNCTIONS(GamePrompts)

public:
    // The quit confirmation; onQuit runs when the player chooses "Quit".
    static PromptDialog *quit(std::function<void()> onQuit, QWidget *parent = nullptr);
    // The question before a match's first hint by key; onUse runs when the
    // player chooses "Use hint", never on Cancel.
    static PromptDialog *hint(std::function<void()> onUse, QWidget *parent = nullptr);
    // The choice of the computer's strength: Easy, Normal, Hard and Cancel,
    // Return choosing `current`; onChoice runs with the strength chosen, never
    // on Cancel.
    static PromptDialog *strength(ComputerStrength current, std::function<void(ComputerStrength)> onChoice,
                                  QWidget *parent = nullptr);

    GamePrompts() = delete;
};

} // namespace kestrune
