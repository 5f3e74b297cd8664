#include "boardpictures.h"

#include "screens/outcome/boardsnapshot.h"
#include "screens/outcome/boardsnapshotjob.h"

#include <QTimer>

namespace kestrune {

BoardPictures::BoardPictures(int bands, QObject *parent)
    : QObject(parent)
    , m_bands(bands)
{
}

BoardPictures::~BoardPictures() = default;

void BoardPictures::prepare(const std::vector<std::shared_ptr<GameProtocol>> &games, QSize size, qreal pixelRatio)
{
    m_jobs.clear();
    for (const auto &game : games)
        m_jobs.push_back(std::make_unique<BoardSnapshotJob>(game, size, m_bands, pixelRatio));
    step();
}

void BoardPictures::step()
{
    // One step per event: the main queue would run the whole chain in one.
    QTimer::singleShot(0, this, [this] {
        for (const auto &job : m_jobs) {
            if (job->step()) {
                step();
                return;
            }
        }
    });
}

QList<QImage> BoardPictures::images(const std::vector<std::shared_ptr<GameProtocol>> &games, QSize size,
                                    qreal pixelRatio) const
{
    QList<QImage> images;
    for (std::size_t i = 0; i < games.size(); ++i) {
        BoardSnapshotJob *prepared = i < m_jobs.size() ? m_jobs[i].get() : nullptr;
        if (prepared && prepared->game() == games[i] && prepared->size() == size
            && prepared->pixelRatio() == pixelRatio)
            images.append(prepared->image());
        else
            images.append(BoardSnapshot::render(games[i], size, pixelRatio));
    }
    return images;
}

void BoardPictures::clear()
{
    m_jobs.clear();
}

} // namespace kestrune
