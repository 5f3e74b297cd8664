#include "queryreader.h"

#include "apierror.h"

#include <charconv>

namespace kestrune::server {

QueryReader::QueryReader(std::vector<std::pair<std::string, std::string>> parameters)
    : m_parameters(std::move(parameters))
{
}

std::optional<std::string> QueryReader::take(const std::string &name)
{
    m_read.insert(name);
    for (const auto &[key, value] : m_parameters) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

int QueryReader::integer(const std::string &name, int fallback, int minimum, int maximum)
{
    const auto text = take(name);
    if (!text)
        return fallback;
    int value = 0;
    const char *end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (text->empty() || ec != std::errc() || ptr != end || value < minimum || value > maximum) {
        throw ApiError::badRequest(errc::invalidParameter, "The parameter \"" + name + "\" must be an integer from "
                                                               + std::to_string(minimum) + " to "
                                                               + std::to_string(maximum) + ".");
    }
    return value;
}

Scope QueryReader::scope()
{
    const auto text = take("scope");
    if (!text)
        return Scope::AllTime;
    const auto scope = scopeFromName(*text);
    if (!scope)
        throw ApiError::badRequest(errc::invalidScope, "The scope must be \"today\", \"week\" or \"all\".");
    return *scope;
}

void QueryReader::finish() const
{
    for (const auto &parameter : m_parameters) {
        if (m_read.count(parameter.first) == 0) {
            throw ApiError::badRequest(errc::unknownParameter, "The query parameter "
                                                                   + ApiError::quoted(parameter.first, "given")
                                                                   + " is not known here.");
        }
    }
}

} // namespace kestrune::server
