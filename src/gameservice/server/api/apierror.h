#pragma once

#include <stdexcept>
#include <string>

namespace kestrune::server {

// The stable codes a client may act on; docs/server-api.md lists them with
// their HTTP status. Messages beside them are for people and may change.
namespace errc {
inline constexpr const char *notFound = "not_found";
inline constexpr const char *methodNotAllowed = "method_not_allowed";
inline constexpr const char *unsupportedMediaType = "unsupported_media_type";
inline constexpr const char *invalidTarget = "invalid_target";
inline constexpr const char *invalidUtf8 = "invalid_utf8";
inline constexpr const char *malformedJson = "malformed_json";
inline constexpr const char *duplicateKey = "duplicate_key";
inline constexpr const char *nestingTooDeep = "nesting_too_deep";
inline constexpr const char *wrongType = "wrong_type";
inline constexpr const char *missingField = "missing_field";
inline constexpr const char *unknownField = "unknown_field";
inline constexpr const char *numberOutOfRange = "number_out_of_range";
inline constexpr const char *notAnInteger = "not_an_integer";
inline constexpr const char *invalidParameter = "invalid_parameter";
inline constexpr const char *unknownParameter = "unknown_parameter";
inline constexpr const char *invalidScope = "invalid_scope";
inline constexpr const char *invalidIdentifier = "invalid_identifier";
inline constexpr const char *invalidName = "invalid_name";
inline constexpr const char *invalidMessage = "invalid_message";
inline constexpr const char *invalidReportId = "invalid_report_id";
inline constexpr const char *invalidPercent = "invalid_percent";
inline constexpr const char *scoreOutOfRange = "score_out_of_range";
inline constexpr const char *invalidRecipient = "invalid_recipient";
inline constexpr const char *invalidRecoveryCode = "invalid_recovery_code";
inline constexpr const char *unknownRecoveryCode = "unknown_recovery_code";
inline constexpr const char *missingToken = "missing_token";
inline constexpr const char *invalidToken = "invalid_token";
inline constexpr const char *unknownLeaderboard = "unknown_leaderboard";
inline constexpr const char *unknownAchievement = "unknown_achievement";
inline constexpr const char *unknownChallenge = "unknown_challenge";
inline constexpr const char *unknownPlayer = "unknown_player";
inline constexpr const char *storeUnavailable = "store_unavailable";
inline constexpr const char *internalError = "internal_error";
} // namespace errc

// A refusal: the API answers it as {"error":{"code":...,"message":...}}.
// Messages never carry a token, a recovery code or a hash of either.
class ApiError : public std::runtime_error
{
public:
    ApiError(int status, std::string code, const std::string &message);

    int status() const { return m_status; }
    const std::string &code() const { return m_code; }

    static ApiError badRequest(std::string code, const std::string &message);
    // A name the client sent, quoted for a message when it is short and
    // plain; otherwise a stand-in, so that an error never echoes a whole
    // body back or carries characters a log would choke on.
    static std::string quoted(const std::string &name, const char *standIn);

private:
    int m_status;
    std::string m_code;
};

} // namespace kestrune::server
