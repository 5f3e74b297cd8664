#pragma once

#include "code/code.h"
#include "gameenvironment.h"
#include "gameprotocol.h"

namespace kestrune {

class RandomSource;

// One player's attempt to break one secret code: scoring, the end of the
// game, its duration and points. GUI thread only.
class Game final : public GameProtocol
{
public:
    static constexpr int codeLength = Code::length;
    static constexpr std::size_t maxShots = 10;
    static constexpr std::int64_t winningBulls = Code::length;

    explicit Game(GameEnvironment environment = {});

    std::string code() const override;
    const std::vector<Shot> &shots() const override { return m_shots; }
    bool isEnded() const override { return m_isEnded; }
    bool isWon() const override { return m_isWon; }
    std::optional<Clock::TimePoint> gameStartDate() const override { return m_gameStartDate; }
    std::optional<Clock::TimePoint> gameEndDate() const override { return m_gameEndDate; }
    const rx::PublishSubject<Result> &resultSubject() const override { return m_resultSubject; }
    double duration() const override;
    std::optional<std::int64_t> points() const override;
    GameDelegate *delegate() const override { return m_delegate; }
    void setDelegate(GameDelegate *delegate) override { m_delegate = delegate; }

    std::optional<Result> shot(const std::string &code) override;

    // Four different digits 1-9 from a fresh shuffled nine-sided die.
    static std::string drawCode(RandomSource &random);
    static bool isValidShot(const std::string &code);
    // Scores a shot against a code; both are valid four-digit strings.
    static Result score(const std::string &code, const std::string &shot);
    // The points of a game won with `shots` shots (1 to 10) in `seconds`.
    static std::int64_t pointsFor(std::size_t shots, double seconds);

private:
    GameEnvironment m_environment;
    mutable std::string m_code;
    GameDelegate *m_delegate = nullptr;
    std::vector<Shot> m_shots;
    bool m_isEnded = false;
    bool m_isWon = false;
    std::optional<Clock::TimePoint> m_gameStartDate;
    std::optional<Clock::TimePoint> m_gameEndDate;
    rx::PublishSubject<Result> m_resultSubject;
};

} // namespace kestrune
