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
// Beside "scores", which older versions read alone: per leaderboard, the
// best of the latest day and week a score was made in, under "day" and
// "week", each with its period in "period".
const QString periodScoresKey = QStringLiteral("periodScores");
const QString dayKey = QStringLiteral("day");
const QString weekKey = QStringLiteral("week");
const QString periodKey = QStringLiteral("period");
// As many as the server's lists: its top and its radius around the player.
constexpr int topCount = 50;
constexpr int aroundRadius = 10;

// The UTC day or ISO week a moment falls in, as text that sorts in time
// ("2026-12-07", "2026-W49"); empty for all time.
QString periodOf(Leaderboard::Scope scope, const QDateTime &when)
{
    const QDate date = when.toUTC().date();
    if (scope == Leaderboard::Scope::today)
        return date.toString(Qt::ISODate);
    if (scope == Leaderboard::Scope::week) {
        int year = 0;
        const int week = date.weekNumber(&year);
        return QStringLiteral("%1-W%2").arg(year, 4, 10, QLatin1Char('0')).arg(week, 2, 10, QLatin1Char('0'));
    }
    return {};
}

QCborMap recordOf(const Score &score, const QString &period = {})
{
    QCborMap record;
    record.insert(valueKey, qint64(score.value()));
    record.insert(dateKey, score.date().toMSecsSinceEpoch());
    if (!period.isEmpty())
        record.insert(periodKey, period);
    return record;
}

// Stored numbers may be anything; a double beyond the 64-bit range must
// not become undefined behaviour.
qint64 integerIn(const QCborValue &v)
{
    return v.isDouble() ? NumberHelper::integerOf(v.toDouble()) : v.toInteger();
}

QDateTime dateIn(const QCborMap &record)
{
    return QDateTime::fromMSecsSinceEpoch(integerIn(record.value(dateKey)), Qt::UTC);
}

// The better of two records: the higher value, or the one reached first.
bool beats(const QCborMap &a, const QCborMap &b)
{
    const qint64 va = integerIn(a.value(valueKey)), vb = integerIn(b.value(valueKey));
    return va != vb ? va > vb : dateIn(a) < dateIn(b);
}

double percentIn(const QCborValue &v)
{
    return NumberHelper::finiteOrZero(v.toDouble());
}

ServiceError unknownPlayer()
{
    return serviceKitError(ServiceErrorCode::notAuthenticated,
                           LocalServiceBackend::tr("This player is not known to the service."));
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
        m_unreadable = LocalServiceBackend::tr("the damaged file could not be set aside");
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
                                LocalServiceBackend::tr("The service could not store the data: %1").arg(m_unreadable));
        return false;
    }
    if (m_writer.replace(QCborValue(m_data).toCbor()))
        return true;
    error =
        serviceKitError(ServiceErrorCode::unknown,
                        LocalServiceBackend::tr("The service could not store the data: %1").arg(m_writer.lastError()));
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
                                                    OptionalError &error)
{
    return loadScores(playerID, leaderboard, Leaderboard::Query{}, error);
}

Leaderboard::Scores LocalServiceBackend::loadScores(const QString &playerID, const QString &leaderboard,
                                                    const Leaderboard::Query &query, OptionalError &)
{
    std::lock_guard lock(m_mutex);
    const QString current = periodOf(query.scope, m_now());
    const QString periodName = query.scope == Leaderboard::Scope::today ? dayKey : weekKey;
    std::vector<Score> all;
    const QCborMap players = data().value(playersKey).toMap();
    for (auto it = players.constBegin(); it != players.constEnd(); ++it) {
        const QCborMap entry = it.value().toMap();
        const QCborValue best = entry.value(scoresKey).toMap().value(leaderboard);
        std::optional<QCborMap> row;
        if (best.isMap() && periodOf(query.scope, dateIn(best.toMap())) == current)
            row = best.toMap(); // the best of all time, made in this period (or any, for all time)
        if (!current.isEmpty()) {
            const QCborValue kept = entry.value(periodScoresKey).toMap().value(leaderboard).toMap().value(periodName);
            if (kept.isMap() && kept.toMap().value(periodKey).toString() == current
                && (!row || beats(kept.toMap(), *row)))
                row = kept.toMap();
        }
        if (!row)
            continue;
        Score score(leaderboard);
        score.setValue(integerIn(row->value(valueKey)));
        score.setPlayerID(it.key().toString());
        score.setDisplayName(entry.value(nameKey).toString());
        score.setDate(dateIn(*row));
        all.push_back(score);
    }
    // As the server orders them: best first, then who reached it first.
    std::sort(all.begin(), all.end(), [](const Score &a, const Score &b) {
        if (a.value() != b.value())
            return a.value() > b.value();
        if (a.date() != b.date())
            return a.date() < b.date();
        return a.playerID() < b.playerID();
    });
    // Equal scores share a rank: 1, 2, 2, 4.
    std::ptrdiff_t mine = -1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool tied = i > 0 && all[i].value() == all[i - 1].value();
        all[i].setRank(tied ? all[i - 1].rank() : std::int64_t(i + 1));
        if (all[i].playerID() == playerID)
            mine = std::ptrdiff_t(i);
    }
    Leaderboard::Scores result;
    result.playerCount = std::int64_t(all.size());
    if (mine >= 0)
        result.localPlayerScore = all[std::size_t(mine)];
    std::ptrdiff_t first = 0, last = std::min<std::ptrdiff_t>(std::ptrdiff_t(all.size()), topCount);
    if (query.window == Leaderboard::Window::aroundMe) {
        first = std::max<std::ptrdiff_t>(0, mine - aroundRadius);
        last = mine < 0 ? 0 : std::min<std::ptrdiff_t>(std::ptrdiff_t(all.size()), mine + aroundRadius + 1);
    }
    result.scores.assign(all.begin() + first, all.begin() + std::max(first, last));
    return result;
}

void LocalServiceBackend::reportScore(const QString &playerID, const Score &score, OptionalError &error)
{
    std::lock_guard lock(m_mutex);
    QCborMap entry = player(playerID, error);
    if (error)
        return;
    const QString board = score.leaderboardIdentifier();
    bool changed = false;
    QCborMap scores = entry.value(scoresKey).toMap();
    const QCborValue best = scores.value(board);
    if (!best.isMap() || integerIn(best.toMap().value(valueKey)) < score.value()) {
        scores.insert(board, recordOf(score));
        entry.insert(scoresKey, scores);
        changed = true;
    }
    // Each period keeps its latest day or week: a score sent late, from a
    // period already over, leaves a newer one alone.
    QCborMap periods = entry.value(periodScoresKey).toMap();
    QCborMap boardPeriods = periods.value(board).toMap();
    for (const auto &[name, scope] :
         {std::pair{dayKey, Leaderboard::Scope::today}, std::pair{weekKey, Leaderboard::Scope::week}}) {
        const QString period = periodOf(scope, score.date());
        const QCborMap kept = boardPeriods.value(name).toMap();
        const QString keptPeriod = kept.value(periodKey).toString();
        if (keptPeriod > period || (keptPeriod == period && integerIn(kept.value(valueKey)) >= score.value()))
            continue;
        boardPeriods.insert(name, recordOf(score, period));
        changed = true;
    }
    if (!changed)
        return;
    periods.insert(board, boardPeriods);
    entry.insert(periodScoresKey, periods);
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
