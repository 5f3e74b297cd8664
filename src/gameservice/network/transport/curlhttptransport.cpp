#include "curlhttptransport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kestrune::net {

namespace {

using Failure = HttpResponse::Failure;

// How long one wait for the sockets may last before the loop looks at the
// cancellation flag again; cancelAll() wakes the wait anyway, so this only
// bounds a missed wake-up.
constexpr int pollIntervalMs = 1000;
// Idle slots kept for reuse; more threads than this at once still work,
// their extra slots are closed after use.
constexpr std::size_t maxIdleSlots = 8;

void initialiseLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

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
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

bool readFile(const std::string &path, std::string &contents)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = std::move(buffer).str();
    return !in.bad();
}

// Where this libcurl finds the system's authorities unless told otherwise:
// a bundle file and a folder of certificates named by their hashes.
struct DefaultAuthorities
{
    std::string bundle;
    std::string folder;
};

DefaultAuthorities defaultAuthorities()
{
    DefaultAuthorities found;
    CURL *probe = curl_easy_init();
    if (!probe)
        return found;
    char *path = nullptr;
    if (curl_easy_getinfo(probe, CURLINFO_CAINFO, &path) == CURLE_OK && path)
        found.bundle = path;
    path = nullptr;
    if (curl_easy_getinfo(probe, CURLINFO_CAPATH, &path) == CURLE_OK && path)
        found.folder = path;
    curl_easy_cleanup(probe);
    return found;
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

struct CurlHttpTransport::Slot
{
    CURL *easy = nullptr;
    CURLM *multi = nullptr;

    Slot()
        : easy(curl_easy_init())
        , multi(curl_multi_init())
    {
    }
    ~Slot()
    {
        curl_easy_cleanup(easy);
        curl_multi_cleanup(multi);
    }
    Slot(const Slot &) = delete;
    Slot &operator=(const Slot &) = delete;
};

// One request's state while libcurl runs it.
struct CurlHttpTransport::Exchange
{
    HttpResponse *response = nullptr;
    curl_slist *headers = nullptr;
    char errorText[CURL_ERROR_SIZE] = {};
    std::size_t headerBytes = 0;
    bool bodyTooLarge = false;
    bool headersTooLarge = false;

    ~Exchange() { curl_slist_free_all(headers); }

    static size_t onBody(char *data, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<Exchange *>(user);
        const size_t bytes = size * count;
        if (self->response->body.size() + bytes > maxResponseBytes) {
            self->bodyTooLarge = true;
            return 0; // ends the transfer with a write error
        }
        self->response->body.append(data, bytes);
        return bytes;
    }

    static size_t onHeader(char *data, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<Exchange *>(user);
        const size_t bytes = size * count;
        self->headerBytes += bytes;
        if (self->headerBytes > maxHeaderBytes) {
            self->headersTooLarge = true;
            return 0;
        }
        const std::string_view line(data, bytes);
        // A status line starts a new set: an interim 100 Continue's headers
        // must not mix with the final answer's.
        if (line.starts_with("HTTP/")) {
            self->response->headers.clear();
            return bytes;
        }
        const auto colon = line.find(':');
        if (colon != std::string_view::npos && colon > 0)
            self->response->headers.emplace_back(lowerCase(std::string(line.substr(0, colon))),
                                                 std::string(trimmed(line.substr(colon + 1))));
        return bytes;
    }
};

CurlHttpTransport::CurlHttpTransport(HttpTransportOptions options)
    : m_options(std::move(options))
{
    initialiseLibraryOnce();
    if (m_options.extraCaFile.empty())
        return;
    std::string extra;
    if (!readFile(m_options.extraCaFile, extra)) {
        m_setupError = "cannot read the certificate authorities file " + m_options.extraCaFile;
        return;
    }
    if (extra.find("-----BEGIN CERTIFICATE-----") == std::string::npos) {
        m_setupError = "the certificate authorities file " + m_options.extraCaFile + " holds no PEM certificate";
        return;
    }
    // CURLOPT_CAINFO replaces the system's bundle. Where the system also
    // keeps its authorities in a hashed folder, the extra file as the bundle
    // plus that folder trusts both, and a new connection looks up only the
    // issuer it needs: parsing the whole bundle as well costs some 20 ms a
    // connection. Elsewhere, one bundle of both goes over as a blob.
    const DefaultAuthorities system = defaultAuthorities();
    std::error_code ignored;
    if (!system.folder.empty() && std::filesystem::is_directory(system.folder, ignored)) {
        m_authorityFolder = system.folder;
        return;
    }
    if (!system.bundle.empty() && readFile(system.bundle, m_authorities))
        m_authorities += '\n';
    m_authorities += extra;
}

CurlHttpTransport::~CurlHttpTransport()
{
    // Sending while the transport is destroyed is the caller's bug; only
    // idle slots remain here.
    for (Slot *slot : m_idle)
        delete slot;
}

void CurlHttpTransport::cancelAll()
{
    m_cancelled = true;
    std::lock_guard lock(m_mutex);
    for (Slot *slot : m_busy)
        curl_multi_wakeup(slot->multi);
}

CurlHttpTransport::Slot *CurlHttpTransport::borrow()
{
    Slot *slot = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            slot = m_idle.back();
            m_idle.pop_back();
        }
    }
    if (!slot) {
        slot = new Slot;
        if (!slot->easy || !slot->multi) {
            delete slot;
            return nullptr;
        }
    }
    std::lock_guard lock(m_mutex);
    m_busy.push_back(slot);
    return slot;
}

void CurlHttpTransport::giveBack(Slot *slot, bool reusable)
{
    // The handle points at the finished request's buffers; a reset forgets
    // them and keeps the connections, which live in the multi handle.
    curl_easy_reset(slot->easy);
    {
        std::lock_guard lock(m_mutex);
        m_busy.erase(std::find(m_busy.begin(), m_busy.end(), slot));
        if (reusable && !m_cancelled && m_idle.size() < maxIdleSlots) {
            m_idle.push_back(slot);
            return;
        }
    }
    delete slot;
}

HttpResponse CurlHttpTransport::send(const HttpRequest &request)
{
    HttpResponse response;
    const auto fail = [&response](Failure failure, std::string error) {
        response.failure = failure;
        response.error = std::move(error);
        return response;
    };
    if (m_cancelled)
        return fail(Failure::cancelled, "cancelled");
    if (!m_setupError.empty())
        return fail(Failure::tls, m_setupError);
    if (!isToken(request.method))
        return fail(Failure::other, "invalid request method '" + oneLine(request.method) + "'");
    for (const auto &[name, value] : request.headers)
        if (!isToken(name) || hasLineBreak(value))
            return fail(Failure::other, "invalid request header '" + oneLine(name) + "'");

    Slot *slot = borrow();
    if (!slot)
        return fail(Failure::other, "the HTTP library could not start a request");
    Exchange exchange;
    exchange.response = &response;
    if (!configure(*slot, request, exchange, response)) {
        giveBack(slot, true);
        return response;
    }
    run(*slot, exchange, response);
    // A cancelled or failed transfer may leave its connection half-used;
    // only a clean slot goes back to the pool.
    giveBack(slot, response.failure == Failure::none);
    return response;
}

bool CurlHttpTransport::configure(Slot &slot, const HttpRequest &request, Exchange &exchange, HttpResponse &response)
{
    CURL *easy = slot.easy;

    for (const auto &[name, value] : request.headers)
        // "Name;" is libcurl's spelling of a header with an empty value.
        exchange.headers = curl_slist_append(exchange.headers,
                                             (value.empty() ? name + ";" : name + ": " + value).c_str());
    const bool hasContentType = std::any_of(request.headers.begin(), request.headers.end(),
                                            [](const auto &header) { return lowerCase(header.first) == "content-type"; });
    // libcurl would label a POST as a form; no label beats a wrong one.
    if (!hasContentType)
        exchange.headers = curl_slist_append(exchange.headers, "Content-Type:");

    CURLcode code = CURLE_OK;
    const auto set = [&code, easy](CURLoption option, auto value) {
        if (code == CURLE_OK)
            code = curl_easy_setopt(easy, option, value);
    };
    set(CURLOPT_URL, request.url.c_str());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_FOLLOWLOCATION, 0L);
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    if (!m_authorityFolder.empty()) {
        set(CURLOPT_CAINFO, m_options.extraCaFile.c_str());
        set(CURLOPT_CAPATH, m_authorityFolder.c_str());
    } else if (!m_authorities.empty()) {
        curl_blob blob{const_cast<char *>(m_authorities.data()), m_authorities.size(), CURL_BLOB_NOCOPY};
        set(CURLOPT_CAINFO_BLOB, &blob);
    }
    set(CURLOPT_CONNECTTIMEOUT_MS, long(std::max(0, m_options.connectTimeoutMs)));
    set(CURLOPT_TIMEOUT_MS, long(std::max(0, m_options.totalTimeoutMs)));
    set(CURLOPT_USERAGENT, m_options.userAgent.c_str());
    set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    set(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxResponseBytes));
    set(CURLOPT_ERRORBUFFER, exchange.errorText);
    set(CURLOPT_WRITEFUNCTION, &Exchange::onBody);
    set(CURLOPT_WRITEDATA, static_cast<void *>(&exchange));
    set(CURLOPT_HEADERFUNCTION, &Exchange::onHeader);
    set(CURLOPT_HEADERDATA, static_cast<void *>(&exchange));
    set(CURLOPT_HTTPHEADER, exchange.headers);

    if (request.method == "HEAD") {
        set(CURLOPT_NOBODY, 1L);
    } else if (request.method == "POST" || !request.body.empty()) {
        set(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body.size()));
        set(CURLOPT_POSTFIELDS, request.body.c_str());
        if (request.method != "POST")
            set(CURLOPT_CUSTOMREQUEST, request.method.c_str());
    } else {
        set(CURLOPT_HTTPGET, 1L);
        if (request.method != "GET")
            set(CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }

    if (code != CURLE_OK) {
        response.failure = Failure::other;
        response.error = std::string("the HTTP library refused an option: ") + curl_easy_strerror(code);
        return false;
    }
    return true;
}

void CurlHttpTransport::run(Slot &slot, Exchange &exchange, HttpResponse &response)
{
    CURLcode result = CURLE_OK;
    bool cancelled = false;
    if (curl_multi_add_handle(slot.multi, slot.easy) != CURLM_OK) {
        response.failure = Failure::other;
        response.error = "the HTTP library could not start a request";
        return;
    }
    for (;;) {
        // Checked before every step: cancelAll() sets the flag first and
        // then wakes the wait below.
        if (m_cancelled) {
            cancelled = true;
            break;
        }
        int running = 0;
        const CURLMcode performed = curl_multi_perform(slot.multi, &running);
        if (performed != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            std::snprintf(exchange.errorText, sizeof exchange.errorText, "%s", curl_multi_strerror(performed));
            break;
        }
        if (running == 0) {
            int queued = 0;
            while (CURLMsg *message = curl_multi_info_read(slot.multi, &queued))
                if (message->msg == CURLMSG_DONE && message->easy_handle == slot.easy)
                    result = message->data.result;
            break;
        }
        curl_multi_poll(slot.multi, nullptr, 0, pollIntervalMs, nullptr);
    }
    curl_multi_remove_handle(slot.multi, slot.easy);

    if (cancelled) {
        response = HttpResponse{};
        response.failure = Failure::cancelled;
        response.error = "cancelled";
        return;
    }
    if (result == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(slot.easy, CURLINFO_RESPONSE_CODE, &status);
        response.status = int(status);
        return;
    }
    const HttpResponse::Failure failure = failureOf(result);
    response = HttpResponse{};
    response.failure = failure;
    if (exchange.bodyTooLarge || result == CURLE_FILESIZE_EXCEEDED)
        response.error = "the answer is larger than " + std::to_string(maxResponseBytes / (1024 * 1024)) + " MiB";
    else if (exchange.headersTooLarge)
        response.error = "the answer's headers are larger than " + std::to_string(maxHeaderBytes / 1024) + " KiB";
    else
        response.error = oneLine(exchange.errorText[0] ? exchange.errorText : curl_easy_strerror(result));
}

} // namespace kestrune::net
