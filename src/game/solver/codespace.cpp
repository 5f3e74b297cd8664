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
        for (char a = '1'; a <= '9'; ++a)
            for (char b = '1'; b <= '9'; ++b)
                for (char c = '1'; c <= '9'; ++c)
                    for (char d = '1'; d <= '9'; ++d) {
                        if (a == b || a == c || a == d || b == c || b == d || c == d)
                            continue;
                        text.push_back({a, b, c, d});
                        CodeSpace::Packed code;
                        int shift = 0;
                        for (const char digit : {a, b, c, d}) {
                            code.digits |= static_cast<std::uint32_t>(digit - '0') << shift;
                            code.digitMask |= 1u << (digit - '0');
                            shift += 8;
                        }
                        packed.push_back(code);
                    }
    }
};

const Codes &codes()
{
    static const Codes instance; // thread-safe local static
    return instance;
}

// Dense index by bulls * 5 + cows; -1 where no shot scores that.
constexpr std::array<int, 25> denseAnswers = [] {
    std::array<int, 25> dense{};
    int next = 0;
    for (int bulls = 0; bulls <= 4; ++bulls)
        for (int cows = 0; cows <= 4; ++cows)
            dense[bulls * 5 + cows] = (bulls + cows <= 4 && !(bulls == 3 && cows == 1)) ? next++ : -1;
    return dense;
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
    if (code.size() != 4)
        return -1;
    int index = 0;
    unsigned seen = 0;
    // Rank among codes of distinct digits: 8*7*6 codes per first digit, and so on.
    static constexpr int weight[4] = {336, 42, 6, 1};
    for (int i = 0; i < 4; ++i) {
        const char c = code[static_cast<std::size_t>(i)];
        if (c < '1' || c > '9' || (seen & (1u << (c - '0'))))
            return -1;
        const int smallerUnused = (c - '1') - std::popcount(seen & ((1u << (c - '0')) - 1));
        index += smallerUnused * weight[i];
        seen |= 1u << (c - '0');
    }
    return index;
}

int CodeSpace::answerIndex(Result result)
{
    if (result.bulls < 0 || result.cows < 0 || result.bulls + result.cows > 4)
        return -1;
    return denseAnswers[static_cast<std::size_t>(result.bulls * 5 + result.cows)];
}

Result CodeSpace::answerResult(int answer)
{
    for (std::size_t i = 0; i < denseAnswers.size(); ++i)
        if (denseAnswers[i] == answer)
            return {static_cast<std::int64_t>(i / 5), static_cast<std::int64_t>(i % 5)};
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
