#pragma once

namespace kestrune {

class Button;
class RadialMenu;

// What a RadialMenu tells its owner. Index 0 is the first mode button of the
// ring, counted in the order the ring lays them out. Every call comes on the
// GUI thread, from inside the menu's own event handling.
class RadialMenuDelegate
{
public:
    virtual ~RadialMenuDelegate() = default;

    // A mode button is about to show, once per button each time the ring opens.
    virtual void radialMenuWillDisplay(RadialMenu &menu, Button *button, int index) = 0;
    // The player picked a mode button; the ring starts to close.
    virtual void radialMenuButtonWillSelected(RadialMenu &menu, Button *button, int index) = 0;
    // Right after radialMenuButtonWillSelected for the same pick.
    virtual void radialMenuButtonDidSelected(RadialMenu &menu, Button *button, int index) = 0;
    // The ring has closed (after a pick, a second tap, a tap outside or Escape).
    virtual void menuCollapsed(RadialMenu &menu) = 0;
};

} // namespace kestrune
