#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace kestrune {

// The secret codes a scripted user-interface run plays against, so that a
// script can win: KESTRUNE_UITEST_CODES, codes of four different digits 1-9
// separated by commas, drawn in turn and over again. Read only in UITest
// runs; a player's game always draws its own.
class ScriptedCodes
{
public:
    static constexpr const char *variable = "KESTRUNE_UITEST_CODES";

    // The draw for `text`; nothing when it is empty. A code that is not four
    // different digits 1-9 is refused with the reason in `error`.
    static std::optional<std::function<std::string()>> parse(const QString &text, QString &error);
};

} // namespace kestrune
