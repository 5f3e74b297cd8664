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

namespace {

// Past this much waiting text the logging thread writes it itself.
constexpr std::size_t batchBytes = 64 * 1024;

} // namespace

RequestLog::RequestLog(std::ostream &out, std::chrono::milliseconds flushEvery)
    : m_out(out)
    , m_flushEvery(flushEvery)
{
    if (m_flushEvery.count() > 0)
        m_flusher = std::thread([this] { flushLoop(); });
}

RequestLog::~RequestLog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_flusher.joinable())
        m_flusher.join();
    flush();
}

void RequestLog::flushLoop()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        m_wake.wait_for(lock, m_flushEvery);
        if (m_pending.empty())
            continue;
        lock.unlock();
        flush();
        lock.lock();
    }
}

void RequestLog::flush()
{
    std::lock_guard out(m_outMutex);
    std::string batch;
    {
        std::lock_guard lock(m_mutex);
        batch.swap(m_pending);
    }
    if (!batch.empty())
        m_out.write(batch.data(), std::streamsize(batch.size()));
    m_out.flush();
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
    std::string line = format(entry);
    line += '\n';
    bool full = false;
    {
        std::lock_guard lock(m_mutex);
        m_pending += line;
        full = m_flushEvery.count() == 0 || m_pending.size() >= batchBytes;
    }
    if (full)
        flush();
}

} // namespace kestrune::server
