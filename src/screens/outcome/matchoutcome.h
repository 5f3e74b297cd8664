#pragma once

#include <QImage>
#include <QList>

#include <memory>

namespace kestrune {

class GameManaging;
class ResultViewControllerDelegate;

// What the game screen hands over when a match is decided: the match, its
// boards' pictures in player order, and the screen that starts the next
// match (held weakly by the receiver, see ResultViewControllerDelegate).
struct MatchOutcome
{
    std::shared_ptr<GameManaging> match;
    QList<QImage> boardImages;
    ResultViewControllerDelegate *delegate = nullptr;
};

} // namespace kestrune
