#include "api.h"

#include "apierror.h"
#include "requestcontext.h"
#include "requestdecoder.h"

#include <cctype>
#include <chrono>

namespace kestrune::server {

namespace {

// The route label of a request no route matched: one label, so that
// scanners cannot grow the metrics without bound.
constexpr const char *unmatchedRoute = "(unmatched)";

void fail(ApiResponse &response, int status, const std::string &code, const std::string &message)
{
    response.status = status;
    response.errorCode = code;
    response.body = toJsonText({{"error", {{"code", code}, {"message", message}}}});
}

std::string joined(const std::vector<std::string> &methods)
{
    std::string text;
    for (const std::string &method : methods)
        text += (text.empty() ? "" : ", ") + method;
    return text;
}

// The token from "Bearer <token>" (the scheme in any case), or nothing.
std::optional<std::string> bearerToken(std::string_view header)
{
    constexpr std::string_view scheme = "bearer ";
    if (header.size() <= scheme.size())
        return std::nullopt;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(header[i])) != scheme[i])
            return std::nullopt;
    }
    return std::string(header.substr(scheme.size()));
}

} // namespace

Api::Api(Store &store, Clock clock, RandomSource random)
    : m_store(store)
    , m_clock(std::move(clock))
    , m_secrets(std::move(random))
    , m_accounts(m_secrets)
{
    m_accounts.addTo(m_routes);
    m_scores.addTo(m_routes);
    m_achievements.addTo(m_routes);
    m_challenges.addTo(m_routes);
}

Clock Api::systemClock()
{
    return [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    };
}

ApiHandler Api::handler() const
{
    return [this](const ApiRequest &request) { return handle(request); };
}

ApiResponse Api::handle(const ApiRequest &request) const
{
    ApiResponse response;
    try {
        dispatch(request, response);
    } catch (const ApiError &error) {
        fail(response, error.status(), error.code(), error.what());
        if (error.code() == errc::missingToken || error.code() == errc::invalidToken)
            response.headers.emplace_back("WWW-Authenticate", "Bearer");
    } catch (const StoreError &error) {
        // The store's message names tables and statements: the log's
        // business, not the client's.
        fail(response, 503, errc::storeUnavailable, "The database is not available; try again shortly.");
        response.headers.emplace_back("Retry-After", "1");
        response.internalError = error.what();
    } catch (const std::exception &error) {
        fail(response, 500, errc::internalError, "The server could not answer this request.");
        response.internalError = error.what();
    }
    return response;
}

void Api::dispatch(const ApiRequest &request, ApiResponse &response) const
{
    response.route = unmatchedRoute;
    DecodedTarget target = RequestDecoder::decodeTarget(request.target);
    const RouteMatch match = m_routes.match(request.method, target.segments);
    if (!match.pattern.empty())
        response.route = match.pattern;
    if (!match.route && match.allowed.empty())
        throw ApiError(404, errc::notFound, "There is no such resource.");
    if (!match.route) {
        response.headers.emplace_back("Allow", joined(match.allowed));
        throw ApiError(405, errc::methodNotAllowed, "This resource answers only " + joined(match.allowed) + ".");
    }
    const Route &route = *match.route;

    RequestContext context(m_store, m_clock(), response);
    context.setArguments(match.arguments);
    // Credentials first: who may not call a route learns nothing about its input.
    authenticate(request, route.access, context);
    if (!route.takesQuery && !target.query.empty())
        throw ApiError::badRequest(errc::unknownParameter, "This resource takes no query parameters.");
    context.setQuery(QueryReader(std::move(target.query)));
    if (route.jsonBody) {
        if (!request.body.empty() && !RequestDecoder::isJsonContentType(request.contentType)) {
            throw ApiError(415, errc::unsupportedMediaType, "The body must be sent as application/json.");
        }
        context.setBody(RequestDecoder::decodeBody(request.body));
    }
    route.handler(context);
}

void Api::authenticate(const ApiRequest &request, Access access, RequestContext &context) const
{
    if (access == Access::Anyone)
        return;
    if (request.authorization.empty()) {
        if (access == Access::Player)
            throw ApiError(401, errc::missingToken, "This request needs \"Authorization: Bearer <token>\".");
        return;
    }
    // A header that is there but wrong is refused even where a token is
    // optional: silently answering as nobody would hide the client's fault.
    const auto token = bearerToken(request.authorization);
    if (!token || !Secrets::isWellFormedToken(*token))
        throw ApiError(401, errc::invalidToken, "The Authorization header does not hold a valid bearer token.");
    const std::string tokenHash = Secrets::hash(*token);
    auto player = context.store([&](Store &store) { return store.playerByToken(tokenHash); });
    if (!player)
        throw ApiError(401, errc::invalidToken, "The token does not belong to a player.");
    context.setCaller(std::move(*player));
}

} // namespace kestrune::server
