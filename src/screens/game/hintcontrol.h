#pragma once

#include "game/computer/hint.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace rx {
class DisposeBag;
}

namespace kestrune {

class GameBar;
class GameManaging;
class GameView;
class ToastAlert;
class ViewController;

// The hints of a single-player match on the game screen: the bulb's count
// and state, the question before a first hint asked for by key, and a hint's
// arrival: the codes left in a toast, the suggested shot in the keypad.
// GUI thread only.
class HintControl : public QObject
{
    Q_OBJECT

public:
    // The bulb is the bar's, made with its first single-player match; the
    // hint goes to `view`, its toast to the presenter `toast` gives.
    HintControl(ViewController &screen, GameView *view, const GameBar &bar, std::function<ToastAlert &()> toast);
    ~HintControl() override;

    // The match the hints are for; a hint is asked for in `matchBag`, so
    // that an answer for a replaced match is dropped unspent.
    void setMatch(std::shared_ptr<GameManaging> match, rx::DisposeBag *matchBag);
    // The bulb's count, busy state and whether it may be pressed.
    void updateButton();
    // Asks for a hint; nothing while the bulb is off or one is on its way.
    void show();
    // Like show(), but the match's first hint is asked for first.
    void requestByKey();

    static constexpr double toastSeconds = 2.5;

private:
    void present(const std::optional<Hint> &hint);

    ViewController &m_screen;
    GameView *m_view;
    const GameBar &m_bar;
    std::function<ToastAlert &()> m_toast;
    std::shared_ptr<GameManaging> m_match;
    rx::DisposeBag *m_matchBag = nullptr;
};

} // namespace kestrune
