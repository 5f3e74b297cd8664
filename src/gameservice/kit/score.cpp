#include "score.h"

#include <QCborMap>
#include <QCborValue>
#include <QUuid>

namespace kestrune {

namespace {
const QString leaderboardKey = QStringLiteral("leaderboardIdentifier");
const QString valueKey = QStringLiteral("value");
const QString playerKey = QStringLiteral("playerID");
const QString dateKey = QStringLiteral("date");
const QString reportKey = QStringLiteral("reportID");
} // namespace

Score::Score(QString leaderboardIdentifier)
    : m_leaderboardIdentifier(std::move(leaderboardIdentifier))
{
}

QByteArray Score::archived() const
{
    QCborMap map;
    map.insert(leaderboardKey, m_leaderboardIdentifier);
    map.insert(valueKey, qint64(m_value));
    if (!m_playerID.isEmpty())
        map.insert(playerKey, m_playerID);
    map.insert(dateKey, m_date.toMSecsSinceEpoch());
    if (!m_reportID.isEmpty())
        map.insert(reportKey, m_reportID);
    return map.toCborValue().toCbor();
}

std::optional<Score> Score::fromArchive(const QByteArray &bytes)
{
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(bytes, &error);
    if (error.error != QCborError::NoError || !root.isMap())
        return std::nullopt;
    const QCborMap map = root.toMap();
    const QCborValue leaderboard = map.value(leaderboardKey);
    const QCborValue value = map.value(valueKey);
    if (!leaderboard.isString() || !value.isInteger())
        return std::nullopt;
    Score score(leaderboard.toString());
    score.setValue(value.toInteger());
    score.setPlayerID(map.value(playerKey).toString());
    const QCborValue date = map.value(dateKey);
    if (date.isInteger())
        score.setDate(QDateTime::fromMSecsSinceEpoch(date.toInteger(), Qt::UTC));
    score.setReportID(map.value(reportKey).toString());
    return score;
}

QString Score::newReportID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace kestrune
