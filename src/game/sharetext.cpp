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
    return ShareText::tr("%n shots", "", int(shots));
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
            return number == 1 ? ShareText::tr("I won") : ShareText::tr("the computer won");
        return ShareText::tr("Player %1 won").arg(number);
    }
    case GameState::Kind::tie:
        return ShareText::tr("a tie");
    case GameState::Kind::lost:
        return ShareText::tr("nobody broke the code");
    case GameState::Kind::pending:
        break;
    }
    return ShareText::tr("not finished yet");
}

QString playerName(const GameManaging &match, std::int64_t number)
{
    if (match.isAgainstComputer())
        return number == 1 ? ShareText::tr("Me") : ShareText::tr("Computer");
    return ShareText::tr("Player %1").arg(number);
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
        return tr("broke the code in %1 (%2)").arg(shotCount(shots), TimeText::clock(game.duration()));
    if (game.isEnded() || matchOver)
        return tr("did not break the code in %1").arg(shotCount(shots));
    return tr("%1 so far").arg(shotCount(shots));
}

QString ShareText::invitation(const QString &homePageUrl)
{
    const QString link = homePageUrl.trimmed();
    const QString text = tr(invitationText);
    return link.isEmpty() ? text : text + QLatin1Char(' ') + link;
}

QString ShareText::forMatch(const GameManaging &match, const QString &homePageUrl)
{
    QStringList parts;
    const auto &players = match.players();
    const bool over = !match.gameState().isPending();
    if (players.size() == 1) {
        const GameProtocol &game = *players.front()->game();
        parts.append(tr("Kestrune: %1").arg(outcome(game, over)));
        if (!game.shots().empty())
            parts.append(board(game.shots()));
    } else {
        const QString kind =
            match.isAgainstComputer()
                ? tr("against the computer (%1)").arg(ComputerStrengths::displayTitle(*match.computerStrength()))
                : tr("two players");
        parts.append(tr("Kestrune, %1: %2").arg(kind, matchOutcome(match)));
        for (const auto &player : players) {
            const GameProtocol &game = *player->game();
            parts.append(tr("%1: %2").arg(playerName(match, player->number()), outcome(game, over)));
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
