#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <optional>

namespace kestrune {

class GameManaging;

// What the result screen says about a match: its picture, its headline, the
// line under it (the time of a single player's win, or the codes looked for
// in a lost match) and the single player's points. Nothing of a match still
// being played.
struct MatchSummary
{
    Q_DECLARE_TR_FUNCTIONS(MatchSummary)

public:
    enum class Line { keep, show, remove };

    QString picture; // "Win", "Lose" or "Tie"; empty while pending
    QString headline;
    Line description = Line::keep;
    QString descriptionText;
    Line points = Line::keep;
    std::int64_t pointsValue = 0;

    // `wide`: the time of a win goes on a line of its own.
    static MatchSummary of(const GameManaging &match, bool wide);
    // Whether the computer won a match against it, or the player lost it.
    static bool losesToComputer(const GameManaging &match);
};

} // namespace kestrune
