#pragma once

#include <Qt>

class QKeyEvent;

namespace kestrune {

// Keyboard keys by their USB HID usage codes (keyboard page), the codes the
// keypad's rules are written in.
class HardwareKey
{
public:
    enum Usage : int {
        none = 0,
        digit1 = 0x1E, // to digit9 = 0x26
        digit0 = 0x27,
        returnKey = 0x28,
        escape = 0x29,
        deleteKey = 0x2A, // backspace
        tab = 0x2B,
        space = 0x2C,
        deleteForward = 0x4C,
        keypadEnter = 0x58,
        keypad1 = 0x59, // to keypad9 = 0x61
        keypad0 = 0x62,
        keypadDelete = 0x63, // keypad "." and Delete
    };

    // The usage code of a Qt key; the keypad modifier selects the numeric
    // pad's codes. Keys without a code give `none`.
    static int usageCode(int key, Qt::KeyboardModifiers modifiers);
    static int usageCode(const QKeyEvent &event);
    // The digit 1-9 of a main-row or keypad digit code; 0 for any other code.
    static int digit(int usageCode);
};

} // namespace kestrune
