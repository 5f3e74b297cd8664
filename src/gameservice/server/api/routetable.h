#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::server {

class RequestContext;

// Who may call a route: anyone, anyone (a valid token adds the caller's own
// data), or only a player with a valid token.
enum class Access { Anyone, OptionalPlayer, Player };

struct Route
{
    std::string method;
    std::string pattern; // "/v1/leaderboards/{id}/top": a "{...}" segment matches any one segment
    Access access = Access::Anyone;
    bool jsonBody = false; // the route reads a JSON object body
    std::function<void(RequestContext &)> handler;
    // Whether the handler reads query parameters (and refuses unknown ones
    // itself, before its first store call); if not, any query is refused.
    bool takesQuery = false;
};

struct RouteMatch
{
    const Route *route = nullptr;       // set when path and method match
    std::vector<std::string> arguments; // the "{...}" segments, in order
    std::vector<std::string> allowed;   // the methods the path has, when only the method failed
    std::string pattern;                // of the first route whose path matched
};

// The API's routes in one table, matched in the order they were added.
class RouteTable
{
public:
    void add(Route route);
    RouteMatch match(std::string_view method, const std::vector<std::string> &segments) const;

private:
    struct Entry
    {
        Route route;
        std::vector<std::string> segments;
    };
    std::vector<Entry> m_entries;
};

} // namespace kestrune::server
