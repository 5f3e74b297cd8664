#pragma once

#include "routetable.h"

namespace kestrune::server {

// /v1/achievements...: the catalogue merged with the caller's progress,
// reporting progress (the highest is kept), and resetting one's own.
class AchievementRoutes
{
public:
    void addTo(RouteTable &table);

private:
    static void list(RequestContext &context);
    static void report(RequestContext &context);
    static void reset(RequestContext &context);
};

} // namespace kestrune::server
