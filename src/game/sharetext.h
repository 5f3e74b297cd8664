#pragma once

#include "code/result.h"
#include "code/shot.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace kestrune {

class GameManaging;
class GameProtocol;

// The text shared with a finished match's board picture. It gives nothing
// away: each shot is a row of marks, never its digits, so a friend can play
// the same kind of game unspoiled. A single player's match reads
//
//     Kestrune: broke the code in 3 shots (1:23)
//     ●○··
//     ●●○·
//     ●●●●
//
//     It's a record of my last game. Try it yourself! https://…
//
// and a match of two has a headline with the outcome and one named board per
// player. The marks are plain text characters, not emoji, so chat programs
// keep them as text: a filled circle for a bull and a hollow one for a cow,
// like the dots on the board, then a middle dot for each digit that missed,
// so that every row is four marks wide.
class ShareText
{
    Q_DECLARE_TR_FUNCTIONS(ShareText)

public:
    static constexpr QChar bullMark = QChar(u'\u25CF');
    static constexpr QChar cowMark = QChar(u'\u25CB');
    static constexpr QChar missMark = QChar(u'\u00B7');
    static constexpr const char *invitationText =
        QT_TRANSLATE_NOOP("ShareText", "It's a record of my last game. Try it yourself!");

    // Bulls, then cows, then misses: "●●○·".
    static QString row(Result result);
    // One row per shot, oldest first, joined by line breaks.
    static QString board(const std::vector<Shot> &shots);
    // "broke the code in 5 shots (1:23)", "did not break the code in 10
    // shots", or "3 shots so far" for a game that goes on; a game that is
    // not won in a match that is over did not break the code.
    static QString outcome(const GameProtocol &game, bool matchOver = false);
    // The invitation followed by the link; without a link the invitation alone.
    static QString invitation(const QString &homePageUrl);
    // The whole text for a match, its home page last.
    static QString forMatch(const GameManaging &match, const QString &homePageUrl);

    ShareText() = delete;
};

} // namespace kestrune
