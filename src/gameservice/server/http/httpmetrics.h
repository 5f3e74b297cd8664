#pragma once

#include "gameservice/server/http/histogram.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace kestrune::server {

// What /metrics shows: requests by route and status, latency by route,
// errors by code, database time and open connections. Routes are the API's
// patterns (no identifiers), so the label sets stay small.
class HttpMetrics
{
public:
    HttpMetrics();

    void record(std::string_view route, int status, std::string_view errorCode, double seconds, double databaseSeconds);
    void connectionOpened() { m_open.fetch_add(1); }
    void connectionClosed() { m_open.fetch_sub(1); }
    std::int64_t openConnections() const { return m_open.load(); }

    // The Prometheus text exposition format, version 0.0.4.
    std::string render() const;

private:
    // Looked up by string_view (std::less<>): recording a request seen
    // before allocates nothing.
    mutable std::mutex m_mutex;
    std::map<std::string, std::map<int, std::uint64_t>, std::less<>> m_requests; // by route, then status
    std::map<std::string, Histogram, std::less<>> m_latency;
    std::map<std::string, std::uint64_t, std::less<>> m_errors;
    Histogram m_database;
    std::atomic<std::int64_t> m_open{0};
};

} // namespace kestrune::server
