#include "servicekit.h"

#include "servicebackend.h"
#include "servicescreenpresenter.h"

#include "platform/dispatch/dispatchqueue.h"

#include <QSysInfo>
#include <QThreadPool>

namespace kestrune {

namespace {
constexpr int serviceThreads = 4;

ServiceError notSignedIn()
{
    return serviceKitError(ServiceErrorCode::notAuthenticated, QStringLiteral("No player is signed in."));
}
} // namespace

std::shared_ptr<ServiceKit> ServiceKit::create(std::shared_ptr<ServiceBackend> backend)
{
    return std::shared_ptr<ServiceKit>(new ServiceKit(std::move(backend)));
}

ServiceKit::ServiceKit(std::shared_ptr<ServiceBackend> backend)
    : m_backend(std::move(backend))
    , m_pool(std::make_unique<QThreadPool>())
    , m_localPlayer(*this)
{
    m_pool->setMaxThreadCount(serviceThreads);
    m_pool->setObjectName(QStringLiteral("ServiceKit"));
}

ServiceKit::~ServiceKit()
{
    m_pool->waitForDone();
}

ServiceCatalogue ServiceKit::catalogue() const
{
    return m_backend->catalogue();
}

void ServiceKit::setScreenPresenter(std::shared_ptr<ServiceScreenPresenter> presenter)
{
    QMutexLocker lock(&m_mutex);
    m_presenter = std::move(presenter);
}

std::shared_ptr<ServiceScreenPresenter> ServiceKit::screenPresenter() const
{
    QMutexLocker lock(&m_mutex);
    return m_presenter;
}

bool ServiceKit::hasChallenges() const
{
    QMutexLocker lock(&m_mutex);
    return m_hasChallenges;
}

void ServiceKit::setHasChallenges(bool has)
{
    QMutexLocker lock(&m_mutex);
    m_hasChallenges = has;
}

QString ServiceKit::systemVersion()
{
    return QSysInfo::productVersion();
}

void ServiceKit::run(std::function<void()> task)
{
    m_pool->start(std::move(task));
}

void ServiceKit::waitForIdle()
{
    m_pool->waitForDone();
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

void ServiceKit::loadLeaderboards(Completion<std::vector<Leaderboard>> completion)
{
    runForPlayer(
        [this, completion](const QString &player) {
            OptionalError error;
            auto boards = m_backend->loadLeaderboards(player, error);
            completion(error ? std::vector<Leaderboard>{} : std::move(boards), error);
        },
        [completion](const ServiceError &e) { completion({}, e); });
}

void ServiceKit::loadScores(const QString &leaderboard, Completion<Leaderboard::Scores> completion)
{
    runForPlayer(
        [this, leaderboard, completion](const QString &player) {
            OptionalError error;
            auto scores = m_backend->loadScores(player, leaderboard, error);
            completion(error ? Leaderboard::Scores{} : std::move(scores), error);
        },
        [completion](const ServiceError &e) { completion({}, e); });
}

void ServiceKit::reportScores(std::vector<Score> scores, ErrorCompletion completion)
{
    runForPlayer(
        [this, scores = std::move(scores), completion](const QString &player) {
            OptionalError error;
            for (const Score &score : scores) {
                m_backend->reportScore(player, score, error);
                if (error)
                    break;
            }
            if (completion)
                completion(error);
        },
        [completion](const ServiceError &e) { if (completion) completion(e); });
}

void ServiceKit::loadAchievements(Completion<std::vector<Achievement>> completion)
{
    runForPlayer(
        [this, completion](const QString &player) {
            OptionalError error;
            auto achievements = m_backend->loadAchievements(player, error);
            completion(error ? std::vector<Achievement>{} : std::move(achievements), error);
        },
        [completion](const ServiceError &e) { completion({}, e); });
}

void ServiceKit::reportAchievements(std::vector<Achievement> achievements, ErrorCompletion completion)
{
    runForPlayer(
        [this, achievements = std::move(achievements), completion](const QString &player) {
            OptionalError error;
            for (const Achievement &achievement : achievements) {
                const bool completedNow = m_backend->reportAchievement(player, achievement, error);
                if (error)
                    break;
                if (completedNow && achievement.showsCompletionBanner()) {
                    auto description = m_backend->catalogue().achievement(achievement.identifier());
                    std::weak_ptr<ServiceKit> weak = weak_from_this();
                    DispatchQueue::main([weak, description] {
                        auto self = weak.lock();
                        if (auto presenter = self ? self->screenPresenter() : nullptr)
                            presenter->showCompletionBanner(description);
                    });
                }
            }
            if (completion)
                completion(error);
        },
        [completion](const ServiceError &e) { if (completion) completion(e); });
}

void ServiceKit::resetAchievements(ErrorCompletion completion)
{
    runForPlayer(
        [this, completion](const QString &player) {
            OptionalError error;
            m_backend->resetAchievements(player, error);
            if (completion)
                completion(error);
        },
        [completion](const ServiceError &e) { if (completion) completion(e); });
}

void ServiceKit::loadReceivedChallenges(Completion<std::vector<Challenge>> completion)
{
    runForPlayer(
        [this, completion](const QString &player) {
            OptionalError error;
            auto challenges = m_backend->loadReceivedChallenges(player, error);
            completion(error ? std::vector<Challenge>{} : std::move(challenges), error);
        },
        [completion](const ServiceError &e) { completion({}, e); });
}

} // namespace kestrune
