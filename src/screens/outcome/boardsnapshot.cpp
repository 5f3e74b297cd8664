#include "boardsnapshot.h"

#include "boardsnapshotjob.h"

namespace kestrune {

QImage BoardSnapshot::render(const std::shared_ptr<GameProtocol> &game, QSize size, qreal pixelRatio)
{
    return BoardSnapshotJob(game, size, 1, pixelRatio).image();
}

} // namespace kestrune
