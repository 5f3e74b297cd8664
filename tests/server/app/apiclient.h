#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrune::test {
class TestClient;
}

namespace kestrune::server::test {

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
    explicit ApiClient(std::uint16_t port);
    ~ApiClient();

    std::optional<ApiAnswer> call(const std::string &method, const std::string &target, const std::string &body = {},
                                  const std::string &token = {});

    std::optional<Account> createAccount(const std::string &displayName);
    std::optional<ApiAnswer> reportScore(const std::string &token, std::int64_t score, const std::string &reportId);
    std::optional<ApiAnswer> top(int limit, const std::string &token = {});

    // Points the client at another port (a restarted server).
    void reconnect(std::uint16_t port);

private:
    std::uint16_t m_port;
    std::unique_ptr<kestrune::test::TestClient> m_connection;
};

inline const std::string board = "sp_leaderboard";

} // namespace kestrune::server::test
