#include "computermatch.h"

#include "gameprompts.h"
#include "gametutorial.h"
#include "gameviewcontroller.h"

#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/gamestate.h"
#include "game/keyvaluestore.h"
#include "game/rx/disposebag.h"
#include "game/rx/scheduler.h"
#include "platform/device/deviceprofile.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/resources/resources.h"
#include "screens/navigation/barbuttonitem.h"
#include "views/board/boardview.h"
#include "views/board/computerboardview.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/button.h"
#include "views/widgets/promptdialog.h"

#include <QBoxLayout>
#include <QFontMetrics>

#include <algorithm>
#include <chrono>
#include <memory>

namespace kestrune {

ComputerMatch::ComputerMatch(GameViewController &screen, GameView *playerView, QBoxLayout *beside, QBoxLayout *above,
                             KeyValueStore *store, rx::Scheduler &scheduler)
    : m_screen(screen)
    , m_playerView(playerView)
    , m_beside(beside)
    , m_above(above)
    , m_store(store)
    , m_scheduler(scheduler)
{
}

ComputerMatch::~ComputerMatch() = default;

bool ComputerMatch::showMatch()
{
    const auto manager = m_screen.gameManager();
    if (!manager)
        return false;
    const auto games = manager->games();
    const auto strength = manager->computerStrength();
    if (games.size() < 2 || !strength)
        return false;
    if (!m_view) {
        const bool tablet = DeviceProfile::current().isTablet();
        m_view =
            new ComputerBoardView(tablet ? ComputerBoardView::Mode::full : ComputerBoardView::Mode::compact, &m_screen);
        m_view->setObjectName(QStringLiteral("computerBoard"));
        if (tablet) {
            m_beside->setStretch(0, 1);
            m_beside->addWidget(m_view, 1);
        } else {
            // Above the player's board: the keypad stays at the thumb.
            m_above->insertWidget(0, m_view);
        }
    }
    m_view->setGame(games[1], ComputerStrengths::displayTitle(*strength));
    alignBoard();
    return true;
}

void ComputerMatch::removeBoard()
{
    delete m_view.data();
}

void ComputerMatch::alignBoard()
{
    if (!m_view || m_view->mode() != ComputerBoardView::Mode::full)
        return;
    m_playerView->layoutSubviews();
    const int spacing = m_playerView->boardViewVerticalSpacing();
    m_view->setBoardMargins(spacing, spacing + m_playerView->keyboardHeight());
}

void ComputerMatch::askStrengthIfNeeded()
{
    if (m_strengthAsked || !m_screen.isVisible())
        return;
    if (!m_store || ComputerStrengths::stored(*m_store))
        return;
    // The tutorial has the first launch to itself; the match after it asks.
    if (!m_store->boolean(GameTutorial::launchedOnceKey).value_or(false))
        return;
    chooseStrength();
}

void ComputerMatch::handleState(const GameState &state, rx::DisposeBag &matchBag)
{
    updateStrengthItem();
    const auto manager = m_screen.gameManager();
    if (!state.isPending()) {
        if (m_view)
            m_view->setStatus(ComputerBoardView::Status::over);
        return;
    }
    if (manager->isComputerTurn()) {
        if (m_view)
            m_view->setStatus(ComputerBoardView::Status::thinking);
        // It shoots when both the pause is over and its shot is worked out,
        // which starts now, off the GUI thread where it takes long.
        struct Turn
        {
            bool pauseOver = false;
            bool ready = false;
        };
        auto turn = std::make_shared<Turn>();
        QPointer<GameViewController> screen(&m_screen);
        const auto shootWhenDue = [screen, turn] {
            // Its result comes back to the screen as the next match state.
            if (turn->pauseOver && turn->ready && screen && screen->gameManager())
                screen->gameManager()->playComputerShot();
        };
        m_scheduler
            .scheduleAfter(std::chrono::milliseconds(shotDelayMs),
                           [turn, shootWhenDue] {
                               turn->pauseOver = true;
                               shootWhenDue();
                           })
            .disposed(matchBag);
        manager
            ->prepareComputerShot([turn, shootWhenDue] {
                turn->ready = true;
                shootWhenDue();
            })
            .disposed(matchBag);
        return;
    }
    if (m_view)
        m_view->setStatus(ComputerBoardView::Status::playerTurn);
    // The player's turn again. Deferred like the screen's darkening of the
    // keypads, so it lands after one still queued from the player's own shot.
    QPointer<GameView> view = m_playerView;
    DispatchQueue::main([view] {
        if (!view)
            return;
        const auto game = view->boardView()->game();
        view->keyboardView()->updateButtons(game && !game->isEnded());
    });
}

void ComputerMatch::updateStrengthItem()
{
    const auto manager = m_screen.gameManager();
    if (!manager || !manager->computerStrength())
        return;
    if (!m_strengthItem) {
        auto *button = new Button;
        button->setObjectName(QStringLiteral("strengthButton"));
        button->setAccessibleDescription(tr("The computer's strength, chosen before the first shot"));
        QFont font = button->font();
        font.setPixelSize(17);
        button->setFont(font);
        button->setMinimumSize(minimumStrengthWidth, 32);
        connect(button, &QPushButton::clicked, this, &ComputerMatch::chooseStrength);
        m_strengthButton = button;
        m_strengthItem = new BarButtonItem(button, &m_screen);
        m_strengthItem->setAccessibilityIdentifier(QStringLiteral("Strength"));
    }
    const QString title = ComputerStrengths::displayTitle(*manager->computerStrength());
    // A new strength starts a new match, which must not cost the player shots.
    const bool open = !m_screen.hasShots();
    m_strengthItem->setEnabled(open);
    m_strengthItem->setAccessibleName(title);
    m_strengthButton->setText(title);
    // Wide enough for its word, which a translation may make long.
    m_strengthButton->setMinimumWidth(std::max(
        minimumStrengthWidth, QFontMetrics(m_strengthButton->font()).horizontalAdvance(title) + strengthPadding));
    m_strengthButton->setAccessibleName(title);
    m_strengthButton->setEnabled(open);
    m_strengthButton->setTitleColor(
        Resources::color(open ? QStringLiteral("accent") : QStringLiteral("secondaryLabel")));
}

void ComputerMatch::chooseStrength()
{
    const auto manager = m_screen.gameManager();
    if (!manager || !manager->isAgainstComputer() || m_screen.hasShots())
        return;
    m_strengthAsked = true;
    QPointer<GameViewController> screen(&m_screen);
    KeyValueStore *store = m_store;
    m_screen.present(GamePrompts::strength(manager->computerStrength().value_or(ComputerStrength::normal),
                                           [screen, store](ComputerStrength strength) {
                                               if (!screen)
                                                   return;
                                               if (store)
                                                   ComputerStrengths::store(*store, strength);
                                               screen->setupGame();
                                           }),
                     true);
}

ComputerBoardView *ComputerMatch::boardView() const
{
    return m_view;
}

BarButtonItem *ComputerMatch::strengthItem() const
{
    return m_strengthItem;
}

Button *ComputerMatch::strengthButton() const
{
    return m_strengthButton;
}

} // namespace kestrune
