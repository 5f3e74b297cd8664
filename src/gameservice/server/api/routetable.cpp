#include "routetable.h"

#include <algorithm>
#include <utility>

namespace kestrune::server {

namespace {

bool isPlaceholder(const std::string &segment)
{
    return segment.size() >= 2 && segment.front() == '{' && segment.back() == '}';
}

} // namespace

void RouteTable::add(Route route)
{
    Entry entry{std::move(route), {}};
    std::string_view rest = std::string_view(entry.route.pattern).substr(1);
    while (true) {
        const std::size_t slash = rest.find('/');
        entry.segments.emplace_back(rest.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    m_entries.push_back(std::move(entry));
}

RouteMatch RouteTable::match(std::string_view method, const std::vector<std::string> &segments) const
{
    RouteMatch result;
    for (const Entry &entry : m_entries) {
        if (entry.segments.size() != segments.size())
            continue;
        std::vector<std::string> arguments;
        bool matches = true;
        for (std::size_t i = 0; i < segments.size() && matches; ++i) {
            if (isPlaceholder(entry.segments[i]))
                arguments.push_back(segments[i]);
            else
                matches = entry.segments[i] == segments[i];
        }
        if (!matches)
            continue;
        if (result.pattern.empty())
            result.pattern = entry.route.pattern;
        if (entry.route.method == method) {
            result.route = &entry.route;
            result.arguments = std::move(arguments);
            result.pattern = entry.route.pattern;
            result.allowed.clear();
            return result;
        }
        if (std::find(result.allowed.begin(), result.allowed.end(), entry.route.method) == result.allowed.end())
            result.allowed.push_back(entry.route.method);
    }
    return result;
}

} // namespace kestrune::server
