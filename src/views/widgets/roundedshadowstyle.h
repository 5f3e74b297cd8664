#pragma once

#include <QtGlobal>

namespace kestrune {

class Button;

// The look the menu's and the result screen's round buttons share: corners
// as round as the button is high, and a soft black shadow (opacity 0.2,
// offset (0, 1), radius 3) under it.
class RoundedShadowStyle
{
public:
    // height: the button's height in points, which is also its corner radius.
    static void apply(Button &button, qreal height);

    RoundedShadowStyle() = delete;
};

} // namespace kestrune
