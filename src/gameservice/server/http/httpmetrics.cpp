#include "gameservice/server/http/httpmetrics.h"

#include <sstream>

namespace kestrune::server {

namespace {

std::vector<double> latencyBounds()
{
    return {0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5};
}

// Label values come from the API's route table and error codes, but a
// quote or backslash must still not break the format.
std::string escaped(std::string_view value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

HttpMetrics::HttpMetrics()
    : m_database(latencyBounds())
{
}

void HttpMetrics::record(std::string_view route, int status, std::string_view errorCode, double seconds,
                         double databaseSeconds)
{
    std::lock_guard lock(m_mutex);
    auto requests = m_requests.find(route);
    if (requests == m_requests.end())
        requests = m_requests.emplace(std::string(route), std::map<int, std::uint64_t>()).first;
    ++requests->second[status];
    auto latency = m_latency.find(route);
    if (latency == m_latency.end())
        latency = m_latency.emplace(std::string(route), Histogram(latencyBounds())).first;
    latency->second.observe(seconds);
    if (!errorCode.empty()) {
        auto errors = m_errors.find(errorCode);
        if (errors == m_errors.end())
            errors = m_errors.emplace(std::string(errorCode), 0).first;
        ++errors->second;
    }
    if (databaseSeconds > 0)
        m_database.observe(databaseSeconds);
}

std::string HttpMetrics::render() const
{
    std::ostringstream out;
    out.precision(12); // sums of seconds grow; six digits would round them
    std::lock_guard lock(m_mutex);
    out << "# HELP kestrune_http_requests_total Requests answered, by route and status.\n"
        << "# TYPE kestrune_http_requests_total counter\n";
    for (const auto &[route, byStatus] : m_requests)
        for (const auto &[status, count] : byStatus)
            out << "kestrune_http_requests_total{route=\"" << escaped(route) << "\",status=\"" << status << "\"} "
                << count << '\n';
    out << "# HELP kestrune_http_request_duration_seconds Time from a request's last byte to its answer.\n"
        << "# TYPE kestrune_http_request_duration_seconds histogram\n";
    for (const auto &[route, histogram] : m_latency)
        histogram.render(out, "kestrune_http_request_duration_seconds", "route=\"" + escaped(route) + "\"");
    out << "# HELP kestrune_http_errors_total Refusals and failures, by error code.\n"
        << "# TYPE kestrune_http_errors_total counter\n";
    for (const auto &[code, count] : m_errors)
        out << "kestrune_http_errors_total{code=\"" << escaped(code) << "\"} " << count << '\n';
    out << "# HELP kestrune_database_duration_seconds Database time per request that used the database.\n"
        << "# TYPE kestrune_database_duration_seconds histogram\n";
    m_database.render(out, "kestrune_database_duration_seconds", "");
    out << "# HELP kestrune_http_open_connections Connections open now.\n"
        << "# TYPE kestrune_http_open_connections gauge\n"
        << "kestrune_http_open_connections " << m_open.load() << '\n';
    return out.str();
}

} // namespace kestrune::server
