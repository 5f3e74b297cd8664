#include "api.h"

#include "apierror.h"
#include "gameservice/catalogue/catalogue.h"
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

void Api::cacheTopAnswers()
{
    m_topCache = std::make_unique<TopCache>();
}

ApiShortcut Api::shortcut() const
{
    return [this](const ApiRequest &request) { return answerFromMemory(request); };
}

std::optional<ApiResponse> Api::answerFromMemory(const ApiRequest &request) const
{
    if (!m_topCache || request.method != "GET" || !request.authorization.empty())
        return std::nullopt;
    try {
        DecodedTarget target = RequestDecoder::decodeTarget(request.target);
        const RouteMatch match = m_routes.match(request.method, target.segments);
        if (!match.route || match.pattern != ScoreRoutes::topPattern)
            return std::nullopt;
        ApiResponse response;
        RequestContext context(m_store, m_clock(), response);
        context.setArguments(match.arguments);
        context.setQuery(QueryReader(std::move(target.query)));
        const auto body = m_topCache->find(ScoreRoutes::topKey(context));
        if (!body)
            return std::nullopt;
        response.route = match.pattern;
        response.body = *body;
        return response;
    } catch (const std::exception &) {
        // Bad input: handle() refuses it with the full answer.
        return std::nullopt;
    }
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
    context.setTopCache(m_topCache.get());
    if (!m_topCache || request.method == "GET")
        return route.handler(context);
    // Kept answers learn of a write after it committed and before it is
    // acknowledged; a failed write changed nothing, but counting it is safe.
    try {
        route.handler(context);
    } catch (...) {
        noteWrite(route, match.arguments);
        throw;
    }
    noteWrite(route, match.arguments);
}

void Api::noteWrite(const Route &route, const std::vector<std::string> &arguments) const
{
    if (route.pattern == ScoreRoutes::reportPattern) {
        // A score touches its own board; no store takes one outside the catalogue.
        if (!arguments.empty() && catalogue::findLeaderboard(arguments.front()))
            m_topCache->boardChanged(arguments.front());
        return;
    }
    // Anything else may show on every board (a new display name does).
    m_topCache->allChanged();
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
