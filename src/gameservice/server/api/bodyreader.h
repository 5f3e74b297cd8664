#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace kestrune::server {

// Reads the fields of a JSON object body with their types checked, and
// refuses fields nobody read (a misspelt optional field would otherwise be
// silently ignored). Throws ApiError.
class BodyReader
{
public:
    // Refuses a missing body and one that is not an object.
    explicit BodyReader(const std::optional<nlohmann::json> &body);

    std::string string(const std::string &name);
    std::optional<std::string> optionalString(const std::string &name);
    // An integer literal: 5, not 5.0 or 5e0.
    std::int64_t integer(const std::string &name);
    double number(const std::string &name);

    // Call after reading every field the request may have.
    void finish() const;

private:
    const nlohmann::json &require(const std::string &name);

    const nlohmann::json &m_body; // valid once the constructor returned
    std::set<std::string> m_read;
};

} // namespace kestrune::server
