#pragma once

#include "gameservice/kit/servicebackend.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <random>
#include <tuple>

namespace kestrune::test {

// A scriptable game service: somebody signed in or not, a sign-in screen
// offered or not, errors on chosen calls (the next time, or at random from a
// fixed seed). It keeps what it was sent so tests can check it. Thread-safe.
class FakeServiceBackend final : public ServiceBackend
{
public:
    enum class Call {
        SignedInPlayer,
        SignIn,
        LoadLeaderboards,
        LoadScores,
        ReportScore,
        LoadAchievements,
        ReportAchievement,
        ResetAchievements,
        LoadChallenges,
        SendChallenge,
        DismissChallenge,
        LoadPhoto,
        SignOut
    };

    // What sendChallenge() was given.
    struct SentChallenge
    {
        QString from;
        QString to;
        QString leaderboard;
        std::int64_t score = 0;
        QString message;
    };

    // -- script ----------------------------------------------------------------
    void setSignedIn(std::optional<Player> p) { set(m_signedIn, std::move(p)); }
    void setOffersSignIn(bool o) { set(m_offersSignIn, o); }
    // Reached over the network unless told otherwise.
    void setNeedsNetwork(bool n) { set(m_needsNetwork, n); }
    // The next call of that kind fails with that code (a communications
    // failure: worth another try; invalidParameter: refused for good).
    void failNext(Call c, int code = ServiceErrorCode::communicationsFailure)
    {
        std::lock_guard l(m);
        ++m_failNext[c];
        m_failureCode = code;
    }
    // Every call fails with this probability, drawn from a seeded generator.
    void setRandomFailure(double probability, unsigned seed)
    {
        std::lock_guard l(m);
        m_failureRate = probability;
        m_random.seed(seed);
    }
    void setLeaderboards(std::vector<Leaderboard> boards) { set(m_leaderboards, std::move(boards)); }
    // The local player's score on a leaderboard, with other players' lower ones.
    void setServiceScore(const QString &board, std::int64_t mine, int others = 0)
    {
        std::lock_guard l(m);
        m_serviceScores[board] = {mine, others};
    }
    void setServiceAchievement(const QString &id, double percent)
    {
        std::lock_guard l(m);
        m_achievements[id] = percent;
    }
    void setPhoto(std::optional<QByteArray> photo) { set(m_photo, std::move(photo)); }
    // The received challenges; one from Ada until told otherwise. A
    // dismissed one leaves the list.
    void setChallenges(std::vector<Challenge> challenges) { set(m_challenges, std::move(challenges)); }
    // The scores of other players that `query` brings, or any query for the
    // board without one of its own; `players` -1 counts the rows.
    void setLeaderboardScores(const QString &board, std::vector<Score> scores, std::int64_t players = -1,
                              std::optional<Leaderboard::Query> query = {})
    {
        std::lock_guard l(m);
        Leaderboard::Scores &s = m_queriedScores[keyOf(board, query)];
        s.scores = std::move(scores);
        s.playerCount = players < 0 ? std::int64_t(s.scores.size()) : players;
    }
    void setCatalogue(ServiceCatalogue c) { set(m_catalogue, std::move(c)); }

    // The next call of this kind reads or changes the service as usual, then
    // keeps its answer until release(): an answer still on its way.
    // waitUntilHeld() is false when no call was held within 30 s. After
    // releaseAll() nothing is held any more.
    void holdNext(Call c)
    {
        std::lock_guard l(m);
        m_holds[c] = Hold::armed;
    }
    bool waitUntilHeld(Call c)
    {
        std::unique_lock l(m);
        return m_changed.wait_for(l, std::chrono::seconds(30), [&] {
            const auto it = m_holds.find(c);
            return it != m_holds.end() && it->second == Hold::holding;
        });
    }
    void release(Call c)
    {
        std::lock_guard l(m);
        m_holds.erase(c);
        m_changed.notify_all();
    }
    void releaseAll()
    {
        std::lock_guard l(m);
        m_holds.clear();
        m_holdsOff = true;
        m_changed.notify_all();
    }

    // -- what it received ---------------------------------------------------------
    std::vector<Score> reportedScores() const { return get(m_reportedScores); }
    std::vector<Achievement> reportedAchievements() const { return get(m_reportedAchievements); }
    std::map<QString, double> achievements() const { return get(m_achievements); }
    int calls(Call c) const
    {
        std::lock_guard l(m);
        auto it = m_calls.find(c);
        return it == m_calls.end() ? 0 : it->second;
    }
    bool wasReset() const { return get(m_reset); }
    std::vector<SentChallenge> sentChallenges() const { return get(m_sent); }
    std::vector<Challenge> challenges() const { return get(m_challenges); }
    // Every query, with its board, oldest first.
    std::vector<std::pair<QString, Leaderboard::Query>> queries() const { return get(m_queries); }

    // -- ServiceBackend ---------------------------------------------------------
    std::optional<Player> signedInPlayer(OptionalError &e) override
    {
        return answer(Call::SignedInPlayer, e, [&] { return m_signedIn; });
    }
    bool offersSignIn() const override { return get(m_offersSignIn); }
    bool needsNetwork() const override { return get(m_needsNetwork); }
    void signOut(OptionalError &e) override
    {
        answer(Call::SignOut, e, [&] {
            m_signedIn.reset();
            return true;
        });
    }
    Player signIn(const QString &name, OptionalError &e) override
    {
        return answer(Call::SignIn, e, [&] { return *(m_signedIn = Player{QStringLiteral("P:") + name, name}); });
    }
    ServiceCatalogue catalogue() const override { return get(m_catalogue); }
    std::vector<Leaderboard> loadLeaderboards(const QString &, OptionalError &e) override
    {
        return answer(Call::LoadLeaderboards, e, [&] { return m_leaderboards; });
    }
    Leaderboard::Scores loadScores(const QString &player, const QString &board, OptionalError &e) override
    {
        return answer(Call::LoadScores, e, [&] { return serviceScores(player, board); });
    }
    Leaderboard::Scores loadScores(const QString &player, const QString &board, const Leaderboard::Query &query,
                                   OptionalError &e) override
    {
        return answer(Call::LoadScores, e, [&] {
            m_queries.emplace_back(board, query);
            for (const auto &key : {keyOf(board, query), keyOf(board, std::nullopt)})
                if (auto it = m_queriedScores.find(key); it != m_queriedScores.end())
                    return it->second;
            return query == Leaderboard::Query{} ? serviceScores(player, board) : Leaderboard::Scores{};
        });
    }
    void reportScore(const QString &, const Score &score, OptionalError &e) override
    {
        answer(Call::ReportScore, e, [&] { m_reportedScores.push_back(score); });
    }
    std::vector<Achievement> loadAchievements(const QString &, OptionalError &e) override
    {
        return answer(Call::LoadAchievements, e, [&] {
            std::vector<Achievement> result;
            for (const auto &[id, percent] : m_achievements) {
                result.push_back(*Achievement::withIdentifier(id));
                result.back().setPercentComplete(percent);
            }
            return result;
        });
    }
    bool reportAchievement(const QString &, const Achievement &a, OptionalError &e) override
    {
        return answer(Call::ReportAchievement, e, [&] {
            m_reportedAchievements.push_back(a);
            double &known = m_achievements[a.identifier()];
            const bool completed = known < 100.0 && a.percentComplete() >= 100.0;
            known = std::max(known, a.percentComplete());
            return completed;
        });
    }
    void resetAchievements(const QString &, OptionalError &e) override
    {
        answer(Call::ResetAchievements, e, [&] {
            m_achievements.clear();
            m_reset = true;
        });
    }
    std::vector<Challenge> loadReceivedChallenges(const QString &, OptionalError &e) override
    {
        return answer(Call::LoadChallenges, e, [&] { return m_challenges; });
    }
    void sendChallenge(const QString &player, const QString &to, const QString &board, std::int64_t score,
                       const QString &message, OptionalError &e) override
    {
        answer(Call::SendChallenge, e, [&] { m_sent.push_back({player, to, board, score, message}); });
    }
    void dismissChallenge(const QString &, const QString &identifier, OptionalError &e) override
    {
        answer(Call::DismissChallenge, e,
               [&] { std::erase_if(m_challenges, [&](const Challenge &c) { return c.identifier == identifier; }); });
    }
    std::optional<QByteArray> loadPhoto(const QString &, OptionalError &e) override
    {
        return answer(Call::LoadPhoto, e, [&] { return m_photo; });
    }

private:
    enum class Hold { armed, holding };
    using QueryKey = std::tuple<QString, int, int>; // board, scope, window; -1: any

    static QueryKey keyOf(const QString &board, std::optional<Leaderboard::Query> q)
    {
        return {board, q ? int(q->scope) : -1, q ? int(q->window) : -1};
    }
    // The local player's score and the others' below it, as setServiceScore() put them.
    Leaderboard::Scores serviceScores(const QString &player, const QString &board) const
    {
        Leaderboard::Scores result;
        auto add = [&](std::int64_t value, const QString &id) {
            Score s(board);
            s.setValue(value);
            s.setPlayerID(id);
            result.scores.push_back(s);
            return s;
        };
        if (auto it = m_serviceScores.find(board); it != m_serviceScores.end()) {
            for (int i = 0; i < it->second.second; ++i)
                add(1 + i, QStringLiteral("other%1").arg(i));
            result.localPlayerScore = add(it->second.first, player);
        }
        return result;
    }

    template<class T> T get(const T &field) const
    {
        std::lock_guard l(m);
        return field;
    }
    template<class T, class V> void set(T &field, V &&value)
    {
        std::lock_guard l(m);
        field = std::forward<V>(value);
    }

    // Keeps an answer back until released: destroyed after the answer is
    // made and the lock is let go.
    struct HoldBack
    {
        FakeServiceBackend &backend;
        Call call;
        bool armed = false;
        ~HoldBack()
        {
            if (!armed)
                return;
            std::unique_lock l(backend.m);
            if (backend.m_holdsOff)
                return;
            backend.m_holds[call] = Hold::holding;
            backend.m_changed.notify_all();
            backend.m_changed.wait(l, [&] { return !backend.m_holds.contains(call); });
        }
    };

    // Counts the call, decides whether it fails and, if not, runs it under the lock.
    template<class Body> auto answer(Call c, OptionalError &error, Body body) -> decltype(body())
    {
        HoldBack hold{*this, c};
        std::lock_guard l(m);
        if (auto it = m_holds.find(c); it != m_holds.end() && it->second == Hold::armed) {
            m_holds.erase(it);
            hold.armed = true;
        }
        ++m_calls[c];
        bool fail = m_failNext[c] > 0;
        int code = ServiceErrorCode::communicationsFailure;
        if (fail) {
            --m_failNext[c];
            code = m_failureCode;
        } else if (m_failureRate > 0.0) {
            fail = std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_failureRate;
        }
        if (!fail)
            return body();
        error = serviceKitError(code, code == ServiceErrorCode::communicationsFailure
                                          ? QStringLiteral("The service did not answer.")
                                          : QStringLiteral("The service refused."));
        return decltype(body())();
    }

    mutable std::mutex m;
    int m_failureCode = ServiceErrorCode::communicationsFailure;
    std::condition_variable m_changed;
    std::map<Call, Hold> m_holds;
    bool m_holdsOff = false;
    std::optional<Player> m_signedIn;
    bool m_offersSignIn = false;
    bool m_needsNetwork = true;
    std::map<Call, int> m_failNext;
    double m_failureRate = 0.0;
    std::mt19937 m_random;
    std::vector<Leaderboard> m_leaderboards;
    std::map<QString, std::pair<std::int64_t, int>> m_serviceScores; // mine, others
    std::map<QString, double> m_achievements;
    std::optional<QByteArray> m_photo;
    std::vector<Score> m_reportedScores;
    std::vector<Achievement> m_reportedAchievements;
    std::map<Call, int> m_calls;
    bool m_reset = false;
    std::vector<Challenge> m_challenges{ada()};
    std::vector<SentChallenge> m_sent;
    std::map<QueryKey, Leaderboard::Scores> m_queriedScores;
    std::vector<std::pair<QString, Leaderboard::Query>> m_queries;
    ServiceCatalogue m_catalogue;

    static Challenge ada()
    {
        Challenge c;
        c.issuingPlayerName = QStringLiteral("Ada");
        c.message = QStringLiteral("Beat this");
        return c;
    }
};

} // namespace kestrune::test
