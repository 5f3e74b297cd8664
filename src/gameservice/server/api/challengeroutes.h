#pragma once

#include "routetable.h"

namespace kestrune::server {

// /v1/challenges...: send one to another player ("beat my score on this
// leaderboard"), list those received, dismiss one.
class ChallengeRoutes
{
public:
    void addTo(RouteTable &table);

private:
    static void send(RequestContext &context);
    static void received(RequestContext &context);
    static void dismiss(RequestContext &context);
};

} // namespace kestrune::server
