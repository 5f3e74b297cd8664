#pragma once

#include "gameservice/server/http/tokenbucket.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrune::server {

// Token buckets by key (a remote address, or a bearer token's hash), shared
// by the I/O threads. A rate of zero turns the limit off. Buckets that have
// refilled are forgotten now and then, so a stream of new addresses cannot
// grow the table without end.
class RateLimiter
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    RateLimiter(double ratePerSecond, double burst, Clock clock = {});

    bool enabled() const { return m_rate > 0; }
    // Zero when the request may pass; otherwise how long the client should wait.
    std::chrono::milliseconds take(const std::string &key);
    std::size_t size() const;

    // The key of a bearer token: a hash, so the table never holds a secret.
    // Empty when `authorization` carries no bearer token.
    static std::string tokenKey(std::string_view authorization);

private:
    void pruneLocked(TokenBucket::TimePoint now);

    double m_rate;
    double m_burst;
    Clock m_clock;
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, TokenBucket> m_buckets;
    std::size_t m_takesSincePrune = 0;
};

} // namespace kestrune::server
