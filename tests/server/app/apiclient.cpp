#include "apiclient.h"

#include "testclient.h"

namespace kestrune::server::test {

ApiClient::ApiClient(std::uint16_t port)
    : m_port(port)
{
}

ApiClient::~ApiClient() = default;

void ApiClient::reconnect(std::uint16_t port)
{
    m_port = port;
    m_connection.reset();
}

std::optional<ApiAnswer> ApiClient::call(const std::string &method, const std::string &target, const std::string &body,
                                         const std::string &token)
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

std::optional<Account> ApiClient::createAccount(const std::string &displayName)
{
    const auto answer = call("POST", "/v1/accounts", nlohmann::json{{"displayName", displayName}}.dump());
    if (!answer || answer->status != 201)
        return std::nullopt;
    return Account{answer->body.value("playerId", ""), answer->body.value("token", "")};
}

std::optional<ApiAnswer> ApiClient::reportScore(const std::string &token, std::int64_t score,
                                                const std::string &reportId)
{
    return call("POST", "/v1/leaderboards/" + board + "/scores",
                nlohmann::json{{"score", score}, {"reportId", reportId}}.dump(), token);
}

std::optional<ApiAnswer> ApiClient::top(int limit, const std::string &token)
{
    return call("GET", "/v1/leaderboards/" + board + "/top?scope=all&limit=" + std::to_string(limit), {}, token);
}

} // namespace kestrune::server::test
