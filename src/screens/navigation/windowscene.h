#pragma once

#include "interfaceorientation.h"

class QWidget;

namespace kestrune {

// The window as the screens may ask it to turn. On the desktop a turn
// between portrait and landscape lays the window on its side (and sets the
// new orientation's minimum size); a request that does not turn it leaves
// the size alone.
class WindowScene
{
public:
    // Only a single orientation can be asked for; any other mask, or no
    // window, changes nothing and returns false.
    static bool requestGeometryUpdate(QWidget *window, InterfaceOrientationMask mask);

    WindowScene() = delete;
};

} // namespace kestrune
