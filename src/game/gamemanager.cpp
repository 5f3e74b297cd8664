#include "gamemanager.h"

#include "analytics.h"
#include "computer/computerstatistics.h"
#include "computer/hintadvisor.h"
#include "game.h"
#include "gameservicehelper.h"
#include "gameservicereporting.h"
#include "player.h"
#include "rx/mainscheduler.h"
#include "securerandomsource.h"
#include "solver/firstconsistentstrategy.h"
#include "solver/strategy.h"
#include "statisticshelper.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestrune {

std::unique_ptr<GameManager> GameManager::create(int numberOfPlayers, GameEnvironment environment)
{
    return make(numberOfPlayers, std::move(environment), std::nullopt);
}

std::unique_ptr<GameManager> GameManager::createAgainstComputer(ComputerStrength strength, GameEnvironment environment)
{
    return make(2, std::move(environment), strength);
}

std::unique_ptr<GameManager> GameManager::make(int numberOfPlayers, GameEnvironment environment,
                                               std::optional<ComputerStrength> computer)
{
    if (numberOfPlayers != 1 && numberOfPlayers != 2)
        return nullptr;

    std::unique_ptr<GameManager> manager(new GameManager(std::move(environment)));
    manager->m_computerStrength = computer;
    if (computer) {
        RandomSource &random =
            manager->m_environment.random ? *manager->m_environment.random : SecureRandomSource::instance();
        manager->m_computerStrategy = ComputerStrengths::makeStrategy(*computer, random);
    }
    if (Analytics *analytics = manager->m_environment.analytics) {
        Analytics::Parameters parameters{{"Type", numberOfPlayers == 1 ? "Single player" : "Two players"}};
        if (computer) {
            parameters["Type"] = "Computer";
            parameters["Strength"] = ComputerStrengths::key(*computer);
        }
        analytics->logEvent("start_game", parameters);
    }

    std::vector<rx::Observable<Result>> results;
    for (int number = 1; number <= numberOfPlayers; ++number) {
        auto game = std::make_shared<Game>(manager->m_environment);
        // The computer's game keeps no books: no events, no statistics.
        if (!(computer && number == 2))
            game->setDelegate(manager.get());
        results.push_back(game->resultSubject().asObservable());
        manager->m_players.push_back(std::make_shared<Player>(game, number));
    }

    // The manager owns the subscription, so it never outlives the manager.
    GameManager *self = manager.get();
    rx::Observable<rx::Observable<Result>>::from(std::move(results))
        .merge()
        .subscribe([self](const Result &) { self->handleResult(); })
        .disposed(manager->m_disposeBag);
    return manager;
}

GameManager::GameManager(GameEnvironment environment)
    : m_environment(std::move(environment))
{
}

GameManager::~GameManager()
{
    // A board may still hold a game for a moment; it must not call us back.
    for (const auto &player : m_players) {
        if (player->game()->delegate() == this)
            player->game()->setDelegate(nullptr);
    }
}

std::vector<std::shared_ptr<GameProtocol>> GameManager::games() const
{
    std::vector<std::shared_ptr<GameProtocol>> all;
    for (const auto &player : m_players)
        all.push_back(player->game());
    return all;
}

std::vector<std::string> GameManager::codes() const
{
    std::vector<std::string> all;
    for (const auto &player : m_players)
        all.push_back(player->game()->code());
    return all;
}

GameState GameManager::gameState() const
{
    if (m_players.size() == 1) {
        const auto &game = m_players.front()->game();
        if (game->isWon())
            return GameState::won({m_players.front()});
        if (!game->isEnded())
            return GameState::pending();
        return GameState::lost(codes());
    }

    std::vector<std::shared_ptr<PlayerProtocol>> winners;
    bool allEnded = true;
    bool sameShots = true;
    const std::size_t firstShots = m_players.front()->game()->shots().size();
    for (const auto &player : m_players) {
        const auto &game = player->game();
        if (game->isWon())
            winners.push_back(player);
        allEnded = allEnded && game->isEnded();
        sameShots = sameShots && game->shots().size() == firstShots;
    }

    const bool decided = allEnded || (sameShots && !winners.empty());
    if (!decided)
        return GameState::pending();
    if (winners.empty())
        return GameState::lost(codes());
    if (winners.size() < m_players.size())
        return GameState::won(std::move(winners));
    if (sameShots)
        return GameState::tie(codes());
    // Everybody won, in different numbers of shots: the fewest shots wins,
    // the earlier player among equals.
    std::stable_sort(winners.begin(), winners.end(), [](const auto &a, const auto &b) {
        return a->game()->shots().size() < b->game()->shots().size();
    });
    return GameState::won({winners.front()});
}

std::shared_ptr<GameProtocol> GameManager::currentGame() const
{
    if (m_players.size() == 1)
        return m_players.front()->game();
    const auto &first = m_players[0]->game();
    const auto &second = m_players[1]->game();
    return second->shots().size() < first->shots().size() ? second : first;
}

bool GameManager::isComputerTurn() const
{
    if (!m_computerStrength || m_players.size() != 2 || !gameState().isPending())
        return false;
    const auto &computerGame = m_players[1]->game();
    return currentGame() == computerGame && !computerGame->isEnded();
}

template<class Answer> void GameManager::solve(std::function<Answer()> work, std::function<void(Answer)> then)
{
    if (!m_environment.background) {
        then(work());
        return;
    }
    // `then` may touch this manager, so it runs only on the GUI thread and
    // only while the manager lives; `work` gets copies of what it needs.
    std::weak_ptr<int> lifetime = m_lifetime;
    m_environment.background(
        [work = std::move(work), then = std::move(then), lifetime = std::move(lifetime)]() mutable {
            Answer answer = work();
            rx::MainScheduler::instance().schedule(
                [then = std::move(then), lifetime = std::move(lifetime), answer = std::move(answer)]() mutable {
                    if (!lifetime.expired())
                        then(std::move(answer));
                });
        });
}

rx::Disposable GameManager::prepareComputerShot(std::function<void()> ready)
{
    if (!isComputerTurn())
        return {};
    // The easy and normal computers answer in well under a millisecond, and
    // the easy one draws from a random source bound to this thread: they
    // think when they shoot.
    const std::shared_ptr<GameProtocol> game = m_players[1]->game();
    const std::size_t turn = game->shots().size();
    if (m_computerStrength != ComputerStrength::hard || (m_preparedShot && m_preparedShot->first == turn)) {
        if (ready)
            ready();
        return {};
    }
    const unsigned request = ++m_computerRequest;
    m_computerReady = std::move(ready);
    solve<std::optional<std::string>>(
        [strategy = m_computerStrategy, shots = game->shots()] { return strategy->nextShot(shots); },
        [this, turn, request](std::optional<std::string> shot) {
            if (shot && m_players[1]->game()->shots().size() == turn)
                m_preparedShot.emplace(turn, std::move(*shot));
            if (request == m_computerRequest && m_computerReady)
                std::exchange(m_computerReady, nullptr)();
        });
    return rx::Disposable([this, lifetime = std::weak_ptr<int>(m_lifetime), request] {
        if (!lifetime.expired() && request == m_computerRequest)
            m_computerReady = nullptr;
    });
}

std::optional<Result> GameManager::playComputerShot()
{
    if (!isComputerTurn())
        return std::nullopt;
    const std::shared_ptr<GameProtocol> game = m_players[1]->game();
    // Nobody waits for a shot still being worked out once this one is played.
    m_computerReady = nullptr;
    std::optional<std::string> shot;
    if (m_preparedShot && m_preparedShot->first == game->shots().size())
        shot = std::move(m_preparedShot->second);
    else
        shot = m_computerStrategy->nextShot(game->shots());
    m_preparedShot.reset();
    if (!shot) {
        // Real scores always leave a code that fits; should they not, the
        // computer still plays rather than stall the match.
        shot = FirstConsistentStrategy().nextShot({});
    }
    return game->shot(*shot);
}

int GameManager::hintsLeft() const
{
    if (m_players.size() != 1)
        return 0;
    return hintsPerGame - m_hintsUsed;
}

rx::Disposable GameManager::requestHint(std::function<void(std::optional<Hint>)> answer)
{
    if (hintsLeft() <= 0 || isHintPending() || !answer || m_players.front()->game()->isEnded())
        return {};
    const unsigned request = ++m_hintRequest;
    m_hintAnswer = std::move(answer);
    startHint();
    if (!isHintPending())
        return {}; // answered at once
    return rx::Disposable([this, lifetime = std::weak_ptr<int>(m_lifetime), request] {
        if (!lifetime.expired() && request == m_hintRequest)
            m_hintAnswer = nullptr;
    });
}

void GameManager::startHint()
{
    std::vector<Shot> shots = m_players.front()->game()->shots();
    const std::size_t asked = shots.size();
    solve<std::optional<Hint>>([shots = std::move(shots)] { return HintAdvisor::advise(shots); },
                               [this, asked](std::optional<Hint> hint) { deliverHint(asked, std::move(hint)); });
}

void GameManager::deliverHint(std::size_t shotsAsked, std::optional<Hint> hint)
{
    if (!m_hintAnswer)
        return; // dropped meanwhile
    const std::shared_ptr<GameProtocol> game = m_players.front()->game();
    if (game->shots().size() != shotsAsked) {
        // The player shot meanwhile: the hint must fit the shots as they are.
        startHint();
        return;
    }
    const auto answer = std::exchange(m_hintAnswer, nullptr);
    if (hint) {
        ++m_hintsUsed;
        if (m_environment.analytics) {
            m_environment.analytics->logEvent(
                "hint", Analytics::Parameters{{"Round", static_cast<std::int64_t>(shotsAsked + 1)}});
        }
    }
    answer(std::move(hint));
}

void GameManager::recordComputerMatch(const GameState &state)
{
    if (!m_computerStrength || m_computerMatchRecorded || state.isPending())
        return;
    m_computerMatchRecorded = true;
    KeyValueStore *store = m_environment.store;
    if (!store)
        return;
    ComputerStatistics::Outcome outcome = ComputerStatistics::Outcome::loss;
    if (state.kind() == GameState::Kind::tie)
        outcome = ComputerStatistics::Outcome::tie;
    else if (state.kind() == GameState::Kind::won && !state.winners().empty() && state.winners().front()->number() == 1)
        outcome = ComputerStatistics::Outcome::win;
    ComputerStatistics::add(*store, *m_computerStrength, outcome);
}

void GameManager::handleResult()
{
    // Nothing changes the games between publishing and the decision, so the
    // state is computed once; copies keep the subject alive should a
    // subscriber release this manager.
    const GameState state = gameState();
    recordComputerMatch(state);
    // A hint still being worked out is no use to a game that has ended.
    if (m_players.size() == 1 && m_players.front()->game()->isEnded())
        m_hintAnswer = nullptr;
    const rx::PublishSubject<GameState> subject = m_gameStateSubject;
    subject.onNext(state);
    if (!state.isPending())
        subject.onCompleted();
}

void GameManager::gameDidWin(GameProtocol &game, std::int64_t points, double seconds)
{
    const auto shots = static_cast<std::int64_t>(game.shots().size());
    if (m_environment.analytics)
        m_environment.analytics->logEvent("won_game", Analytics::Parameters{{"Round", shots}});
    if (m_players.size() > 1)
        return;

    if (KeyValueStore *store = m_environment.store)
        StatisticsHelper::recordGame(*store, true, std::llround(seconds));
    if (isAssisted())
        return;
    if (GameServiceReporting *service = m_environment.gameService) {
        service->saveAndReportScore(points, GameServiceHelper::leaderboard, SortOrder::higherIsBetter);
        GameServiceHelper::report(*service, AchievementEvent::gameWon);
        GameServiceHelper::report(*service, AchievementEvent::gamePlayed);
        if (shots == 1)
            GameServiceHelper::report(*service, AchievementEvent::luckyBeggar);
        if (seconds < 20.0)
            GameServiceHelper::report(*service, AchievementEvent::reallyFast);
    }
}

void GameManager::gameDidLose(double seconds)
{
    if (m_environment.analytics)
        m_environment.analytics->logEvent("lost_game");
    if (m_players.size() > 1)
        return;

    if (KeyValueStore *store = m_environment.store)
        StatisticsHelper::recordGame(*store, false, std::llround(seconds));
    // The games-played achievements count every game, lost ones too; the
    // wins have achievements of their own.
    if (isAssisted())
        return;
    if (GameServiceReporting *service = m_environment.gameService)
        GameServiceHelper::report(*service, AchievementEvent::gamePlayed);
}

} // namespace kestrune
