#pragma once

#include "httptransport.h"

#include <curl/curl.h>

#include <cstddef>
#include <string>

namespace kestrune::net {

// One request on a libcurl easy handle: what to send (method, URL, headers,
// body) and the answer as it arrives, capped, or why none came. The
// transport adds its policy (protocols, verification, timeouts) to the
// handle; this class owns everything tied to the one request.
class CurlExchange
{
public:
    // Answers larger than these fail rather than fill the memory.
    static constexpr std::size_t maxBodyBytes = 4 * 1024 * 1024;
    static constexpr std::size_t maxHeaderBytes = 64 * 1024;

    // Why `request` cannot be sent as it is (a malformed method or header,
    // which could smuggle a second request); empty when it can.
    static std::string refusal(const HttpRequest &request);
    static HttpResponse failed(HttpResponse::Failure failure, std::string error);

    // `request` must outlive the exchange: libcurl reads its body in place.
    explicit CurlExchange(const HttpRequest &request);
    ~CurlExchange();
    CurlExchange(const CurlExchange &) = delete;
    CurlExchange &operator=(const CurlExchange &) = delete;

    // Sets the request and points the answer's callbacks here.
    CURLcode attach(CURL *easy);
    // The answer once libcurl finished the transfer on `easy` with `result`.
    HttpResponse finish(CURL *easy, CURLcode result);
    // For a failure of the multi interface itself rather than the transfer.
    void setErrorText(const char *text);

private:
    static size_t onBody(char *data, size_t size, size_t count, void *self);
    static size_t onHeader(char *data, size_t size, size_t count, void *self);

    const HttpRequest &m_request;
    HttpResponse m_response;
    curl_slist *m_headers = nullptr;
    char m_errorText[CURL_ERROR_SIZE] = {};
    std::size_t m_headerBytes = 0;
    bool m_bodyTooLarge = false;
    bool m_headersTooLarge = false;
};

} // namespace kestrune::net
