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
    // The name its player goes by; empty when the service did not say.
    QString displayName() const { return m_displayName; }
    void setDisplayName(const QString &name) { m_displayName = name; }
    // Its place on the leaderboard, 1 for the best; 0 when unknown.
    std::int64_t rank() const { return m_rank; }
    void setRank(std::int64_t rank) { m_rank = rank; }
    // The client's name for this one report, kept with it while it waits
    // in the cache: a service that sees it twice (an answer lost on the
    // way back) stores it once. Empty until the score is first sent.
    QString reportID() const { return m_reportID; }
    void setReportID(const QString &id) { m_reportID = id; }
    // A fresh id for setReportID().
    static QString newReportID();

    QByteArray archived() const;
    // Nothing when the bytes are not an archived score.
    static std::optional<Score> fromArchive(const QByteArray &bytes);

    friend bool operator==(const Score &, const Score &) = default;

private:
    QString m_leaderboardIdentifier;
    std::int64_t m_value = 0;
    QString m_playerID;
    QDateTime m_date = QDateTime::currentDateTimeUtc();
    QString m_displayName;
    std::int64_t m_rank = 0;
    QString m_reportID;
};

} // namespace kestrune
