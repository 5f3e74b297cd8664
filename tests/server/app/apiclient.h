#pragma once

#include "testclient.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::server::test {

inline const std::string board = "sp_leaderboard";

// An answer: the HTTP status and the JSON body (null when there was none or
// it was not JSON).
struct ApiAnswer
{
    int status = 0;
    nlohmann::json body;
};

struct Account
{
    std::string playerId;
    std::string token;
};

// The API as a game would use it, over one keep-alive connection that is
// opened again after the server closed it. Every call has a bounded wait;
// nothing (std::nullopt) means no answer arrived: refused, cut or timed out.
class ApiClient
{
public:
    explicit ApiClient(std::uint16_t port)
        : m_port(port)
    {
    }

    std::optional<ApiAnswer> call(const std::string &method, const std::string &target, const std::string &body = {},
                                  const std::string &token = {})
    {
        std::vector<std::pair<std::string, std::string>> headers;
        if (!body.empty())
            headers.emplace_back("Content-Type", "application/json");
        if (!token.empty())
            headers.emplace_back("Authorization", "Bearer " + token);
        if (!m_connection || !m_connection->connected())
            m_connection = std::make_unique<kestrune::test::TestClient>(m_port);
        auto response = m_connection->request(method, target, body, headers);
        if (!response || !response->keep_alive())
            m_connection.reset(); // a fresh connection for the next call
        if (!response)
            return std::nullopt;
        ApiAnswer answer{int(response->result_int()), nlohmann::json::parse(response->body(), nullptr, false)};
        if (answer.body.is_discarded())
            answer.body = nullptr;
        return answer;
    }

    std::optional<Account> createAccount(const std::string &displayName)
    {
        const auto answer = call("POST", "/v1/accounts", nlohmann::json{{"displayName", displayName}}.dump());
        if (!answer || answer->status != 201)
            return std::nullopt;
        return Account{answer->body.value("playerId", ""), answer->body.value("token", "")};
    }
    std::optional<ApiAnswer> reportScore(const std::string &token, std::int64_t score, const std::string &reportId)
    {
        return call("POST", "/v1/leaderboards/" + board + "/scores",
                    nlohmann::json{{"score", score}, {"reportId", reportId}}.dump(), token);
    }
    std::optional<ApiAnswer> top(int limit, const std::string &token = {})
    {
        return call("GET", "/v1/leaderboards/" + board + "/top?scope=all&limit=" + std::to_string(limit), {}, token);
    }

private:
    std::uint16_t m_port;
    std::unique_ptr<kestrune::test::TestClient> m_connection;
};

inline int statusOf(const std::optional<ApiAnswer> &answer)
{
    return answer ? answer->status : -1;
}

// The first of a list of failures, for a check's message: QVERIFY2 builds
// its message also when the check passes, so the list may well be empty.
inline const char *firstOf(const std::vector<std::string> &failures)
{
    return failures.empty() ? "" : failures.front().c_str();
}

} // namespace kestrune::server::test
