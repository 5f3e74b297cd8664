#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace kestrune::server {

struct RequestLogEntry
{
    std::chrono::system_clock::time_point time;
    std::string method;
    std::string route; // the API's pattern, or the path without its query
    int status = 0;
    std::chrono::microseconds duration{0};
    std::chrono::microseconds databaseTime{0};
    std::string playerId;
    std::string remoteAddress;
    std::string errorCode;
};

// One JSON object per line per request, for journald or a log shipper. The
// entry has no place for headers, tokens or queries, so none can leak.
// Lines are collected and written in batches, at the latest `flushEvery`
// after they were logged (zero: each at once), so that a busy server does
// not pay a write per request; flush() and the destructor write the rest.
class RequestLog
{
public:
    explicit RequestLog(std::ostream &out, std::chrono::milliseconds flushEvery = std::chrono::milliseconds(200));
    ~RequestLog();
    RequestLog(const RequestLog &) = delete;
    RequestLog &operator=(const RequestLog &) = delete;

    void write(const RequestLogEntry &entry);
    // Writes every line logged so far and flushes the stream.
    void flush();
    static std::string format(const RequestLogEntry &entry);

private:
    void flushLoop();

    std::ostream &m_out;
    const std::chrono::milliseconds m_flushEvery;
    std::mutex m_outMutex; // held while writing to m_out, taken before m_mutex
    std::mutex m_mutex;    // guards what follows
    std::condition_variable m_wake;
    std::string m_pending;
    bool m_stopping = false;
    std::thread m_flusher; // last: starts once the rest exists
};

} // namespace kestrune::server
