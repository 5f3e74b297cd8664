#pragma once

#include <QString>

namespace kestrune {

class ViewController;

// A named passage from one screen to another. The source prepares the
// destination before it is shown.
struct Segue
{
    QString identifier;
    ViewController *source = nullptr;
    ViewController *destination = nullptr;
};

} // namespace kestrune
