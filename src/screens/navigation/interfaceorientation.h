#pragma once

namespace kestrune {

// Orientations a screen supports, as a bit mask. The values are fixed:
// screens and tests compare masks as numbers.
using InterfaceOrientationMask = unsigned;

namespace InterfaceOrientation {
constexpr InterfaceOrientationMask portrait = 2;
constexpr InterfaceOrientationMask portraitUpsideDown = 4;
constexpr InterfaceOrientationMask landscapeRight = 8;
constexpr InterfaceOrientationMask landscapeLeft = 16;
constexpr InterfaceOrientationMask landscape = landscapeRight | landscapeLeft;
constexpr InterfaceOrientationMask all = portrait | portraitUpsideDown | landscape;

// Exactly one orientation: only such a mask can be asked of the window.
constexpr bool isSingle(InterfaceOrientationMask mask)
{
    return mask == portrait || mask == portraitUpsideDown || mask == landscapeRight || mask == landscapeLeft;
}
} // namespace InterfaceOrientation

} // namespace kestrune
