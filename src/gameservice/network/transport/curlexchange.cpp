#include "curlexchange.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace kestrune::net {

namespace {

using Failure = HttpResponse::Failure;

Failure failureOf(CURLcode code)
{
    switch (code) {
    case CURLE_OK:
        return Failure::none;
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return Failure::connect;
    case CURLE_OPERATION_TIMEDOUT:
        return Failure::timeout;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
    case CURLE_USE_SSL_FAILED:
        return Failure::tls;
    case CURLE_ABORTED_BY_CALLBACK:
        return Failure::cancelled;
    default:
        return Failure::other;
    }
}

std::string oneLine(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

bool isToken(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return c > 32 && c < 127 && std::string_view("()<>@,;:\\\"/[]?={}").find(char(c)) == std::string_view::npos;
    });
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos || text.find('\0') != std::string_view::npos;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string CurlExchange::refusal(const HttpRequest &request)
{
    if (!isToken(request.method))
        return "invalid request method '" + oneLine(request.method) + "'";
    for (const auto &[name, value] : request.headers)
        if (!isToken(name) || hasLineBreak(value))
            return "invalid request header '" + oneLine(name) + "'";
    return {};
}

HttpResponse CurlExchange::failed(Failure failure, std::string error)
{
    HttpResponse response;
    response.failure = failure;
    response.error = std::move(error);
    return response;
}

CurlExchange::CurlExchange(const HttpRequest &request)
    : m_request(request)
{
    bool hasContentType = false;
    for (const auto &[name, value] : request.headers) {
        // "Name;" is libcurl's spelling of a header with an empty value.
        m_headers = curl_slist_append(m_headers, (value.empty() ? name + ";" : name + ": " + value).c_str());
        hasContentType = hasContentType || lowerCase(name) == "content-type";
    }
    // libcurl would label a POST as a form; no label beats a wrong one.
    if (!hasContentType)
        m_headers = curl_slist_append(m_headers, "Content-Type:");
}

CurlExchange::~CurlExchange()
{
    curl_slist_free_all(m_headers);
}

CURLcode CurlExchange::attach(CURL *easy)
{
    CURLcode code = CURLE_OK;
    const auto set = [&code, easy](CURLoption option, auto value) {
        if (code == CURLE_OK)
            code = curl_easy_setopt(easy, option, value);
    };
    set(CURLOPT_URL, m_request.url.c_str());
    set(CURLOPT_HTTPHEADER, m_headers);
    const std::string &method = m_request.method;
    if (method == "HEAD") {
        set(CURLOPT_NOBODY, 1L);
    } else if (method == "POST" || !m_request.body.empty()) {
        set(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_request.body.size()));
        set(CURLOPT_POSTFIELDS, m_request.body.c_str());
        if (method != "POST")
            set(CURLOPT_CUSTOMREQUEST, method.c_str());
    } else {
        set(CURLOPT_HTTPGET, 1L);
        if (method != "GET")
            set(CURLOPT_CUSTOMREQUEST, method.c_str());
    }
    // A length announced up front fails before any of the body is read.
    set(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBodyBytes));
    set(CURLOPT_ERRORBUFFER, m_errorText);
    set(CURLOPT_WRITEFUNCTION, &CurlExchange::onBody);
    set(CURLOPT_WRITEDATA, static_cast<void *>(this));
    set(CURLOPT_HEADERFUNCTION, &CurlExchange::onHeader);
    set(CURLOPT_HEADERDATA, static_cast<void *>(this));
    return code;
}

void CurlExchange::setErrorText(const char *text)
{
    std::snprintf(m_errorText, sizeof m_errorText, "%s", text);
}

HttpResponse CurlExchange::finish(CURL *easy, CURLcode result)
{
    if (result == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        m_response.status = int(status);
        return std::move(m_response);
    }
    if (m_bodyTooLarge || result == CURLE_FILESIZE_EXCEEDED)
        return failed(Failure::other,
                      "the answer is larger than " + std::to_string(maxBodyBytes / (1024 * 1024)) + " MiB");
    if (m_headersTooLarge)
        return failed(Failure::other,
                      "the answer's headers are larger than " + std::to_string(maxHeaderBytes / 1024) + " KiB");
    return failed(failureOf(result), oneLine(m_errorText[0] ? m_errorText : curl_easy_strerror(result)));
}

size_t CurlExchange::onBody(char *data, size_t size, size_t count, void *self)
{
    auto &exchange = *static_cast<CurlExchange *>(self);
    const size_t bytes = size * count;
    if (exchange.m_response.body.size() + bytes > maxBodyBytes) {
        exchange.m_bodyTooLarge = true;
        return 0; // ends the transfer with a write error
    }
    exchange.m_response.body.append(data, bytes);
    return bytes;
}

size_t CurlExchange::onHeader(char *data, size_t size, size_t count, void *self)
{
    auto &exchange = *static_cast<CurlExchange *>(self);
    const size_t bytes = size * count;
    exchange.m_headerBytes += bytes;
    if (exchange.m_headerBytes > maxHeaderBytes) {
        exchange.m_headersTooLarge = true;
        return 0;
    }
    const std::string_view line(data, bytes);
    // A status line starts a new set: an interim 100 Continue's headers must
    // not mix with the final answer's.
    if (line.starts_with("HTTP/")) {
        exchange.m_response.headers.clear();
        return bytes;
    }
    const auto colon = line.find(':');
    if (colon != std::string_view::npos && colon > 0)
        exchange.m_response.headers.emplace_back(lowerCase(std::string(line.substr(0, colon))),
                                                 std::string(trimmed(line.substr(colon + 1))));
    return bytes;
}

} // namespace kestrune::net
