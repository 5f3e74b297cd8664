#include "windowscene.h"

#include "platform/device/deviceprofile.h"

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
    // it already has keeps a size the player chose.
    if (profile.isLandscape() != wasLandscape)
        window->window()->resize(profile.size().toSize());
    return true;
}

} // namespace kestrune
