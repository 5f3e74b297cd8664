#pragma once

#include "boardsnapshot.h"

#include <QImage>
#include <QSize>

#include <memory>

namespace kestrune {

class BoardView;
class GameProtocol;

// A board snapshot drawn in steps: the board is made, filled, polished,
// shown and laid out, and the picture prepared, in six, then each step draws
// a band of it, so that the picture of a finished match can
// be prepared while the match's outcome shows without holding the GUI thread
// for a whole board. The picture is the one BoardSnapshot::render gives.
// GUI thread only.
class BoardSnapshotJob
{
public:
    BoardSnapshotJob(std::shared_ptr<GameProtocol> game, QSize size, int bands = 4,
                     qreal pixelRatio = BoardSnapshot::devicePixelRatio);
    ~BoardSnapshotJob();
    BoardSnapshotJob(const BoardSnapshotJob &) = delete;
    BoardSnapshotJob &operator=(const BoardSnapshotJob &) = delete;

    // Does the next step; false once there is nothing left to do.
    bool step();
    bool isDone() const { return m_done; }

    // The picture, after doing at once whatever steps are left.
    QImage image();

    const std::shared_ptr<GameProtocol> &game() const { return m_game; }
    QSize size() const { return m_size; }
    qreal pixelRatio() const { return m_pixelRatio; }

private:
    std::shared_ptr<GameProtocol> m_game;
    QSize m_size;
    int m_bands;
    qreal m_pixelRatio;
    int m_nextBand = -6; // below 0: the steps before the first band
    bool m_done = false;
    std::unique_ptr<BoardView> m_board;
    QImage m_image;
};

} // namespace kestrune
