#include "gameservice/server/http/ratelimiter.h"

#include <openssl/sha.h>

#include <cstdio>

namespace kestrune::server {

namespace {
constexpr std::size_t pruneEvery = 1024;
} // namespace

RateLimiter::RateLimiter(double ratePerSecond, double burst, Clock clock)
    : m_rate(ratePerSecond)
    , m_burst(burst)
    , m_clock(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); }))
{
}

std::chrono::milliseconds RateLimiter::take(const std::string &key)
{
    if (!enabled())
        return std::chrono::milliseconds(0);
    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    if (++m_takesSincePrune >= pruneEvery)
        pruneLocked(now);
    auto it = m_buckets.find(key);
    if (it == m_buckets.end())
        it = m_buckets.emplace(key, TokenBucket(m_rate, m_burst, now)).first;
    return it->second.take(now);
}

void RateLimiter::pruneLocked(TokenBucket::TimePoint now)
{
    m_takesSincePrune = 0;
    std::erase_if(m_buckets, [now](const auto &entry) { return entry.second.full(now); });
}

std::size_t RateLimiter::size() const
{
    std::lock_guard lock(m_mutex);
    return m_buckets.size();
}

std::string RateLimiter::tokenKey(std::string_view authorization)
{
    constexpr std::string_view scheme = "bearer ";
    if (authorization.size() <= scheme.size())
        return {};
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        const char c = authorization[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != scheme[i])
            return {};
    }
    const std::string_view token = authorization.substr(scheme.size());
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char *>(token.data()), token.size(), digest);
    // Half the digest is plenty to tell clients apart.
    std::string hex;
    char pair[3];
    for (int i = 0; i < SHA256_DIGEST_LENGTH / 2; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return "token:" + hex;
}

} // namespace kestrune::server
