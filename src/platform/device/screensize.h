#pragma once

namespace kestrune {

class DeviceProfile;

// The size class of a screen, an ordinal that screens choose fonts and
// spacings by. It depends on the longer side of the screen in points:
//   0  unknown (an empty size)
//   1  up to 568      (4-inch phones, 320 x 568)
//   2  up to 736      (4.7- and 5.5-inch phones, 375 x 667, 414 x 736)
//   3  up to 1000     (tall phones, 375 x 812 to 430 x 932)
//   4  above 1000     (tablets, 768 x 1024 and larger)
class ScreenSize
{
public:
    static int of(const DeviceProfile &profile);
    // The class of DeviceProfile::current().
    static int current();
};

} // namespace kestrune
