#include "windowscene.h"

#include "deferredminimumsize.h"

#include "platform/device/deviceprofile.h"
#include "platform/device/windowgeometry.h"

#include <QScreen>
#include <QWidget>

namespace kestrune {

bool WindowScene::requestGeometryUpdate(QWidget *window, InterfaceOrientationMask mask)
{
    if (!window || !InterfaceOrientation::isSingle(mask))
        return false;
    DeviceProfile profile = DeviceProfile::current();
    const bool wasLandscape = profile.isLandscape();
    switch (mask) {
    case InterfaceOrientation::portrait:
        profile.setOrientation(DeviceProfile::Orientation::portrait);
        break;
    case InterfaceOrientation::portraitUpsideDown:
        profile.setOrientation(DeviceProfile::Orientation::portraitUpsideDown);
        break;
    case InterfaceOrientation::landscapeRight:
        profile.setOrientation(DeviceProfile::Orientation::landscapeRight);
        break;
    default:
        profile.setOrientation(DeviceProfile::Orientation::landscapeLeft);
        break;
    }
    DeviceProfile::setCurrent(profile);
    // Only a real turn reshapes the window: asking again for the orientation
    // it already has keeps a size the player chose. The window turns on its
    // side as it is, since it was fitted to the screen (or sized by the
    // player) and the device's own size may not fit; on a screen too small
    // for it on its side it is fitted again.
    if (profile.isLandscape() != wasLandscape) {
        QWidget *top = window->window();
        const QSize available = top->screen()->availableGeometry().size();
        const QSize minimum = WindowGeometry::minimumIn(WindowGeometry::minimumSize(profile), available);
        const QSize turned = WindowGeometry::turned(top->size(), profile.isLandscape(), minimum);
        const QSize size = WindowGeometry::fitted(turned, available, minimum);
        // Straight to the new size: a new minimum taller or wider than the
        // window would resize it first, and every size it passes through
        // lays the whole screen out.
        top->setMinimumSize(top->minimumSize().boundedTo(minimum));
        top->resize(size);
        DeferredMinimumSize::apply(top, top->size(), minimum);
    }
    return true;
}

} // namespace kestrune
