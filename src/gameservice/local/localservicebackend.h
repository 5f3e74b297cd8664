#pragma once

#include "gameservice/kit/servicebackend.h"

#include "platform/safefilewriter.h"

#include <QCborMap>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <functional>
#include <mutex>

namespace kestrune {

// The service a player really uses on this machine: players, their best
// score per leaderboard (of all time, of the current UTC day and of the
// current ISO week) and their achievement progress, kept in one file
// (CBOR, written whole and atomically after every change). A file that
// cannot be parsed is set aside beside it (".corrupt", the newest few kept)
// with a warning and the service starts afresh; an empty one is simply
// empty. A file that exists but cannot be opened is left in place: the
// service then starts empty and every change fails, so nothing is written
// over it. A write that fails keeps the previous file and fails the call.
// Always reachable, with or without a network; offers a sign-in screen.
class LocalServiceBackend final : public ServiceBackend
{
    Q_DECLARE_TR_FUNCTIONS(LocalServiceBackend)

public:
    LocalServiceBackend(QString fileName, ServiceCatalogue catalogue);

    QString fileName() const { return m_fileName; }
    // Where "today" and "this week" are reckoned from; the system's UTC
    // time unless replaced (before the first call).
    void setNow(std::function<QDateTime()> now) { m_now = std::move(now); }

    std::optional<Player> signedInPlayer(OptionalError &error) override;
    bool offersSignIn() const override { return true; }
    bool needsNetwork() const override { return false; }
    Player signIn(const QString &displayName, OptionalError &error) override;
    // Signs the player out of this machine; the next attempt asks again.
    void signOut(OptionalError &error) override;

    ServiceCatalogue catalogue() const override { return m_catalogue; }

    std::vector<Leaderboard> loadLeaderboards(const QString &playerID, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, const Leaderboard::Query &query,
                                   OptionalError &error) override;
    void reportScore(const QString &playerID, const Score &score, OptionalError &error) override;
    std::vector<Achievement> loadAchievements(const QString &playerID, OptionalError &error) override;
    bool reportAchievement(const QString &playerID, const Achievement &achievement, OptionalError &error) override;
    void resetAchievements(const QString &playerID, OptionalError &error) override;
    std::vector<Challenge> loadReceivedChallenges(const QString &playerID, OptionalError &error) override;
    std::optional<QByteArray> loadPhoto(const QString &playerID, OptionalError &error) override;

private:
    // Both with m_mutex held.
    QCborMap &data();
    bool save(OptionalError &error);
    QCborMap player(const QString &playerID, OptionalError &error);
    bool storePlayer(const QString &playerID, const QCborMap &entry, OptionalError &error);

    const QString m_fileName;
    const ServiceCatalogue m_catalogue;
    SafeFileWriter m_writer;
    std::mutex m_mutex;
    std::function<QDateTime()> m_now = &QDateTime::currentDateTimeUtc;
    bool m_loaded = false;
    // Why the file is out of reach; empty while it can be used.
    QString m_unreadable;
    QCborMap m_data;
};

} // namespace kestrune
