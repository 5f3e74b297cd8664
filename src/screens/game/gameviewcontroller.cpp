#include "gameviewcontroller.h"
#include "ui_gameviewcontroller.h"

#include "boardpictures.h"
#include "facetofaceplay.h"
#include "gamebar.h"
#include "gameprompts.h"
#include "gametutorial.h"
#include "hintbutton.h"
#include "hintcontrol.h"
#include "playerturns.h"

#include "game/analytics.h"
#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/gametimer.h"
#include "game/keyvaluestore.h"
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
#include "screens/navigation/windowscene.h"
#include "screens/outcome/matchoutcome.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/keyboard/hardwarekey.h"
#include "views/keyboard/keyboardview.h"
#include "views/toast/toastalert.h"
#include "views/widgets/promptdialog.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <utility>

namespace kestrune {

namespace {

QString playersText(std::int64_t players)
{
    return players == 1 ? QObject::tr("Game, one player") : QObject::tr("Game, two players");
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
    m_bar = new GameBar(navigationItem(), this);
    m_pictures = new BoardPictures(snapshotBands, this);
    m_hints = new HintControl(*this, m_firstView, *m_bar, [this]() -> ToastAlert & { return toast(); });
    m_tutorial = new GameTutorial(*this, m_environment.game.store, scheduler());
    m_turns = new PlayerTurns(*this, scheduler(), [this]() -> ToastAlert & { return toast(); });
    connect(m_turns, &PlayerTurns::decided, this, &GameViewController::showOutcome);
    connect(m_turns, &PlayerTurns::handedOver, this,
            [this](std::int64_t player) { showNavigationBarItem(NavigationBarItem::turn(player)); });
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
    if (m_faceToFace && m_faceToFace->secondView())
        views.append(m_faceToFace->secondView());
    return views;
}

NavigationBarItem GameViewController::navigationBarItem() const
{
    return m_bar->shown();
}
QLabel *GameViewController::timerLabel() const
{
    return m_bar->timerLabel();
}
TurnView *GameViewController::turnView() const
{
    return m_bar->turnView();
}
HintButton *GameViewController::hintButton() const
{
    return m_bar->hintButton();
}
BarButtonItem *GameViewController::closeItem() const
{
    return m_bar->closeItem();
}
BarButtonItem *GameViewController::simultaneousItem() const
{
    return m_bar->simultaneousItem();
}
BarButtonItem *GameViewController::helpItem()
{
    return m_bar->helpItem();
}
Button *GameViewController::closeButton() const
{
    return m_faceToFace ? m_faceToFace->closeButton() : nullptr;
}
Button *GameViewController::singleButton() const
{
    return m_faceToFace ? m_faceToFace->singleButton() : nullptr;
}
ComputerBoardView *GameViewController::computerBoardView() const
{
    return m_computer ? m_computer->boardView() : nullptr;
}
BarButtonItem *GameViewController::strengthItem() const
{
    return m_computer ? m_computer->strengthItem() : nullptr;
}
Button *GameViewController::strengthButton() const
{
    return m_computer ? m_computer->strengthButton() : nullptr;
}

void GameViewController::viewDidLoad()
{
    setupGame();
    const std::int64_t players = m_numberOfPlayers.value_or(1);
    setupBindings();
    setAccessibilityIdentifier(QStringLiteral("GameViewController:%1").arg(players));
    m_bar->closeItem()->setAccessibilityIdentifier(QStringLiteral("Close"));
}

void GameViewController::configureLeftItems()
{
    // A quick action may turn this screen to another kind of match, so the
    // items follow each match rather than the first.
    if (!m_gameManager)
        return;
    const bool single = m_gameManager->players().size() == 1;
    m_bar->configureLeftItems(single,
                              !single && !m_gameManager->isAgainstComputer() && DeviceProfile::current().isTablet());
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
        m_gameManager =
            GameManager::createAgainstComputer(strength.value_or(ComputerStrength::normal), m_environment.game);
    } else {
        m_gameManager = GameManager::create(int(m_numberOfPlayers.value_or(1)), m_environment.game);
    }
    m_hints->setMatch(m_gameManager, m_matchBag.get());
    const std::int64_t players = m_numberOfPlayers.value_or(1);

    const auto games = m_gameManager->games();
    const auto views = gameViews();
    for (std::size_t i = 0; i < games.size() && i < std::size_t(views.size()); ++i)
        views[qsizetype(i)]->configure(games[i]);

    if (m_againstComputer) {
        if (!m_computer)
            m_computer = std::make_unique<ComputerMatch>(*this, m_firstView, ui->gamesStackView, ui->rootLayout,
                                                         m_environment.game.store, scheduler());
        if (m_computer->showMatch()) {
            showNavigationBarItem(NavigationBarItem::strength());
            m_computer->askStrengthIfNeeded();
        }
    } else {
        // A quick action may have turned a match against the computer into a plain one.
        if (m_computer)
            m_computer->removeBoard();
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
                if (QLabel *label = self->m_bar->timerLabel())
                    label->setText(TimeText::clock(double(seconds)));
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
            // Players who sat face to face before the result sit so again,
            // if the match they come back to is still one for two.
            if (std::exchange(self->m_seatAgain, false))
                self->setSimultaneous(true);
            const bool faceToFace = self->isSimultaneous();
            if (NavigationController *nav = self->navigationController()) {
                nav->setInteractivePopGestureEnabled(false);
                nav->setNavigationBarHidden(faceToFace, animated);
            }
            if (faceToFace) {
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
            self->m_tutorial->showOnFirstLaunch(self->m_disposeBag);
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

    if (m_againstComputer) {
        viewDidAppear()
            .asObservable()
            .subscribe([self](bool) {
                if (self && self->m_computer)
                    self->m_computer->askStrengthIfNeeded();
            })
            .disposed(m_disposeBag);
    }

    connect(m_bar, &GameBar::closeTriggered, this, &GameViewController::home);
    connect(m_bar, &GameBar::helpTriggered, this, &GameViewController::showTutorial);
    connect(m_bar, &GameBar::hintClicked, this, &GameViewController::showHint);
    connect(m_bar, &GameBar::simultaneousTriggered, this, &GameViewController::toggleSimultaneous);
}

void GameViewController::showNavigationBarItem(NavigationBarItem item)
{
    if (item.kind() == NavigationBarItem::Kind::strength && m_computer)
        m_computer->updateStrengthItem();
    m_bar->show(item, m_computer ? m_computer->strengthItem() : nullptr);
    configureLeftItems();
}

void GameViewController::handleGameState(const GameState &state)
{
    const QList<GameView *> views = gameViews();
    if (views.isEmpty() || !m_gameManager)
        return;
    if (!state.isPending()) {
        m_pictures->prepare(m_gameManager->games(), m_firstView->boardView()->size(), snapshotPixelRatio());
        prepareResult();
    }
    if (m_gameManager->isAgainstComputer()) {
        handleComputerMatchState(state);
        return;
    }
    if (!m_firstView->boardView()->game())
        return;
    setIdleTimerDisabled(state.isPending());
    updateHintButton();
    m_turns->handleState(state, *m_matchBag);
}

void GameViewController::handleComputerMatchState(const GameState &state)
{
    setIdleTimerDisabled(state.isPending());
    if (!state.isPending() || m_gameManager->isComputerTurn())
        disableKeyboards();
    if (m_computer)
        m_computer->handleState(state, *m_matchBag);
    if (state.isPending())
        return;
    QPointer<GameViewController> self(this);
    scheduler()
        .scheduleAfter(std::chrono::milliseconds(outcomeDelayMs),
                       [self] {
                           if (self)
                               self->showOutcome();
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
    m_pictures->clear();
    if (!isSimultaneous()) {
        performSegue(QStringLiteral("result"), std::move(outcome));
        return;
    }
    // The result stands the window upright while this screen slides away
    // beneath it: two boards side by side would be laid out, and seen,
    // squashed into half a portrait width. One upright board leaves instead.
    // Clearing the table, bringing player 1's board back and pushing the
    // result take an event each, each a few milliseconds; the table stays on
    // screen until the result comes.
    setUpdatesEnabled(false);
    m_faceToFace->unseat(m_gameManager->games(), FaceToFacePlay::Return::later);
    m_seatAgain = true;
    nameBoards();
    setBackground(QStringLiteral("systemBackground"));
    QPointer<GameViewController> self(this);
    scheduler()
        .scheduleAfter(std::chrono::milliseconds(0),
                       [self, outcome = std::move(outcome)]() mutable {
                           if (!self)
                               return;
                           self->m_faceToFace->returnFirstView();
                           self->setUpdatesEnabled(true);
                           self->performSegue(QStringLiteral("result"), std::move(outcome));
                       })
        .disposed(m_disposeBag);
}

void GameViewController::prepareResult() const
{
    // Made while the outcome shows, not in the event that shows it. The
    // result has no bar and stands the window upright.
    const NavigationController *stack = navigationController();
    if (!m_environment.prepareResult || !stack)
        return;
    QSize size = stack->screenSize(false);
    if (size.width() > size.height())
        size.transpose();
    m_environment.prepareResult(size);
}

QList<QImage> GameViewController::boardImages() const
{
    if (!m_gameManager)
        return {};
    return m_pictures->images(m_gameManager->games(), m_firstView->boardView()->size(), snapshotPixelRatio());
}

qreal GameViewController::snapshotPixelRatio() const
{
    // As sharp as the screen shows them, and shared as seen: a picture twice
    // as dense as a desktop's screen held megabytes it never showed.
    return std::max<qreal>(1.0, devicePixelRatioF());
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
    present(GamePrompts::quit([analytics, leave = std::move(leave)] {
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
    if (on == isSimultaneous()) {
        setNeedsStatusBarAppearanceUpdate();
        return;
    }
    if (!m_faceToFace) {
        m_faceToFace = new FaceToFacePlay(m_firstView, ui->gamesStackView, ui->gamesStackContainer, this);
        connect(m_faceToFace, &FaceToFacePlay::closeRequested, this, &GameViewController::home);
        connect(m_faceToFace, &FaceToFacePlay::oneBoardRequested, this, &GameViewController::toggleSimultaneous);
    }
    if (on) {
        m_faceToFace->seat(games);
        if (NavigationController *nav = navigationController())
            nav->setNavigationBarHidden(true, false);
        showNavigationBarItem(NavigationBarItem::none());
        setBackground(QStringLiteral("keyboardDisabled"));
        nameBoards();
        setNeedsStatusBarAppearanceUpdate();
        return;
    }
    const auto shown = m_faceToFace->unseat(games);
    nameBoards();
    const std::int64_t number = playerNumber(shown);
    showNavigationBarItem(NavigationBarItem::turn(number > 0 ? number : 1));
    setBackground(QStringLiteral("systemBackground"));
    if (NavigationController *nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(false, true);
    setNeedsStatusBarAppearanceUpdate();
}

void GameViewController::setBackground(const QString &colour)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, Resources::color(colour));
    setPalette(background);
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
    if (m_faceToFace)
        m_faceToFace->placeRoundButtons();
    if (m_computer)
        m_computer->alignBoard();
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
    if ((event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) || event->text() == QLatin1String("?")) {
        showTutorial();
        return;
    }
    if (isSimultaneous()) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_H && event->modifiers() == Qt::NoModifier && m_bar->hintButton()) {
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

} // namespace kestrune
