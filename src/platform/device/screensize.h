#pragma once

namespace kestrune {

class DeviceProfile;

// The size class of a screen, which screens choose fonts and spacings by. It
// is ordered (a larger class is a larger screen) and depends on the longer
// side of the screen in points. The values are the classes' ordinals.
enum class ScreenSize {
    unknown = 0,    // an empty size
    small = 1,      // up to 568: 4-inch phones, 320 x 568
    medium = 2,     // up to 736: 4.7- and 5.5-inch phones, 375 x 667, 414 x 736
    large = 3,      // up to 1000: tall phones, 375 x 812 to 430 x 932
    extraLarge = 4, // above 1000: tablets, 768 x 1024 and larger
};

ScreenSize screenSize(const DeviceProfile &profile);
// The class of DeviceProfile::current().
ScreenSize currentScreenSize();

} // namespace kestrune
