#pragma once

#include "curlexchange.h"
#include "httptransport.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace kestrune::net {

// HttpTransport on libcurl. Each request borrows a connection slot (an easy
// handle driven by its own multi handle) from a small pool, so a second
// request to the same server reuses the first one's kept-alive connection;
// the multi handle lets cancelAll() wake a request that waits on a silent
// server instead of letting it sleep until its next timer.
//
// Peer and host are always verified. Proxies come from the environment
// (http_proxy, https_proxy, no_proxy), as libcurl reads them. A
// non-positive timeout in the options leaves libcurl's own: no total limit,
// 300 s to connect.
class CurlHttpTransport final : public HttpTransport
{
public:
    explicit CurlHttpTransport(HttpTransportOptions options);
    ~CurlHttpTransport() override;
    CurlHttpTransport(const CurlHttpTransport &) = delete;
    CurlHttpTransport &operator=(const CurlHttpTransport &) = delete;

    HttpResponse send(const HttpRequest &request) override;
    void cancelAll() override;

private:
    struct Slot;

    Slot *borrow();
    void giveBack(Slot *slot, bool reusable);
    // The options every request gets: protocols, verification, timeouts.
    CURLcode applyPolicy(CURL *easy) const;
    HttpResponse run(Slot &slot, CurlExchange &exchange);

    const HttpTransportOptions m_options;
    // With an extra authorities file: the system's folder of authorities to
    // use beside it, or, where there is none, the system's bundle and the
    // extra file as one. Both empty without an extra file.
    std::string m_authorityFolder;
    std::string m_authorities;
    // Why no request can be sent (an unreadable authorities file).
    std::string m_setupError;

    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex; // guards the two lists below
    std::vector<Slot *> m_idle;
    std::vector<Slot *> m_busy;
};

} // namespace kestrune::net
