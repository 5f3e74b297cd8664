#pragma once

#include <QDateTime>
#include <QString>

namespace kestrune {

// A challenge another player has sent to the local player.
struct Challenge
{
    QString issuingPlayerName;
    QString message;
    QDateTime issueDate;
};

} // namespace kestrune
