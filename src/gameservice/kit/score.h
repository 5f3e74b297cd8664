#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace kestrune {

// One score on a leaderboard. A value type; archived() gives it as bytes
// (a CBOR map) that fromArchive() reads back.
class Score
{
public:
    Score() = default;
    explicit Score(QString leaderboardIdentifier);

    QString leaderboardIdentifier() const { return m_leaderboardIdentifier; }
    std::int64_t value() const { return m_value; }
    void setValue(std::int64_t value) { m_value = value; }
    // Who made it; empty until the service has it.
    QString playerID() const { return m_playerID; }
    void setPlayerID(const QString &id) { m_playerID = id; }
    QDateTime date() const { return m_date; }
    void setDate(const QDateTime &date) { m_date = date; }

    QByteArray archived() const;
    // Nothing when the bytes are not an archived score.
    static std::optional<Score> fromArchive(const QByteArray &bytes);

    friend bool operator==(const Score &, const Score &) = default;

private:
    QString m_leaderboardIdentifier;
    std::int64_t m_value = 0;
    QString m_playerID;
    QDateTime m_date = QDateTime::currentDateTimeUtc();
};

} // namespace kestrune
