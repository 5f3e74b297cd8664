#include "windowgeometry.h"

#include "deviceprofile.h"

#include <algorithm>

namespace kestrune {

namespace {

// Found by drawing every screen (menu, the game of one and two players and
// against the computer, result, statistics) at shrinking sizes: below these
// the result's points run into its play button first.
constexpr QSize phoneMinimum{340, 560};
constexpr QSize tabletMinimum{580, 780};

QSize roomIn(QSize available)
{
    return (available - WindowGeometry::frameAllowance).expandedTo(QSize(1, 1));
}

QSize shrunkInto(QSize size, QSize room)
{
    if (size.width() <= room.width() && size.height() <= room.height())
        return size;
    return size.scaled(room, Qt::KeepAspectRatio);
}

// The frame's top-left edge that keeps a window of size inside area, as near
// to wanted as it can be.
int placed(int wanted, int start, int length, int size)
{
    return std::max(start, std::min(wanted, start + length - size));
}

} // namespace

QSize WindowGeometry::minimumSize(const DeviceProfile &profile)
{
    const QSize portrait = profile.isTablet() ? tabletMinimum : phoneMinimum;
    return profile.isLandscape() ? portrait.transposed() : portrait;
}

QSize WindowGeometry::fitted(QSize deviceSize, QSize available, QSize minimum)
{
    return shrunkInto(deviceSize, roomIn(available)).expandedTo(minimumIn(minimum, available));
}

QSize WindowGeometry::minimumIn(QSize minimum, QSize available)
{
    return shrunkInto(minimum, roomIn(available));
}

QRect WindowGeometry::initial(QSize deviceSize, QRect available, QSize minimum)
{
    const QSize size = fitted(deviceSize, available.size(), minimum);
    const QSize outer = size + frameAllowance;
    const int x = available.x() + (available.width() - outer.width()) / 2;
    const int y = available.y() + (available.height() - outer.height()) / 2;
    return QRect(QPoint(std::max(x, available.x()), std::max(y, available.y())), size);
}

std::optional<QRect> WindowGeometry::restored(QRect saved, const QList<QRect> &available, QSize minimum)
{
    if (saved.width() <= 0 || saved.height() <= 0)
        return std::nullopt;
    const QPoint centre = saved.center();
    const auto area = std::find_if(available.begin(), available.end(),
                                   [centre](const QRect &screen) { return screen.contains(centre); });
    if (area == available.end())
        return std::nullopt;
    const QSize size = fitted(saved.size(), area->size(), minimum);
    const QSize outer = size + frameAllowance;
    return QRect(QPoint(placed(saved.x(), area->x(), area->width(), outer.width()),
                        placed(saved.y(), area->y(), area->height(), outer.height())),
                 size);
}

QSize WindowGeometry::turned(QSize current, bool landscape, QSize minimum)
{
    const bool isLandscape = current.width() > current.height();
    return (isLandscape == landscape ? current : current.transposed()).expandedTo(minimum);
}

} // namespace kestrune
