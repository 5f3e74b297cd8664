#include "hardwarekey.h"

#include <QKeyEvent>

namespace kestrune {

int HardwareKey::usageCode(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return (keypad ? keypad1 : digit1) + (key - Qt::Key_1);
    switch (key) {
    case Qt::Key_0:
        return keypad ? keypad0 : digit0;
    case Qt::Key_Return:
        return returnKey;
    case Qt::Key_Enter:
        return keypadEnter;
    case Qt::Key_Space:
        return space;
    case Qt::Key_Backspace:
        return deleteKey;
    case Qt::Key_Delete:
        return keypad ? keypadDelete : deleteForward;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return keypad ? keypadDelete : none;
    case Qt::Key_Escape:
        return escape;
    case Qt::Key_Tab:
        return tab;
    default:
        return none;
    }
}

int HardwareKey::usageCode(const QKeyEvent &event)
{
    return usageCode(event.key(), event.modifiers());
}

int HardwareKey::digit(int usageCode)
{
    if (usageCode >= digit1 && usageCode < digit0)
        return usageCode - digit1 + 1;
    if (usageCode >= keypad1 && usageCode < keypad0)
        return usageCode - keypad1 + 1;
    return 0;
}

} // namespace kestrune
