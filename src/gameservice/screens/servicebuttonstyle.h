#pragma once

namespace kestrune {

class Button;

// The service screens' flat buttons: the primary one in the accent colour,
// the others on the secondary background.
void styleServiceButton(Button &button, bool primary);

} // namespace kestrune
