#pragma once

namespace kestrune {

// The state of one feedback dot, in drawing order.
enum class DotState { bull, cow, empty };

} // namespace kestrune
