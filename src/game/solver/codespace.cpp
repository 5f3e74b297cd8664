#include "codespace.h"

#include <array>
#include <bit>

namespace kestrune {

namespace {

struct Codes
{
    std::vector<std::string> text;
    std::vector<CodeSpace::Packed> packed;

    Codes()
    {
        // Every string of digits in ascending order, keeping the valid ones.
        std::string code(Code::length, static_cast<char>('0' + Code::lowestDigit));
        for (;;) {
            if (Code::isValid(code)) {
                CodeSpace::Packed packedCode;
                int shift = 0;
                for (const char digit : code) {
                    packedCode.digits |= static_cast<std::uint32_t>(digit - '0') << shift;
                    packedCode.digitMask |= 1u << (digit - '0');
                    shift += 8;
                }
                text.push_back(code);
                packed.push_back(packedCode);
            }
            int i = Code::length - 1;
            while (i >= 0 && code[static_cast<std::size_t>(i)] == '0' + Code::highestDigit)
                code[static_cast<std::size_t>(i--)] = static_cast<char>('0' + Code::lowestDigit);
            if (i < 0)
                break;
            ++code[static_cast<std::size_t>(i)];
        }
    }
};

const Codes &codes()
{
    static const Codes instance; // thread-safe local static
    return instance;
}

constexpr int countsPerKind = Code::length + 1;

// Dense index by bulls * countsPerKind + cows; -1 where no shot scores that.
constexpr std::array<int, countsPerKind *countsPerKind> denseAnswers = [] {
    std::array<int, countsPerKind * countsPerKind> dense{};
    int next = 0;
    for (int bulls = 0; bulls <= Code::length; ++bulls)
        for (int cows = 0; cows <= Code::length; ++cows)
            dense[static_cast<std::size_t>(bulls * countsPerKind + cows)] =
                (bulls + cows <= Code::length && !(bulls == Code::length - 1 && cows == 1)) ? next++ : -1;
    return dense;
}();

// How many codes follow each choice of a digit at each place: the
// arrangements of the remaining places from the remaining digits.
constexpr std::array<int, Code::length> rankWeights = [] {
    std::array<int, Code::length> weights{};
    for (int place = 0; place < Code::length; ++place) {
        int arrangements = 1;
        for (int later = place + 1; later < Code::length; ++later)
            arrangements *= Code::digitCount - later;
        weights[static_cast<std::size_t>(place)] = arrangements;
    }
    return weights;
}();

} // namespace

const std::string &CodeSpace::code(int index)
{
    return codes().text.at(static_cast<std::size_t>(index));
}

CodeSpace::Packed CodeSpace::packed(int index)
{
    return codes().packed.at(static_cast<std::size_t>(index));
}

int CodeSpace::indexOf(std::string_view code)
{
    if (!Code::isValid(code))
        return -1;
    int index = 0;
    unsigned seen = 0;
    // Rank among valid codes: each place counts the smaller digits not used yet.
    for (std::size_t i = 0; i < code.size(); ++i) {
        const int digit = code[i] - '0';
        const int smallerUnused = (digit - Code::lowestDigit) - std::popcount(seen & ((1u << digit) - 1));
        index += smallerUnused * rankWeights[i];
        seen |= 1u << digit;
    }
    return index;
}

int CodeSpace::answerIndex(Result result)
{
    if (result.bulls < 0 || result.cows < 0 || result.bulls + result.cows > Code::length)
        return -1;
    return denseAnswers[static_cast<std::size_t>(result.bulls * countsPerKind + result.cows)];
}

Result CodeSpace::answerResult(int answer)
{
    for (std::size_t i = 0; i < denseAnswers.size(); ++i)
        if (denseAnswers[i] == answer)
            return {static_cast<std::int64_t>(i / countsPerKind), static_cast<std::int64_t>(i % countsPerKind)};
    return {};
}

std::string CodeSpace::historyError(const std::vector<Shot> &history)
{
    for (std::size_t i = 0; i < history.size(); ++i) {
        const std::string turn = "shot " + std::to_string(i + 1) + ": ";
        if (indexOf(history[i].code) < 0)
            return turn + "\"" + history[i].code + "\" is not four different digits 1-9";
        if (answerIndex(history[i].result) < 0)
            return turn + std::to_string(history[i].result.bulls) + " bulls and "
                   + std::to_string(history[i].result.cows) + " cows cannot be scored";
    }
    const auto candidates = consistentCodes(history);
    if (candidates && candidates->empty())
        return "no code agrees with every answer";
    return {};
}

std::optional<std::vector<int>> CodeSpace::consistentCodes(const std::vector<Shot> &history)
{
    std::vector<std::pair<Packed, int>> turns;
    turns.reserve(history.size());
    for (const Shot &shot : history) {
        const int index = indexOf(shot.code);
        const int answer = answerIndex(shot.result);
        if (index < 0 || answer < 0)
            return std::nullopt;
        turns.emplace_back(packed(index), answer);
    }
    const std::vector<Packed> &all = codes().packed;
    std::vector<int> result;
    for (int code = 0; code < size; ++code) {
        bool agrees = true;
        for (const auto &[shot, answer] : turns)
            agrees = agrees && CodeSpace::answer(all[static_cast<std::size_t>(code)], shot) == answer;
        if (agrees)
            result.push_back(code);
    }
    return result;
}

} // namespace kestrune
