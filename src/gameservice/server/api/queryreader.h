#pragma once

#include "gameservice/server/store/scope.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::server {

// Reads a request's query parameters and refuses those nobody read.
// Throws ApiError.
class QueryReader
{
public:
    explicit QueryReader(std::vector<std::pair<std::string, std::string>> parameters = {});

    std::optional<std::string> take(const std::string &name);
    // A decimal integer in [minimum, maximum]; `fallback` when absent.
    int integer(const std::string &name, int fallback, int minimum, int maximum);
    // "today", "week" or "all"; all time when absent.
    Scope scope();

    void finish() const;

private:
    std::vector<std::pair<std::string, std::string>> m_parameters;
    std::set<std::string> m_read;
};

} // namespace kestrune::server
