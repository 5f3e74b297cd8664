#pragma once

#include "accountroutes.h"
#include "achievementroutes.h"
#include "challengeroutes.h"
#include "exchange.h"
#include "gameservice/server/store/store.h"
#include "routetable.h"
#include "scoreroutes.h"
#include "secrets.h"
#include "topcache.h"

#include <functional>
#include <memory>
#include <optional>

namespace kestrune::server {

using Clock = std::function<Millis()>;

// The game service's HTTP API (docs/server-api.md): turns a framed request
// into a JSON answer over a Store. Every request is checked whole before
// the first write, so a refusal leaves nothing behind. handle() may be
// called from several threads at once (the Store is thread-safe, the rest
// is read-only after construction).
class Api
{
public:
    explicit Api(Store &store, Clock clock = systemClock(), RandomSource random = Secrets::systemRandom());
    // The route table points into this object.
    Api(const Api &) = delete;
    Api &operator=(const Api &) = delete;

    ApiResponse handle(const ApiRequest &request) const;
    // For the transport; the Api must outlive it.
    ApiHandler handler() const;

    // Keeps anonymous top-N answers until a write changes them. Only when
    // this process is the database's only writer (another process's writes
    // would go unseen); call before the first request.
    void cacheTopAnswers();
    // A kept top-N answer for this request, if there is one; anything else
    // (another route, a token, a refusal to give) is left to handle().
    std::optional<ApiResponse> answerFromMemory(const ApiRequest &request) const;
    // answerFromMemory() for the transport; the Api must outlive it.
    ApiShortcut shortcut() const;

    static Clock systemClock();

private:
    void dispatch(const ApiRequest &request, ApiResponse &response) const;
    void authenticate(const ApiRequest &request, Access access, RequestContext &context) const;
    void noteWrite(const Route &route, const std::vector<std::string> &arguments) const;

    Store &m_store;
    Clock m_clock;
    Secrets m_secrets;
    AccountRoutes m_accounts;
    ScoreRoutes m_scores;
    AchievementRoutes m_achievements;
    ChallengeRoutes m_challenges;
    RouteTable m_routes;
    std::unique_ptr<TopCache> m_topCache; // null: not caching
};

} // namespace kestrune::server
