#include "boardsnapshotjob.h"

#include "boardsnapshot.h"

#include "platform/resources/resources.h"
#include "views/board/boardview.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace kestrune {

BoardSnapshotJob::BoardSnapshotJob(std::shared_ptr<GameProtocol> game, QSize size, int bands, qreal pixelRatio)
    : m_game(std::move(game))
    , m_size(size)
    , m_bands(std::max(1, bands))
    , m_pixelRatio(pixelRatio)
{
    m_done = !m_game || m_size.isEmpty();
}

BoardSnapshotJob::~BoardSnapshotJob() = default;

bool BoardSnapshotJob::step()
{
    if (m_done)
        return false;
    // Making, filling, polishing, showing and laying out the board, and
    // preparing the picture, are a step each.
    switch (m_nextBand) {
    case -6:
        m_board = std::make_unique<BoardView>();
        m_board->setAttribute(Qt::WA_DontShowOnScreen);
        m_board->resize(m_size);
        ++m_nextBand;
        return true;
    case -5:
        m_board->setGame(m_game);
        ++m_nextBand;
        return true;
    case -4:
        // The style's look for every row and dot, which showing would do.
        m_board->ensurePolished();
        ++m_nextBand;
        return true;
    case -3:
        m_board->show();
        ++m_nextBand;
        return true;
    case -2:
        // The layout gives rows and fonts their final sizes.
        QCoreApplication::sendPostedEvents(m_board.get(), QEvent::LayoutRequest);
        m_board->resize(m_size);
        ++m_nextBand;
        return true;
    case -1:
        // Only reserved here: each band fills its own part below, since
        // touching a tablet board's pages all at once held the thread a frame.
        m_image = QImage(m_size * m_pixelRatio, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(m_pixelRatio);
        ++m_nextBand;
        return true;
    default:
        break;
    }
    // Whole points from top to bottom: each device pixel belongs to one band
    // and is drawn as the whole board would draw it.
    const int top = m_size.height() * m_nextBand / m_bands;
    const int bottom = m_size.height() * (m_nextBand + 1) / m_bands;
    // An empty region would mean the whole board to render().
    if (bottom > top) {
        const QRect band(0, top, m_size.width(), bottom - top);
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(band, Resources::color(QStringLiteral("dialogBackground")));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_board->render(&painter, band.topLeft(), QRegion(band), QWidget::DrawChildren);
    }
    if (++m_nextBand == m_bands) {
        m_board.reset();
        m_done = true;
    }
    return true;
}

QImage BoardSnapshotJob::image()
{
    while (step()) {}
    return m_image;
}

} // namespace kestrune
