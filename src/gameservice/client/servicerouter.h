#pragma once

#include "gameservice/kit/servicebackend.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <mutex>

namespace kestrune {

// The backend of the place the player chose: this machine or a server. It
// hands every call to that place's backend and, before anybody signs in,
// lets the player move to another place; a call under way finishes where
// it started. Thread-safe.
class ServiceRouter final : public ServiceBackend
{
    Q_DECLARE_TR_FUNCTIONS(ServiceRouter)

public:
    // Makes the backend of a place ("" for this machine, else a server's
    // address), and keeps the choice for later starts.
    using Factory = std::function<std::shared_ptr<ServiceBackend>(const QString &address)>;
    using Remember = std::function<void(const QString &address)>;

    ServiceRouter(const QString &address, Factory factory, Remember remember);

    std::shared_ptr<ServiceBackend> current() const;

    std::optional<Player> signedInPlayer(OptionalError &error) override;
    bool offersSignIn() const override;
    bool needsNetwork() const override;
    Player signIn(const QString &displayName, OptionalError &error) override;
    QString address() const override;
    bool canMove() const override { return true; }
    void moveTo(const QString &address, OptionalError &error) override;
    void signOut(OptionalError &error) override;
    Player recoverAccount(const QString &recoveryCode, OptionalError &error) override;
    void cancelCalls() override;
    QString takeRecoveryCode() override;
    ServiceCatalogue catalogue() const override;

    std::vector<Leaderboard> loadLeaderboards(const QString &playerID, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, const Leaderboard::Query &query,
                                   OptionalError &error) override;
    void reportScore(const QString &playerID, const Score &score, OptionalError &error) override;
    std::vector<Achievement> loadAchievements(const QString &playerID, OptionalError &error) override;
    bool reportAchievement(const QString &playerID, const Achievement &achievement, OptionalError &error) override;
    void resetAchievements(const QString &playerID, OptionalError &error) override;
    std::vector<Challenge> loadReceivedChallenges(const QString &playerID, OptionalError &error) override;
    void sendChallenge(const QString &playerID, const QString &toPlayerID, const QString &leaderboard,
                       std::int64_t score, const QString &message, OptionalError &error) override;
    void dismissChallenge(const QString &playerID, const QString &identifier, OptionalError &error) override;
    std::optional<QByteArray> loadPhoto(const QString &playerID, OptionalError &error) override;

private:
    const Factory m_factory;
    const Remember m_remember;
    mutable std::mutex m_mutex;
    std::shared_ptr<ServiceBackend> m_current; // under m_mutex
};

} // namespace kestrune
