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
    static constexpr qreal devicePixelRatio = 2.0;

    // A fresh BoardView of `size` points showing the game, drawn off screen
    // on the card colour of the scheme at twice the device pixels. A null game or
    // an empty size gives a null image. GUI thread only.
    static QImage render(const std::shared_ptr<GameProtocol> &game, QSize size);

    BoardSnapshot() = delete;
};

} // namespace kestrune
