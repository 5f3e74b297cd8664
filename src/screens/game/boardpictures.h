#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>

#include <memory>
#include <vector>

namespace kestrune {

class BoardSnapshotJob;
class GameProtocol;

// The pictures of a decided match's boards for the result screen. Drawing
// them all at once when the result screen comes held the thread for frames;
// the outcome shows long enough to draw them a band per event instead. GUI
// thread only.
class BoardPictures : public QObject
{
    Q_OBJECT

public:
    explicit BoardPictures(int bands, QObject *parent = nullptr);
    ~BoardPictures() override;

    // Starts drawing the games' boards, replacing those started before.
    void prepare(const std::vector<std::shared_ptr<GameProtocol>> &games, QSize size, qreal pixelRatio);
    // Every game's board in order: one prepared for the same game, size and
    // ratio is finished and taken as it is, any other drawn afresh.
    QList<QImage> images(const std::vector<std::shared_ptr<GameProtocol>> &games, QSize size, qreal pixelRatio) const;
    void clear();

private:
    void step();

    int m_bands;
    std::vector<std::unique_ptr<BoardSnapshotJob>> m_jobs;
};

} // namespace kestrune
