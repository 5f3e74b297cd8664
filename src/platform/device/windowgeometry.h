#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <optional>

namespace kestrune {

class DeviceProfile;

// Where the program's window goes on a desktop whose screens may be smaller
// than the device it plays. Sizes are the window's inner size in
// device-independent pixels; available areas are the screens' areas less
// their panels. Pure functions, any thread.
class WindowGeometry
{
public:
    // What the window manager's frame and title bar are allowed around the
    // window when it is fitted before it has a frame to measure.
    static constexpr QSize frameAllowance{16, 48};

    // The smallest window whose screens still show every control apart and
    // readable, for the profile's idiom in its current orientation.
    static QSize minimumSize(const DeviceProfile &profile);

    // The device's size, shrunk where it does not fit into available (less
    // frameAllowance) with the device's aspect kept, never below
    // minimumIn(minimum, available).
    static QSize fitted(QSize deviceSize, QSize available, QSize minimum);
    // The minimum a window can keep on a screen of available size: a screen
    // too small for it gets the minimum shrunk, shape kept, rather than a
    // window that runs off it.
    static QSize minimumIn(QSize minimum, QSize available);
    // The first window: fitted and centred in available.
    static QRect initial(QSize deviceSize, QRect available, QSize minimum);
    // A remembered window (its frame's top-left and its inner size) if its
    // centre still lies in one of the available areas, made to fit that area
    // as fitted() does, then moved inside; nothing when it is off every
    // screen or not a window at all.
    static std::optional<QRect> restored(QRect saved, const QList<QRect> &available, QSize minimum);
    // The size after a turn to landscape or portrait: the same window on its
    // side (unless it already has that shape), at least minimum (the new
    // orientation's).
    static QSize turned(QSize current, bool landscape, QSize minimum);

    WindowGeometry() = delete;
};

} // namespace kestrune
