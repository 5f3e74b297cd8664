#pragma once

#include "serveraccountfile.h"

#include "gameservice/kit/servicebackend.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace kestrune {

namespace net {
class HttpTransport;
struct HttpRequest;
struct HttpResponse;
} // namespace net

// The game service on a Kestrune server, over its HTTP API. The account
// (player and token) lives in a file of the data folder; signing in
// creates one under the player's name, or moves an existing one here with
// its recovery code. Every call is one round trip on the calling service
// thread, bounded by the transport's timeouts.
//
// A server that answers 429 or 503 with Retry-After is left alone for that
// long: calls fail at once without sending anything. Failures a later try
// may mend (no answer, 5xx, 429) are communicationsFailure; refusals of the
// request itself are invalidParameter; a token the server no longer knows
// is notAuthenticated.
class NetworkServiceBackend final : public ServiceBackend
{
    Q_DECLARE_TR_FUNCTIONS(NetworkServiceBackend)

public:
    // Brings the transport on first use (it loads a module), with why not.
    using TransportSource = std::function<std::shared_ptr<net::HttpTransport>(QString *error)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    NetworkServiceBackend(QString server, QString accountFileName, ServiceCatalogue catalogue,
                          TransportSource transport, Clock clock = {});
    ~NetworkServiceBackend() override;

    QString server() const { return m_server; }
    QString address() const override { return m_server; }

    std::optional<Player> signedInPlayer(OptionalError &error) override;
    bool offersSignIn() const override { return true; }
    Player signIn(const QString &displayName, OptionalError &error) override;
    // Moves the account with that recovery code to this device.
    Player recoverAccount(const QString &recoveryCode, OptionalError &error) override;
    // The server keeps only the code's hash, so whoever takes it must show it.
    QString takeRecoveryCode() override;
    // Forgets the account on this device; its scores stay on the server.
    void signOut(OptionalError &error) override;
    void cancelCalls() override;

    ServiceCatalogue catalogue() const override { return m_catalogue; }

    std::vector<Leaderboard> loadLeaderboards(const QString &playerID, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, const Leaderboard::Query &query,
                                   OptionalError &error) override;
    void reportScore(const QString &playerID, const Score &score, OptionalError &error) override;
    std::vector<Achievement> loadAchievements(const QString &playerID, OptionalError &error) override;
    bool reportAchievement(const QString &playerID, const Achievement &achievement, OptionalError &error) override;
    void resetAchievements(const QString &playerID, OptionalError &error) override;
    std::vector<Challenge> loadReceivedChallenges(const QString &playerID, OptionalError &error) override;
    std::optional<QByteArray> loadPhoto(const QString &playerID, OptionalError &error) override;
    void sendChallenge(const QString &playerID, const QString &toPlayerID, const QString &leaderboard,
                       std::int64_t score, const QString &message, OptionalError &error) override;
    void dismissChallenge(const QString &playerID, const QString &identifier, OptionalError &error) override;

private:
    enum class Auth { none, token };

    // One round trip: the answer's JSON object on 2xx, an error otherwise.
    QJsonObject call(const QByteArray &method, const QString &path, const QJsonObject *body, Auth auth,
                     OptionalError &error);
    std::shared_ptr<net::HttpTransport> transport(OptionalError &error);
    OptionalError errorOf(const net::HttpResponse &response);
    Player keepAccount(const QJsonObject &answer, OptionalError &error);
    std::optional<ServerAccount> account() const;

    const QString m_server;
    ServerAccountFile m_accountFile;
    const ServiceCatalogue m_catalogue;
    const TransportSource m_transportSource;
    const Clock m_clock;

    std::mutex m_mutex;
    std::shared_ptr<net::HttpTransport> m_transport; // under m_mutex
    QString m_transportProblem;                      // under m_mutex
    QString m_recoveryCode;                          // under m_mutex
    // Until when the server asked to be left alone (steady clock, ns).
    std::atomic<std::int64_t> m_quietUntil{0};
};

} // namespace kestrune
