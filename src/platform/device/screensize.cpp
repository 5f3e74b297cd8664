#include "screensize.h"

#include "deviceprofile.h"

#include <algorithm>

namespace kestrune {

int ScreenSize::of(const DeviceProfile &profile)
{
    const qreal longer = std::max(profile.portraitSize().width(), profile.portraitSize().height());
    if (longer <= 0)
        return 0;
    if (longer <= 568)
        return 1;
    if (longer <= 736)
        return 2;
    if (longer <= 1000)
        return 3;
    return 4;
}

int ScreenSize::current()
{
    return of(DeviceProfile::current());
}

} // namespace kestrune
