#pragma once

#include "checkedstore.h"
#include "gameservice/server/api/api.h"

#include <nlohmann/json.hpp>

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace kestrune::server::test {

struct Account
{
    std::string id;
    std::string token;
    std::string recoveryCode;
};

// An Api over a fresh SQLite store in a folder of its own, with a clock the test sets, and short ways to
// send it requests. It keeps top answers, as the server does on SQLite.
class ApiFixture
{
public:
    // Monday 2025-12-08 10:00 UTC: a week starts on the same day.
    static constexpr Millis monday = 1'765'188'000'000;
    static constexpr Millis day = 86'400'000;

    ApiFixture();

    ApiResponse handle(const ApiRequest &request) { return m_api.handle(request); }
    ApiResponse send(const std::string &method, const std::string &target, const std::string &body = {},
                     const std::string &token = {}, const std::string &contentType = "application/json");
    ApiResponse get(const std::string &target, const std::string &token = {}) { return send("GET", target, {}, token); }
    ApiResponse post(const std::string &target, const nlohmann::json &body, const std::string &token = {})
    {
        return send("POST", target, body.dump(), token);
    }

    // A new account; fails the running test when the API refuses it.
    Account createAccount(const std::string &name);
    void reportScore(const Account &account, std::int64_t score);

    CheckedStore &store() { return m_checked; }
    Api &api() { return m_api; }
    Millis now = monday;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Store> m_store;
    CheckedStore m_checked;
    Api m_api;
};

nlohmann::json jsonOf(const ApiResponse &response);
QString errorCodeOf(const ApiResponse &response);
QString qs(const std::string &text);

} // namespace kestrune::server::test
