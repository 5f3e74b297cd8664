#include "sharetext.h"

#include "gamemanaging.h"
#include "gameprotocol.h"
#include "playerprotocol.h"
#include "timetext.h"

#include <QStringList>

#include <algorithm>

namespace kestrune {

namespace {

QString shotCount(std::size_t shots)
{
    return shots == 1 ? QStringLiteral("1 shot") : QStringLiteral("%1 shots").arg(shots);
}

// The outcome as the sharing player tells it.
QString matchOutcome(const GameManaging &match)
{
    const GameState state = match.gameState();
    const bool computer = match.isAgainstComputer();
    switch (state.kind()) {
    case GameState::Kind::won: {
        const auto &winners = state.winners();
        const std::int64_t number = winners.empty() ? 0 : winners.front()->number();
        if (computer)
            return number == 1 ? QStringLiteral("I won") : QStringLiteral("the computer won");
        return QStringLiteral("Player %1 won").arg(number);
    }
    case GameState::Kind::tie:
        return QStringLiteral("a tie");
    case GameState::Kind::lost:
        return QStringLiteral("nobody broke the code");
    case GameState::Kind::pending:
        break;
    }
    return QStringLiteral("not finished yet");
}

QString playerName(const GameManaging &match, std::int64_t number)
{
    if (match.isAgainstComputer())
        return number == 1 ? QStringLiteral("Me") : QStringLiteral("Computer");
    return QStringLiteral("Player %1").arg(number);
}

} // namespace

QString ShareText::row(Result result)
{
    // Clamped, so that a malformed result still gives a row four marks wide.
    const int bulls = int(std::clamp<std::int64_t>(result.bulls, 0, 4));
    const int cows = int(std::clamp<std::int64_t>(result.cows, 0, 4 - bulls));
    return QString(bulls, bullMark) + QString(cows, cowMark) + QString(4 - bulls - cows, missMark);
}

QString ShareText::board(const std::vector<Shot> &shots)
{
    QStringList rows;
    for (const Shot &shot : shots)
        rows.append(row(shot.result));
    return rows.join(QLatin1Char('\n'));
}

QString ShareText::outcome(const GameProtocol &game, bool matchOver)
{
    const std::size_t shots = game.shots().size();
    if (game.isWon())
        return QStringLiteral("broke the code in %1 (%2)").arg(shotCount(shots), TimeText::clock(game.duration()));
    if (game.isEnded() || matchOver)
        return QStringLiteral("did not break the code in %1").arg(shotCount(shots));
    return QStringLiteral("%1 so far").arg(shotCount(shots));
}

QString ShareText::invitation(const QString &homePageUrl)
{
    const QString link = homePageUrl.trimmed();
    const QString text = QString::fromUtf8(invitationText);
    return link.isEmpty() ? text : text + QLatin1Char(' ') + link;
}

QString ShareText::forMatch(const GameManaging &match, const QString &homePageUrl)
{
    QStringList parts;
    const auto &players = match.players();
    const bool over = !match.gameState().isPending();
    if (players.size() == 1) {
        const GameProtocol &game = *players.front()->game();
        parts.append(QStringLiteral("Kestrune: %1").arg(outcome(game, over)));
        if (!game.shots().empty())
            parts.append(board(game.shots()));
    } else {
        const QString kind = match.isAgainstComputer()
                                 ? QStringLiteral("against the computer (%1)")
                                       .arg(QString::fromStdString(ComputerStrengths::title(*match.computerStrength())))
                                 : QStringLiteral("two players");
        parts.append(QStringLiteral("Kestrune, %1: %2").arg(kind, matchOutcome(match)));
        for (const auto &player : players) {
            const GameProtocol &game = *player->game();
            parts.append(QStringLiteral("%1: %2").arg(playerName(match, player->number()), outcome(game, over)));
            if (!game.shots().empty())
                parts.append(board(game.shots()));
        }
    }
    // A blank line sets the invitation apart from the last board.
    parts.append(QString());
    parts.append(invitation(homePageUrl));
    return parts.join(QLatin1Char('\n'));
}

} // namespace kestrune
