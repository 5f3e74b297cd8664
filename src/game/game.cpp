#include "game.h"

#include "gamedelegate.h"
#include "gameservicehelper.h"
#include "securerandomsource.h"
#include "shuffleddistribution.h"
#include "systemclock.h"

#include <array>
#include <chrono>
#include <cmath>

namespace kestrune {

namespace {

// Base points of a won game by its number of shots (index = shots).
constexpr std::array<std::int64_t, 11> pointsForShots = {0, 800, 799, 760, 720, 670, 620, 565, 510, 430, 375};

} // namespace

Game::Game(GameEnvironment environment)
    : m_environment(std::move(environment))
{
    if (!m_environment.clock)
        m_environment.clock = &SystemClock::instance();
}

std::string Game::code() const
{
    if (m_code.empty())
        m_code = m_environment.drawCode ? m_environment.drawCode() : drawCode(SecureRandomSource::instance());
    return m_code;
}

std::string Game::drawCode(RandomSource &random)
{
    ShuffledDistribution die(random, Code::lowestDigit, Code::highestDigit);
    std::string code;
    for (int i = 0; i < codeLength; ++i)
        code += static_cast<char>('0' + die.nextInt());
    return code;
}

bool Game::isValidShot(const std::string &code)
{
    return Code::isValid(code);
}

Result Game::score(const std::string &code, const std::string &shot)
{
    Result result;
    for (std::size_t i = 0; i < shot.size(); ++i) {
        if (code[i] == shot[i])
            ++result.bulls;
        else if (code.find(shot[i]) != std::string::npos)
            ++result.cows;
    }
    return result;
}

std::int64_t Game::pointsFor(std::size_t shots, double seconds)
{
    const std::int64_t base = pointsForShots.at(shots);
    const double bonus = seconds < 50.0 ? 200.0 - 4.0 * seconds : -(seconds - 50.0) / 2.0;
    const auto points = base + static_cast<std::int64_t>(std::round(bonus)); // halves away from zero
    return points < 0 ? 0 : points;
}

double Game::duration() const
{
    if (!m_gameStartDate)
        return 0.0;
    const Clock::TimePoint end = m_gameEndDate ? *m_gameEndDate : m_environment.clock->now();
    return std::chrono::duration<double>(end - *m_gameStartDate).count();
}

std::optional<std::int64_t> Game::points() const
{
    if (!m_gameEndDate || m_shots.empty())
        return std::nullopt;
    return pointsFor(m_shots.size(), duration());
}

std::optional<Result> Game::shot(const std::string &code)
{
    // The keypad never sends anything else, but the rules must not trust it.
    if (!isValidShot(code))
        return std::nullopt;
    if (m_isEnded)
        return m_shots.back().result;

    const Result result = score(this->code(), code);

    if (!m_shots.empty() && m_shots.back().code == code && m_delegate && m_delegate->reportsAchievements()
        && m_environment.gameService) {
        GameServiceHelper::report(*m_environment.gameService, AchievementEvent::reallyStubborn);
    }

    m_shots.push_back({code, result});
    const Clock::TimePoint now = m_environment.clock->now();
    if (!m_gameStartDate)
        m_gameStartDate = now;

    if (result.bulls == winningBulls) {
        m_isEnded = true;
        m_gameEndDate = now;
        m_isWon = true;
        if (m_delegate)
            m_delegate->gameDidWin(*this, *points(), duration());
    } else if (m_shots.size() == maxShots) {
        m_isEnded = true;
        m_gameEndDate = now;
        if (m_delegate)
            m_delegate->gameDidLose(duration());
    }

    // Subscribers may release this game while they run; touch no member after.
    const bool ended = m_isEnded;
    const rx::PublishSubject<Result> subject = m_resultSubject;
    subject.onNext(result);
    if (ended)
        subject.onCompleted();
    return result;
}

} // namespace kestrune
