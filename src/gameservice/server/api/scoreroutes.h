#pragma once

#include "routetable.h"
#include "topcache.h"

namespace kestrune::server {

// /v1/leaderboards...: the catalogue's boards, reporting a score, the top N
// and the window around the caller, in a scope.
class ScoreRoutes
{
public:
    static constexpr const char *reportPattern = "/v1/leaderboards/{id}/scores";
    static constexpr const char *topPattern = "/v1/leaderboards/{id}/top";
    static constexpr int defaultLimit = 50;
    static constexpr int maxLimit = 100;
    static constexpr int defaultRadius = 5;
    static constexpr int maxRadius = 25;

    void addTo(RouteTable &table);

    // What a top-N read asks for, from its route argument and query, which
    // it consumes; throws ApiError as the read itself would.
    static TopCache::Key topKey(RequestContext &context);

private:
    static void list(RequestContext &context);
    static void report(RequestContext &context);
    static void top(RequestContext &context);
    static void aroundMe(RequestContext &context);
};

} // namespace kestrune::server
