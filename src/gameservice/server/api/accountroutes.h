#pragma once

#include "routetable.h"
#include "secrets.h"

namespace kestrune::server {

// /v1/accounts...: create, who-am-i, rename, recover; and /v1/players/{id},
// a player's public name (for a challenge's sender or receiver).
class AccountRoutes
{
public:
    explicit AccountRoutes(const Secrets &secrets);
    void addTo(RouteTable &table);

private:
    void create(RequestContext &context);
    void me(RequestContext &context);
    void rename(RequestContext &context);
    void recover(RequestContext &context);
    void profile(RequestContext &context);

    const Secrets &m_secrets;
};

} // namespace kestrune::server
