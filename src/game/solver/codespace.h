#pragma once

#include "game/result.h"
#include "game/shot.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// All codes of four different digits 1-9, in ascending order, and the answer
// of every code to every shot. Codes are named by their index 0 <= i < size;
// answers by a dense index 0 <= a < answerCount. Every function is safe to call
// from any thread; the answer table (about 9 MB) is built once, on first use.
class CodeSpace
{
public:
    static constexpr int size = 3024;
    static constexpr int answerCount = 14;
    // The answer of four bulls, always the last index.
    static constexpr int winningAnswer = answerCount - 1;

    static const std::string &code(int index);
    // The index of `code`, or -1 when it is not four different digits 1-9.
    static int indexOf(std::string_view code);

    // The dense index of a result, or -1 when no shot can score it (3 bulls and
    // a cow, more than four digits, negative counts).
    static int answerIndex(Result result);
    static Result answerResult(int answer);

    // The answer of `shot` against the secret `code`, read from the table.
    static int answer(int code, int shot) { return answerRow(shot)[code]; }
    // The answers of `shot` against every code, `size` bytes by code index.
    static const std::uint8_t *answerRow(int shot);
    // Builds the table now instead of on first use.
    static void prepare();

    // Why `history` cannot be played on: the first invalid code or impossible
    // result, or that no code agrees with every answer. Empty when it can.
    static std::string historyError(const std::vector<Shot> &history);
    // The codes agreeing with every answer of `history`, ascending; nullopt
    // when the history names an invalid code or an impossible result.
    static std::optional<std::vector<int>> consistentCodes(const std::vector<Shot> &history);
};

} // namespace kestrune
