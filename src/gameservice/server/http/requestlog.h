#pragma once

#include <chrono>
#include <mutex>
#include <ostream>
#include <string>

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
class RequestLog
{
public:
    explicit RequestLog(std::ostream &out);

    void write(const RequestLogEntry &entry);
    static std::string format(const RequestLogEntry &entry);

private:
    std::mutex m_mutex;
    std::ostream &m_out;
};

} // namespace kestrune::server
