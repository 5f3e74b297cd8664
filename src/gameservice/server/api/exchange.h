#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::server {

// One HTTP request as the API sees it, already framed and size-checked by
// the transport. Header names are lower case.
struct ApiRequest
{
    std::string method;  // "GET", "POST", ...
    std::string target;  // path and query, as sent: "/v1/leaderboards/x/top?scope=week"
    std::string authorization; // the Authorization header's value, empty when absent
    std::string contentType;
    std::string body;
    std::string remoteAddress; // for logs and per-address limits
};

struct ApiResponse
{
    int status = 200;
    std::string body; // JSON
    std::string contentType = "application/json";
    std::vector<std::pair<std::string, std::string>> headers; // e.g. Retry-After
    // Filled by the API for the transport's log and metrics.
    std::string errorCode;                // the JSON error's code, empty on success
    std::string route;                    // "/v1/leaderboards/{id}/top": no identifiers, for metrics labels
    std::string playerId;                 // who made the request, when known (never the token)
    std::chrono::microseconds databaseTime{0};
    // For the log only, never sent: what failed inside on a 5xx (a store's
    // message; stores never put a secret or its hash in one).
    std::string internalError;
};

using ApiHandler = std::function<ApiResponse(const ApiRequest &)>;
// Answers a request from memory, quickly and without blocking, or gives
// nothing and the request goes to the handler; the transport may call it
// on its I/O threads.
using ApiShortcut = std::function<std::optional<ApiResponse>(const ApiRequest &)>;

} // namespace kestrune::server
