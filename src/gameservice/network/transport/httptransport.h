#pragma once

// The boundary between the game and its HTTP module. The module (libcurl
// and the thirty libraries behind it) is loaded only when a server is
// chosen, so start-up never pays for it; this header is all the two sides
// share, plain C++ without Qt, and its layout is versioned.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::net {

struct HttpRequest
{
    std::string method; // GET, POST, PATCH, DELETE
    std::string url;    // absolute: http://host:port/v1/...
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
};

struct HttpResponse
{
    // Why no answer came. `none` means one did, whatever its status.
    enum class Failure { none, connect, timeout, tls, cancelled, other };

    Failure failure = Failure::none;
    std::string error; // one line for people when failure != none
    int status = 0;
    std::vector<std::pair<std::string, std::string>> headers; // names in lower case
    std::string body;

    // The first header of that name (lower case), empty when absent.
    std::string header(std::string_view name) const
    {
        for (const auto &[key, value] : headers)
            if (key == name)
                return value;
        return {};
    }
};

struct HttpTransportOptions
{
    int connectTimeoutMs = 5000;
    int totalTimeoutMs = 15000;
    // A PEM file of authorities trusted besides the system's; empty for the
    // system's alone. Verification of peer and host is always on.
    std::string extraCaFile;
    std::string userAgent = "kestrune";
};

// Sends requests and waits for their answers. Thread-safe: the game
// service calls it from several threads at once.
class HttpTransport
{
public:
    virtual ~HttpTransport() = default;
    virtual HttpResponse send(const HttpRequest &request) = 0;
    // Ends every request under way and every later one at once with
    // Failure::cancelled; for shutting down without waiting for timeouts.
    virtual void cancelAll() = 0;
};

// Raised whenever the structures above change.
constexpr int httpTransportAbiVersion = 1;

} // namespace kestrune::net

// The module's one entry point: a new transport, or nullptr when the
// module was built for another ABI version.
extern "C" {
using KestruneHttpTransportFactory = kestrune::net::HttpTransport *(*)(const kestrune::net::HttpTransportOptions *,
                                                                        int abiVersion);
}
#define KESTRUNE_HTTP_TRANSPORT_FACTORY "kestrune_create_http_transport"
