#include "validation.h"

#include "apierror.h"
#include "utf8.h"

#include <algorithm>
#include <cmath>

namespace kestrune::server::validation {

namespace {

bool isWordCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// C0, DEL, C1, and the line and paragraph separators: each would break a
// line in somebody's list or log.
bool isControl(char32_t cp)
{
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029;
}

// Throws `code` unless the text is UTF-8 of at most `maxLength` code points
// without control characters; returns its code points.
std::vector<char32_t> plainText(std::string_view text, std::size_t maxLength, const char *code, const std::string &what)
{
    const auto points = utf8::decode(text);
    if (!points)
        throw ApiError::badRequest(errc::invalidUtf8, what + " is not valid UTF-8.");
    if (points->size() > maxLength)
        throw ApiError::badRequest(code, what + " is longer than " + std::to_string(maxLength) + " characters.");
    if (std::any_of(points->begin(), points->end(), isControl))
        throw ApiError::badRequest(code, what + " holds a control character.");
    return *points;
}

} // namespace

void identifier(std::string_view value, std::string_view what)
{
    if (value.empty() || value.size() > maxIdentifierLength
        || !std::all_of(value.begin(), value.end(), isWordCharacter)) {
        throw ApiError::badRequest(errc::invalidIdentifier,
                                   "The " + std::string(what) + " must be 1 to 64 letters, digits or '_'.");
    }
}

const catalogue::LeaderboardDefinition &leaderboard(std::string_view identifier)
{
    validation::identifier(identifier, "leaderboard");
    const auto *board = catalogue::findLeaderboard(identifier);
    if (!board)
        throw ApiError(404, errc::unknownLeaderboard, "There is no leaderboard \"" + std::string(identifier) + "\".");
    return *board;
}

const catalogue::AchievementDefinition &achievement(std::string_view identifier)
{
    validation::identifier(identifier, "achievement");
    const auto *found = catalogue::findAchievement(identifier);
    if (!found)
        throw ApiError(404, errc::unknownAchievement, "There is no achievement \"" + std::string(identifier) + "\".");
    return *found;
}

void displayName(std::string_view name)
{
    const auto points = plainText(name, maxNameLength, errc::invalidName, "The display name");
    const bool blank = std::all_of(points.begin(), points.end(), [](char32_t cp) { return cp == ' ' || cp == 0x3000; });
    if (blank)
        throw ApiError::badRequest(errc::invalidName,
                                   "The display name must have 1 to 32 characters, not only spaces.");
}

void message(std::string_view text)
{
    plainText(text, maxMessageLength, errc::invalidMessage, "The message");
}

void reportId(std::string_view id)
{
    const bool valid = !id.empty() && id.size() <= maxIdentifierLength
                       && std::all_of(id.begin(), id.end(), [](char c) { return isWordCharacter(c) || c == '-'; });
    if (!valid)
        throw ApiError::badRequest(errc::invalidReportId, "The report id must be 1 to 64 letters, digits, '-' or '_'.");
}

void score(const catalogue::LeaderboardDefinition &board, std::int64_t value)
{
    if (value < board.minScore || value > board.maxScore) {
        throw ApiError::badRequest(errc::scoreOutOfRange, "A score on \"" + std::string(board.identifier)
                                                              + "\" lies from " + std::to_string(board.minScore)
                                                              + " to " + std::to_string(board.maxScore) + ".");
    }
}

void percent(double value)
{
    if (!std::isfinite(value) || value < 0 || value > 100)
        throw ApiError::badRequest(errc::invalidPercent, "The percent must be a number from 0 to 100.");
}

} // namespace kestrune::server::validation
