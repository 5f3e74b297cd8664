#include "hintcontrol.h"

#include "gamebar.h"
#include "gameprompts.h"
#include "hintbutton.h"

#include "game/gamemanaging.h"
#include "game/gamestate.h"
#include "game/rx/disposebag.h"
#include "screens/navigation/viewcontroller.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"
#include "views/widgets/promptdialog.h"

#include <QPointer>

namespace kestrune {

HintControl::HintControl(ViewController &screen, GameView *view, const GameBar &bar,
                         std::function<ToastAlert &()> toast)
    : QObject(&screen)
    , m_screen(screen)
    , m_view(view)
    , m_bar(bar)
    , m_toast(std::move(toast))
{
}

HintControl::~HintControl() = default;

void HintControl::setMatch(std::shared_ptr<GameManaging> match, rx::DisposeBag *matchBag)
{
    m_match = std::move(match);
    m_matchBag = matchBag;
}

void HintControl::updateButton()
{
    HintButton *bulb = m_bar.hintButton();
    if (!bulb)
        return;
    const int left = m_match ? m_match->hintsLeft() : 0;
    bulb->setHintsLeft(left);
    bulb->setBusy(m_match && m_match->isHintPending());
    const bool playing = m_match && m_match->gameState().isPending();
    const bool enabled = left > 0 && playing;
    // Focus would otherwise wander to whatever follows the bulb.
    if (!enabled && bulb->window()->focusWidget() == bulb)
        m_view->keyboardView()->setFocus(Qt::OtherFocusReason);
    bulb->setEnabled(enabled);
}

void HintControl::requestByKey()
{
    HintButton *bulb = m_bar.hintButton();
    if (!m_match || !bulb || !bulb->isEnabled() || m_match->isHintPending())
        return;
    // Once a hint is taken the match is assisted anyway; only the first asks.
    // The bulb never asks: clicking it is a choice, not a slip of the finger.
    if (m_match->hintsUsed() > 0) {
        show();
        return;
    }
    QPointer<HintControl> self(this);
    const std::weak_ptr<GameManaging> match = m_match;
    m_screen.present(GamePrompts::hint([self, match] {
                         // A question left open across a new match must not spend its hint.
                         const auto asked = match.lock();
                         if (self && asked && asked == self->m_match)
                             self->show();
                     }),
                     true);
}

void HintControl::show()
{
    HintButton *bulb = m_bar.hintButton();
    if (!m_match || !bulb || !bulb->isEnabled() || m_match->isHintPending() || !m_matchBag)
        return;
    // The hint may take a moment off the GUI thread; the keypad stays usable
    // and the bulb shows it is busy until the answer arrives. The handle goes
    // with the match, so an answer for a replaced match or a closed screen
    // is dropped unspent.
    QPointer<HintControl> self(this);
    m_match
        ->requestHint([self](std::optional<Hint> hint) {
            if (self)
                self->present(hint);
        })
        .disposed(*m_matchBag);
    updateButton();
}

void HintControl::present(const std::optional<Hint> &hint)
{
    updateButton();
    if (!hint)
        return;
    KeyboardView *keyboard = m_view->keyboardView();
    // Emptied first, so the board shows the whole suggestion even when four
    // digits were already typed.
    keyboard->setCode(QString());
    const QString shot = QString::fromStdString(hint->shot);
    keyboard->setCode(shot);
    //: How many codes still fit what the shots said
    const QString left = tr("%n codes left", "", int(hint->codesLeft));
    m_toast().showAlert(new ToastAlertView(left, QStringLiteral("Hint"), true, toastSeconds));
    m_view->boardView()->announce(tr("%1. Suggested shot: %2").arg(left, BoardView::spokenDigits(shot)));
    keyboard->setFocus();
}

} // namespace kestrune
