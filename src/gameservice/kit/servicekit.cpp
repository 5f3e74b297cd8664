#include "servicekit.h"

#include "servicebackend.h"
#include "servicescreenpresenter.h"

#include "platform/dispatch/dispatchqueue.h"
#include "platform/dispatch/workerpool.h"

#include <QSysInfo>

namespace kestrune {

namespace {
constexpr int serviceThreads = 4;

ServiceError notSignedIn()
{
    return serviceKitError(ServiceErrorCode::notAuthenticated, ServiceKit::tr("No player is signed in."));
}
} // namespace

std::shared_ptr<ServiceKit> ServiceKit::create(std::shared_ptr<ServiceBackend> backend)
{
    return std::shared_ptr<ServiceKit>(new ServiceKit(std::move(backend)));
}

ServiceKit::ServiceKit(std::shared_ptr<ServiceBackend> backend)
    : m_backend(std::move(backend))
    , m_pool(std::make_unique<WorkerPool>(QStringLiteral("ServiceKit"), serviceThreads))
    , m_localPlayer(*this)
{
}

ServiceKit::~ServiceKit()
{
    m_pool->waitForIdle();
}

ServiceCatalogue ServiceKit::catalogue() const
{
    return m_backend->catalogue();
}

void ServiceKit::setScreenPresenter(std::shared_ptr<ServiceScreenPresenter> presenter)
{
    std::lock_guard lock(m_mutex);
    m_presenter = std::move(presenter);
}

std::shared_ptr<ServiceScreenPresenter> ServiceKit::screenPresenter() const
{
    std::lock_guard lock(m_mutex);
    return m_presenter;
}

bool ServiceKit::hasChallenges() const
{
    std::lock_guard lock(m_mutex);
    return m_hasChallenges;
}

void ServiceKit::setHasChallenges(bool has)
{
    std::lock_guard lock(m_mutex);
    m_hasChallenges = has;
}

QString ServiceKit::systemVersion()
{
    return QSysInfo::productVersion();
}

void ServiceKit::run(std::function<void()> task)
{
    m_pool->async(std::move(task));
}

void ServiceKit::waitForIdle()
{
    m_pool->waitForIdle();
}

void ServiceKit::runForPlayer(std::function<void(const QString &)> task, std::function<void(const ServiceError &)> fail)
{
    run([this, task = std::move(task), fail = std::move(fail)] {
        if (const auto id = m_localPlayer.playerID())
            task(*id);
        else
            fail(notSignedIn());
    });
}

void ServiceKit::noteRefusal(const OptionalError &error)
{
    if (!error || error->code != ServiceErrorCode::notAuthenticated)
        return;
    // The service no longer knows the player (an account moved elsewhere):
    // nobody is signed in here until the next attempt asks.
    OptionalError ignored;
    if (!m_backend->signedInPlayer(ignored))
        m_localPlayer.forgetLostPlayer();
}

template<typename T>
void ServiceKit::fetch(Completion<T> completion, std::function<T(const QString &, OptionalError &)> call)
{
    runForPlayer(
        [this, completion, call = std::move(call)](const QString &player) {
            OptionalError error;
            T value = call(player, error);
            noteRefusal(error);
            completion(error ? T{} : std::move(value), error);
        },
        [completion](const ServiceError &e) { completion(T{}, e); });
}

void ServiceKit::perform(ErrorCompletion completion, std::function<void(const QString &, OptionalError &)> call)
{
    runForPlayer(
        [this, completion, call = std::move(call)](const QString &player) {
            OptionalError error;
            call(player, error);
            noteRefusal(error);
            if (completion)
                completion(error);
        },
        [completion](const ServiceError &e) {
            if (completion)
                completion(e);
        });
}

void ServiceKit::loadLeaderboards(Completion<std::vector<Leaderboard>> completion)
{
    fetch<std::vector<Leaderboard>>(std::move(completion), [this](const QString &player, OptionalError &error) {
        return m_backend->loadLeaderboards(player, error);
    });
}

void ServiceKit::loadScores(const QString &leaderboard, Completion<Leaderboard::Scores> completion)
{
    fetch<Leaderboard::Scores>(std::move(completion), [this, leaderboard](const QString &player, OptionalError &error) {
        return m_backend->loadScores(player, leaderboard, error);
    });
}

void ServiceKit::loadScores(const QString &leaderboard, Leaderboard::Query query,
                            Completion<Leaderboard::Scores> completion)
{
    fetch<Leaderboard::Scores>(std::move(completion),
                               [this, leaderboard, query](const QString &player, OptionalError &error) {
                                   return m_backend->loadScores(player, leaderboard, query, error);
                               });
}

void ServiceKit::reportScores(std::vector<Score> scores, ErrorCompletion completion)
{
    perform(std::move(completion), [this, scores = std::move(scores)](const QString &player, OptionalError &error) {
        for (const Score &score : scores) {
            m_backend->reportScore(player, score, error);
            if (error)
                break;
        }
    });
}

void ServiceKit::loadAchievements(Completion<std::vector<Achievement>> completion)
{
    fetch<std::vector<Achievement>>(std::move(completion), [this](const QString &player, OptionalError &error) {
        return m_backend->loadAchievements(player, error);
    });
}

void ServiceKit::reportAchievements(std::vector<Achievement> achievements, ErrorCompletion completion)
{
    perform(std::move(completion),
            [this, achievements = std::move(achievements)](const QString &player, OptionalError &error) {
                for (const Achievement &achievement : achievements) {
                    const bool completedNow = m_backend->reportAchievement(player, achievement, error);
                    if (error)
                        break;
                    if (completedNow && achievement.showsCompletionBanner())
                        showCompletionBanner(achievement.identifier());
                }
            });
}

void ServiceKit::showCompletionBanner(const QString &identifier)
{
    auto description = m_backend->catalogue().achievement(identifier);
    std::weak_ptr<ServiceKit> weak = weak_from_this();
    DispatchQueue::main([weak, description] {
        auto self = weak.lock();
        if (auto presenter = self ? self->screenPresenter() : nullptr)
            presenter->showCompletionBanner(description);
    });
}

void ServiceKit::resetAchievements(ErrorCompletion completion)
{
    perform(std::move(completion),
            [this](const QString &player, OptionalError &error) { m_backend->resetAchievements(player, error); });
}

void ServiceKit::loadReceivedChallenges(Completion<std::vector<Challenge>> completion)
{
    fetch<std::vector<Challenge>>(std::move(completion), [this](const QString &player, OptionalError &error) {
        return m_backend->loadReceivedChallenges(player, error);
    });
}

void ServiceKit::sendChallenge(const QString &toPlayerID, const QString &leaderboard, std::int64_t score,
                               const QString &message, ErrorCompletion completion)
{
    perform(std::move(completion), [=, this](const QString &player, OptionalError &error) {
        m_backend->sendChallenge(player, toPlayerID, leaderboard, score, message, error);
    });
}

void ServiceKit::dismissChallenge(const QString &identifier, ErrorCompletion completion)
{
    perform(std::move(completion), [this, identifier](const QString &player, OptionalError &error) {
        m_backend->dismissChallenge(player, identifier, error);
    });
}

} // namespace kestrune
