#include "servicerouter.h"

namespace kestrune {

ServiceRouter::ServiceRouter(const QString &address, Factory factory, Remember remember)
    : m_factory(std::move(factory))
    , m_remember(std::move(remember))
    , m_current(m_factory(address))
{
}

std::shared_ptr<ServiceBackend> ServiceRouter::current() const
{
    std::lock_guard lock(m_mutex);
    return m_current;
}

void ServiceRouter::moveTo(const QString &address, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    if (m_current->address() == address)
        return;
    OptionalError signedIn;
    if (m_current->signedInPlayer(signedIn)) {
        // Moving would leave a player signed in at a place nobody sees.
        error = serviceKitError(ServiceErrorCode::invalidParameter,
                                ServiceRouter::tr("Sign out before keeping your scores elsewhere."));
        return;
    }
    m_current = m_factory(address);
    if (m_remember)
        m_remember(address);
}

std::optional<ServiceBackend::Player> ServiceRouter::signedInPlayer(OptionalError &error)
{
    return current()->signedInPlayer(error);
}

bool ServiceRouter::offersSignIn() const
{
    return current()->offersSignIn();
}

bool ServiceRouter::needsNetwork() const
{
    return current()->needsNetwork();
}

ServiceBackend::Player ServiceRouter::signIn(const QString &displayName, OptionalError &error)
{
    return current()->signIn(displayName, error);
}

QString ServiceRouter::address() const
{
    return current()->address();
}

void ServiceRouter::signOut(OptionalError &error)
{
    current()->signOut(error);
}

ServiceBackend::Player ServiceRouter::recoverAccount(const QString &recoveryCode, OptionalError &error)
{
    return current()->recoverAccount(recoveryCode, error);
}

void ServiceRouter::cancelCalls()
{
    current()->cancelCalls();
}

QString ServiceRouter::takeRecoveryCode()
{
    return current()->takeRecoveryCode();
}

ServiceCatalogue ServiceRouter::catalogue() const
{
    return current()->catalogue();
}

std::vector<Leaderboard> ServiceRouter::loadLeaderboards(const QString &playerID, OptionalError &error)
{
    return current()->loadLeaderboards(playerID, error);
}

Leaderboard::Scores ServiceRouter::loadScores(const QString &playerID, const QString &leaderboard, OptionalError &error)
{
    return current()->loadScores(playerID, leaderboard, error);
}

Leaderboard::Scores ServiceRouter::loadScores(const QString &playerID, const QString &leaderboard,
                                              const Leaderboard::Query &query, OptionalError &error)
{
    return current()->loadScores(playerID, leaderboard, query, error);
}

void ServiceRouter::reportScore(const QString &playerID, const Score &score, OptionalError &error)
{
    current()->reportScore(playerID, score, error);
}

std::vector<Achievement> ServiceRouter::loadAchievements(const QString &playerID, OptionalError &error)
{
    return current()->loadAchievements(playerID, error);
}

bool ServiceRouter::reportAchievement(const QString &playerID, const Achievement &achievement, OptionalError &error)
{
    return current()->reportAchievement(playerID, achievement, error);
}

void ServiceRouter::resetAchievements(const QString &playerID, OptionalError &error)
{
    current()->resetAchievements(playerID, error);
}

std::vector<Challenge> ServiceRouter::loadReceivedChallenges(const QString &playerID, OptionalError &error)
{
    return current()->loadReceivedChallenges(playerID, error);
}

void ServiceRouter::sendChallenge(const QString &playerID, const QString &toPlayerID, const QString &leaderboard,
                                  std::int64_t score, const QString &message, OptionalError &error)
{
    current()->sendChallenge(playerID, toPlayerID, leaderboard, score, message, error);
}

void ServiceRouter::dismissChallenge(const QString &playerID, const QString &identifier, OptionalError &error)
{
    current()->dismissChallenge(playerID, identifier, error);
}

std::optional<QByteArray> ServiceRouter::loadPhoto(const QString &playerID, OptionalError &error)
{
    return current()->loadPhoto(playerID, error);
}

} // namespace kestrune
