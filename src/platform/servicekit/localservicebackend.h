#pragma once

#include "servicebackend.h"

#include <QCborMap>
#include <mutex>
#include <QString>

namespace kestrune {

// The service a player really uses on this machine: players, their best
// score per leaderboard and their achievement progress, kept in one file
// (CBOR, written whole and atomically after every change). A file that
// cannot be read as such is set aside beside it (".corrupt") with a warning
// and the service starts afresh; a write that fails leaves the previous file
// and fails the call. Always reachable; offers a sign-in screen.
class LocalServiceBackend final : public ServiceBackend
{
public:
    LocalServiceBackend(QString fileName, ServiceCatalogue catalogue);

    QString fileName() const { return m_fileName; }

    std::optional<Player> signedInPlayer(OptionalError &error) override;
    bool offersSignIn() const override { return true; }
    Player signIn(const QString &displayName, OptionalError &error) override;
    // Signs the player out of this machine; the next attempt asks again.
    void signOut();

    ServiceCatalogue catalogue() const override { return m_catalogue; }

    std::vector<Leaderboard> loadLeaderboards(const QString &playerID, OptionalError &error) override;
    Leaderboard::Scores loadScores(const QString &playerID, const QString &leaderboard, OptionalError &error) override;
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
    std::mutex m_mutex;
    bool m_loaded = false;
    QCborMap m_data;
};

} // namespace kestrune
