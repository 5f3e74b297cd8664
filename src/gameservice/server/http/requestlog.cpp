#include "gameservice/server/http/requestlog.h"

#include "gameservice/server/api/utf8.h"

#include <cstdio>
#include <ctime>
#include <string_view>

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

void appendMilliseconds(std::string &out, std::chrono::microseconds duration)
{
    const long long micros = duration.count() < 0 ? 0 : duration.count();
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", micros / 1000, micros % 1000);
    out += text;
}

// A JSON string; bytes that are not UTF-8 become U+FFFD, so that a path
// sent as garbage still makes a line a log shipper can read.
void appendJsonString(std::string &out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
            ++i;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
            out += escape;
            ++i;
        } else if (const std::size_t length = utf8::sequenceLength(text, i)) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\\ufffd";
            ++i;
        }
    }
    out += '"';
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
    // Written by hand, not through a JSON document: it runs once per
    // request, and building a document costs a dozen allocations.
    std::string line;
    line.reserve(256);
    line += R"({"time":")";
    line += utcTimestamp(entry.time);
    line += R"(","method":)";
    appendJsonString(line, entry.method);
    line += R"(,"route":)";
    appendJsonString(line, entry.route);
    line += R"(,"status":)";
    line += std::to_string(entry.status);
    line += R"(,"durationMs":)";
    appendMilliseconds(line, entry.duration);
    line += R"(,"databaseMs":)";
    appendMilliseconds(line, entry.databaseTime);
    line += R"(,"remoteAddress":)";
    appendJsonString(line, entry.remoteAddress);
    if (!entry.playerId.empty()) {
        line += R"(,"playerId":)";
        appendJsonString(line, entry.playerId);
    }
    if (!entry.errorCode.empty()) {
        line += R"(,"error":)";
        appendJsonString(line, entry.errorCode);
    }
    line += '}';
    return line;
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
