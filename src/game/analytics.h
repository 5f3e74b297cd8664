#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace kestrune {

// The usage-analytics engine. Event names are 1 to 40 characters: a letter,
// then letters, digits or underscores; an engine refuses other names with a
// warning and keeps nothing.
class Analytics
{
public:
    using Value = std::variant<std::int64_t, double, std::string>;
    using Parameters = std::map<std::string, Value>;

    virtual ~Analytics() = default;

    virtual void configure() = 0;

    // parameters is absent for events that carry no parameter dictionary.
    virtual void logEvent(const std::string &name, const std::optional<Parameters> &parameters = std::nullopt) = 0;

    static bool isValidEventName(const std::string &name);
};

} // namespace kestrune
