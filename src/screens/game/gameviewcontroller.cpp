#include "gameviewcontroller.h"
#include "ui_gameviewcontroller.h"

#include "hintbutton.h"
#include "upsidedownview.h"

#include "game/analytics.h"
#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/gametimer.h"
#include "game/keyvaluestore.h"
#include "game/playerprotocol.h"
#include "game/rx/driver.h"
#include "game/rx/mainscheduler.h"
#include "game/ticker.h"
#include "game/timetext.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/idletimer.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/dispatch/workerticker.h"
#include "platform/resources/resources.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/navigation/windowscene.h"
#include "screens/outcome/boardsnapshot.h"
#include "screens/outcome/boardsnapshotjob.h"
#include "screens/outcome/matchoutcome.h"
#include "views/board/boardview.h"
#include "views/board/computerboardview.h"
#include "views/board/gameview.h"
#include "views/components/button.h"
#include "views/components/promptdialog.h"
#include "views/controls/moderndialogbutton.h"
#include "views/dots/turnview.h"
#include "views/keyboard/hardwarekey.h"
#include "views/keyboard/keyboardview.h"
#include "views/onboarding/onboarding.h"
#include "views/onboarding/tutorial.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"

#include <QFontDatabase>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QPropertyAnimation>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace kestrune {

namespace {

const std::string hasLaunchedOnceKey = "hasLaunchedOnce";

QString playersText(std::int64_t players)
{
    return players == 1 ? QObject::tr("Game, one player") : QObject::tr("Game, two players");
}

// The screen's colours on a question.
void applyScreenColours(PromptDialog &dialog)
{
    dialog.setTitleColor(Resources::color(QStringLiteral("label")));
    dialog.setMessageColor(Resources::color(QStringLiteral("secondaryLabel")));
    dialog.setBackgroundColor(Resources::color(QStringLiteral("systemBackground")));
}

// A question with Cancel and one action, in the screen's colours; Escape
// always cancels.
PromptDialog *makeCancelOrAct(const QString &title, const QString &message, const QString &identifier,
                              ModernDialogButton *action, bool cancelByDefault, QWidget *parent)
{
    auto *dialog = new PromptDialog(title, message, parent);
    dialog->setButtonAlignment(PromptDialog::ButtonAlignment::horizontal);
    dialog->setPreferredWidth(340);
    dialog->setObjectName(identifier);
    dialog->setAccessibleName(title);
    auto *cancel = new ModernDialogButton(GameViewController::tr("Cancel"), 45, true, {});
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setDefault(cancelByDefault);
    dialog->addButtons({cancel, action});
    dialog->setCancelButton(cancel);
    applyScreenColours(*dialog);
    return dialog;
}

} // namespace

GameViewController::GameViewController(GameScreenEnvironment environment, QWidget *parent)
    : ViewController(parent)
    , ui(std::make_unique<Ui::GameViewController>())
    , m_environment(std::move(environment))
{
    ui->setupUi(this);
    m_firstView = ui->gameView;
    m_firstView->keyboardView()->installEventFilter(this);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    // The close item comes with the screen, as its left bar item.
    m_closeItem = new BarButtonItem(QStringLiteral("Close Game"), this);
    m_closeItem->setAccessibleName(tr("Close"));
    navigationItem()->setLeftItems({m_closeItem});
}

GameViewController::~GameViewController()
{
    // The match's subscriptions end before the views they touch go.
    m_matchBag.reset();
    setIdleTimerDisabled(false);
}

void GameViewController::setNumberOfPlayers(std::int64_t players)
{
    if (players != 1 && players != 2) {
        qWarning("GameViewController: a match has one or two players, not %lld", static_cast<long long>(players));
        return;
    }
    m_numberOfPlayers = players;
}

void GameViewController::setAgainstComputer(bool on)
{
    m_againstComputer = on;
    // The computer plays player 2.
    if (on)
        m_numberOfPlayers = 2;
}

rx::Scheduler &GameViewController::scheduler() const
{
    return m_environment.scheduler ? *m_environment.scheduler : rx::MainScheduler::instance();
}

Ticker &GameViewController::ticker() const
{
    return m_environment.ticker ? *m_environment.ticker : WorkerTicker::shared();
}

QList<GameView *> GameViewController::gameViews() const
{
    QList<GameView *> views{m_firstView};
    if (m_secondView)
        views.append(m_secondView);
    return views;
}

QLabel *GameViewController::timerLabel() const
{
    return m_timerLabel;
}

TurnView *GameViewController::turnView() const
{
    return m_turnView;
}

Button *GameViewController::closeButton() const
{
    return m_closeButton;
}

Button *GameViewController::singleButton() const
{
    return m_singleButton;
}

HintButton *GameViewController::hintButton() const
{
    return m_hintButton;
}

void GameViewController::viewDidLoad()
{
    setupGame();
    const std::int64_t players = m_numberOfPlayers.value_or(1);
    setupBindings();
    setupComputerBindings();
    setAccessibilityIdentifier(QStringLiteral("GameViewController:%1").arg(players));
    m_closeItem->setAccessibilityIdentifier(QStringLiteral("Close"));
}

void GameViewController::configureLeftItems()
{
    // A quick action may turn this screen to another kind of match, so the
    // items follow each match rather than the first.
    if (!m_gameManager)
        return;
    QList<BarButtonItem *> items{m_closeItem};
    const bool single = m_gameManager->players().size() == 1;
    if (single) {
        if (!m_hintItem) {
            auto *hint = new HintButton;
            connect(hint, &QPushButton::clicked, this, &GameViewController::showHint);
            m_hintButton = hint;
            m_hintItem = new BarButtonItem(hint, this);
            m_hintItem->setAccessibilityIdentifier(QStringLiteral("Hint"));
        }
        items.append(m_hintItem);
    }
    if (!single && !m_gameManager->isAgainstComputer() && DeviceProfile::current().isTablet()) {
        if (!m_simultaneousItem) {
            m_simultaneousItem = new BarButtonItem(QStringLiteral("Simultaneous"), this);
            m_simultaneousItem->setAccessibilityIdentifier(QStringLiteral("Simultaneous"));
            m_simultaneousItem->setAccessibleName(tr("Simultaneous play"));
            connect(m_simultaneousItem, &BarButtonItem::triggered, this, &GameViewController::toggleSimultaneous);
        }
        items.append(m_simultaneousItem);
    }
    // Help stays one click away in every match, before and after the first shot.
    if (m_barItem.kind() != NavigationBarItem::Kind::help)
        items.append(helpItem());
    if (navigationItem()->leftItems() != items)
        navigationItem()->setLeftItems(items);
}

void GameViewController::setupGame()
{
    // The replaced match's clock, outcome and deferred steps end here, so it
    // can neither tick nor present its result over the new one.
    m_matchBag = std::make_unique<rx::DisposeBag>();
    if (m_againstComputer) {
        m_numberOfPlayers = 2;
        KeyValueStore *store = m_environment.game.store;
        const auto strength = store ? ComputerStrengths::stored(*store) : std::nullopt;
        m_gameManager = GameManager::createAgainstComputer(strength.value_or(ComputerStrength::normal),
                                                           m_environment.game);
    } else {
        m_gameManager = GameManager::create(int(m_numberOfPlayers.value_or(1)), m_environment.game);
    }
    const std::int64_t players = m_numberOfPlayers.value_or(1);

    const auto games = m_gameManager->games();
    const auto views = gameViews();
    for (std::size_t i = 0; i < games.size() && i < std::size_t(views.size()); ++i)
        views[qsizetype(i)]->configure(games[i]);

    if (m_againstComputer) {
        setupComputerMatch();
    } else {
        // A quick action may have turned a match against the computer into a plain one.
        delete m_computerView.data();
        showNavigationBarItem(players == 1 ? NavigationBarItem::help() : NavigationBarItem::turn(1));
    }

    // Only a single-player match shows its clock; the ticks start with the match
    // and end with it.
    if (players == 1) {
        QPointer<GameViewController> self(this);
        auto shownTimer = std::make_shared<bool>(false);
        rx::asDriver(GameTimer::stream(games.front(), ticker()), std::int64_t(0))
            .drive([self, shownTimer](std::int64_t seconds) {
                if (!self)
                    return;
                if (!*shownTimer) {
                    *shownTimer = true;
                    self->showNavigationBarItem(NavigationBarItem::timer());
                }
                if (self->m_timerLabel)
                    self->m_timerLabel->setText(TimeText::clock(double(seconds)));
            })
            .disposed(*m_matchBag);
    }

    QPointer<GameViewController> self(this);
    rx::asDriver(m_gameManager->gameStateSubject().asObservable(), GameState::pending())
        .drive([self](const GameState &state) {
            if (self)
                self->handleGameState(state);
        })
        .disposed(*m_matchBag);
    configureLeftItems();
    updateHintButton();
    // A quick action may turn this screen to another kind of match: the
    // names follow each match rather than the first.
    setAccessibleName(m_againstComputer ? tr("Game against the computer") : playersText(players));
    nameBoards();
}

void GameViewController::nameBoards()
{
    // With two players on one screen, or taking turns, a listener must know
    // whose board this is; alone, it is simply the board.
    const bool twoPlayers = m_gameManager && m_gameManager->players().size() > 1 && !m_gameManager->isAgainstComputer();
    for (GameView *view : gameViews()) {
        const std::int64_t number = twoPlayers ? playerNumber(view->boardView()->game()) : 0;
        view->boardView()->setAccessibleName(number > 0 ? tr("Player %1's board").arg(number) : tr("Board"));
    }
}

void GameViewController::playAgain()
{
    setupGame();
}

void GameViewController::setupBindings()
{
    QPointer<GameViewController> self(this);
    viewWillAppear()
        .asObservable()
        .subscribe([self](bool animated) {
            if (!self)
                return;
            if (NavigationController *nav = self->navigationController()) {
                nav->setInteractivePopGestureEnabled(false);
                nav->setNavigationBarHidden(self->isSimultaneous(), animated);
            }
            if (self->isSimultaneous()) {
                self->rotate(InterfaceOrientation::landscapeRight);
                self->setSimultaneous(true);
                self->showNavigationBarItem(NavigationBarItem::none());
            }
        })
        .disposed(m_disposeBag);

    viewDidAppear()
        .asObservable()
        .subscribe([self](bool) {
            if (!self)
                return;
            // Keys typed at once go to the board that is shown.
            self->m_firstView->keyboardView()->setFocus();
            if (!self->m_environment.game.store)
                return;
            if (self->m_environment.game.store->boolean(hasLaunchedOnceKey).value_or(false))
                return;
            self->scheduler()
                .scheduleAfter(std::chrono::milliseconds(tutorialDelayMs),
                               [self] {
                                   if (!self)
                                       return;
                                   KeyValueStore *store = self->m_environment.game.store;
                                   // Two appearances within the second must not open it twice.
                                   if (store->boolean(hasLaunchedOnceKey).value_or(false))
                                       return;
                                   store->setBoolean(hasLaunchedOnceKey, true);
                                   store->synchronize();
                                   self->showTutorial();
                               })
                .disposed(self->m_disposeBag);
        })
        .disposed(m_disposeBag);

    viewDidLayoutSubviews()
        .asObservable()
        .subscribe([self](const QSize &) {
            if (self)
                self->showBottomViewIfNeeded();
        })
        .disposed(m_disposeBag);

    viewWillDisappear()
        .asObservable()
        .subscribe([self](bool) {
            if (!self)
                return;
            // Leaving the screen gives the screen saver back, whatever the match.
            self->setIdleTimerDisabled(false);
            if (NavigationController *nav = self->navigationController())
                nav->setInteractivePopGestureEnabled(true);
        })
        .disposed(m_disposeBag);

    connect(m_closeItem, &BarButtonItem::triggered, this, &GameViewController::home);
}

BarButtonItem *GameViewController::helpItem()
{
    if (!m_helpItem) {
        m_helpItem = new BarButtonItem(QStringLiteral("Help"), this);
        m_helpItem->setAccessibilityIdentifier(QStringLiteral("Help"));
        m_helpItem->setAccessibleName(tr("Help"));
        m_helpItem->setToolTip(tr("Help (F1)"));
        connect(m_helpItem, &BarButtonItem::triggered, this, &GameViewController::showTutorial);
    }
    return m_helpItem;
}

void GameViewController::showNavigationBarItem(NavigationBarItem item)
{
    m_barItem = item;
    showRightItem(item);
    configureLeftItems();
}

void GameViewController::showRightItem(NavigationBarItem item)
{
    navigationItem()->setRightItem(nullptr);
    switch (item.kind()) {
    case NavigationBarItem::Kind::turn: {
        if (!m_turnView)
            createHeaderViews();
        if (!m_turnView)
            return;
        navigationItem()->setRightItem(m_turnItem);
        m_turnView->showPlayer(int(item.player()));
        m_turnView->setAccessibleName(tr("Player %1's turn").arg(item.player()));
        // The new number fades in; the effect goes once it is done, so the
        // label paints directly again.
        QLabel *label = m_turnView->label();
        auto *effect = new QGraphicsOpacityEffect(label);
        label->setGraphicsEffect(effect);
        auto *fade = new QPropertyAnimation(effect, "opacity", label);
        fade->setDuration(300);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        connect(fade, &QAbstractAnimation::finished, label, [label, effect = QPointer(effect)] {
            if (effect && label->graphicsEffect() == effect)
                label->setGraphicsEffect(nullptr);
        });
        fade->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    case NavigationBarItem::Kind::timer:
        if (!m_timerLabel)
            createHeaderViews();
        if (m_timerItem)
            navigationItem()->setRightItem(m_timerItem);
        return;
    case NavigationBarItem::Kind::help:
        navigationItem()->setRightItem(helpItem());
        return;
    case NavigationBarItem::Kind::strength:
        updateStrengthItem();
        navigationItem()->setRightItem(m_strengthItem);
        return;
    case NavigationBarItem::Kind::none:
        return;
    }
}

void GameViewController::createHeaderViews()
{
    if (m_numberOfPlayers.value_or(1) == 1) {
        auto *label = new QLabel;
        label->setObjectName(QStringLiteral("timerLabel"));
        QFont font(QStringLiteral("HelveticaNeue-UltraLight"));
        if (!QFontDatabase::families().contains(font.family()))
            font = QFont();
        font.setPixelSize(14);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumSize(60, 0);
        label->setContentsMargins(0, 0, 12, 0);
        label->setAccessibleDescription(tr("Time of the game"));
        m_timerLabel = label;
        delete m_timerItem;
        m_timerItem = new BarButtonItem(label, this);
        m_timerItem->setAccessibilityIdentifier(QStringLiteral("Timer"));
    } else {
        auto *turn = new TurnView;
        turn->setObjectName(QStringLiteral("turnView"));
        m_turnView = turn;
        delete m_turnItem;
        m_turnItem = new BarButtonItem(turn, this);
        m_turnItem->setAccessibilityIdentifier(QStringLiteral("Turn"));
    }
}

void GameViewController::handleGameState(const GameState &state)
{
    const QList<GameView *> views = gameViews();
    if (views.isEmpty() || !m_gameManager)
        return;
    if (!state.isPending())
        prepareBoardImages();
    if (m_gameManager->isAgainstComputer()) {
        handleComputerMatchState(state);
        return;
    }
    QPointer<GameView> firstView = views.first();
    const std::shared_ptr<GameProtocol> shownGame = firstView->boardView()->game();
    if (!shownGame)
        return;
    const std::shared_ptr<GameProtocol> currentGame = m_gameManager->currentGame();

    setIdleTimerDisabled(state.isPending());
    updateHintButton();

    const bool singlePlayer = m_gameManager->players().size() == 1;
    if (!state.isPending()) {
        disableKeyboards();
    } else if (singlePlayer) {
        // The same player goes on.
    } else if (!isSimultaneous() && currentGame != shownGame) {
        disableKeyboards();
    } else {
        for (GameView *view : views) {
            const auto game = view->boardView()->game();
            if (game && game->isEnded())
                view->keyboardView()->setButtonsEnabled(false);
        }
    }

    QPointer<GameViewController> self(this);
    scheduler()
        .scheduleAfter(std::chrono::milliseconds(outcomeDelayMs),
                       [self, state, shownGame, currentGame, firstView] {
                           if (self)
                               self->completeGameStateChange(state, shownGame, currentGame, firstView);
                       })
        .disposed(*m_matchBag);
}

void GameViewController::disableKeyboards()
{
    // One turn of the event loop later: the keypad that sent the shot sets
    // its own buttons once the shot returns, and this must come after that.
    QPointer<GameViewController> self(this);
    DispatchQueue::main([self] {
        if (!self)
            return;
        for (GameView *view : self->gameViews())
            view->keyboardView()->setButtonsEnabled(false);
    });
}

void GameViewController::completeGameStateChange(const GameState &state,
                                                 const std::shared_ptr<GameProtocol> &shownGame,
                                                 const std::shared_ptr<GameProtocol> &currentGame,
                                                 QPointer<GameView> firstView)
{
    if (!state.isPending()) {
        showOutcome();
        return;
    }
    if (isSimultaneous() || currentGame == shownGame || !firstView || !currentGame)
        return;
    handOver(firstView, currentGame);
}

void GameViewController::handOver(GameView *view, const std::shared_ptr<GameProtocol> &currentGame)
{
    view->boardView()->setGame(currentGame);
    view->keyboardView()->updateButtons(true);
    nameBoards();

    const std::int64_t number = playerNumber(currentGame);
    toast().showAlert(new ToastAlertView(QStringLiteral("Pass your device\nto Player %1").arg(number),
                                       number == 1 ? QStringLiteral("Pass To Player 1")
                                                   : QStringLiteral("Pass To Player 2"),
                                       true, 1.5));
    showNavigationBarItem(NavigationBarItem::turn(number));
    view->boardView()->announce(tr("Player %1's turn").arg(number));
    view->keyboardView()->setFocus();
}

std::int64_t GameViewController::playerNumber(const std::shared_ptr<GameProtocol> &game) const
{
    if (!m_gameManager || !game)
        return 0;
    for (const auto &player : m_gameManager->players()) {
        if (player->game() == game)
            return player->number();
    }
    return 0;
}

bool GameViewController::hasShots() const
{
    if (!m_gameManager)
        return false;
    const auto games = m_gameManager->games();
    return std::any_of(games.begin(), games.end(), [](const auto &game) { return !game->shots().empty(); });
}

ToastAlert &GameViewController::toast() const
{
    return m_environment.toast ? *m_environment.toast : ToastAlert::shared();
}

void GameViewController::updateHintButton()
{
    if (!m_hintButton)
        return;
    const int left = m_gameManager ? m_gameManager->hintsLeft() : 0;
    m_hintButton->setHintsLeft(left);
    m_hintButton->setBusy(m_gameManager && m_gameManager->isHintPending());
    const bool playing = m_gameManager && m_gameManager->gameState().isPending();
    const bool enabled = left > 0 && playing;
    // Focus would otherwise wander to whatever follows the bulb.
    if (!enabled && m_hintButton->window()->focusWidget() == m_hintButton)
        m_firstView->keyboardView()->setFocus(Qt::OtherFocusReason);
    m_hintButton->setEnabled(enabled);
}

void GameViewController::requestHintByKey()
{
    if (!m_gameManager || !m_hintButton || !m_hintButton->isEnabled() || m_gameManager->isHintPending())
        return;
    // Once a hint is taken the match is assisted anyway; only the first asks.
    // The bulb never asks: clicking it is a choice, not a slip of the finger.
    if (m_gameManager->hintsUsed() > 0) {
        showHint();
        return;
    }
    QPointer<GameViewController> self(this);
    const std::weak_ptr<GameManaging> match = m_gameManager;
    present(makeHintAlert([self, match] {
                // A question left open across a new match must not spend its hint.
                const auto asked = match.lock();
                if (self && asked && asked == self->m_gameManager)
                    self->showHint();
            }),
            true);
}

PromptDialog *GameViewController::makeHintAlert(std::function<void()> onUse, QWidget *parent)
{
    auto *use = new ModernDialogButton(tr("Use hint"), 45, true, std::move(onUse));
    use->setObjectName(QStringLiteral("UseHint"));
    use->setTitleColor(Resources::color(QStringLiteral("accent")));
    // Return takes the hint the key asked for.
    return makeCancelOrAct(tr("Use a hint?"),
                           tr("A hint shows how many codes are left and types a good shot. "
                              "A match won with hints stays off the leaderboard."),
                           QStringLiteral("HintAlert"), use, false, parent);
}

void GameViewController::showHint()
{
    if (!m_gameManager || !m_hintButton || !m_hintButton->isEnabled() || m_gameManager->isHintPending())
        return;
    // The hint may take a moment off the GUI thread; the keypad stays usable
    // and the bulb shows it is busy until the answer arrives. The handle goes
    // with the match, so an answer for a replaced match or a closed screen
    // is dropped unspent.
    QPointer<GameViewController> self(this);
    m_gameManager
        ->requestHint([self](std::optional<Hint> hint) {
            if (self)
                self->presentHint(hint);
        })
        .disposed(*m_matchBag);
    updateHintButton();
}

void GameViewController::presentHint(const std::optional<Hint> &hint)
{
    updateHintButton();
    if (!hint)
        return;
    KeyboardView *keyboard = m_firstView->keyboardView();
    // Emptied first, so the board shows the whole suggestion even when four
    // digits were already typed.
    keyboard->setCode(QString());
    const QString shot = QString::fromStdString(hint->shot);
    keyboard->setCode(shot);
    const QString left = hint->codesLeft == 1 ? tr("1 code left") : tr("%1 codes left").arg(hint->codesLeft);
    toast().showAlert(new ToastAlertView(left, QStringLiteral("Hint"), true, hintToastSeconds));
    m_firstView->boardView()->announce(tr("%1. Suggested shot: %2").arg(left, BoardView::spokenDigits(shot)));
    keyboard->setFocus();
}

void GameViewController::setIdleTimerDisabled(bool disabled)
{
    m_idleTimerDisabled = disabled;
    if (m_environment.idleTimer)
        m_environment.idleTimer->setIdleTimerDisabled(disabled);
}

void GameViewController::showOutcome()
{
    if (!navigationController())
        return;
    MatchOutcome outcome{m_gameManager, boardImages(), this};
    m_snapshots.clear();
    performSegue(QStringLiteral("result"), std::move(outcome));
}

QList<QImage> GameViewController::boardImages() const
{
    QList<QImage> images;
    if (!m_gameManager)
        return images;
    const QSize size = m_firstView->boardView()->size();
    const qreal ratio = snapshotPixelRatio();
    const auto games = m_gameManager->games();
    for (std::size_t i = 0; i < games.size(); ++i) {
        BoardSnapshotJob *prepared = i < m_snapshots.size() ? m_snapshots[i].get() : nullptr;
        if (prepared && prepared->game() == games[i] && prepared->size() == size && prepared->pixelRatio() == ratio)
            images.append(prepared->image());
        else
            images.append(BoardSnapshot::render(games[i], size, ratio));
    }
    return images;
}

qreal GameViewController::snapshotPixelRatio() const
{
    // As sharp as the screen shows them, and shared as seen: a picture twice
    // as dense as a desktop's screen held megabytes it never showed.
    return std::max<qreal>(1.0, devicePixelRatioF());
}

void GameViewController::prepareBoardImages()
{
    // Drawing the boards all at once when the result screen comes held the
    // thread for frames; the outcome shows long enough to draw them in steps.
    m_snapshots.clear();
    if (!m_gameManager || !m_firstView)
        return;
    const QSize size = m_firstView->boardView()->size();
    for (const auto &game : m_gameManager->games())
        m_snapshots.push_back(std::make_unique<BoardSnapshotJob>(game, size, snapshotBands, snapshotPixelRatio()));
    stepBoardImages();
}

void GameViewController::stepBoardImages()
{
    // One step per event: the main queue would run the whole chain in one.
    QTimer::singleShot(0, this, [this] {
        for (const auto &job : m_snapshots) {
            if (job->step()) {
                stepBoardImages();
                return;
            }
        }
    });
}

void GameViewController::home()
{
    if (!m_gameManager)
        return;
    QPointer<GameViewController> self(this);
    confirmQuit([self] {
        if (self && self->navigationController())
            self->navigationController()->popViewController(true);
    });
}

void GameViewController::confirmQuit(std::function<void()> leave)
{
    if (!hasShots()) {
        if (leave)
            leave();
        return;
    }
    Analytics *analytics = m_environment.game.analytics;
    present(makeQuitAlert([analytics, leave = std::move(leave)] {
                if (analytics)
                    analytics->logEvent("quit_game");
                if (leave)
                    leave();
            }),
            true);
}

bool GameViewController::windowShouldClose(const std::function<void()> &close)
{
    if (!hasShots())
        return true;
    confirmQuit(close);
    return false;
}

PromptDialog *GameViewController::makeQuitAlert(std::function<void()> onQuit, QWidget *parent)
{
    auto *quit = new ModernDialogButton(tr("Quit"), 45, true, std::move(onQuit));
    quit->setObjectName(QStringLiteral("Quit"));
    quit->setTitleColor(Resources::color(QStringLiteral("systemRed")));
    // Return must not take the choice that throws the game away.
    return makeCancelOrAct(tr("Do you want to quit?"), tr("All progress will be lost."), QStringLiteral("QuitAlert"),
                           quit, true, parent);
}

void GameViewController::showTutorial()
{
    // One tutorial at a time: asking again while it shows brings nothing new.
    const auto tutorials = window()->findChildren<Onboarding *>(QStringLiteral("TutorialView"), Qt::FindDirectChildrenOnly);
    if (std::any_of(tutorials.begin(), tutorials.end(), [](const Onboarding *shown) { return shown->isVisible(); }))
        return;
    Onboarding *tutorial = Tutorial::create(window());
    closeOverlayWithScreen(tutorial);
    tutorial->open();
}

void GameViewController::toggleSimultaneous()
{
    setSimultaneous(!isSimultaneous());
    rotate(isSimultaneous() ? InterfaceOrientation::landscapeRight : InterfaceOrientation::portrait);
}

void GameViewController::rotate(InterfaceOrientationMask mask)
{
    if (!InterfaceOrientation::isSingle(mask))
        return;
    m_supportedOrientations = mask;
    WindowScene::requestGeometryUpdate(window(), mask);
}

void GameViewController::setSimultaneous(bool on)
{
    if (!DeviceProfile::current().isTablet() || !m_gameManager || m_gameManager->players().size() < 2
        || m_gameManager->isAgainstComputer())
        return;
    const auto games = m_gameManager->games();
    if (on) {
        if (gameViews().size() == qsizetype(games.size())) {
            setNeedsStatusBarAppearanceUpdate();
            return;
        }
        // Player 1 sits across the table: their board turns, and stays live.
        ui->gamesStackView->removeWidget(m_firstView);
        m_upsideDown = new UpsideDownView(m_firstView, ui->gamesStackContainer);
        m_upsideDown->setAccessibleName(tr("Player 1's side, upside down"));
        ui->gamesStackView->insertWidget(0, m_upsideDown, 1);
        m_secondView = new GameView(ui->gamesStackContainer);
        m_secondView->setObjectName(QStringLiteral("secondGameView"));
        m_secondView->keyboardView()->installEventFilter(this);
        ui->gamesStackView->addWidget(m_secondView, 1);
        ui->gamesStackView->setSpacing(1);

        if (NavigationController *nav = navigationController())
            nav->setNavigationBarHidden(true, false);
        showNavigationBarItem(NavigationBarItem::none());
        QPalette background = palette();
        background.setColor(QPalette::Window, Resources::color(QStringLiteral("keyboardDisabled")));
        setPalette(background);

        m_closeButton = makeRoundButton(QStringLiteral("Close Game"), QStringLiteral("Close"), tr("Close"));
        connect(m_closeButton, &QPushButton::clicked, this, &GameViewController::home);
        m_singleButton = makeRoundButton(QStringLiteral("Single"), QStringLiteral("Single"), tr("One board"));
        connect(m_singleButton, &QPushButton::clicked, this, &GameViewController::toggleSimultaneous);
        placeRoundButtons();

        m_firstView->configure(games[0]);
        m_secondView->configure(games[1]);
        nameBoards();
        setNeedsStatusBarAppearanceUpdate();
        return;
    }

    if (!m_secondView) {
        setNeedsStatusBarAppearanceUpdate();
        return;
    }
    delete m_secondView.data();
    // The board goes to whoever has shot less; player 1 among equals.
    auto sorted = games;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a->shots().size() < b->shots().size(); });
    if (m_upsideDown) {
        ui->gamesStackView->removeWidget(m_upsideDown);
        QWidget *view = m_upsideDown->take();
        delete m_upsideDown.data();
        view->setParent(ui->gamesStackContainer);
        ui->gamesStackView->insertWidget(0, view, 1);
        view->show();
    }
    m_firstView->configure(sorted.front());
    nameBoards();
    const std::int64_t number = playerNumber(sorted.front());
    showNavigationBarItem(NavigationBarItem::turn(number > 0 ? number : 1));
    ui->gamesStackView->setSpacing(0);
    QPalette background = palette();
    background.setColor(QPalette::Window, Resources::color(QStringLiteral("systemBackground")));
    setPalette(background);
    delete m_closeButton.data();
    delete m_singleButton.data();
    if (NavigationController *nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(false, true);
    setNeedsStatusBarAppearanceUpdate();
}

Button *GameViewController::makeRoundButton(const QString &image, const QString &identifier, const QString &name)
{
    auto *button = new Button(this);
    button->setObjectName(identifier);
    button->setAccessibleName(name);
    button->setImageName(image);
    button->setBackgroundColorNames(QStringLiteral("background"), QStringLiteral("background"));
    button->setCornerRadius(roundButtonSide / 2.0);
    button->setFixedSize(roundButtonSide, roundButtonSide);
    // The picture sits 11 points inside the circle on every side.
    button->setIconSize(QSize(roundButtonSide - 22, roundButtonSide - 22));
    button->show();
    button->raise();
    return button;
}

void GameViewController::placeRoundButtons()
{
    const QPoint centre = rect().center();
    const int half = roundButtonSide / 2;
    if (m_closeButton)
        m_closeButton->move(centre.x() - half + 1, centre.y() + roundButtonOffset - half);
    if (m_singleButton)
        m_singleButton->move(centre.x() - half + 1, centre.y() - roundButtonOffset - half);
}

void GameViewController::showBottomViewIfNeeded()
{
    const qreal inset = safeAreaBottomInset();
    if (inset == 0 || m_bottomView)
        return;
    m_bottomView = new QWidget(this);
    m_bottomView->setObjectName(QStringLiteral("bottomView"));
    m_bottomView->setAutoFillBackground(true);
    QPalette palette = m_bottomView->palette();
    palette.setColor(QPalette::Window, Resources::color(QStringLiteral("keyboardEnabled")));
    m_bottomView->setPalette(palette);
    m_bottomView->setFixedHeight(int(std::ceil(inset)));
    ui->rootLayout->addWidget(m_bottomView);
}

void GameViewController::resizeEvent(QResizeEvent *event)
{
    ViewController::resizeEvent(event);
    placeRoundButtons();
    alignComputerBoard();
}

bool GameViewController::eventFilter(QObject *watched, QEvent *event)
{
    // In simultaneous play neither keypad may take the keyboard's digits: the
    // keys would go to whichever keypad last had focus. A focused button
    // still takes Space, since it handles that before its keypad sees it.
    if (event->type() == QEvent::KeyPress && isSimultaneous()
        && HardwareKey::usageCode(*static_cast<QKeyEvent *>(event)) != HardwareKey::none)
        return true;
    return ViewController::eventFilter(watched, event);
}

void GameViewController::keyPressEvent(QKeyEvent *event)
{
    // "?" comes with Shift on most layouts, so only its text counts.
    if ((event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier)
        || event->text() == QLatin1String("?")) {
        showTutorial();
        return;
    }
    if (isSimultaneous()) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_H && event->modifiers() == Qt::NoModifier && m_hintButton) {
        requestHintByKey();
        return;
    }
    const int code = HardwareKey::usageCode(*event);
    if (code == HardwareKey::none || gameViews().isEmpty()) {
        ViewController::keyPressEvent(event);
        return;
    }
    gameViews().first()->keyboardView()->handleKey(code);
}

ComputerBoardView *GameViewController::computerBoardView() const
{
    return m_computerView;
}

BarButtonItem *GameViewController::strengthItem() const
{
    return m_strengthItem;
}

Button *GameViewController::strengthButton() const
{
    return m_strengthButton;
}

void GameViewController::setupComputerMatch()
{
    const auto games = m_gameManager->games();
    const auto strength = m_gameManager->computerStrength();
    if (games.size() < 2 || !strength)
        return;
    if (!m_computerView) {
        const bool tablet = DeviceProfile::current().isTablet();
        m_computerView = new ComputerBoardView(tablet ? ComputerBoardView::Mode::full : ComputerBoardView::Mode::compact,
                                               this);
        m_computerView->setObjectName(QStringLiteral("computerBoard"));
        if (tablet) {
            ui->gamesStackView->setStretch(0, 1);
            ui->gamesStackView->addWidget(m_computerView, 1);
        } else {
            // Above the player's board: the keypad stays at the thumb.
            ui->rootLayout->insertWidget(0, m_computerView);
        }
    }
    m_computerView->setGame(games[1], QString::fromStdString(ComputerStrengths::title(*strength)));
    alignComputerBoard();
    showNavigationBarItem(NavigationBarItem::strength());
    askStrengthIfNeeded();
}

void GameViewController::alignComputerBoard()
{
    if (!m_computerView || m_computerView->mode() != ComputerBoardView::Mode::full)
        return;
    m_firstView->layoutSubviews();
    const int spacing = m_firstView->boardViewVerticalSpacing();
    m_computerView->setBoardMargins(spacing, spacing + m_firstView->keyboardHeight());
}

void GameViewController::setupComputerBindings()
{
    if (!m_againstComputer)
        return;
    QPointer<GameViewController> self(this);
    viewDidAppear()
        .asObservable()
        .subscribe([self](bool) {
            if (self)
                self->askStrengthIfNeeded();
        })
        .disposed(m_disposeBag);
}

void GameViewController::askStrengthIfNeeded()
{
    if (m_strengthAsked || !isVisible())
        return;
    KeyValueStore *store = m_environment.game.store;
    if (!store || ComputerStrengths::stored(*store))
        return;
    // The tutorial has the first launch to itself; the match after it asks.
    if (!store->boolean(hasLaunchedOnceKey).value_or(false))
        return;
    chooseStrength();
}

void GameViewController::handleComputerMatchState(const GameState &state)
{
    setIdleTimerDisabled(state.isPending());
    updateStrengthItem();
    QPointer<GameViewController> self(this);
    if (!state.isPending()) {
        disableKeyboards();
        if (m_computerView)
            m_computerView->setStatus(ComputerBoardView::Status::over);
        scheduler()
            .scheduleAfter(std::chrono::milliseconds(outcomeDelayMs),
                           [self] {
                               if (self)
                                   self->showOutcome();
                           })
            .disposed(*m_matchBag);
        return;
    }
    if (m_gameManager->isComputerTurn()) {
        disableKeyboards();
        if (m_computerView)
            m_computerView->setStatus(ComputerBoardView::Status::thinking);
        // It shoots when both the pause is over and its shot is worked out,
        // which starts now, off the GUI thread where it takes long.
        struct Turn
        {
            bool pauseOver = false;
            bool ready = false;
        };
        auto turn = std::make_shared<Turn>();
        const auto shootWhenDue = [self, turn] {
            // Its result comes back here as the next match state.
            if (turn->pauseOver && turn->ready && self && self->m_gameManager)
                self->m_gameManager->playComputerShot();
        };
        scheduler()
            .scheduleAfter(std::chrono::milliseconds(computerShotDelayMs),
                           [turn, shootWhenDue] {
                               turn->pauseOver = true;
                               shootWhenDue();
                           })
            .disposed(*m_matchBag);
        m_gameManager
            ->prepareComputerShot([turn, shootWhenDue] {
                turn->ready = true;
                shootWhenDue();
            })
            .disposed(*m_matchBag);
        return;
    }
    if (m_computerView)
        m_computerView->setStatus(ComputerBoardView::Status::playerTurn);
    // The player's turn again. Deferred like disableKeyboards(), so it lands
    // after a darkening still queued from the player's own shot.
    QPointer<GameView> view = m_firstView;
    DispatchQueue::main([view] {
        if (!view)
            return;
        const auto game = view->boardView()->game();
        view->keyboardView()->updateButtons(game && !game->isEnded());
    });
}

void GameViewController::updateStrengthItem()
{
    if (!m_gameManager || !m_gameManager->computerStrength())
        return;
    if (!m_strengthItem) {
        auto *button = new Button;
        button->setObjectName(QStringLiteral("strengthButton"));
        button->setAccessibleDescription(tr("The computer's strength, chosen before the first shot"));
        QFont font = button->font();
        font.setPixelSize(17);
        button->setFont(font);
        button->setMinimumSize(76, 32);
        connect(button, &QPushButton::clicked, this, &GameViewController::chooseStrength);
        m_strengthButton = button;
        m_strengthItem = new BarButtonItem(button, this);
        m_strengthItem->setAccessibilityIdentifier(QStringLiteral("Strength"));
    }
    const QString title = QString::fromStdString(ComputerStrengths::title(*m_gameManager->computerStrength()));
    // A new strength starts a new match, which must not cost the player shots.
    const bool open = !hasShots();
    m_strengthItem->setEnabled(open);
    m_strengthItem->setAccessibleName(title);
    m_strengthButton->setText(title);
    m_strengthButton->setAccessibleName(title);
    m_strengthButton->setEnabled(open);
    m_strengthButton->setTitleColor(Resources::color(open ? QStringLiteral("accent") : QStringLiteral("secondaryLabel")));
}

void GameViewController::chooseStrength()
{
    if (!m_gameManager || !m_gameManager->isAgainstComputer() || hasShots())
        return;
    m_strengthAsked = true;
    QPointer<GameViewController> self(this);
    present(makeStrengthAlert(m_gameManager->computerStrength().value_or(ComputerStrength::normal),
                              [self](ComputerStrength strength) {
                if (!self)
                    return;
                if (KeyValueStore *store = self->m_environment.game.store)
                    ComputerStrengths::store(*store, strength);
                self->setupGame();
            }),
            true);
}

PromptDialog *GameViewController::makeStrengthAlert(ComputerStrength current,
                                                   std::function<void(ComputerStrength)> onChoice, QWidget *parent)
{
    auto *dialog = new PromptDialog(tr("Computer strength"), tr("How well should the computer play?"), parent);
    dialog->setButtonAlignment(PromptDialog::ButtonAlignment::vertical);
    dialog->setPreferredWidth(300);
    dialog->setObjectName(QStringLiteral("StrengthAlert"));
    dialog->setAccessibleName(tr("Computer strength"));
    QList<DialogButton *> buttons;
    for (ComputerStrength strength : ComputerStrengths::all) {
        const QString title = QString::fromStdString(ComputerStrengths::title(strength));
        auto *button = new ModernDialogButton(title, 45, true, [onChoice, strength] {
            if (onChoice)
                onChoice(strength);
        });
        button->setObjectName(title);
        button->setAccessibleName(title);
        button->setTitleColor(Resources::color(QStringLiteral("accent")));
        // Return keeps the strength being played rather than cancelling.
        button->setDefault(strength == current);
        buttons.append(button);
    }
    auto *cancel = new ModernDialogButton(tr("Cancel"), 45, true, {});
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAccessibleName(tr("Cancel"));
    cancel->setTitleColor(Resources::color(QStringLiteral("secondaryLabel")));
    buttons.append(cancel);
    dialog->addButtons(buttons);
    dialog->setCancelButton(cancel);
    applyScreenColours(*dialog);
    return dialog;
}

} // namespace kestrune
