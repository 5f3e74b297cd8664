#include "screensize.h"

#include "deviceprofile.h"

#include <algorithm>

namespace kestrune {

ScreenSize screenSize(const DeviceProfile &profile)
{
    const qreal longer = std::max(profile.portraitSize().width(), profile.portraitSize().height());
    if (longer <= 0)
        return ScreenSize::unknown;
    if (longer <= 568)
        return ScreenSize::small;
    if (longer <= 736)
        return ScreenSize::medium;
    if (longer <= 1000)
        return ScreenSize::large;
    return ScreenSize::extraLarge;
}

ScreenSize currentScreenSize()
{
    return screenSize(DeviceProfile::current());
}

} // namespace kestrune
