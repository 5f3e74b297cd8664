#pragma once

#include "achievement.h"
#include "challenge.h"
#include "leaderboard.h"
#include "localplayer.h"
#include "score.h"
#include "servicecatalogue.h"
#include "serviceerror.h"

#include <QCoreApplication>
#include <QString>
#include <mutex>

#include <functional>
#include <memory>
#include <vector>

namespace kestrune {

class ServiceBackend;
class ServiceScreenPresenter;
class WorkerPool;

// The game-service framework: the local player, the service calls, the
// screens. Every service call returns at once; its completion runs later on
// one of the framework's service threads, never inside the call. Calls for
// the player's own data fail with notAuthenticated while nobody is signed
// in. Destroying the framework waits for the calls under way.
class ServiceKit : public std::enable_shared_from_this<ServiceKit>
{
    Q_DECLARE_TR_FUNCTIONS(ServiceKit)

public:
    template<typename T> using Completion = std::function<void(T, OptionalError)>;
    using ErrorCompletion = std::function<void(OptionalError)>;

    static std::shared_ptr<ServiceKit> create(std::shared_ptr<ServiceBackend> backend);
    ~ServiceKit();
    ServiceKit(const ServiceKit &) = delete;
    ServiceKit &operator=(const ServiceKit &) = delete;

    LocalPlayer &localPlayer() { return m_localPlayer; }
    ServiceBackend &backend() { return *m_backend; }
    ServiceCatalogue catalogue() const;

    // The widget side; none by default (headless). GUI thread.
    void setScreenPresenter(std::shared_ptr<ServiceScreenPresenter> presenter);
    std::shared_ptr<ServiceScreenPresenter> screenPresenter() const;

    // Whether this version of the framework has challenges.
    bool hasChallenges() const;
    void setHasChallenges(bool has);
    static QString systemVersion();

    void loadLeaderboards(Completion<std::vector<Leaderboard>> completion);
    // The request names the local player alone.
    void loadScores(const QString &leaderboard, Completion<Leaderboard::Scores> completion);
    void loadScores(const QString &leaderboard, Leaderboard::Query query, Completion<Leaderboard::Scores> completion);
    void reportScores(std::vector<Score> scores, ErrorCompletion completion);
    void loadAchievements(Completion<std::vector<Achievement>> completion);
    // Shows the completion banner of each achievement this report completes
    // and that asks for it.
    void reportAchievements(std::vector<Achievement> achievements, ErrorCompletion completion);
    void resetAchievements(ErrorCompletion completion);
    void loadReceivedChallenges(Completion<std::vector<Challenge>> completion);
    void sendChallenge(const QString &toPlayerID, const QString &leaderboard, std::int64_t score, const QString &message,
                       ErrorCompletion completion);
    void dismissChallenge(const QString &identifier, ErrorCompletion completion);

    // Runs the task on a service thread.
    void run(std::function<void()> task);
    // Blocks until no service call is under way; for shutdown and tests.
    void waitForIdle();

private:
    explicit ServiceKit(std::shared_ptr<ServiceBackend> backend);

    // Runs the task with the signed-in player's id, or fails the completion.
    void runForPlayer(std::function<void(const QString &)> task, std::function<void(const ServiceError &)> fail);
    // A call for the player that brings back a value, or only an error.
    template<typename T> void fetch(Completion<T> completion, std::function<T(const QString &, OptionalError &)> call);
    void perform(ErrorCompletion completion, std::function<void(const QString &, OptionalError &)> call);
    void showCompletionBanner(const QString &identifier);
    // Follows a service that has forgotten the player.
    void noteRefusal(const OptionalError &error);

    std::shared_ptr<ServiceBackend> m_backend;
    std::unique_ptr<WorkerPool> m_pool;
    LocalPlayer m_localPlayer;
    mutable std::mutex m_mutex;
    std::shared_ptr<ServiceScreenPresenter> m_presenter;
    bool m_hasChallenges = true;
};

} // namespace kestrune
