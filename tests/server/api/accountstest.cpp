#include "apifixture.h"
#include "gameservice/server/api/secrets.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace kestrune::server::test {

namespace {

bool hasHeader(const ApiResponse &response, const std::string &name, const std::string &value)
{
    return std::ranges::find(response.headers, std::pair(name, value)) != response.headers.end();
}

} // namespace

// Accounts and challenges, end to end through the API.
class AccountsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ApiFixture> m_api;

private slots:
    void init() { m_api = std::make_unique<ApiFixture>(); }

    void createHandsOutSecretsOnce()
    {
        const ApiResponse response = m_api->post("/v1/accounts", {{"displayName", "Zoë 🦊"}});
        QCOMPARE(response.status, 201);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/accounts"));
        QVERIFY(hasHeader(response, "Cache-Control", "no-store"));
        const auto body = jsonOf(response);
        QCOMPARE(qs(body["displayName"]), QStringLiteral("Zoë 🦊"));
        QCOMPARE(qs(response.playerId), qs(body["playerId"]));
        QVERIFY(Secrets::isWellFormedToken(body["token"].get<std::string>()));
        QVERIFY(QRegularExpression("^[0-9A-HJKMNP-TV-Z]{4}(-[0-9A-HJKMNP-TV-Z]{4}){6}$")
                    .match(qs(body["recoveryCode"]))
                    .hasMatch());

        const Account other = m_api->createAccount("Zoë 🦊");
        QVERIFY(other.id != body["playerId"].get<std::string>());
        QVERIFY(other.token != body["token"].get<std::string>());
    }

    void whoAmIRenameAndProfile()
    {
        const Account ada = m_api->createAccount("Ada");
        ApiResponse response = m_api->get("/v1/accounts/me", ada.token);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(response.playerId), qs(ada.id));
        QCOMPARE(qs(jsonOf(response)["displayName"]), QStringLiteral("Ada"));

        response = m_api->send("PATCH", "/v1/accounts/me", R"({"displayName":"Ada L."})", ada.token);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(jsonOf(response)["displayName"]), QStringLiteral("Ada L."));
        QCOMPARE(qs(jsonOf(m_api->get("/v1/accounts/me", ada.token))["displayName"]), QStringLiteral("Ada L."));

        // The profile is public: no token needed.
        response = m_api->get("/v1/players/" + ada.id);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/players/{playerId}"));
        QVERIFY(jsonOf(response) == (nlohmann::json{{"playerId", ada.id}, {"displayName", "Ada L."}}));
    }

    void recoveryMovesTheAccount()
    {
        const Account ada = m_api->createAccount("Ada");
        // Typed by a person: lower case, spaces instead of dashes.
        const std::string typed = qs(ada.recoveryCode).toLower().replace('-', ' ').toStdString();
        ApiResponse response = m_api->post("/v1/accounts/recover", {{"recoveryCode", typed}});
        QCOMPARE(response.status, 200);
        const auto moved = jsonOf(response);
        QCOMPARE(qs(moved["playerId"]), qs(ada.id));
        QCOMPARE(qs(moved["displayName"]), QStringLiteral("Ada"));
        const std::string newToken = moved["token"];
        const std::string newCode = moved["recoveryCode"];
        QVERIFY(newToken != ada.token);
        QVERIFY(newCode != ada.recoveryCode);

        response = m_api->get("/v1/accounts/me", ada.token);
        QCOMPARE(response.status, 401);
        QCOMPARE(errorCodeOf(response), QStringLiteral("invalid_token"));
        QCOMPARE(m_api->get("/v1/accounts/me", newToken).status, 200);

        response = m_api->post("/v1/accounts/recover", {{"recoveryCode", ada.recoveryCode}});
        QCOMPARE(response.status, 401);
        QCOMPARE(errorCodeOf(response), QStringLiteral("unknown_recovery_code"));
        QCOMPARE(m_api->post("/v1/accounts/recover", {{"recoveryCode", newCode}}).status, 200);
    }

    void challengeGoesToTheReceiverOnly()
    {
        const Account ada = m_api->createAccount("Ada");
        const Account bob = m_api->createAccount("Bob");
        const nlohmann::json older = {{"to", bob.id}, {"leaderboard", "sp_leaderboard"}, {"score", 100}};
        QCOMPARE(m_api->post("/v1/challenges", older, ada.token).status, 201);
        m_api->now += 1000;
        ApiResponse response = m_api->post(
            "/v1/challenges",
            {{"to", bob.id}, {"leaderboard", "sp_leaderboard"}, {"score", 0}, {"message", "Beat me!"}}, ada.token);
        QCOMPARE(response.status, 201);
        const auto sent = jsonOf(response);
        QCOMPARE(qs(sent["from"]["playerId"]), qs(ada.id));
        QCOMPARE(qs(sent["from"]["displayName"]), QStringLiteral("Ada"));
        QCOMPARE(sent["score"].get<int>(), 0);
        QCOMPARE(sent["sentAt"].get<Millis>(), m_api->now);
        const std::string id = sent["id"];

        QCOMPARE(jsonOf(m_api->get("/v1/challenges", ada.token))["challenges"].size(), 0u);
        auto received = jsonOf(m_api->get("/v1/challenges", bob.token))["challenges"];
        QCOMPARE(received.size(), 2u);
        QVERIFY(received[0] == sent); // newest first
        QCOMPARE(received[1]["score"].get<int>(), 100);
        QCOMPARE(qs(received[1]["message"]), QString());

        response = m_api->send("DELETE", "/v1/challenges/" + id, {}, ada.token);
        QCOMPARE(response.status, 404);
        QCOMPARE(errorCodeOf(response), QStringLiteral("unknown_challenge"));
        response = m_api->send("DELETE", "/v1/challenges/" + id, {}, bob.token);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/challenges/{id}"));
        received = jsonOf(m_api->get("/v1/challenges", bob.token))["challenges"];
        QCOMPARE(received.size(), 1u);
        QCOMPARE(received[0]["score"].get<int>(), 100);
        QCOMPARE(m_api->send("DELETE", "/v1/challenges/" + id, {}, bob.token).status, 404);
    }

    void storeFailureAnswers503WithoutInternals()
    {
        const Account ada = m_api->createAccount("Ada");
        m_api->store().setFailing(true);
        for (const ApiResponse &response :
             {m_api->get("/v1/accounts/me", ada.token), m_api->post("/v1/accounts", {{"displayName", "Bob"}}),
              m_api->get("/v1/leaderboards/sp_leaderboard/top")}) {
            QCOMPARE(response.status, 503);
            QCOMPARE(errorCodeOf(response), QStringLiteral("store_unavailable"));
            QVERIFY(hasHeader(response, "Retry-After", "1"));
            for (const char *internal : {"SELECT", "players", "token_hash", "connection"})
                QVERIFY2(response.body.find(internal) == std::string::npos, response.body.c_str());
            // The operator's log gets what failed.
            QVERIFY(response.internalError.find("connection refused") != std::string::npos);
        }
        // Nothing else is needed to recover: the next request finds the store back.
        m_api->store().setFailing(false);
        QCOMPARE(m_api->get("/v1/accounts/me", ada.token).status, 200);
    }

    void databaseTimeCountsStoreCalls()
    {
        const Account ada = m_api->createAccount("Ada");
        m_api->store().setDelay(std::chrono::milliseconds(5));
        // Token lookup, top, count, own row: four store calls.
        const ApiResponse response = m_api->get("/v1/leaderboards/sp_leaderboard/top", ada.token);
        QCOMPARE(response.status, 200);
        QVERIFY(response.databaseTime >= std::chrono::milliseconds(20));
        m_api->store().setDelay(std::chrono::milliseconds(0));
        QCOMPARE(m_api->get("/v1/leaderboards").databaseTime.count(), 0);
    }
};

std::unique_ptr<QObject> makeAccountsTests()
{
    return std::make_unique<AccountsTest>();
}

} // namespace kestrune::server::test

#include "accountstest.moc"
