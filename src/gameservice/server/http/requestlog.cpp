#include "gameservice/server/http/requestlog.h"

#include <nlohmann/json.hpp>

#include <ctime>

namespace kestrune::server {

namespace {

std::string utcTimestamp(std::chrono::system_clock::time_point time)
{
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const std::time_t seconds = std::time_t(millis / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", int(millis % 1000));
    return text;
}

double milliseconds(std::chrono::microseconds duration)
{
    return double(duration.count()) / 1000.0;
}

} // namespace

RequestLog::RequestLog(std::ostream &out)
    : m_out(out)
{
}

std::string RequestLog::format(const RequestLogEntry &entry)
{
    nlohmann::json line = {
        {"time", utcTimestamp(entry.time)},
        {"method", entry.method},
        {"route", entry.route},
        {"status", entry.status},
        {"durationMs", milliseconds(entry.duration)},
        {"databaseMs", milliseconds(entry.databaseTime)},
        {"remoteAddress", entry.remoteAddress},
    };
    if (!entry.playerId.empty())
        line["playerId"] = entry.playerId;
    if (!entry.errorCode.empty())
        line["error"] = entry.errorCode;
    // A path with invalid UTF-8 is replaced, not thrown on: a log line
    // must never fail the request.
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void RequestLog::write(const RequestLogEntry &entry)
{
    const std::string line = format(entry);
    std::lock_guard lock(m_mutex);
    m_out << line << '\n';
    m_out.flush();
}

} // namespace kestrune::server
