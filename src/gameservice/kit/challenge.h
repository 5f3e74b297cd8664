#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace kestrune {

// A challenge another player has sent to the local player: beat this score
// on this leaderboard.
struct Challenge
{
    QString issuingPlayerName;
    QString message;
    QDateTime issueDate;
    // What a service that names its challenges says besides; empty and 0
    // where it does not.
    QString identifier;
    QString issuingPlayerID;
    QString leaderboardIdentifier;
    std::int64_t score = 0;
};

} // namespace kestrune
