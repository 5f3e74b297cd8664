#pragma once

#include <QString>

#include <any>

namespace kestrune {

class ViewController;

// A named passage from one screen to another. The source names it and what
// it hands over; the stack's factory for the name builds the destination
// from that, so that a screen need not know the screen it leads to. The
// source may still prepare the destination before it is shown.
struct Segue
{
    QString identifier;
    ViewController *source = nullptr;
    ViewController *destination = nullptr;
    // Whatever the source hands over; empty when the name says it all.
    std::any handover;

    // The hand-over as a T; a default T when there is none or it is another type.
    template<typename T> T handed() const
    {
        if (const T *value = std::any_cast<T>(&handover))
            return *value;
        return T{};
    }
};

} // namespace kestrune
