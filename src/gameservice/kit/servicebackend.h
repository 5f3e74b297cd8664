#pragma once

#include "achievement.h"
#include "challenge.h"
#include "leaderboard.h"
#include "score.h"
#include "servicecatalogue.h"
#include "serviceerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

namespace kestrune {

// Where the game service keeps its data: the pluggable part of the
// framework. Every call is synchronous and may block (it stands for a round
// trip to the service); the framework makes them on its own service threads,
// several at once, so an implementation must be thread-safe. A failing call
// sets `error` and its result is then meaningless.
class ServiceBackend
{
    Q_DECLARE_TR_FUNCTIONS(ServiceBackend)

public:
    struct Player
    {
        QString playerID;
        QString displayName;
    };

    virtual ~ServiceBackend() = default;

    // The player signed in on this device, nothing when nobody is.
    virtual std::optional<Player> signedInPlayer(OptionalError &error) = 0;
    // Whether a sign-in screen is handed over when nobody is signed in.
    virtual bool offersSignIn() const = 0;
    // Whether the service is reached over the network. One that is not (it
    // lives on this machine) is reachable whatever the network does.
    virtual bool needsNetwork() const { return true; }
    // Signs in (creating the player on first use) under that name.
    virtual Player signIn(const QString &displayName, OptionalError &error) = 0;
    // The server's address for people; empty for a service on this machine.
    virtual QString address() const { return {}; }
    // Whether the player may move the service elsewhere before signing in:
    // to a server (its normalised address) or, with an empty address, to
    // this machine. A move is remembered for later starts.
    virtual bool canMove() const { return false; }
    virtual void moveTo(const QString &address, OptionalError &error)
    {
        (void)address;
        error =
            serviceKitError(ServiceErrorCode::invalidParameter, ServiceBackend::tr("This service stays where it is."));
    }
    // Forgets the player signed in on this device; the next attempt asks again.
    virtual void signOut(OptionalError &error) { (void)error; }
    // Brings an account made elsewhere to this device with its recovery
    // code. A service without such codes refuses.
    virtual Player recoverAccount(const QString &recoveryCode, OptionalError &error)
    {
        (void)recoveryCode;
        error = serviceKitError(ServiceErrorCode::invalidParameter,
                                ServiceBackend::tr("This service has no recovery codes."));
        return {};
    }
    // Ends the round trips under way and refuses later ones at once, so
    // that quitting does not wait for a slow server. Once, at the end.
    virtual void cancelCalls() {}
    // The recovery code of the account the last sign-in created or
    // recovered, once; empty when there is none to show.
    virtual QString takeRecoveryCode() { return {}; }

    virtual ServiceCatalogue catalogue() const = 0;

    virtual std::vector<Leaderboard> loadLeaderboards(const QString &playerID, OptionalError &error) = 0;
    // The best scores of a leaderboard, with the player's own best.
    virtual Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard,
                                           OptionalError &error) = 0;
    // The scores the query names. A service that keeps only all-time
    // bests answers the plain top list and refuses the others.
    virtual Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard,
                                           const Leaderboard::Query &query, OptionalError &error)
    {
        if (query == Leaderboard::Query{})
            return loadScores(playerID, leaderboard, error);
        error = serviceKitError(ServiceErrorCode::invalidParameter,
                                ServiceBackend::tr("This service keeps only the best scores of all time."));
        return {};
    }
    virtual void reportScore(const QString &playerID, const Score &score, OptionalError &error) = 0;

    virtual std::vector<Achievement> loadAchievements(const QString &playerID, OptionalError &error) = 0;
    // Keeps the higher of the known and the reported progress. True when this
    // report has just completed the achievement.
    virtual bool reportAchievement(const QString &playerID, const Achievement &achievement, OptionalError &error) = 0;
    virtual void resetAchievements(const QString &playerID, OptionalError &error) = 0;

    virtual std::vector<Challenge> loadReceivedChallenges(const QString &playerID, OptionalError &error) = 0;
    // Asks another player to beat `score` on the leaderboard; the message
    // may be empty. Only a service of several players has challenges.
    virtual void sendChallenge(const QString &playerID, const QString &toPlayerID, const QString &leaderboard,
                               std::int64_t score, const QString &message, OptionalError &error)
    {
        (void)playerID, (void)toPlayerID, (void)leaderboard, (void)score, (void)message;
        error = serviceKitError(ServiceErrorCode::invalidParameter,
                                ServiceBackend::tr("Challenges need a Kestrune server."));
    }
    // Takes a received challenge off the list.
    virtual void dismissChallenge(const QString &playerID, const QString &identifier, OptionalError &error)
    {
        (void)playerID, (void)identifier;
        error = serviceKitError(ServiceErrorCode::invalidParameter,
                                ServiceBackend::tr("Challenges need a Kestrune server."));
    }
    // Image bytes (PNG), nothing when the player has no photo.
    virtual std::optional<QByteArray> loadPhoto(const QString &playerID, OptionalError &error) = 0;
};

} // namespace kestrune
