#include "matchsummary.h"

#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/gamestate.h"
#include "game/playerprotocol.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <cmath>

namespace kestrune {

namespace {

// "The code you were looking for", or the codes, on two lines.
QString codesLookedFor(const std::vector<std::string> &codes)
{
    QStringList parts;
    for (const std::string &code : codes)
        parts.append(QString::fromStdString(code));
    const QString list = parts.join(MatchSummary::tr(", ", "between the codes looked for"));
    return codes.size() > 1 ? MatchSummary::tr("Codes you were\nlooking for: %1").arg(list)
                            : MatchSummary::tr("The code you were\nlooking for: %1").arg(list);
}

} // namespace

MatchSummary MatchSummary::of(const GameManaging &match, bool wide)
{
    MatchSummary summary;
    const GameState state = match.gameState();
    switch (state.kind()) {
    case GameState::Kind::won: {
        summary.picture = QStringLiteral("Win");
        const std::shared_ptr<PlayerProtocol> winner = state.winners().empty() ? nullptr : state.winners().front();
        if (match.players().size() == 1) {
            summary.headline = tr("You have won!");
            const std::shared_ptr<GameProtocol> game = winner ? winner->game() : nullptr;
            if (!game)
                break;
            const long seconds = std::lround(game->duration());
            summary.description = Line::show;
            // The number of shots, then the time the win took; a wide screen
            // puts the time on a line of its own.
            const QString shots = QLocale().toString(qulonglong(game->shots().size()));
            summary.descriptionText = wide ? tr("Round #%1\n%n seconds", "", int(seconds)).arg(shots)
                                           : tr("Round #%1 in %n seconds", "", int(seconds)).arg(shots);
            summary.points = Line::show;
            summary.pointsValue = game->points().value_or(0);
        } else if (match.isAgainstComputer()) {
            // The computer is player 2; its win is the player's defeat.
            const bool computerWon = winner && winner->number() == 2;
            summary.headline = computerWon ? tr("The computer has won!") : tr("You have won!");
            if (computerWon) {
                summary.picture = QStringLiteral("Lose");
                summary.description = Line::show;
                summary.descriptionText = codesLookedFor({match.codes().front()});
            } else {
                summary.description = Line::remove;
            }
            summary.points = Line::remove;
        } else {
            summary.headline = tr("Player #%1 has won!").arg(winner ? winner->number() : 0);
            summary.description = Line::remove;
            summary.points = Line::remove;
        }
        break;
    }
    case GameState::Kind::tie:
        summary.picture = QStringLiteral("Tie");
        summary.headline = tr("It is a tie!");
        summary.description = Line::remove;
        summary.points = Line::remove;
        break;
    case GameState::Kind::lost: {
        summary.picture = QStringLiteral("Lose");
        summary.headline = tr("You have lost!");
        std::vector<std::string> codes = match.codes();
        // Against the computer only the first code was a player's to look for.
        if (match.isAgainstComputer())
            codes.resize(1);
        summary.description = Line::show;
        summary.descriptionText = codesLookedFor(codes);
        summary.points = Line::remove;
        break;
    }
    case GameState::Kind::pending:
        break;
    }
    return summary;
}

bool MatchSummary::losesToComputer(const GameManaging &match)
{
    if (!match.isAgainstComputer())
        return false;
    const GameState state = match.gameState();
    if (state.kind() == GameState::Kind::lost)
        return true;
    return state.kind() == GameState::Kind::won && !state.winners().empty() && state.winners().front()->number() == 2;
}

} // namespace kestrune
