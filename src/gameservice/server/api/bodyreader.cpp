#include "bodyreader.h"

#include "apierror.h"

namespace kestrune::server {

namespace {

ApiError wrongType(const std::string &name, const char *expected)
{
    return ApiError::badRequest(errc::wrongType, "The field \"" + name + "\" must be " + expected + ".");
}

} // namespace

namespace {

const nlohmann::json &objectBody(const std::optional<nlohmann::json> &body)
{
    if (!body)
        throw ApiError::badRequest(errc::malformedJson, "The request needs a JSON object as its body.");
    if (!body->is_object())
        throw ApiError::badRequest(errc::wrongType, "The body must be a JSON object.");
    return *body;
}

} // namespace

BodyReader::BodyReader(const std::optional<nlohmann::json> &body)
    : m_body(objectBody(body))
{
}

const nlohmann::json &BodyReader::require(const std::string &name)
{
    m_read.insert(name);
    const auto it = m_body.find(name);
    if (it == m_body.end())
        throw ApiError::badRequest(errc::missingField, "The field \"" + name + "\" is missing.");
    return *it;
}

std::string BodyReader::string(const std::string &name)
{
    const nlohmann::json &value = require(name);
    if (!value.is_string())
        throw wrongType(name, "a string");
    return value.get<std::string>();
}

std::optional<std::string> BodyReader::optionalString(const std::string &name)
{
    if (!m_body.contains(name)) {
        m_read.insert(name);
        return std::nullopt;
    }
    return string(name);
}

std::int64_t BodyReader::integer(const std::string &name)
{
    const nlohmann::json &value = require(name);
    if (value.is_number_float())
        throw ApiError::badRequest(errc::notAnInteger, "The field \"" + name + "\" must be an integer.");
    if (!value.is_number_integer())
        throw wrongType(name, "an integer");
    // The decoder has refused magnitudes beyond 2^53, so this fits.
    return value.is_number_unsigned() ? static_cast<std::int64_t>(value.get<std::uint64_t>())
                                      : value.get<std::int64_t>();
}

double BodyReader::number(const std::string &name)
{
    const nlohmann::json &value = require(name);
    if (!value.is_number())
        throw wrongType(name, "a number");
    return value.get<double>();
}

void BodyReader::finish() const
{
    for (const auto &item : m_body.items()) {
        if (m_read.count(item.key()) == 0)
            throw ApiError::badRequest(errc::unknownField,
                                       "The field " + ApiError::quoted(item.key(), "given") + " is not known here.");
    }
}

} // namespace kestrune::server
