#include "boardsnapshot.h"

#include "platform/resources/resources.h"
#include "views/board/boardview.h"

#include <QCoreApplication>
#include <QPainter>

namespace kestrune {

QImage BoardSnapshot::render(const std::shared_ptr<GameProtocol> &game, QSize size)
{
    if (!game || size.isEmpty())
        return {};
    BoardView board;
    board.setAttribute(Qt::WA_DontShowOnScreen);
    board.resize(size);
    board.setGame(game);
    // Showing it runs the layout, so rows and fonts have their final sizes.
    board.show();
    QCoreApplication::sendPostedEvents(&board, QEvent::LayoutRequest);
    board.resize(size);

    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Resources::color(QStringLiteral("dialogBackground")));
    QPainter painter(&image);
    board.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    board.hide();
    return image;
}

} // namespace kestrune
