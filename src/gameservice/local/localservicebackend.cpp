#include "localservicebackend.h"

#include "game/numberhelper.h"
#include "platform/damagedfile.h"

#include <QCborArray>
#include <QCborValue>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace kestrune {

namespace {
const QString playersKey = QStringLiteral("players");
const QString signedInKey = QStringLiteral("signedIn");
const QString nameKey = QStringLiteral("displayName");
const QString scoresKey = QStringLiteral("scores");
const QString achievementsKey = QStringLiteral("achievements");
const QString valueKey = QStringLiteral("value");
const QString dateKey = QStringLiteral("date");

// Stored numbers may be anything; a double beyond the 64-bit range must
// not become undefined behaviour.
qint64 integerIn(const QCborValue &v)
{
    return v.isDouble() ? NumberHelper::integerOf(v.toDouble()) : v.toInteger();
}

double percentIn(const QCborValue &v)
{
    return NumberHelper::finiteOrZero(v.toDouble());
}

ServiceError unknownPlayer()
{
    return serviceKitError(ServiceErrorCode::notAuthenticated,
                           QStringLiteral("This player is not known to the service."));
}
} // namespace

LocalServiceBackend::LocalServiceBackend(QString fileName, ServiceCatalogue catalogue)
    : m_fileName(std::move(fileName))
    , m_catalogue(std::move(catalogue))
    , m_writer(m_fileName, QStringLiteral("Game service"))
{
}

QCborMap &LocalServiceBackend::data()
{
    if (m_loaded)
        return m_data;
    m_loaded = true;
    SafeFileWriter::removeStaleTemporaries(m_fileName);
    QFile file(m_fileName);
    if (!file.exists())
        return m_data;
    QByteArray bytes;
    if (QFileInfo(m_fileName).isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFile::NoError) {
        // Out of reach, not damaged: it may hold the player's identity and
        // scores, so it stays as it is and nothing is written over it.
        m_unreadable = file.errorString();
        qWarning().noquote() << "Game service: cannot read" << m_fileName << ":" << m_unreadable
                             << "- it is left in place; the service works without it until the game ends";
        return m_data;
    }
    if (bytes.isEmpty())
        return m_data; // nothing was kept in it
    QCborParserError parseError;
    const QCborValue root = QCborValue::fromCbor(bytes, &parseError);
    if (parseError.error == QCborError::NoError && root.isMap()) {
        m_data = root.toMap();
        return m_data;
    }
    // Damaged: keep it for whoever wants to look at it, and start afresh
    // rather than write over it.
    const QString aside = DamagedFile::setAside(m_fileName);
    if (aside.isEmpty()) {
        m_unreadable = QStringLiteral("the damaged file could not be set aside");
        qWarning().noquote() << "Game service: the file" << m_fileName
                             << "is damaged and cannot be set aside; it is left as it is";
        return m_data;
    }
    DamagedFile::removeOldCopies(m_fileName);
    qWarning().noquote() << "Game service: the file" << m_fileName << "is damaged; it was set aside as" << aside
                         << "and the service starts afresh";
    return m_data;
}

bool LocalServiceBackend::save(OptionalError &error)
{
    if (!m_unreadable.isEmpty()) {
        error = serviceKitError(ServiceErrorCode::unknown,
                                QStringLiteral("The service could not store the data: %1").arg(m_unreadable));
        return false;
    }
    if (m_writer.replace(QCborValue(m_data).toCbor()))
        return true;
    error = serviceKitError(ServiceErrorCode::unknown,
                            QStringLiteral("The service could not store the data: %1").arg(m_writer.lastError()));
    return false;
}

QCborMap LocalServiceBackend::player(const QString &playerID, OptionalError &error)
{
    const QCborValue entry = data().value(playersKey).toMap().value(playerID);
    if (!entry.isMap())
        error = unknownPlayer();
    return entry.toMap();
}

bool LocalServiceBackend::storePlayer(const QString &playerID, const QCborMap &entry, OptionalError &error)
{
    const QCborMap before = data();
    QCborMap players = m_data.value(playersKey).toMap();
    players.insert(playerID, entry);
    m_data.insert(playersKey, players);
    if (save(error))
        return true;
    m_data = before; // what is not on disk did not happen
    return false;
}

std::optional<ServiceBackend::Player> LocalServiceBackend::signedInPlayer(OptionalError &)
{
    std::lock_guard lock(m_mutex);
    const QString id = data().value(signedInKey).toString();
    if (id.isEmpty())
        return std::nullopt;
    OptionalError unknown;
    const QCborMap entry = player(id, unknown);
    if (unknown)
        return std::nullopt;
    return Player{id, entry.value(nameKey).toString()};
}

ServiceBackend::Player LocalServiceBackend::signIn(const QString &displayName, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    const QCborMap players = data().value(playersKey).toMap();
    QString id;
    for (auto it = players.constBegin(); it != players.constEnd(); ++it) {
        if (it.value().toMap().value(nameKey).toString() == displayName) {
            id = it.key().toString();
            break;
        }
    }
    const QCborMap before = m_data;
    if (id.isEmpty()) {
        id = QStringLiteral("P:") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        QCborMap entry;
        entry.insert(nameKey, displayName);
        QCborMap all = players;
        all.insert(id, entry);
        m_data.insert(playersKey, all);
    }
    m_data.insert(signedInKey, id);
    if (!save(error))
        m_data = before;
    return Player{id, displayName};
}

void LocalServiceBackend::signOut(OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    data().remove(signedInKey);
    save(error);
}

std::vector<Leaderboard> LocalServiceBackend::loadLeaderboards(const QString &, OptionalError &)
{
    return m_catalogue.leaderboards;
}

Leaderboard::Scores LocalServiceBackend::loadScores(const QString &playerID, const QString &leaderboard,
                                                    OptionalError &)
{
    std::lock_guard lock(m_mutex);
    Leaderboard::Scores result;
    const QCborMap players = data().value(playersKey).toMap();
    for (auto it = players.constBegin(); it != players.constEnd(); ++it) {
        const QCborValue best = it.value().toMap().value(scoresKey).toMap().value(leaderboard);
        if (!best.isMap())
            continue;
        Score score(leaderboard);
        score.setValue(integerIn(best.toMap().value(valueKey)));
        score.setPlayerID(it.key().toString());
        score.setDate(QDateTime::fromMSecsSinceEpoch(integerIn(best.toMap().value(dateKey)), Qt::UTC));
        if (score.playerID() == playerID)
            result.localPlayerScore = score;
        result.scores.push_back(score);
    }
    std::stable_sort(result.scores.begin(), result.scores.end(),
                     [](const Score &a, const Score &b) { return a.value() > b.value(); });
    return result;
}

void LocalServiceBackend::reportScore(const QString &playerID, const Score &score, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    QCborMap entry = player(playerID, error);
    if (error)
        return;
    QCborMap scores = entry.value(scoresKey).toMap();
    const QCborValue best = scores.value(score.leaderboardIdentifier());
    if (best.isMap() && integerIn(best.toMap().value(valueKey)) >= score.value())
        return;
    QCborMap record;
    record.insert(valueKey, qint64(score.value()));
    record.insert(dateKey, score.date().toMSecsSinceEpoch());
    scores.insert(score.leaderboardIdentifier(), record);
    entry.insert(scoresKey, scores);
    storePlayer(playerID, entry, error);
}

std::vector<Achievement> LocalServiceBackend::loadAchievements(const QString &playerID, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    const QCborMap entry = player(playerID, error);
    std::vector<Achievement> result;
    const QCborMap achievements = entry.value(achievementsKey).toMap();
    for (auto it = achievements.constBegin(); it != achievements.constEnd(); ++it) {
        if (auto a = Achievement::withIdentifier(it.key().toString())) {
            a->setPercentComplete(percentIn(it.value()));
            result.push_back(*a);
        }
    }
    return result;
}

bool LocalServiceBackend::reportAchievement(const QString &playerID, const Achievement &achievement,
                                            OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    QCborMap entry = player(playerID, error);
    if (error)
        return false;
    QCborMap achievements = entry.value(achievementsKey).toMap();
    const double known = percentIn(achievements.value(achievement.identifier()));
    if (known >= achievement.percentComplete())
        return false;
    achievements.insert(achievement.identifier(), achievement.percentComplete());
    entry.insert(achievementsKey, achievements);
    return storePlayer(playerID, entry, error) && known < 100.0 && achievement.isCompleted();
}

void LocalServiceBackend::resetAchievements(const QString &playerID, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    QCborMap entry = player(playerID, error);
    if (error)
        return;
    entry.remove(achievementsKey);
    storePlayer(playerID, entry, error);
}

std::vector<Challenge> LocalServiceBackend::loadReceivedChallenges(const QString &playerID, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    player(playerID, error);
    return {}; // nobody on this machine sends challenges
}

std::optional<QByteArray> LocalServiceBackend::loadPhoto(const QString &playerID, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    player(playerID, error);
    return std::nullopt;
}

} // namespace kestrune
