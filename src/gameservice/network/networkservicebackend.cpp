#include "networkservicebackend.h"

#include "transport/httptransport.h"

#include <QDateTime>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QUrlQuery>

#include <cmath>

namespace kestrune {

namespace {

ServiceError failure(int code, const QString &message)
{
    return serviceKitError(code, message);
}

QDateTime dateOf(const QJsonValue &millis)
{
    return millis.isDouble() ? QDateTime::fromMSecsSinceEpoch(qint64(millis.toDouble()), Qt::UTC) : QDateTime();
}

Score scoreOf(const QString &leaderboard, const QJsonObject &row)
{
    Score score(leaderboard);
    score.setValue(std::int64_t(row.value(QLatin1String("score")).toDouble()));
    score.setPlayerID(row.value(QLatin1String("playerId")).toString());
    score.setDisplayName(row.value(QLatin1String("displayName")).toString());
    score.setRank(std::int64_t(row.value(QLatin1String("rank")).toDouble()));
    score.setDate(dateOf(row.value(QLatin1String("reportedAt"))));
    return score;
}

// Path segments are identifiers of letters, digits and '_', but a caller's
// mistake must not turn into another path.
QString segment(const QString &identifier)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(identifier));
}

} // namespace

NetworkServiceBackend::NetworkServiceBackend(QString server, QString accountFileName, ServiceCatalogue catalogue,
                                             TransportSource transport, Clock clock)
    : m_server(std::move(server))
    , m_accountFile(std::move(accountFileName))
    , m_catalogue(std::move(catalogue))
    , m_transportSource(std::move(transport))
    , m_clock(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); }))
{
}

NetworkServiceBackend::~NetworkServiceBackend() = default;

std::optional<ServerAccount> NetworkServiceBackend::account() const
{
    auto account = m_accountFile.load();
    // An account on another server is not one here.
    if (account && account->server != m_server)
        return std::nullopt;
    return account;
}

std::optional<ServiceBackend::Player> NetworkServiceBackend::signedInPlayer(OptionalError &)
{
    // The device knows who signed in on it; asking the server would keep
    // the player out whenever it cannot be reached.
    if (const auto a = account())
        return Player{a->playerID, a->displayName};
    return std::nullopt;
}

ServiceBackend::Player NetworkServiceBackend::keepAccount(const QJsonObject &answer, OptionalError &error)
{
    const ServerAccount created{m_server, answer.value(QLatin1String("playerId")).toString(),
                                answer.value(QLatin1String("displayName")).toString(),
                                answer.value(QLatin1String("token")).toString()};
    if (created.playerID.isEmpty() || created.token.isEmpty()) {
        error = failure(ServiceErrorCode::unknown, NetworkServiceBackend::tr("The server's answer lacks the account."));
        return {};
    }
    QString problem;
    if (!m_accountFile.save(created, &problem)) {
        error = failure(ServiceErrorCode::unknown,
                        NetworkServiceBackend::tr("The account could not be kept on this computer: %1").arg(problem));
        return {};
    }
    {
        std::lock_guard lock(m_mutex);
        m_recoveryCode = answer.value(QLatin1String("recoveryCode")).toString();
    }
    return Player{created.playerID, created.displayName};
}

ServiceBackend::Player NetworkServiceBackend::signIn(const QString &displayName, OptionalError &error)
{
    const QJsonObject body{{QStringLiteral("displayName"), displayName}};
    const QJsonObject answer = call("POST", QStringLiteral("/v1/accounts"), &body, Auth::none, error);
    return error ? Player{} : keepAccount(answer, error);
}

ServiceBackend::Player NetworkServiceBackend::recoverAccount(const QString &recoveryCode, OptionalError &error)
{
    const QJsonObject body{{QStringLiteral("recoveryCode"), recoveryCode}};
    const QJsonObject answer = call("POST", QStringLiteral("/v1/accounts/recover"), &body, Auth::none, error);
    return error ? Player{} : keepAccount(answer, error);
}

QString NetworkServiceBackend::takeRecoveryCode()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_recoveryCode, QString());
}

void NetworkServiceBackend::signOut(OptionalError &error)
{
    QString problem;
    if (!m_accountFile.remove(&problem))
        error = failure(ServiceErrorCode::unknown,
                        NetworkServiceBackend::tr("The account could not be forgotten: %1").arg(problem));
}

void NetworkServiceBackend::cancelCalls()
{
    std::shared_ptr<net::HttpTransport> transport;
    {
        std::lock_guard lock(m_mutex);
        transport = m_transport;
    }
    if (transport)
        transport->cancelAll();
}

std::shared_ptr<net::HttpTransport> NetworkServiceBackend::transport(OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    if (!m_transport && m_transportProblem.isEmpty()) {
        QString problem;
        m_transport = m_transportSource ? m_transportSource(&problem) : nullptr;
        if (!m_transport)
            m_transportProblem = problem.isEmpty() ? NetworkServiceBackend::tr("No network transport.") : problem;
    }
    if (!m_transport)
        error = failure(ServiceErrorCode::communicationsFailure, m_transportProblem);
    return m_transport;
}

QJsonObject NetworkServiceBackend::call(const QByteArray &method, const QString &path, const QJsonObject *body,
                                        Auth auth, OptionalError &error)
{
    const auto now = m_clock().time_since_epoch();
    const auto quietUntil = std::chrono::nanoseconds(m_quietUntil.load());
    if (now < quietUntil) {
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(quietUntil - now).count();
        error = failure(ServiceErrorCode::communicationsFailure,
                        NetworkServiceBackend::tr("The server asked to wait; trying again in %1 s.").arg(seconds));
        return {};
    }
    net::HttpRequest request;
    request.method = method.toStdString();
    request.url = (m_server + path).toStdString();
    request.headers.emplace_back("accept", "application/json");
    if (auth == Auth::token) {
        const auto a = account();
        if (!a) {
            error = failure(ServiceErrorCode::notAuthenticated,
                            NetworkServiceBackend::tr("No player is signed in on this server."));
            return {};
        }
        request.headers.emplace_back("authorization", "Bearer " + a->token.toStdString());
    }
    if (body) {
        request.headers.emplace_back("content-type", "application/json");
        request.body = QJsonDocument(*body).toJson(QJsonDocument::Compact).toStdString();
    }
    const auto http = transport(error);
    if (!http)
        return {};
    const net::HttpResponse response = http->send(request);
    error = errorOf(response);
    if (error && auth == Auth::token && response.status == 401) {
        // The server holds no player for this token any more: the account
        // moved to another computer with its recovery code, or the server
        // lost it. It cannot work again; it is set aside, not deleted, and
        // the player is asked to sign in.
        QString problem;
        if (!m_accountFile.setAside(&problem))
            qWarning().noquote() << "Game service:" << problem;
        error = failure(
            ServiceErrorCode::notAuthenticated,
            NetworkServiceBackend::tr("The server no longer knows this computer's account (it may have moved to "
                                      "another computer with its recovery code). Sign in again."));
    }
    if (error)
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(response.body));
    if (!document.isObject()) {
        error = failure(ServiceErrorCode::communicationsFailure,
                        NetworkServiceBackend::tr("The server's answer to %1 is not JSON.").arg(path));
        return {};
    }
    return document.object();
}

OptionalError NetworkServiceBackend::errorOf(const net::HttpResponse &response)
{
    using Failure = net::HttpResponse::Failure;
    if (response.failure != Failure::none) {
        const QString why = QString::fromStdString(response.error);
        const int code =
            response.failure == Failure::cancelled ? ServiceErrorCode::cancelled : ServiceErrorCode::communicationsFailure;
        return failure(code, NetworkServiceBackend::tr("The server %1 did not answer: %2").arg(m_server, why));
    }
    if (response.status >= 200 && response.status < 300)
        return std::nullopt;

    // Retry-After in seconds (the only form this server sends); a date or
    // nonsense is ignored rather than obeyed.
    bool ok = false;
    const qint64 retryAfter = QByteArray::fromStdString(response.header("retry-after")).trimmed().toLongLong(&ok);
    if (ok && retryAfter > 0) {
        const auto until = m_clock().time_since_epoch() + std::chrono::seconds(std::min<qint64>(retryAfter, 3600));
        m_quietUntil.store(std::chrono::duration_cast<std::chrono::nanoseconds>(until).count());
    }
    const QJsonObject problem =
        QJsonDocument::fromJson(QByteArray::fromStdString(response.body)).object().value(QLatin1String("error")).toObject();
    const QString code = problem.value(QLatin1String("code")).toString();
    const QString message = problem.value(QLatin1String("message")).toString();
    const QString said = message.isEmpty() ? NetworkServiceBackend::tr("status %1").arg(response.status)
                                           : QStringLiteral("%1 (%2)").arg(message, code);
    if (response.status == 401)
        return failure(ServiceErrorCode::notAuthenticated,
                       NetworkServiceBackend::tr("The server does not know this player: %1").arg(said));
    if (response.status == 429 || response.status == 408 || response.status >= 500)
        return failure(ServiceErrorCode::communicationsFailure,
                       NetworkServiceBackend::tr("The server is busy: %1").arg(said));
    return failure(ServiceErrorCode::invalidParameter, NetworkServiceBackend::tr("The server refused: %1").arg(said));
}

std::vector<Leaderboard> NetworkServiceBackend::loadLeaderboards(const QString &, OptionalError &)
{
    // Both sides are built from one catalogue.
    std::vector<Leaderboard> boards;
    for (const auto &l : m_catalogue.leaderboards)
        boards.push_back({l.identifier, l.title});
    return boards;
}

Leaderboard::Scores NetworkServiceBackend::loadScores(const QString &playerID, const QString &leaderboard,
                                                      OptionalError &error)
{
    return loadScores(playerID, leaderboard, Leaderboard::Query{}, error);
}

Leaderboard::Scores NetworkServiceBackend::loadScores(const QString &, const QString &leaderboard,
                                                      const Leaderboard::Query &query, OptionalError &error)
{
    const QString scope = query.scope == Leaderboard::Scope::today  ? QStringLiteral("today")
                          : query.scope == Leaderboard::Scope::week ? QStringLiteral("week")
                                                                    : QStringLiteral("all");
    const bool around = query.window == Leaderboard::Window::aroundMe;
    const QString path = around ? QStringLiteral("/v1/leaderboards/%1/around-me?scope=%2&radius=10")
                                : QStringLiteral("/v1/leaderboards/%1/top?scope=%2&limit=50");
    // The top list is public; with a token it brings the player's own row.
    const auto mine = account();
    const QJsonObject answer = call("GET", path.arg(segment(leaderboard), scope), nullptr,
                                    around || mine ? Auth::token : Auth::none, error);
    Leaderboard::Scores scores;
    if (error)
        return scores;
    const QString me = mine ? mine->playerID : QString();
    for (const QJsonValue &row : answer.value(QLatin1String("entries")).toArray()) {
        scores.scores.push_back(scoreOf(leaderboard, row.toObject()));
        if (around && scores.scores.back().playerID() == me)
            scores.localPlayerScore = scores.scores.back();
    }
    if (const QJsonValue mine = answer.value(QLatin1String("me")); mine.isObject())
        scores.localPlayerScore = scoreOf(leaderboard, mine.toObject());
    scores.playerCount = std::int64_t(answer.value(QLatin1String("entryCount")).toDouble());
    return scores;
}

void NetworkServiceBackend::reportScore(const QString &, const Score &score, OptionalError &error)
{
    QJsonObject body{{QStringLiteral("score"), qint64(score.value())}};
    if (!score.reportID().isEmpty())
        body.insert(QStringLiteral("reportId"), score.reportID());
    call("POST", QStringLiteral("/v1/leaderboards/%1/scores").arg(segment(score.leaderboardIdentifier())), &body,
         Auth::token, error);
}

std::vector<Achievement> NetworkServiceBackend::loadAchievements(const QString &, OptionalError &error)
{
    const QJsonObject answer = call("GET", QStringLiteral("/v1/achievements"), nullptr, Auth::token, error);
    std::vector<Achievement> achievements;
    if (error)
        return achievements;
    for (const QJsonValue &value : answer.value(QLatin1String("achievements")).toArray()) {
        const QJsonObject row = value.toObject();
        // Only those the player has moved, as the framework reports them.
        if (row.value(QLatin1String("updatedAt")).isNull())
            continue;
        auto achievement = Achievement::withIdentifier(row.value(QLatin1String("id")).toString());
        if (!achievement)
            continue;
        achievement->setPercentComplete(row.value(QLatin1String("percent")).toDouble());
        achievements.push_back(*achievement);
    }
    return achievements;
}

bool NetworkServiceBackend::reportAchievement(const QString &, const Achievement &achievement, OptionalError &error)
{
    const double percent = achievement.percentComplete();
    if (!std::isfinite(percent)) {
        error = failure(ServiceErrorCode::invalidParameter, NetworkServiceBackend::tr("Progress must be a number."));
        return false;
    }
    const QJsonObject body{{QStringLiteral("percent"), std::clamp(percent, 0.0, 100.0)}};
    const QJsonObject answer =
        call("POST", QStringLiteral("/v1/achievements/%1/progress").arg(segment(achievement.identifier())), &body,
             Auth::token, error);
    return !error && answer.value(QLatin1String("completedNow")).toBool();
}

void NetworkServiceBackend::resetAchievements(const QString &, OptionalError &error)
{
    call("POST", QStringLiteral("/v1/achievements/reset"), nullptr, Auth::token, error);
}

std::vector<Challenge> NetworkServiceBackend::loadReceivedChallenges(const QString &, OptionalError &error)
{
    const QJsonObject answer = call("GET", QStringLiteral("/v1/challenges"), nullptr, Auth::token, error);
    std::vector<Challenge> challenges;
    if (error)
        return challenges;
    for (const QJsonValue &value : answer.value(QLatin1String("challenges")).toArray()) {
        const QJsonObject row = value.toObject();
        const QJsonObject from = row.value(QLatin1String("from")).toObject();
        Challenge c;
        c.identifier = row.value(QLatin1String("id")).toString();
        c.issuingPlayerID = from.value(QLatin1String("playerId")).toString();
        c.issuingPlayerName = from.value(QLatin1String("displayName")).toString();
        c.leaderboardIdentifier = row.value(QLatin1String("leaderboard")).toString();
        c.score = std::int64_t(row.value(QLatin1String("score")).toDouble());
        c.message = row.value(QLatin1String("message")).toString();
        c.issueDate = dateOf(row.value(QLatin1String("sentAt")));
        challenges.push_back(c);
    }
    return challenges;
}

std::optional<QByteArray> NetworkServiceBackend::loadPhoto(const QString &, OptionalError &)
{
    return std::nullopt; // the server keeps no photos
}

void NetworkServiceBackend::sendChallenge(const QString &, const QString &toPlayerID, const QString &leaderboard, std::int64_t score,
                                          const QString &message, OptionalError &error)
{
    QJsonObject body{{QStringLiteral("to"), toPlayerID},
                     {QStringLiteral("leaderboard"), leaderboard},
                     {QStringLiteral("score"), qint64(score)}};
    if (!message.isEmpty())
        body.insert(QStringLiteral("message"), message);
    call("POST", QStringLiteral("/v1/challenges"), &body, Auth::token, error);
}

void NetworkServiceBackend::dismissChallenge(const QString &, const QString &identifier, OptionalError &error)
{
    call("DELETE", QStringLiteral("/v1/challenges/%1").arg(segment(identifier)), nullptr, Auth::token, error);
}

} // namespace kestrune
