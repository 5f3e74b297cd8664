#include "curlhttptransport.h"

#include <curl/curl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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
    if (m_cancelled)
        return CurlExchange::failed(Failure::cancelled, "cancelled");
    if (!m_setupError.empty())
        return CurlExchange::failed(Failure::tls, m_setupError);
    if (std::string refusal = CurlExchange::refusal(request); !refusal.empty())
        return CurlExchange::failed(Failure::other, std::move(refusal));

    Slot *slot = borrow();
    if (!slot)
        return CurlExchange::failed(Failure::other, "the HTTP library could not start a request");
    CurlExchange exchange(request);
    CURLcode code = applyPolicy(slot->easy);
    if (code == CURLE_OK)
        code = exchange.attach(slot->easy);
    if (code != CURLE_OK) {
        giveBack(slot, true);
        return CurlExchange::failed(Failure::other,
                                    std::string("the HTTP library refused an option: ") + curl_easy_strerror(code));
    }
    HttpResponse response = run(*slot, exchange);
    // A cancelled or failed transfer may leave its connection half-used;
    // only a clean slot goes back to the pool.
    giveBack(slot, response.failure == Failure::none);
    return response;
}

CURLcode CurlHttpTransport::applyPolicy(CURL *easy) const
{
    CURLcode code = CURLE_OK;
    const auto set = [&code, easy](CURLoption option, auto value) {
        if (code == CURLE_OK)
            code = curl_easy_setopt(easy, option, value);
    };
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
    return code;
}

HttpResponse CurlHttpTransport::run(Slot &slot, CurlExchange &exchange)
{
    if (curl_multi_add_handle(slot.multi, slot.easy) != CURLM_OK)
        return CurlExchange::failed(Failure::other, "the HTTP library could not start a request");
    CURLcode result = CURLE_OK;
    for (;;) {
        // Checked before every step: cancelAll() sets the flag first and
        // then wakes the wait below.
        if (m_cancelled) {
            result = CURLE_ABORTED_BY_CALLBACK;
            exchange.setErrorText("cancelled");
            break;
        }
        int running = 0;
        const CURLMcode performed = curl_multi_perform(slot.multi, &running);
        if (performed != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            exchange.setErrorText(curl_multi_strerror(performed));
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
    return exchange.finish(slot.easy, result);
}

} // namespace kestrune::net
