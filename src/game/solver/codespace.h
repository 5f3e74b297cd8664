#pragma once

#include "game/code/code.h"
#include "game/code/result.h"
#include "game/code/shot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// All valid codes (see Code), in ascending order, and the answer
// of any code to any shot. Codes are named by their index 0 <= i < size;
// answers by a dense index 0 <= a < answerCount. Answers are worked out when
// asked, from a packed form of the codes (a few kB), rather than kept in a
// table of every pair. Every function is safe to call from any thread.
class CodeSpace
{
public:
    // The packed form below keeps one digit in each byte of a 32-bit word.
    static_assert(Code::length == 4 && Code::highestDigit < 32);

    // Codes of `length` different digits out of `digitCount`: 3024.
    static constexpr int size = [] {
        int codes = 1;
        for (int i = 0; i < Code::length; ++i)
            codes *= Code::digitCount - i;
        return codes;
    }();
    // Every bulls + cows up to the length but (length - 1) bulls and a cow: 14.
    static constexpr int answerCount = (Code::length + 1) * (Code::length + 2) / 2 - 1;
    // The answer of four bulls, always the last index.
    static constexpr int winningAnswer = answerCount - 1;

    // A code as scoring needs it: its digits, one per byte, first digit in
    // the lowest, and bit d set for each of its digits d.
    struct Packed
    {
        std::uint32_t digits = 0;
        std::uint32_t digitMask = 0;
    };

    // Answers named by bulls * 4 + shared digits (0..20) rather than densely,
    // for loops that count answers by the thousand and translate the counts
    // once.
    static constexpr int bullsAndSharedCount = 21;
    // The dense answer of bulls * 4 + shared digits; 0 where no pair of codes
    // scores that (fewer shared digits than bulls).
    static constexpr std::array<std::uint8_t, bullsAndSharedCount> denseByBullsAndShared = [] {
        std::array<std::uint8_t, bullsAndSharedCount> dense{};
        int next = 0;
        for (int bulls = 0; bulls <= Code::length; ++bulls)
            for (int cows = 0; cows <= Code::length; ++cows) {
                if (bulls + cows > Code::length || (bulls == Code::length - 1 && cows == 1))
                    continue;
                dense[static_cast<std::size_t>(bulls * 4 + bulls + cows)] = static_cast<std::uint8_t>(next++);
            }
        return dense;
    }();

    static const std::string &code(int index);
    static Packed packed(int index);
    // The index of `code`, or -1 when it is not a valid code.
    static int indexOf(std::string_view code);

    // The dense index of a result, or -1 when no shot can score it (3 bulls and
    // a cow, more than four digits, negative counts).
    static int answerIndex(Result result);
    static Result answerResult(int answer);

    // The answer of `shot` against the secret `code`.
    static int answer(int code, int shot) { return answer(packed(code), packed(shot)); }
    static int answer(Packed code, Packed shot)
    {
        return denseByBullsAndShared[static_cast<std::size_t>(bullsAndShared(code, shot))];
    }
    static int bullsAndShared(Packed code, Packed shot)
    {
        // Digit bytes differ in their low four bits only; fold those onto bit 0.
        const std::uint32_t x = code.digits ^ shot.digits;
        const std::uint32_t differs = (x | x >> 1 | x >> 2 | x >> 3) & 0x01010101u;
        const auto bulls = static_cast<int>(4 - ((differs * 0x01010101u) >> 24));
        return bulls * 4 + bitCount(code.digitMask & shot.digitMask);
    }

    // Why `history` cannot be played on: the first invalid code or impossible
    // result, or that no code agrees with every answer. Empty when it can.
    static std::string historyError(const std::vector<Shot> &history);
    // The codes agreeing with every answer of `history`, ascending; nullopt
    // when the history names an invalid code or an impossible result.
    static std::optional<std::vector<int>> consistentCodes(const std::vector<Shot> &history);

private:
    // Portable and branch-free: the target need not have a bit-count instruction.
    static int bitCount(std::uint32_t v)
    {
        v = v - ((v >> 1) & 0x55555555u);
        v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
        return static_cast<int>((((v + (v >> 4)) & 0x0f0f0f0fu) * 0x01010101u) >> 24);
    }
};

} // namespace kestrune
