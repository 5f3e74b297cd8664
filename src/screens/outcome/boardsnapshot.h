#pragma once

#include <QImage>
#include <QSize>

#include <memory>

namespace kestrune {

class GameProtocol;

// Pictures of finished boards for the result screen's cards and for sharing.
class BoardSnapshot
{
public:
    // Sharp on the densest screens; a window passes its own, so that a
    // picture no sharper than the screen keeps memory small.
    static constexpr qreal devicePixelRatio = 2.0;

    // A fresh BoardView of `size` points showing the game, drawn off screen
    // on the card colour of the scheme at `pixelRatio` device pixels a point.
    // A null game or an empty size gives a null image. GUI thread only.
    static QImage render(const std::shared_ptr<GameProtocol> &game, QSize size, qreal pixelRatio = devicePixelRatio);

    BoardSnapshot() = delete;
};

} // namespace kestrune
