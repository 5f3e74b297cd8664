#pragma once

#include "checkedstore.h"
#include "gameservice/server/api/api.h"
#include "gameservice/server/store/sqlitestore.h"

#include <nlohmann/json.hpp>

#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

namespace kestrune::server::test {

struct Account
{
    std::string id;
    std::string token;
    std::string recoveryCode;
};

inline nlohmann::json jsonOf(const ApiResponse &response)
{
    return nlohmann::json::parse(response.body, nullptr, false);
}

inline QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

inline QString errorCodeOf(const ApiResponse &response)
{
    const nlohmann::json body = jsonOf(response);
    if (!body.is_object() || !body.contains("error"))
        return {};
    return qs(body["error"].value("code", std::string()));
}

// An Api over a fresh SQLite store in a folder of its own, with a clock the test sets, and short ways to
// send it requests. It keeps top answers, as the server does on SQLite.
class ApiFixture
{
public:
    // Monday 2025-12-08 10:00 UTC: a week starts on the same day.
    static constexpr Millis monday = 1'765'188'000'000;
    static constexpr Millis day = 86'400'000;

    ApiFixture()
        : m_store(std::make_unique<SqliteStore>(m_folder.filePath(QStringLiteral("api.db")).toStdString()))
        , m_checked(*m_store)
        , m_api(m_checked, [this] { return now; })
    {
        m_api.cacheTopAnswers();
    }

    ApiResponse handle(const ApiRequest &request) { return m_api.handle(request); }
    ApiResponse send(const std::string &method, const std::string &target, const std::string &body = {},
                     const std::string &token = {}, const std::string &contentType = "application/json")
    {
        ApiRequest request;
        request.method = method;
        request.target = target;
        request.authorization = token.empty() ? std::string() : "Bearer " + token;
        request.contentType = body.empty() ? std::string() : contentType;
        request.body = body;
        request.remoteAddress = "127.0.0.1";
        return m_api.handle(request);
    }
    ApiResponse get(const std::string &target, const std::string &token = {}) { return send("GET", target, {}, token); }
    ApiResponse post(const std::string &target, const nlohmann::json &body, const std::string &token = {})
    {
        return send("POST", target, body.dump(), token);
    }

    // A new account; fails the running test when the API refuses it.
    Account createAccount(const std::string &name)
    {
        const ApiResponse response = post("/v1/accounts", {{"displayName", name}});
        if (response.status != 201) {
            QTest::qFail(qPrintable("creating an account answered " + QString::number(response.status)), __FILE__,
                         __LINE__);
            return {};
        }
        const nlohmann::json body = jsonOf(response);
        return {body["playerId"], body["token"], body["recoveryCode"]};
    }
    void reportScore(const Account &account, std::int64_t score)
    {
        const ApiResponse response = post("/v1/leaderboards/sp_leaderboard/scores", {{"score", score}}, account.token);
        if (response.status != 201)
            QTest::qFail(qPrintable("reporting a score answered " + QString::number(response.status)), __FILE__,
                         __LINE__);
    }

    CheckedStore &store() { return m_checked; }
    Api &api() { return m_api; }
    Millis now = monday;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Store> m_store;
    CheckedStore m_checked;
    Api m_api;
};

} // namespace kestrune::server::test
