#pragma once

#include "platform/servicekit/servicebackend.h"

#include <mutex>
#include <QThread>

#include <map>
#include <random>
#include <set>

namespace kestrune::test {

// A scriptable game service: reachable or not, somebody signed in or not,
// a sign-in screen offered or not, errors on chosen calls (always, the next
// n times, or at random from a fixed seed), and a latency per call. It keeps
// what it was sent so tests can check it. Thread-safe.
class FakeServiceBackend final : public ServiceBackend
{
public:
    enum class Call { SignedInPlayer, SignIn, LoadLeaderboards, LoadScores, ReportScore, LoadAchievements,
                      ReportAchievement, ResetAchievements, LoadChallenges, LoadPhoto };

    // -- script ----------------------------------------------------------------
    void setReachable(bool r) { std::lock_guard l(m); m_reachable = r; }
    void setSignedIn(std::optional<Player> p) { std::lock_guard l(m); m_signedIn = std::move(p); }
    void setOffersSignIn(bool o) { std::lock_guard l(m); m_offersSignIn = o; }
    void failAlways(Call c, bool fail = true) { std::lock_guard l(m); if (fail) m_failAlways.insert(c); else m_failAlways.erase(c); }
    void failNext(Call c, int times = 1) { std::lock_guard l(m); m_failNext[c] += times; }
    // Every call fails with this probability, drawn from a seeded generator.
    void setRandomFailure(double probability, unsigned seed) { std::lock_guard l(m); m_failureRate = probability; m_random.seed(seed); }
    void setLatency(unsigned long ms) { std::lock_guard l(m); m_latencyMs = ms; }
    void setLeaderboards(std::vector<Leaderboard> l_) { std::lock_guard l(m); m_leaderboards = std::move(l_); }
    // What the service holds for the local player on a leaderboard; other
    // players' scores may come with it.
    void setServiceScore(const QString &leaderboard, std::optional<std::int64_t> mine, int others = 0)
    {
        std::lock_guard l(m);
        m_serviceScores[leaderboard] = {mine, others};
    }
    void setServiceAchievement(const QString &id, double percent) { std::lock_guard l(m); m_achievements[id] = percent; }
    void setPhoto(std::optional<QByteArray> photo) { std::lock_guard l(m); m_photo = std::move(photo); }

    // -- what it received ---------------------------------------------------------
    std::vector<Score> reportedScores() const { std::lock_guard l(m); return m_reportedScores; }
    std::vector<Achievement> reportedAchievements() const { std::lock_guard l(m); return m_reportedAchievements; }
    std::map<QString, double> achievements() const { std::lock_guard l(m); return m_achievements; }
    int calls(Call c) const { std::lock_guard l(m); auto it = m_calls.find(c); return it == m_calls.end() ? 0 : it->second; }
    bool wasReset() const { std::lock_guard l(m); return m_reset; }

    // -- ServiceBackend ---------------------------------------------------------
    std::optional<Player> signedInPlayer(OptionalError &error) override
    {
        if (!enter(Call::SignedInPlayer, error))
            return std::nullopt;
        std::lock_guard l(m);
        return m_signedIn;
    }
    bool offersSignIn() const override { std::lock_guard l(m); return m_offersSignIn; }
    Player signIn(const QString &name, OptionalError &error) override
    {
        if (!enter(Call::SignIn, error))
            return {};
        std::lock_guard l(m);
        m_signedIn = Player{QStringLiteral("P:") + name, name};
        return *m_signedIn;
    }
    ServiceCatalogue catalogue() const override { return {}; }
    std::vector<Leaderboard> loadLeaderboards(const QString &, OptionalError &error) override
    {
        if (!enter(Call::LoadLeaderboards, error))
            return {};
        std::lock_guard l(m);
        return m_leaderboards;
    }
    Leaderboard::Scores loadScores(const QString &player, const QString &leaderboard, OptionalError &error) override
    {
        if (!enter(Call::LoadScores, error))
            return {};
        std::lock_guard l(m);
        Leaderboard::Scores result;
        auto it = m_serviceScores.find(leaderboard);
        if (it == m_serviceScores.end())
            return result;
        for (int i = 0; i < it->second.others; ++i) {
            Score s(leaderboard);
            s.setValue(1 + i);
            s.setPlayerID(QStringLiteral("other%1").arg(i));
            result.scores.push_back(s);
        }
        if (it->second.mine) {
            Score s(leaderboard);
            s.setValue(*it->second.mine);
            s.setPlayerID(player);
            result.scores.push_back(s);
            result.localPlayerScore = s;
        }
        return result;
    }
    void reportScore(const QString &, const Score &score, OptionalError &error) override
    {
        if (!enter(Call::ReportScore, error))
            return;
        std::lock_guard l(m);
        m_reportedScores.push_back(score);
    }
    std::vector<Achievement> loadAchievements(const QString &, OptionalError &error) override
    {
        if (!enter(Call::LoadAchievements, error))
            return {};
        std::lock_guard l(m);
        std::vector<Achievement> result;
        for (const auto &[id, percent] : m_achievements) {
            auto a = Achievement::withIdentifier(id);
            a->setPercentComplete(percent);
            result.push_back(*a);
        }
        return result;
    }
    bool reportAchievement(const QString &, const Achievement &a, OptionalError &error) override
    {
        if (!enter(Call::ReportAchievement, error))
            return false;
        std::lock_guard l(m);
        m_reportedAchievements.push_back(a);
        double &known = m_achievements[a.identifier()];
        const bool completed = known < 100.0 && a.percentComplete() >= 100.0;
        known = std::max(known, a.percentComplete());
        return completed;
    }
    void resetAchievements(const QString &, OptionalError &error) override
    {
        if (!enter(Call::ResetAchievements, error))
            return;
        std::lock_guard l(m);
        m_achievements.clear();
        m_reset = true;
    }
    std::vector<Challenge> loadReceivedChallenges(const QString &, OptionalError &error) override
    {
        if (!enter(Call::LoadChallenges, error))
            return {};
        return {Challenge{QStringLiteral("Ada"), QStringLiteral("Beat this"), {}}};
    }
    std::optional<QByteArray> loadPhoto(const QString &, OptionalError &error) override
    {
        if (!enter(Call::LoadPhoto, error))
            return std::nullopt;
        std::lock_guard l(m);
        return m_photo;
    }

private:
    // Counts the call, waits out the latency and decides whether it fails.
    bool enter(Call c, OptionalError &error)
    {
        unsigned long latency;
        bool fail;
        {
            std::lock_guard l(m);
            ++m_calls[c];
            latency = m_latencyMs;
            fail = !m_reachable || m_failAlways.count(c);
            if (!fail && m_failNext[c] > 0) {
                --m_failNext[c];
                fail = true;
            }
            if (!fail && m_failureRate > 0.0)
                fail = std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_failureRate;
        }
        if (latency)
            QThread::msleep(latency);
        if (fail)
            error = serviceKitError(ServiceErrorCode::communicationsFailure, QStringLiteral("The service did not answer."));
        return !fail;
    }

    struct ServiceScore
    {
        std::optional<std::int64_t> mine;
        int others = 0;
    };

    mutable std::mutex m;
    bool m_reachable = true;
    std::optional<Player> m_signedIn;
    bool m_offersSignIn = false;
    std::set<Call> m_failAlways;
    std::map<Call, int> m_failNext;
    double m_failureRate = 0.0;
    std::mt19937 m_random;
    unsigned long m_latencyMs = 0;
    std::vector<Leaderboard> m_leaderboards;
    std::map<QString, ServiceScore> m_serviceScores;
    std::map<QString, double> m_achievements;
    std::optional<QByteArray> m_photo;
    std::vector<Score> m_reportedScores;
    std::vector<Achievement> m_reportedAchievements;
    std::map<Call, int> m_calls;
    bool m_reset = false;
};

} // namespace kestrune::test
